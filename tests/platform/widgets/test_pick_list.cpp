// The pick-only list: selection events for code and user changes, case-blind
// finding, sorted insertion, and the keyboard and focus events.
#include "platform/widgets/PickList.h"
#include "tests/support/KvlTest.h"

#include <QApplication>
#include <QKeyEvent>

#include <vector>

namespace kvl::test {
namespace {

class PickListTest : public KvlTest {};

// Counts the emissions of a signal.
struct Count {
    int n = 0;
    template <class Sender, class Signal>
    Count(Sender* sender, Signal signal) { QObject::connect(sender, signal, [this] { ++n; }); }
    int count() const { return n; }
};

TEST_F(PickListTest, SortedListPutsEntriesInPlaceWithoutRegardToCase)
{
    PickList list(PickList::Sorted);
    for (const char* name : {"Zodiac", "apex", "Manta", "NONE", "bay"})
        list.AddItem(QString::fromLatin1(name));
    EXPECT_EQ(list.Entries(), QStringList({"apex", "bay", "Manta", "NONE", "Zodiac"}));
    list.SetItems({"b", "C", "a"});
    EXPECT_EQ(list.Entries(), QStringList({"a", "b", "C"}));
    EXPECT_EQ(list.ListIndex(), -1);
    PickList asAdded;
    asAdded.AddItem("None");
    asAdded.AddItem("Light");
    EXPECT_EQ(asAdded.Entries(), QStringList({"None", "Light"}));
}

TEST_F(PickListTest, ClickFiresForCodeAndUserChangesUserPickedOnlyForTheUser)
{
    PickList list(PickList::Sorted);
    list.SetItems({"Apex", "Reef's Edge", "Zodiac"});
    Count clicks(&list, &PickList::Click);
    Count picks(&list, &PickList::UserPicked);

    EXPECT_TRUE(list.SelectText("reef's edge"));   // case-blind, apostrophe and all
    EXPECT_EQ(list.Text(), "Reef's Edge");
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(list.SelectText("Nowhere"));      // no match keeps the selection
    EXPECT_EQ(list.Text(), "Reef's Edge");
    list.SetListIndex(-1);
    EXPECT_EQ(list.Text(), "");
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(picks.count(), 0);

    list.Pick(2);
    EXPECT_EQ(list.Text(), "Zodiac");
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_EQ(picks.count(), 1);
}

TEST_F(PickListTest, KeyboardPickIsTheUsersAndKeysAreReported)
{
    PickList list;
    list.SetItems({"One", "Two"});
    list.SetListIndex(0);
    Count picks(&list, &PickList::UserPicked);
    std::vector<int> downs, ups;
    QObject::connect(&list, &PickList::KeyDown, [&downs](int key) { downs.push_back(key); });
    QObject::connect(&list, &PickList::KeyUp, [&ups](int key) { ups.push_back(key); });
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(&list, &press);
    QApplication::sendEvent(&list, &release);
    EXPECT_EQ(list.Text(), "Two");
    EXPECT_EQ(picks.count(), 1);
    EXPECT_EQ(downs, std::vector<int>{Qt::Key_Down});
    EXPECT_EQ(ups, std::vector<int>{Qt::Key_Down});
}

} // namespace
} // namespace kvl::test
