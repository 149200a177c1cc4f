// The check list: check items, child lines under them, and ItemCheck raised by
// the user's tick and by ticking from code.
#include "platform/widgets/ValueList.h"
#include "tests/support/KvlTest.h"


namespace kvl {
namespace {

class ValueListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::EnsureApplication();
        list = std::make_unique<ValueList>();
        for (const char* key : {"1", "2", "4"})
            list->AddCheckItem(key, QString("Dive ") + key);
        QObject::connect(list.get(), &ValueList::ItemCheck,
                         [this](const QString& key, bool checked) { events << key + (checked ? "+" : "-"); });
    }
    std::unique_ptr<ValueList> list;
    QStringList events;
};

TEST_F(ValueListTest, TickingFromCodeOrByTheUserRaisesItemCheckOncePerChange)
{
    list->SetItemChecked("2", true);
    list->SetItemChecked("2", true);
    list->SetItemChecked("2", false);
    // The user's click on the box sets the item's check state.
    list->topLevelItem(2)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(events, QStringList({"2+", "2-", "4+"}));
    EXPECT_TRUE(list->ItemChecked("4"));
}

TEST_F(ValueListTest, ChildLinesSitUnderTheirItemAndGoWithIt)
{
    list->AddChildLine("2", "1002", "Status: In queue.", QColor(0, 128, 0));
    EXPECT_EQ(list->Keys(), QStringList({"1", "2", "1002", "4"}));
    EXPECT_EQ(list->ItemColor("1002"), QColor(0, 128, 0));
    list->RemoveItem("1002");
    EXPECT_EQ(list->Keys(), QStringList({"1", "2", "4"}));
    list->SetItemEnabled("4", false);
    EXPECT_FALSE(list->ItemEnabled("4"));
    EXPECT_TRUE(list->ItemEnabled("1"));
    list->ClearItems();
    EXPECT_TRUE(list->Keys().isEmpty());
    EXPECT_TRUE(events.isEmpty());
}

} // namespace
} // namespace kvl
