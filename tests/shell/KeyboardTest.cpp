// The main window by keyboard alone, and the names a screen reader reads.
#include "tests/shell/CommandsTest.h"
#include "tests/support/KeyPresses.h"

#include "dive/DiveFrm.h"
#include "platform/widgets/CheckList.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/PropertyGrid.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/Global_Vars.h"
#include "site_gear/LocationFrm.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
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

// Tab leaves the location's notes as it leaves the dive's memo, and never types a tab;
// a tab stored in a note stays.
TEST_F(KeyboardTest, TabLeavesTheLocationNotesAndTypesNoTab)
{
    AddDives(1);
    const QString highlights = QStringLiteral("Reef\twall");
    gv.DB->Execute("UPDATE DIVEDATA SET HIGHLIGHTS = ?", {highlights});
    Side("Location");
    ShowWindow();
    LocationFrm& form = LocationFrm::Instance();
    for (const site::LocationText box : {site::LocationText::Highlights, site::LocationText::Directions}) {
        SCOPED_TRACE(int(box));
        QWidget& note = form.Text4(box);
        note.setFocus();
        const QString before = form.Text4Text(box);
        Key(Qt::Key_Tab);
        EXPECT_NE(Focused(), &note) << "Tab moves on";
        Key(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(Focused(), &note) << "Shift+Tab comes back";
        Key(Qt::Key_Tab, Qt::ControlModifier);
        note.setFocus();
        EXPECT_EQ(form.Text4Text(box), before) << "no tab typed";
    }
    Side("Dive");
    EXPECT_EQ(Stored(IdOf(1), "HIGHLIGHTS").ToString(), highlights);
    EXPECT_EQ(Stored(IdOf(1), "DIRECTIONS").ToString(), "");
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

// Boxes inside a check list, a combo or a table are their parts, named by the whole.
bool PartOfABox(const QWidget* box, const QWidget* form)
{
    if (qobject_cast<const QHeaderView*>(box) || box->objectName().startsWith(QLatin1String("qt_")))
        return true;
    for (const QWidget* holder = box->parentWidget(); holder && holder != form; holder = holder->parentWidget())
        if (qobject_cast<const CheckList*>(holder) || qobject_cast<const QComboBox*>(holder) ||
            (qobject_cast<const QAbstractItemView*>(holder) && !qobject_cast<const PropertyGrid*>(holder)))
            return true;
    return false;
}

// Each box of the forms carries a name of its own: never empty, never its current
// value (a combo read as "AM" or "ft"), never a name another box of the form has
// ("ON", "OFF").
TEST_F(KeyboardTest, EveryBoxOfTheFormsHasANameOfItsOwn)
{
    AddDives(1);
    for (const char* key : {"Personal", "Buddies", "Location", "DiveComputer", "Queries"}) {
        Side(key);
        QWidget* form = Frm().ChildArea()->widget();
        QMap<QString, int> names;
        int boxes = 0;
        for (QWidget* box : form->findChildren<QWidget*>()) {
            if (PartOfABox(box, form))
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
            const QString name = Name(box);
            const std::string where = std::string(key) + " " + box->metaObject()->className() + " " +
                                      box->objectName().toStdString();
            EXPECT_FALSE(name.isEmpty()) << where;
            if (!value.isEmpty()) {
                EXPECT_NE(name, value) << where;
            }
            ++names[name];
        }
        EXPECT_GT(boxes, 5) << key;
        for (auto it = names.cbegin(); it != names.cend(); ++it)
            EXPECT_EQ(it.value(), 1) << key << ": \"" << it.key().toStdString() << "\" names more than one box";
    }
}

} // namespace
} // namespace kvl::test
