// The main window by keyboard alone, and the names a screen reader reads.
#include "tests/shell/CommandsTest.h"
#include "tests/support/KeyPresses.h"

#include "device/CommFrm.h"
#include "dive/AddDiveOption.h"
#include "dive/DiveFrm.h"
#include "forms/ChildForm.h"
#include "platform/widgets/CheckList.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/PropertyGrid.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "reports/DelimiterOption.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/Global_Vars.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>

#include <functional>

namespace kvl::test {
namespace {

class KeyboardTest : public CommandsTest {
protected:
    void ShowWindow()
    {
        Frm().resize(1366, 600);   // the record's memo lies below the fold
        ASSERT_TRUE(ShowActive(Frm()));
    }
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ASSERT_TRUE(Focused());
        PressKey(key, modifiers);
    }
    // Presses Tab (or Shift+Tab) until the focus is where `reached` says; false after a
    // full round without getting there.
    static bool TabUntil(const std::function<bool(QWidget*)>& reached, bool back = false)
    {
        for (int presses = 0; presses < 150; ++presses) {
            PressKey(Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
            if (Focused() && reached(Focused()))
                return true;
        }
        return false;
    }
    // Moves along the focused bar with the arrow key until the item named `name` has the focus.
    static bool ArrowTo(const QString& name, Qt::Key arrow)
    {
        for (int presses = 0; presses < 30; ++presses) {
            if (Name(Focused()) == name)
                return true;
            PressKey(arrow);
        }
        return false;
    }
    static QString Name(QWidget* widget)
    {
        QAccessibleInterface* face = widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
        return face ? face->text(QAccessible::Name) : QString();
    }
    bool InSideBar(QWidget* widget) { return Frm().SmartBar->isAncestorOf(widget); }
    bool InToolBar(QWidget* widget) { return Frm().SmartUI1->isAncestorOf(widget); }
    bool InForm(QWidget* widget) { return Frm().ChildArea()->widget()->isAncestorOf(widget); }
};

TEST_F(KeyboardTest, FromTheDiversFormToTheNextDiveSavedByKeysAlone)
{
    AddDives(3);
    Side("Personal");
    ShowWindow();
    Frm().ChildArea()->widget()->findChild<QLineEdit*>()->setFocus();   // where the diver starts typing
    ASSERT_TRUE(InForm(Focused()));

    // The side bar is one stop: Tab reaches it, the arrows walk it, Enter opens the record.
    ASSERT_TRUE(TabUntil([this](QWidget* w) { return InSideBar(w); }));
    ASSERT_TRUE(ArrowTo("VURO Dive", Qt::Key_Down));
    Key(Qt::Key_Return);
    ASSERT_EQ(gv.ActiveFormID, FormCode::Dive);
    Key(Qt::Key_Tab);
    EXPECT_FALSE(InSideBar(Focused())) << "Tab leaves the side bar";

    // The tool bar's Next dive, by the arrows; the hidden Sort and Save are skipped on the way.
    ASSERT_TRUE(TabUntil([this](QWidget* w) { return InToolBar(w); }));
    ASSERT_TRUE(ArrowTo("Next dive", Qt::Key_Right));
    Key(Qt::Key_Space);
    ASSERT_EQ(gv.CurrentDiveID, IdOf(2));

    // The memo lies below the fold: reaching it by Tab scrolls it into view.
    MemoBox& memo = DiveFrm::Instance().MemoTxt();
    ASSERT_TRUE(TabUntil([&memo](QWidget* w) { return w == &memo; }));
    const QRect shown(QPoint(0, 0), Frm().ChildArea()->viewport()->size());
    EXPECT_TRUE(shown.intersects(QRect(memo.mapTo(Frm().ChildArea()->viewport(), QPoint(0, 0)), memo.size())));
    TypeText("Kelp forest");

    ASSERT_TRUE(TabUntil([this](QWidget* w) { return InToolBar(w); }));
    ASSERT_TRUE(ArrowTo("Save", Qt::Key_Left));
    Key(Qt::Key_Return);
    EXPECT_EQ(Stored(IdOf(2), "MEMO").ToString(), "Kelp forest");
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty());
}

// Reached by Tab below the fold, the memo shows whole, not just its first line.
TEST_F(KeyboardTest, TheMemoReachedByTabShowsWhole)
{
    AddDives(2);
    Side("Dive");
    ShowWindow();
    Frm().ChildArea()->verticalScrollBar()->setValue(0);
    DiveFrm::Instance().Text3(DiveText::SerialNo).setFocus();
    MemoBox& memo = DiveFrm::Instance().MemoTxt();
    ASSERT_TRUE(TabUntil([&memo](QWidget* w) { return w == &memo; }));
    QWidget* viewport = Frm().ChildArea()->viewport();
    ASSERT_LE(memo.height(), viewport->height());
    const QRect shown(memo.mapTo(viewport, QPoint(0, 0)), memo.size());
    EXPECT_TRUE(viewport->rect().contains(shown)) << shown.top() << ".." << shown.bottom() << " in 0.."
                                                  << viewport->height() - 1;
}

TEST_F(KeyboardTest, TheProfileSamplesAreOneTabStop)
{
    AddDives(1);
    Side("Details");
    ShowWindow();
    auto* grid = Frm().ChildArea()->widget()->findChild<DataGrid*>();
    ASSERT_TRUE(grid);
    QTableView* samples = &grid->View();
    ASSERT_GT(grid->Rows(), 1);
    samples->setFocus();
    const int row = samples->currentIndex().row();
    Key(Qt::Key_Down);
    EXPECT_EQ(samples->currentIndex().row(), row + 1) << "the arrows move inside the grid";
    Key(Qt::Key_Tab);
    EXPECT_NE(Focused(), samples) << "Tab leaves the grid";
}

// Boxes inside a combo or a table are their parts, named by the whole; a check list's
// value boxes are boxes of their own.
bool PartOfABox(const QWidget* box, const QWidget* window)
{
    if (qobject_cast<const QHeaderView*>(box) || box->objectName().startsWith(QLatin1String("qt_")))
        return true;
    for (const QWidget* holder = box->parentWidget(); holder && holder != window; holder = holder->parentWidget())
        if (qobject_cast<const QComboBox*>(holder) ||
            (qobject_cast<const QAbstractItemView*>(holder) && !qobject_cast<const PropertyGrid*>(holder) &&
             !qobject_cast<const CheckList*>(holder)))
            return true;
    return false;
}

// Each box of the window carries a name of its own over the accessibility tree: never
// empty, never its current value (a combo read as "AM" or "ft"), never a name another
// box of the window has ("ON", "OFF"). Returns how many boxes it looked at.
int ExpectNamesOfTheirOwn(QWidget& window, const std::string& where)
{
    QMap<QString, QStringList> names;   // the boxes each name is given to
    int boxes = 0;
    for (QWidget* box : window.findChildren<QWidget*>()) {
        if (PartOfABox(box, &window))
            continue;
        QString value;
        if (auto* edit = qobject_cast<QLineEdit*>(box))
            value = edit->text();
        else if (auto* combo = qobject_cast<QComboBox*>(box))
            value = combo->currentText();
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(box))
            value = memo->toPlainText();
        else if (!qobject_cast<QAbstractButton*>(box) && !qobject_cast<QAbstractItemView*>(box))
            continue;
        ++boxes;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(box);
        const QString name = face ? face->text(QAccessible::Name) : QString();
        const std::string what = where + " " + box->metaObject()->className() + " " + box->objectName().toStdString() +
                                 " \"" + name.toStdString() + "\"";
        EXPECT_FALSE(name.isEmpty()) << what;
        if (!value.isEmpty()) {
            EXPECT_NE(name, value) << what;
            if (face && (qobject_cast<QComboBox*>(box))) {
                EXPECT_EQ(face->text(QAccessible::Value), value) << what;
            }
        }
        names[name] << QString::fromLatin1(box->metaObject()->className()) + QLatin1Char(' ') + box->objectName() +
                           QStringLiteral(" in ") + QString::fromLatin1(box->parentWidget()->metaObject()->className());
    }
    for (auto it = names.cbegin(); it != names.cend(); ++it)
        EXPECT_EQ(it.value().size(), 1) << where << ": \"" << it.key().toStdString() << "\" names "
                                        << it.value().join(", ").toStdString();
    return boxes;
}

