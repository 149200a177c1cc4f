// The four navigation buttons, with the dive record's save question.
#include "tests/shell/CommandsTest.h"

#include "dive/DiveFrm.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/DiveRows.h"
#include "shell/core/DiveCursor.h"
#include "shell/core/StateCodes.h"

#include <functional>

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
        EXPECT_EQ(gv.ActiveFormID, FormCode::Dive) << key;
    }
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty());
}

TEST_F(NavigationTest, AMoveLoadsTheDiveOnceInEveryForm)
{
    for (const char* key : {"Dive", "Location", "Buddies", "Logo"}) {
        Side(key);
        for (const char* move : {"NextDive", "LastDive", "FirstDive"}) {
            const quint64 before = CurrentDiveLoads();
            Tool(move);
            EXPECT_EQ(CurrentDiveLoads() - before, 1u) << key << " " << move;
        }
    }
    Side("Dive");
    Tool("LastDive");
    EXPECT_EQ(Current(), 5);   // the one load was of the dive moved to
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty());
}

// The load looks the names up in the scratch members (tests/shell/core); here is
// what the user sees of it: each dive's own names, none left from the dive before.
TEST_F(NavigationTest, TheRecordShowsEachDivesLocationAndSiteByName)
{
    gv.DB->Execute("Insert into LOCATIONS (LOCATIONNAME) values ('Red Sea')");
    const qint64 loc = gv.DB->LastInsertId();
    gv.DB->Execute("Insert into DIVESITES (DIVESITE) values ('O''Neil''s Reef')");
    const qint64 site = gv.DB->LastInsertId();
    gv.DB->Execute("Update DIVEDATA set LOCID = ?, SITEID = ? where DIVEID = ?", {loc, site, IdOf(2)});
    Side("Personal");   // the record comes back with the new names in its lists
    OpenLogOn(IdOf(1));
    Side("Dive");
    const std::tuple<const char*, QString, QString> steps[] = {
        {"NextDive", "Red Sea", "O'Neil's Reef"}, {"NextDive", "", ""}, {"PrevDive", "Red Sea", "O'Neil's Reef"}};
    for (const auto& [key, location, diveSite] : steps) {
        Tool(key);
        EXPECT_EQ(DiveFrm::Instance().Location_Combo().Text(), location) << key;
        EXPECT_EQ(DiveFrm::Instance().DiveSite_Combo().Text(), diveSite) << key;
    }
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

// No to the question throws the typed edit away, so Escape must not answer it: the
// record stays with its typing until the diver chooses.
TEST_F(NavigationTest, EscapeOnTheSaveQuestionKeepsTheEditUntilTheDiverChooses)
{
    const char question[] = "Do you want to save the changes?";
    const std::pair<const char*, std::function<void()>> roads[] = {
        {"NextDive", [this] { Tool("NextDive"); }},
        {"PickDive", [this] { PickDive(static_cast<qint32>(IdOf(4))); }},
        {"FirstDive", [this] { Tool("FirstDive"); }},
    };
    for (const auto& [road, go] : roads) {
        SCOPED_TRACE(road);
        const qint64 shown = gv.CurrentDiveID;
        const QString memo = QStringLiteral("O'Neil wreck via %1").arg(road);
        EditMemo(memo);
        dialogs.ExpectEscape(question).ExpectMsg(question, MsgAnswer::Yes);
        go();
        dialogs.VerifyAllUsed();
        EXPECT_EQ(dialogs.Messages().back().escape, MsgEscape::None);
        EXPECT_EQ(Stored(shown, "MEMO").ToString(), memo);
        EXPECT_NE(gv.CurrentDiveID, shown);
    }
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
    EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
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
    EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
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
