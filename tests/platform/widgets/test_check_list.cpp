// The check list: keyed items of every kind, their states, and the events that the
// user's clicks, picks and typing raise (and that code changes do not).
#include "platform/widgets/CheckList.h"
#include "tests/support/KvlTest.h"

#include <QAccessible>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMouseEvent>

#include <string>
#include <tuple>

namespace kvl {
namespace {

class CheckListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.AddItem(CheckItemKind::Check, "All", "All dives");
        list.AddGroupLine();
        CheckItem& mode = list.AddItem(CheckItemKind::Check, "DiveMode", "Dive mode");
        list.AddItem(CheckItemKind::Option, "Norma", "Normal", &mode).SetTicked(true);
        list.AddItem(CheckItemKind::Option, "Navigation", "Navigation", &mode);
        CheckItem& status = list.AddItem(CheckItemKind::Check, "DiveStatus", "Dive status");
        list.AddItem(CheckItemKind::Option, "Normal", "Normal dive", &status).SetTicked(true);
        list.AddItem(CheckItemKind::Option, "Deco", "Decompression dive", &status);
        CheckItem& buddy = list.AddItem(CheckItemKind::Check, "Buddy", "Buddy");
        list.AddItem(CheckItemKind::DropDown, "BuddyList", QString(), &buddy);
        list.AddItem(CheckItemKind::Text, "fromDepth", "from: ", &buddy);
        QObject::connect(&list, &CheckList::ItemClick, [this](CheckItem* item) { events << "click " + item->Key(); });
        QObject::connect(&list, &CheckList::ItemChange,
                         [this](CheckItem* item) { events << "change " + item->Key() + "=" + item->Value(); });
    }

    QTreeWidgetItem* Row(const QString& key)
    {
        return list.findItems(list.Items(key).Caption(), Qt::MatchExactly | Qt::MatchRecursive).value(0);
    }
    // A left click on the list's viewport, as the user's mouse gives it.
    void Click(const QPoint& at)
    {
        const QPointF global = list.viewport()->mapToGlobal(QPointF(at));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(list.viewport(), &press);
        QCoreApplication::sendEvent(list.viewport(), &release);
    }
    void Space(QTreeWidgetItem* row)
    {
        list.setCurrentItem(row);
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(&list, &space);
    }

    struct Application {
        Application() { test::EnsureApplication(); }
    } application;   // before the widget
    CheckList list;
    QStringList events;
};

TEST_F(CheckListTest, ItemsAreFoundByKeyWithTheirKindCaptionAndFirstValue)
{
    EXPECT_EQ(list.Items("All").Kind(), CheckItemKind::Check);
    EXPECT_EQ(list.Items("All").Caption(), "All dives");
    EXPECT_EQ(list.Items("All").Value(), "0");
    EXPECT_EQ(list.Items("BuddyList").Value(), "");
    EXPECT_EQ(list.Items("BuddyList").Parent(), &list.Items("Buddy"));
    EXPECT_EQ(list.AllItems().size(), 11u);
    EXPECT_EQ(list.AllItems()[1]->Kind(), CheckItemKind::GroupLine);
    EXPECT_FALSE(list.HasItem("Gear"));
    EXPECT_THROW(list.Items("Gear"), std::out_of_range);
    EXPECT_THROW(list.AddItem(CheckItemKind::Check, "All", "again"), std::invalid_argument);
}

TEST_F(CheckListTest, AClickTicksOrUnticksAndRaisesItemClickOnce)
{
    list.ClickItem("All");
    EXPECT_TRUE(list.Items("All").Ticked());
    list.ClickItem("All");
    EXPECT_FALSE(list.Items("All").Ticked());
    list.Items("DiveMode").SetEnabled(false);
    list.ClickItem("DiveMode");   // disabled: ignored
    list.ClickItem("BuddyList");  // its box takes the input
    EXPECT_EQ(events, QStringList({"click All", "click All"}));
}

TEST_F(CheckListTest, ChoosingAnOptionClearsOnlyItsOwnGroup)
{
    list.ClickItem("Navigation");
    EXPECT_EQ(list.Items("Navigation").Value(), "1");
    EXPECT_EQ(list.Items("Norma").Value(), "0");
    EXPECT_EQ(list.Items("Normal").Value(), "1");   // another group
    list.ClickItem("Navigation");                  // an option stays chosen
    EXPECT_TRUE(list.Items("Navigation").Ticked());
    list.Items("Deco").SetValue(1);                // in code too, but silently
    EXPECT_FALSE(list.Items("Normal").Ticked());
    EXPECT_EQ(events, QStringList({"click Navigation", "click Navigation"}));
}

