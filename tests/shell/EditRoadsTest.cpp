// The dive record in the main window, changed by the mouse, the context menu, a drop
// or an input method instead of keys: every change is asked about and stored as a
// typed one is, and the log holds what the box showed.
#include "tests/shell/CommandsTest.h"
#include "tests/support/KeyPresses.h"

#include "dive/DiveFrm.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/DiveRows.h"

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <functional>

namespace kvl::test {
namespace {

const char kSave[] = "Do you want to save the changes?";

// What the roads need of a box, a line box and the memo alike.
QWidget& Surface(QWidget& box)   // where the mouse and drops land
{
    auto* plain = qobject_cast<QPlainTextEdit*>(&box);
    return plain ? *plain->viewport() : box;
}

QString Shown(QWidget& box)
{
    if (auto* line = qobject_cast<QLineEdit*>(&box))
        return line->displayText();
    return static_cast<MemoBox&>(box).Text();
}

void SetByProgram(QWidget& box, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(&box))
        line->setText(text);
    else
        static_cast<MemoBox&>(box).SetText(text);
}

// Selects the last `count` characters, or all of the text.
void Select(QWidget& box, int count = -1)
{
    const int size = int(Shown(box).size());
    const int from = count < 0 ? 0 : size - count;
    if (auto* line = qobject_cast<QLineEdit*>(&box)) {
        line->setSelection(from, size - from);
        return;
    }
    auto& memo = static_cast<MemoBox&>(box);
    QTextCursor cursor = memo.textCursor();
    cursor.setPosition(from);
    cursor.setPosition(size, QTextCursor::KeepAnchor);
    memo.setTextCursor(cursor);
}

void Focus(QWidget& box) { box.setFocus(Qt::MouseFocusReason); }

// The entry of a box's own menu by its label ("Paste", "Undo" ...).
QAction* Entry(const QMenu& menu, const QString& label)
{
    for (QAction* action : menu.actions())
        if (action->text().section(u'\t', 0, 0).remove(u'&') == label)
            return action;
    return nullptr;
}

// A right-click on the box, then the entry of its menu.
void ChooseFromMenu(QWidget& box, const char* label)
{
    Focus(box);
    QWidget& surface = Surface(box);
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(4, 4), surface.mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(&surface, &click);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "no menu";
    QAction* action = Entry(*menu, QString::fromLatin1(label));
    ASSERT_NE(action, nullptr) << label;
    EXPECT_TRUE(action->isEnabled()) << label;
    action->trigger();
    menu->close();
    QApplication::processEvents();   // the menu's window hands the activation back
    EXPECT_TRUE(ShowActive(*box.window()));
}

void Drop(QWidget& box, const QString& text)
{
    QMimeData dragged;
    dragged.setText(text);
    QWidget& surface = Surface(box);
    const QPoint at(2, surface.height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&surface, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&surface, &move);
    QDropEvent drop(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&surface, &drop);
}

void MiddleClick(QWidget& box)
{
    QWidget& surface = Surface(box);
    const QPointF at(2, surface.height() / 2);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, at, surface.mapToGlobal(at), Qt::MiddleButton,
                          type == QEvent::MouseButtonPress ? Qt::MiddleButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&surface, &click);
    }
}

void CommitByInputMethod(QWidget& box, const QString& text)
{
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(&box, &commit);
}

// The box's whole text replaced through the accessibility interface, as a screen reader
// or a dictation tool replaces it.
void SetThroughAccessibility(QWidget& box, const QString& text)
{
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&box);
    ASSERT_NE(reader->editableTextInterface(), nullptr);
    reader->editableTextInterface()->replaceText(0, reader->textInterface()->characterCount(), text);
}

// The box holds the value and one character more, which the menu's entry takes off.
std::function<void(QWidget&, const QString&)> TakeOffTheLastByMenu(const char* label)
{
    return [label](QWidget& box, const QString& value) {
        SetByProgram(box, value + "9");
        Focus(box);
        Select(box, 1);
        ChooseFromMenu(box, label);
    };
}