TEST_F(KeyboardTest, EveryBoxOfTheFormsHasANameOfItsOwn)
{
    AddDives(1);
    for (const char* key : {"Personal", "Buddies", "Location", "DiveComputer", "Queries", "History", "Dive"}) {
        Side(key);
        ChildForm* shown = nullptr;   // the forms shown before stay in the area, hidden
        for (auto* form : Frm().ChildArea()->widget()->findChildren<ChildForm*>(Qt::FindDirectChildrenOnly))
            if (!form->isHidden())
                shown = form;
        ASSERT_TRUE(shown) << key;
        EXPECT_GT(ExpectNamesOfTheirOwn(*shown, key), 5) << key;
    }
    DelimiterOption exportDialog;
    EXPECT_GT(ExpectNamesOfTheirOwn(exportDialog, "export"), 5);
    int downloadBoxes = 0;
    addDive = [](AddDiveOption& dialog) {
        EXPECT_GT(ExpectNamesOfTheirOwn(dialog, "add-dive"), 5);
        dialog.Option1[1]->setChecked(true);   // download, at the end of the log
        dialog.Option2[1]->setChecked(true);
        dialog.OKCmd->click();
    };
    comm = [&downloadBoxes](CommFrm& frm) { downloadBoxes = ExpectNamesOfTheirOwn(frm, "download"); };
    Tool("AddDive");
    EXPECT_GT(downloadBoxes, 2);
}

} // namespace
} // namespace kvl::test
