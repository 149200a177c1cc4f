#include "tests/dive/DiveFormTest.h"

#include "dive/core/DiveCatalogs.h"
#include "shell/core/StateCodes.h"

namespace kvl::test {
namespace {

class DiveCatalogTest : public DiveFormTest {
protected:
    // Enters the list of the side, then clicks the pop-up's item.
    void Click(const CatalogSide& side, const QString& key)
    {
        emit (&side == &LocationSide() ? form->Location_Combo() : form->DiveSite_Combo()).Enter();
        form->Dive_AddDel_Popup().ClickItem(key);
    }
    qint64 Rows(const QString& table) { return gv.DB->Scalar("Select COUNT(*) from " + table).ToLong(); }
};

TEST_F(DiveCatalogTest, ListsInNameOrderAndSelectsTheDivesEntry)
{
    const qint64 b = AddCatalogName(LocationSide(), "Bonaire");
    AddCatalogName(LocationSide(), "Aruba");
    const qint64 id = AddDive(ManualDive({{"LOCID", b}}));
    Show(id);
    ASSERT_EQ(form->Location_Combo().Rows(), 2);
    EXPECT_EQ(form->Location_Combo().itemText(0), "Aruba");
    EXPECT_EQ(form->Location_Combo().Text(), "Bonaire");
    EXPECT_EQ(form->DiveSite_Combo().Text(), "");
}

TEST_F(DiveCatalogTest, AnIdMissingFromTheListShowsAnEmptyBoxAndKeepsTheId)
{
    AddCatalogName(LocationSide(), "Aruba");
    const qint64 named = AddDive(ManualDive({{"LOCID", 1}}));
    const qint64 missing = AddDive(ManualDive({{"LIFETIMEDIVENO", 2}, {"LOCID", 99}}));
    Show(named);
    Show(missing);
    EXPECT_EQ(form->Location_Combo().Text(), "");
    EXPECT_EQ(gv.CurrentDive.LOCID.ToLong(), 99);
    emit form->MemoTxt().KeyDown(0);
    form->MemoTxt().SetText("x");
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(missing, "LOCID").ToLong(), 99);
}

TEST_F(DiveCatalogTest, ChoosingAnEntryLinksTheDiveAtOnce)
{
    const qint64 site = AddCatalogName(DiveSiteSide(), "Blue Hole");
    const qint64 id = AddDive(ManualDive());
    Show(id);
    form->DiveSite_Combo().PickRow(0);
    EXPECT_EQ(Stored(id, "SITEID").ToLong(), site);
    EXPECT_EQ(gv.DiveChanged, kDiveUnchanged);
}

TEST_F(DiveCatalogTest, AddingANameLinksItAndAnExistingNameInAnotherCaseSelectsThatRow)
{
    AddCatalogName(LocationSide(), "Aruba");
    const qint64 id = AddDive(ManualDive());
    Show(id);
    dialogs.ExpectInput("Enter location:", "O'Neil Reef");
    Click(LocationSide(), "Add");
    const qint64 added = gv.DB->Scalar("Select LOCID from LOCATIONS where LOCATIONNAME = ?", {"O'Neil Reef"}).ToLong();
    ASSERT_GT(added, 0);
    EXPECT_EQ(Stored(id, "LOCID").ToLong(), added);
    EXPECT_EQ(form->Location_Combo().Text(), "O'Neil Reef");

    dialogs.ExpectInput("Enter location:", "ARUBA").ExpectMsg("Location is already existed.");
    Click(LocationSide(), "Add");
    EXPECT_EQ(Rows("LOCATIONS"), 2);
    EXPECT_EQ(Stored(id, "LOCID").ToLong(), 1);
    EXPECT_EQ(form->Location_Combo().Text(), "Aruba");
    EXPECT_EQ(form->Location_Combo().Column("LOCID"), "1");
    EXPECT_EQ(dialogs.Prompts().back().icon, MsgIcon::Exclamation);
}

TEST_F(DiveCatalogTest, NamesOfFiftyCharactersAtMost)
{
    const qint64 id = AddDive(ManualDive());
    Show(id);
    dialogs.ExpectInput("Enter dive site:", QString(51, 'x')).ExpectMsg("Site name should not be more then 50 characters.");
    Click(DiveSiteSide(), "Add");
    EXPECT_EQ(Rows("DIVESITES"), 0);
    dialogs.ExpectInput("Enter dive site:", QString(50, 'x'));
    Click(DiveSiteSide(), "Add");
    EXPECT_EQ(Rows("DIVESITES"), 1);
    dialogs.ExpectInput("Enter dive site:", "");
    Click(DiveSiteSide(), "Add");
    EXPECT_EQ(Rows("DIVESITES"), 1);
}

TEST_F(DiveCatalogTest, DeletingTheDivesOwnEntryUnlinksEveryDive)
{
    const qint64 loc = AddCatalogName(LocationSide(), "Aruba");
    AddCatalogName(LocationSide(), "Bonaire");
    const qint64 id = AddDive(ManualDive({{"LOCID", loc}}));
    const qint64 other = AddDive(ManualDive({{"LIFETIMEDIVENO", 2}, {"LOCID", loc}}));
    Show(id);
    dialogs.ExpectMsg("Are you sure to want to delete location 'Aruba'?", MsgAnswer::Yes);
    Click(LocationSide(), "Delete");
    EXPECT_EQ(Rows("LOCATIONS"), 1);
    EXPECT_EQ(Stored(id, "LOCID").ToLong(), 0);
    EXPECT_EQ(Stored(other, "LOCID").ToLong(), 0);
    EXPECT_EQ(gv.CurrentDive.LOCID.ToLong(), 0);
    EXPECT_EQ(form->Location_Combo().Text(), "");
    emit form->MemoTxt().KeyDown(0);
    form->MemoTxt().SetText("x");
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(id, "LOCID").ToLong(), 0);   // not Bonaire, the row left in the list
}

TEST_F(DiveCatalogTest, DeleteAnsweredNoKeepsTheEntry)
{
    const qint64 site = AddCatalogName(DiveSiteSide(), "Blue Hole");
    const qint64 id = AddDive(ManualDive({{"SITEID", site}}));
    Show(id);
    dialogs.ExpectMsg("Are you sure to want to delete dive site 'Blue Hole'?", MsgAnswer::No);
    Click(DiveSiteSide(), "Delete");
    EXPECT_EQ(Rows("DIVESITES"), 1);
    EXPECT_EQ(Stored(id, "SITEID").ToLong(), site);
}

} // namespace
} // namespace kvl::test