void PasteByKeys(QWidget& box, const QString& text)
{
    Focus(box);
    Select(box);
    QApplication::clipboard()->setText(text);
    PressKey(Qt::Key_V, Qt::ControlModifier);
}

class EditRoadsTest : public CommandsTest {
protected:
    void SetUp() override
    {
        CommandsTest::SetUp();
        AddDives(2);
        // Entered by hand, tank 1 in use: every box of the table can be edited.
        gv.DB->Execute("Update DIVEDATA set DATATYPE = 0, MODELID = 0, TANK1ON = -1, CYLINDERSIZE = 80, SPSI = 3000, "
                       "EPSI = 500, MEMO = 'Reef'");
        first = IdOf(1);
        OpenLogOn(static_cast<qint32>(first));
        Side("Dive");
        Frm().resize(1366, 900);
        ASSERT_TRUE(ShowActive(Frm()));
    }
    DiveFrm& Form() { return DiveFrm::Instance(); }
    void Leave() { Form().Text3(DiveText::LifeTimeDiveNo).setFocus(Qt::TabFocusReason); }
    // The dive shown again as the log holds it.
    void ShowAgain(qint64 diveId)
    {
        OpenLogOn(static_cast<qint32>(diveId));
        Form().DIVE_InitDiveInfo();
    }

    qint64 first = 0;
};