// Looking at a line never ticks it: a check item takes the user's tick on its box or
// by Space, a click on its caption only selects it. An option is chosen from its line.
TEST_F(CheckListTest, OnlyTheTickBoxOrSpaceTicksACheckItemWhileAnOptionsLineChoosesIt)
{
    enum class Act { Caption, TickBox, Space };
    struct Case {
        const char* key;
        Act act;
        bool ticked;
        QStringList events;
    };
    const Case cases[] = {
        {"All", Act::Caption, false, {}},
        {"All", Act::TickBox, true, {"click All"}},
        {"All", Act::Caption, true, {}},
        {"All", Act::Space, false, {"click All"}},
        {"Buddy", Act::TickBox, true, {"click Buddy"}},
        {"Navigation", Act::Caption, true, {"click Navigation"}},
        {"DiveStatus", Act::TickBox, false, {}},   // disabled
    };
    list.Items("DiveStatus").SetEnabled(false);
    list.resize(300, 400);
    list.show();
    QCoreApplication::processEvents();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + std::to_string(int(c.act)));
        events.clear();
        QTreeWidgetItem* row = Row(c.key);
        const QRect line = list.visualItemRect(row);
        const QRect box = list.TickBoxRect(c.key);
        const QPoint onCaption(std::max(box.right(), line.left()) + 30, line.center().y());
        switch (c.act) {
        case Act::Caption: Click(onCaption); break;
        case Act::TickBox: Click(box.center()); break;
        case Act::Space: Space(row); break;
        }
        EXPECT_EQ(list.Items(c.key).Ticked(), c.ticked);
        EXPECT_EQ(events, c.events);
        if (c.act == Act::Caption) {
            EXPECT_TRUE(list.Items(c.key).Selected());
        }
    }
}

// A screen reader reads each line's tick from its check state, and a greyed line as disabled.
TEST_F(CheckListTest, ATickIsTheLinesCheckStateAndAGreyedLineIsDisabled)
{
    list.Items("All").SetTicked(true);
    list.Items("DiveMode").SetEnabled(false);
    const std::tuple<const char*, Qt::CheckState, bool> cases[] = {
        {"All", Qt::Checked, true}, {"DiveMode", Qt::Unchecked, false}, {"Buddy", Qt::Unchecked, true}};
    for (const auto& [key, state, enabled] : cases) {
        SCOPED_TRACE(key);
        const QTreeWidgetItem* row = Row(key);
        EXPECT_TRUE(row->flags() & Qt::ItemIsUserCheckable);
        EXPECT_EQ(row->data(0, Qt::CheckStateRole).toInt(), state);
        EXPECT_EQ(bool(row->flags() & Qt::ItemIsEnabled), enabled);
    }
    EXPECT_FALSE(Row("Navigation")->data(0, Qt::CheckStateRole).isValid());   // options keep their circles
    list.Items("All").SetTicked(false);
    EXPECT_EQ(Row("All")->checkState(0), Qt::Unchecked);
    EXPECT_TRUE(events.isEmpty());
}

// A screen reader reads a check item's line as a check box, ticked or not ("not
// checked" for an unticked one), and ticks it by its toggle as a click does; the
// other lines read as lines. A line is found under the child number Qt's focus events
// give it: its place among the shown lines, after the header.
TEST_F(CheckListTest, CheckItemsReadAsCheckBoxesTickedOrNot)
{
    list.Items("All").SetTicked(true);
    list.Items("DiveStatus").SetHidden(true);   // its lines leave the count
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(&list);
    ASSERT_TRUE(tree);
    const int columns = list.columnCount();
    const QStringList shown = {"All", "", "DiveMode", "Norma", "Navigation", "Buddy", "BuddyList", "fromDepth"};
    ASSERT_EQ(tree->childCount(), (shown.size() + 1) * columns);
    for (int line = 0; line < shown.size(); ++line) {
        SCOPED_TRACE(line);
        QAccessibleInterface* face = tree->child((line + 1) * columns);
        ASSERT_TRUE(face);
        const bool check = shown[line] == "All" || shown[line] == "DiveMode" || shown[line] == "Buddy";
        EXPECT_EQ(face->role() == QAccessible::CheckBox, check);
        EXPECT_EQ(face->state().checkable, check);
        EXPECT_EQ(face->state().checked, shown[line] == "All");
        if (!shown[line].isEmpty()) {
            EXPECT_EQ(face->text(QAccessible::Name), list.Items(shown[line]).Caption());
        }
        EXPECT_EQ(tree->indexOfChild(face), (line + 1) * columns);
    }
    QAccessibleInterface* buddy = tree->child(6 * columns);
    buddy->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(list.Items("Buddy").Ticked());
    EXPECT_TRUE(buddy->state().checked);
    EXPECT_EQ(events, QStringList{"click Buddy"});
}

