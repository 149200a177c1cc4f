// The four navigation buttons, with the dive record's save question.
#include "tests/shell/CommandsTest.h"

#include "dive/DiveFrm.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/StateCodes.h"

namespace kvl::test {
namespace {

class NavigationTest : public CommandsTest {
protected:
    void SetUp() override
    {
        CommandsTest::SetUp();
        AddDives(5);
        Side("Dive");
    }
    // The current dive's number, checked against the list's position and the bar.
    qint64 Current()
    {
        EXPECT_EQ(gv.rsDiveData->Field("DIVEID").ToLong(), gv.CurrentDiveID);
        EXPECT_EQ(Frm().SmartUI1->Items("LTD").Text(), gv.CurrentDiveCaption);
        const qint64 ltd = gv.CurrentDive.LIFETIMEDIVENO.ToLong();
        EXPECT_EQ(gv.CurrentDiveID, IdOf(ltd));
        EXPECT_TRUE(gv.CurrentDiveCaption.startsWith(QString("#%1 ").arg(ltd))) << gv.CurrentDiveCaption.toStdString();
        return ltd;
    }
};

TEST_F(NavigationTest, TheFourButtonsWalkTheList)
{
    const std::pair<const char*, qint64> steps[] = {
        {"NextDive", 2}, {"LastDive", 5}, {"NextDive", 5}, {"LastDive", 5}, {"PrevDive", 4},
        {"FirstDive", 1}, {"PrevDive", 1}, {"NextDive", 2},
    };
    for (const auto& [key, ltd] : steps) {
        Tool(key);
        EXPECT_EQ(Current(), ltd) << key;
        EXPECT_EQ(gv.ActiveFormID, 3) << key;
    }
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty());
}

TEST_F(NavigationTest, AnEditedDiveIsOfferedForSaving)
{
    EditMemo("Wreck");
    dialogs.ExpectMsg("Do you want to save the changes?", MsgAnswer::Yes);
    Tool("NextDive");
    EXPECT_EQ(Stored(IdOf(1), "MEMO").ToString(), "Wreck");
    EXPECT_EQ(Current(), 2);

    EditMemo("Reef");
    dialogs.ExpectMsg("Do you want to save the changes?", MsgAnswer::No);
    Tool("FirstDive");
    EXPECT_EQ(Stored(IdOf(2), "MEMO").ToString(), "");
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(Count("DIVEDATA"), 5);
}

TEST_F(NavigationTest, NoToANewDiveLeavesTheLogAsBeforeTheAdd)
{
    const std::pair<const char*, const char*> cases[] = {
        // where the dive goes back to, by the date of the dive shown after
        {"NextDive", "2009/01/03"}, {"PrevDive", "2009/01/02"}, {"FirstDive", "2009/01/01"},
        {"LastDive", "2009/01/05"},
    };
    const auto before = NumbersByDate();
    for (const auto& [key, landsOn] : cases) {
        AnswerAddDive(LtdPlace::Middle, "3");
        Tool("AddDive");
        const qint64 added = gv.CurrentDiveID;
        ASSERT_TRUE(gv.IsNewDive);
        dialogs.ExpectMsg("Do you want to save the changes?", MsgAnswer::No);
        Tool(key);
        EXPECT_EQ(NumbersByDate(), before) << key;
        EXPECT_EQ(Count("DIVEDATA", added), 0) << key;
        EXPECT_EQ(Count("DIVE_DC_SETTINGS", added), 0) << key;
        EXPECT_FALSE(gv.IsNewDive) << key;
        Current();
        EXPECT_EQ(gv.CurrentDive.DIVEDATE, landsOn) << key;
    }
    // A later No on an existing dive deletes nothing.
    EditMemo("Drift");
    dialogs.ExpectMsg("Do you want to save the changes?", MsgAnswer::No);
    Tool("NextDive");
    EXPECT_EQ(NumbersByDate(), before);
}

TEST_F(NavigationTest, NoToANewDiveOnExitLeavesTheLogAsBeforeTheAdd)
{
    const auto before = NumbersByDate();
    AnswerAddDive(LtdPlace::Middle, "3");
    Tool("AddDive");
    dialogs.ExpectMsg("Do you want to save the changes?", MsgAnswer::No)
        .ExpectMsg("Do you want to backup your PC Vavedaver Program Data?", MsgAnswer::No);
    Tool("Exit");
    gv.DB = db::Database::Open(logPath);
    EXPECT_EQ(NumbersByDate(), before);
    EXPECT_EQ(Count("DIVE_DC_SETTINGS"), 5);
}

TEST_F(NavigationTest, ARefusedRecordKeepsTheUserOnTheDive)
{
    MaskedEdit& date = DiveFrm::Instance().Masked1(DiveMasked::Date);
    emit date.KeyDown(0);
    date.setText("13/45/2009");
    dialogs.ExpectMsg("Invalid month. Please re-enter date with a valid month.");
    Tool("NextDive");
    EXPECT_EQ(gv.DiveChanged, kDiveRefused);
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(gv.ActiveFormID, 3);
}

TEST_F(NavigationTest, AnotherFormsMoveAsksAboutTheEditedDiveAndShowsTheNewOne)
{
    EditMemo("Wall");
    gv.rsDiveData->MoveLast();   // as the statistics form moves the list
    gv.CurrentDiveID = static_cast<qint32>(gv.rsDiveData->Field("DIVEID").ToLong());
    dialogs.ExpectMsg("Do you want to save the changes?", MsgAnswer::Yes);
    Frm().UpdateMDIInfo(true);
    EXPECT_EQ(Stored(IdOf(1), "MEMO").ToString(), "Wall");
    EXPECT_EQ(Stored(IdOf(5), "MEMO").ToString(), "");
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), 5);
}

TEST_F(NavigationTest, PrintingSavesTheEditWithoutAsking)
{
    EditMemo("Kelp");
    Frm().SaveChildFormChanges(3);
    EXPECT_EQ(Stored(IdOf(1), "MEMO").ToString(), "Kelp");
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty());
}

TEST_F(NavigationTest, ImportAndSortDoNothing)
{
    Tool("NextDive");
    const qint32 id = gv.CurrentDiveID;
    Frm().SmartUI1_ItemClick("Import");
    Frm().SmartUI1_ItemClick("Sort");
    EXPECT_EQ(gv.CurrentDiveID, id);
    EXPECT_EQ(gv.ActiveFormID, 3);
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty());
}

TEST_F(NavigationTest, SaveWritesTheOpenRecordWithoutAsking)
{
    EditMemo("Cave");
    Tool("Save");
    EXPECT_EQ(Stored(IdOf(1), "MEMO").ToString(), "Cave");
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty());
}

} // namespace
} // namespace kvl::test