TEST_F(EditRoadsTest, EveryRoadIntoEveryBoxIsAskedAboutAndStored)
{
    struct Box {
        const char* name;
        const char* column;
        std::function<QWidget&(DiveFrm&)> box;
        QString value;   // differs from what the first dive shows
        bool masked = false;
        bool tidiedWhenLeft = false;   // the text is set again, which ends its undo history
    };
    const auto text = [](DiveText i) { return [i](DiveFrm& f) -> QWidget& { return f.Text3(i); }; };
    const auto masked = [](DiveMasked i) { return [i](DiveFrm& f) -> QWidget& { return f.Masked1(i); }; };
    const Box boxes[] = {
        {"Max. Depth", "MDEPTH", text(DiveText::MaxDepth), "33"},
        {"Ave. Depth", "AVGDEPTH", text(DiveText::AveDepth), "21.5"},
        {"D.G. Dive #", "DIVENO", text(DiveText::DGDiveNo), "17"},
        {"Elapsed Time", "BTIME", text(DiveText::ElapsedTime), "52"},
        {"Min. Temperature", "TEMP", text(DiveText::Temperature), "71"},
        {"SAC Rate", "AIRCONSUMP", text(DiveText::SacRate), "14", false, true},
        {"Cylinder Size", "CYLINDERSIZE", text(DiveText::CylinderSize1), "63"},
        {"Start Pressure", "SPSI", text(DiveText::StartPressure1), "2900"},
        {"End Pressure", "EPSI", text(DiveText::EndPressure1), "700"},
        {"Transmitter ID", "TID1", [](DiveFrm& f) -> QWidget& { return f.TIDTxt(Tank::One); }, "123456"},
        {"Model", "MODELID", text(DiveText::Model), "ABC1"},
        {"Serial No.", "MODELSERNO", text(DiveText::SerialNo), "4711"},
        {"Date", "DIVEDATE", masked(DiveMasked::Date), "12/31/2008", true},
        {"Time In", "DIVETIME", masked(DiveMasked::TimeIn), "09:15", true, true},
        {"Prior S.I.", "STIME", masked(DiveMasked::PriorSurfaceInterval), "01:30", true, true},
        {"Memo", "MEMO", [](DiveFrm& f) -> QWidget& { return f.MemoTxt(); }, "Kelp forest"},
    };
    struct Road {
        const char* name;
        std::function<void(QWidget& box, const QString& value)> edit;
        bool keepsTheMask = true;   // false: the road blanks part of a masked box
        bool leavesTheBox = false;  // the box is left before the menu's entry is chosen
    };
    std::vector<Road> roads = {
        {"menu Paste",
         [](QWidget& box, const QString& value) {
             QApplication::clipboard()->setText(value);
             Focus(box);
             Select(box);
             ChooseFromMenu(box, "Paste");
         }},
        {"menu Cut", TakeOffTheLastByMenu("Cut"), false},
        {"menu Delete", TakeOffTheLastByMenu("Delete"), false},
        {"drop",
         [](QWidget& box, const QString& value) {
             SetByProgram(box, {});
             Drop(box, value);
         }},
        {"input method",
         [](QWidget& box, const QString& value) {
             Focus(box);
             Select(box);
             CommitByInputMethod(box, value);
         }},
        {"accessibility interface", SetThroughAccessibility},
        {"menu Undo after a paste left",
         [this](QWidget& box, const QString& value) {
             PasteByKeys(box, value);
             Leave();
             ChooseFromMenu(box, "Undo");
         },
         true, true},
        {"menu Redo after Ctrl+Z",
         [this](QWidget& box, const QString& value) {
             PasteByKeys(box, value);
             PressKey(Qt::Key_Z, Qt::ControlModifier);
             Leave();

             ChooseFromMenu(box, "Redo");
         },
         true, true},
    };
    if (QApplication::clipboard()->supportsSelection())
        roads.push_back({"middle click", [](QWidget& box, const QString& value) {
                             QApplication::clipboard()->setText(value, QClipboard::Selection);
                             SetByProgram(box, {});
                             MiddleClick(box);
                         }});
    for (const Box& b : boxes) {
        for (const Road& road : roads) {
            if ((b.masked && !road.keepsTheMask) || (b.tidiedWhenLeft && road.leavesTheBox))
                continue;
            SCOPED_TRACE(testing::Message() << b.name << " by " << road.name);
            QWidget& box = b.box(Form());
            const QString before = Shown(box);
            const db::Value stored = Stored(first, b.column);
            road.edit(box, b.value);
            const QString shown = Shown(box);
            if (shown != before)
                dialogs.ExpectMsg(kSave, MsgAnswer::Yes);
            Tool("NextDive");
            dialogs.VerifyAllUsed();
            EXPECT_NE(gv.CurrentDiveID, first);
            EXPECT_EQ(Stored(first, b.column).ToString() != stored.ToString(), shown != before);
            ShowAgain(first);
            EXPECT_EQ(Shown(b.box(Form())), shown) << "the log holds what the box showed";
            gv.DB->Execute(QStringLiteral("Update DIVEDATA set %1 = ? where DIVEID = ?").arg(b.column),
                           {stored, first});
            ShowAgain(first);
        }
    }
}

// A locked box of a downloaded dive, or one the record computes, takes no text by a road
// that is not a key either: the box keeps what it showed and nothing is asked.
TEST_F(EditRoadsTest, ALockedBoxTakesNoTextByAnyRoad)
{
    gv.DB->Execute("Update DIVEDATA set DATATYPE = 1 where DIVEID = ?", {first});
    ShowAgain(first);
    const std::pair<const char*, std::function<void(QWidget&, const QString&)>> roads[] = {
        {"input method", CommitByInputMethod},
        {"accessibility interface", SetThroughAccessibility},
        {"accessible insert",
         [](QWidget& box, const QString& text) {
             QAccessible::queryAccessibleInterface(&box)->editableTextInterface()->insertText(0, text);
         }},
    };
    for (DiveText i : {DiveText::TimeOut, DiveText::LifeTimeDiveNo, DiveText::PressureUsed, DiveText::Model,
                       DiveText::SerialNo, DiveText::DGDiveNo, DiveText::MaxDepth}) {
        for (const auto& [name, road] : roads) {
            SCOPED_TRACE(testing::Message() << Form().Text3(i).accessibleName().toStdString() << " by " << name);
            EditBox& box = Form().Text3(i);
            ASSERT_TRUE(box.Locked());
            const QString before = box.text();
            Focus(box);
            road(box, QString::fromUtf8("\u00e9"));
            EXPECT_EQ(box.text(), before);
            Tool("NextDive");
            dialogs.VerifyAllUsed();   // nothing asked
            EXPECT_NE(gv.CurrentDiveID, first);
            ShowAgain(first);
        }
    }
}