TEST_F(CheckListTest, CodeChangesRaiseNothingAndShowInTheList)
{
    CheckItem& buddy = list.Items("BuddyList");
    buddy.SetEntries({{"7", "O'Hara"}, {"9", "Ann"}});
    buddy.SetValue("Ann");
    list.Items("fromDepth").SetValue("12,5");
    list.Items("Deco").SetHidden(true);
    list.Items("All").SetCaption("Every dive");
    list.Items("All").SetTicked(true);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(list.DropDownBox("BuddyList")->count(), 2);
    EXPECT_EQ(list.DropDownBox("BuddyList")->currentText(), "Ann");
    EXPECT_EQ(list.TextBox("fromDepth")->text(), "12,5");
    EXPECT_FALSE(list.findItems("Every dive", Qt::MatchExactly).isEmpty());
    EXPECT_TRUE(list.findItems("Decompression dive", Qt::MatchExactly | Qt::MatchRecursive).value(0)->isHidden());

    buddy.ClearEntries();
    EXPECT_EQ(buddy.Value(), "Ann");   // the entries go, the value stays
    EXPECT_EQ(list.DropDownBox("BuddyList")->count(), 0);
}

// The user's keys that move the current line raise KeyMove with its item; the
// program's moves, keys that stay, and Space (which ticks) raise none.
TEST_F(CheckListTest, KeysThatMoveTheLineRaiseKeyMove)
{
    QObject::connect(&list, &CheckList::KeyMove, [this](CheckItem* item) { events << "move " + item->Key(); });
    list.SetCurrentItem("DiveMode");
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(list.Items("DiveMode").Selected());
    const std::pair<Qt::Key, QStringList> steps[] = {
        {Qt::Key_Down, {"move Norma"}}, {Qt::Key_Space, {"click Norma"}}, {Qt::Key_Up, {"move DiveMode"}},
        {Qt::Key_Home, {"move All"}},   {Qt::Key_Home, {}},               {Qt::Key_Left, {}}};
    for (const auto& [key, raised] : steps) {
        events.clear();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Space ? QStringLiteral(" ") : QString());
        QCoreApplication::sendEvent(&list, &press);
        EXPECT_EQ(events, raised) << key;
    }

    // The focus came in on a line it did not select: a key that stays on it selects it.
    list.clearSelection();
    events.clear();
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    QCoreApplication::sendEvent(&list, &home);
    EXPECT_EQ(events, QStringList{"move All"});
    EXPECT_TRUE(list.Items("All").Selected());
}

TEST_F(CheckListTest, PickingAnEntryOrTypingWritesTheValueAndRaisesItemChange)
{
    list.Items("BuddyList").SetEntries({{"7", "O'Hara"}, {"9", "Ann"}});
    list.ChooseEntry("BuddyList", 0);
    emit list.DropDownBox("BuddyList")->activated(1);   // the user's pick in the box
    list.ChooseEntry("BuddyList", 5);                    // no such entry
    list.TypeText("fromDepth", "30");
    EXPECT_EQ(list.Items("BuddyList").Value(), "Ann");
    EXPECT_EQ(events, QStringList({"change BuddyList=O'Hara", "change BuddyList=Ann", "change fromDepth=30"}));
}

TEST_F(CheckListTest, ADropDownShowsTheHostsWindowUnderTheItem)
{
    QWidget calendar;
    QStringList asked;
    list.SetDropDownHandler([&](const QString& key) -> QWidget* {
        asked << key;
        return key == "BuddyList" ? &calendar : nullptr;
    });
    list.DropDown("BuddyList");
    EXPECT_EQ(asked, QStringList({"BuddyList"}));
    EXPECT_TRUE(calendar.isVisible());
    calendar.hide();
    list.Items("BuddyList").SetEnabled(false);
    list.DropDown("BuddyList");
    EXPECT_EQ(asked.size(), 1);
}

TEST_F(CheckListTest, MouseButtonsReachTheHostWithThePositionAndTheLineUnderIt)
{
    list.resize(300, 300);
    list.show();
    const QPoint at = list.visualItemRect(list.findItems("All dives", Qt::MatchExactly).value(0)).center();
    QList<std::pair<Qt::MouseButton, QPoint>> downs, ups;
    QObject::connect(&list, &CheckList::MouseDown, [&](Qt::MouseButton b, const QPoint& p) { downs.append({b, p}); });
    QObject::connect(&list, &CheckList::MouseUp, [&](Qt::MouseButton b, const QPoint& p) { ups.append({b, p}); });
    QMouseEvent press(QEvent::MouseButtonPress, at, list.viewport()->mapToGlobal(at), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, list.viewport()->mapToGlobal(at), Qt::RightButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list.viewport(), &press);
    QCoreApplication::sendEvent(list.viewport(), &release);
    ASSERT_EQ(downs.size(), 1);
    ASSERT_EQ(ups.size(), 1);
    EXPECT_EQ(downs[0].first, Qt::RightButton);
    EXPECT_EQ(ups[0].second, at);
    EXPECT_EQ(list.ItemAt(at), &list.Items("All"));
}

// A narrow list, as the query form's: every value box lies whole inside the list and
// shows a whole date, and a long caption without a box is not cut where boxes begin.
TEST_F(CheckListTest, ValueBoxesFitInsideANarrowListAndLongCaptionsSpan)
{
    CheckItem& date = list.AddItem(CheckItemKind::Check, "DiveDate", "Dive Date (mm/dd/yyyy)");
    list.AddItem(CheckItemKind::DropDown, "fromDate", "from:", &date).SetValue("12/31/2009");
    list.resize(215, 300);
    list.show();
    QCoreApplication::processEvents();
    const auto boxes = list.findChildren<QComboBox*>();
    ASSERT_EQ(boxes.size(), 2);
    for (const QComboBox* box : boxes) {
        const QRect inList(box->mapTo(list.viewport(), QPoint(0, 0)), box->size());
        EXPECT_TRUE(list.viewport()->rect().contains(inList)) << box->currentText().toStdString();
        EXPECT_GE(box->lineEdit()->width(), box->fontMetrics().horizontalAdvance("12/31/2009"));
    }
    EXPECT_TRUE(list.findItems("Dive Date (mm/dd/yyyy)", Qt::MatchExactly).value(0)->isFirstColumnSpanned());
}

TEST_F(CheckListTest, SelectedStateAndColourFollowTheItem)
{
    list.Items("Buddy").SetSelected(true);
    EXPECT_TRUE(list.findItems("Buddy", Qt::MatchExactly).value(0)->isSelected());
    list.setCurrentItem(list.findItems("All dives", Qt::MatchExactly).value(0));   // the user moves
    EXPECT_TRUE(list.Items("All").Selected());
    EXPECT_FALSE(list.Items("Buddy").Selected());
    list.Items("All").SetColor(QColor(0, 0, 192));
    EXPECT_EQ(list.findItems("All dives", Qt::MatchExactly).value(0)->foreground(0).color(), QColor(0, 0, 192));
    list.ClearItems();
    EXPECT_TRUE(list.AllItems().empty());
    EXPECT_EQ(list.topLevelItemCount(), 0);
}

TEST_F(CheckListTest, AStatusLineUnderAnItemComesAndGoesWithItsChildren)
{
    CheckItem& dive = list.AddItem(CheckItemKind::Check, "3", "Dive 3");
    CheckItem& status = list.AddItem(CheckItemKind::Label, "1003", "Downloaded", &dive);
    status.SetColor(Qt::darkGreen);
    list.ClickItem("1003");   // a text line takes no click
    EXPECT_EQ(list.findItems("Dive 3", Qt::MatchExactly).value(0)->childCount(), 1);
    list.RemoveItem("1003");
    EXPECT_FALSE(list.HasItem("1003"));
    EXPECT_EQ(list.findItems("Dive 3", Qt::MatchExactly).value(0)->childCount(), 0);
    list.RemoveItem("Buddy");   // its drop-down and text lines go with it
    EXPECT_FALSE(list.HasItem("BuddyList"));
    EXPECT_FALSE(list.HasItem("fromDepth"));
    EXPECT_EQ(list.AllItems().size(), 9u);
    list.RemoveItem("nothing");
    EXPECT_TRUE(events.isEmpty());
}

} // namespace
} // namespace kvl