// A drop onto a box that makes a value the box's check refuses is turned away, so the
// text dragged stays where it came from; a drop the box keeps is an edit like any other.
TEST_F(EditRoadsTest, ABoxTurnsAwayADropItsCheckRefuses)
{
    struct Case {
        const char* name;
        const char* column;
        std::function<EditBox&(DiveFrm&)> box;
        const char* dropped;   // at the start of what the box shows
    };
    const Case cases[] = {
        {"End Pressure", "EPSI", [](DiveFrm& f) -> EditBox& { return f.Text3(DiveText::EndPressure1); },
         "1200"},   // out of range in either unit
        {"Start Pressure", "SPSI", [](DiveFrm& f) -> EditBox& { return f.Text3(DiveText::StartPressure1); },
         "9"},      // out of range in either unit
        {"SAC Rate", "AIRCONSUMP", [](DiveFrm& f) -> EditBox& { return f.Text3(DiveText::SacRate); }, "999"},
        {"Date", "DIVEDATE", [](DiveFrm& f) -> EditBox& { return f.Masked1(DiveMasked::Date); }, "99"},
        {"Time In", "DIVETIME", [](DiveFrm& f) -> EditBox& { return f.Masked1(DiveMasked::TimeIn); }, "99"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditBox& box = c.box(Form());
        const QString shown = box.displayText();
        const db::Value stored = Stored(first, c.column);
        QMimeData dragged;
        dragged.setText(c.dropped);
        const QPoint start(2, box.height() / 2);
        QDragEnterEvent enter(start, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &enter);
        QDropEvent drop(start, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &drop);
        EXPECT_FALSE(enter.isAccepted());
        EXPECT_FALSE(drop.isAccepted()) << "an accepted move takes the text from where it came";
        EXPECT_EQ(box.displayText(), shown);
        Tool("NextDive");   // nothing changed, nothing refused, nothing asked
        dialogs.VerifyAllUsed();
        EXPECT_EQ(Stored(first, c.column).ToString(), stored.ToString());
        ShowAgain(first);
    }

    EditBox& end = Form().Text3(DiveText::EndPressure1);
    const db::Value stored = Stored(first, "EPSI");
    end.clear();
    Drop(end, "1");   // below the start pressure: taken
    EXPECT_EQ(end.text(), "1");
    dialogs.ExpectMsg(kSave, MsgAnswer::Yes);
    Tool("NextDive");
    dialogs.VerifyAllUsed();
    EXPECT_NE(Stored(first, "EPSI").ToString(), stored.ToString());
}

TEST_F(EditRoadsTest, ADiveAddedByHandKeepsAValuePastedByTheMenu)
{
    AnswerAddDive(LtdPlace::End);
    Tool("AddDive");
    ASSERT_TRUE(gv.IsNewDive);
    const qint64 added = gv.CurrentDiveID;
    EditBox& depth = Form().Text3(DiveText::MaxDepth);
    QApplication::clipboard()->setText("60");
    Focus(depth);
    Select(depth);
    ChooseFromMenu(depth, "Paste");
    dialogs.ExpectMsg(kSave, MsgAnswer::Yes);
    Tool("PrevDive");
    dialogs.VerifyAllUsed();
    EXPECT_NE(gv.CurrentDiveID, added);
    EXPECT_GT(Stored(added, "MDEPTH").ToDouble(), 0);
    ShowAgain(added);
    EXPECT_EQ(Form().Text3(DiveText::MaxDepth).text(), "60");
}

} // namespace
} // namespace kvl::test
