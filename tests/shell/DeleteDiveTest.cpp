// Deleting one dive or all dives from the tool bar.
#include "tests/shell/CommandsTest.h"

#include "dive/DiveFrm.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/MDI_MainFrm.h"

namespace kvl::test {
namespace {

class DeleteDiveTest : public CommandsTest {};

using DatedNumbers = std::vector<std::pair<QString, qint64>>;

TEST_F(DeleteDiveTest, DeletingADiveClosesTheGapAndShowsTheFirstDive)
{
    AddDives(5);
    const qint64 third = IdOf(3);
    OpenLogOn(third);
    Side("Dive");
    dialogs.ExpectMsg("Are you sure to want to delete dive #3?", MsgAnswer::Yes);
    Tool("DeleteDive");
    EXPECT_EQ(dialogs.Messages().back().title, "Delete dive");
    EXPECT_EQ(NumbersByDate(),
              (DatedNumbers{{"2009/01/01", 1}, {"2009/01/02", 2}, {"2009/01/04", 3}, {"2009/01/05", 4}}));
    EXPECT_EQ(Count("DIVEDATA", third), 0);
    EXPECT_EQ(gv.CurrentDiveID, IdOf(1));
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), 1);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
    EXPECT_TRUE(gv.CurrentDiveCaption.startsWith("#1 "));
}

TEST_F(DeleteDiveTest, ADiveMovedByItsUnsavedDateIsDeletedUnderItsNewNumber)
{
    AddDives(5);
    OpenLogOn(IdOf(2));
    Side("Dive");
    MaskedEdit& date = DiveFrm::Instance().Masked1(DiveMasked::Date);
    date.setText("01/06/2009");   // after the fifth dive
    emit date.KeyDown(0);
    emit date.LostFocus();
    dialogs.ExpectMsg("Are you sure to want to delete dive #2?", MsgAnswer::Yes);
    Tool("DeleteDive");   // closing the record saves it first, renumbering it 5
    EXPECT_EQ(NumbersByDate(),
              (DatedNumbers{{"2009/01/01", 1}, {"2009/01/03", 2}, {"2009/01/04", 3}, {"2009/01/05", 4}}));
}

TEST_F(DeleteDiveTest, AFailedDeletionRenumbersNothing)
{
    AddDives(3);
    OpenLogOn(IdOf(2));
    gv.DB->Execute("Drop table PHOTOS");
    dialogs.ExpectMsg("Are you sure to want to delete dive #2?", MsgAnswer::Yes)
        .ExpectMsg("Deleting dive error #8.");
    Tool("DeleteDive");
    EXPECT_EQ(NumbersByDate(), (DatedNumbers{{"2009/01/01", 1}, {"2009/01/02", 2}, {"2009/01/03", 3}}));
}

TEST_F(DeleteDiveTest, NoKeepsTheDive)
{
    AddDives(2);
    Side("Location");
    dialogs.ExpectMsg("Are you sure to want to delete dive #1?", MsgAnswer::No);
    Tool("DeleteDive");
    EXPECT_EQ(Count("DIVEDATA"), 2);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Location);
}

TEST_F(DeleteDiveTest, EnterOnADeleteQuestionAnswersNo)
{
    AddDives(2);
    dialogs.ExpectMsg("Are you sure to want to delete dive #1?", MsgAnswer::No)
        .ExpectMsg("Are you sure to want to delete all dives?", MsgAnswer::No);
    Tool("DeleteDive");
    Tool("DeleteAllDives");
    ASSERT_EQ(dialogs.Messages().size(), 2u);
    for (const Prompt& asked : dialogs.Messages()) {
        EXPECT_EQ(asked.defaultButton, MsgDefault::Second) << qPrintable(asked.text);
        EXPECT_EQ(asked.icon, MsgIcon::Critical) << qPrintable(asked.text);
    }
    EXPECT_EQ(Count("DIVEDATA"), 2);
}

TEST_F(DeleteDiveTest, DeletingTheOnlyDiveShowsTheDiversForm)
{
    AddDives(1);
    Side("Dive");
    dialogs.ExpectMsg("Are you sure to want to delete dive #1?", MsgAnswer::Yes);
    Tool("DeleteDive");
    EXPECT_EQ(Count("DIVEDATA"), 0);
    EXPECT_EQ(gv.CurrentDiveID, -1);
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), -1);
    EXPECT_EQ(ToolItem("LTD").Text(), "");
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
    EXPECT_EQ(ShownDiveItems(), QStringList{});
}

TEST_F(DeleteDiveTest, DeletingANewDiveLeavesNoLaterQuestion)
{
    AddDives(3);
    AnswerAddDive(LtdPlace::Beginning);
    Tool("AddDive");
    ASSERT_TRUE(gv.IsNewDive);
    dialogs.ExpectMsg("Are you sure to want to delete dive #1?", MsgAnswer::Yes);
    Tool("DeleteDive");
    EXPECT_FALSE(gv.IsNewDive);
    EXPECT_EQ(NumbersByDate(), (DatedNumbers{{"2009/01/01", 1}, {"2009/01/02", 2}, {"2009/01/03", 3}}));
    Tool("NextDive");   // no question: nothing was edited
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), 2);
}

TEST_F(DeleteDiveTest, AfterDeletingAllDivesADiveCanBeAddedAgain)
{
    AddDives(3);
    Side("Dive");
    dialogs.ExpectMsg("Are you sure to want to delete all dives?", MsgAnswer::Yes);
    Tool("DeleteAllDives");
    EXPECT_EQ(Count("DIVEDATA"), 0);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
    EXPECT_EQ(ToolItem("LTD").Text(), "");

    AnswerAddDive(LtdPlace::Beginning, "1");
    Tool("AddDive");
    EXPECT_EQ(Count("DIVEDATA"), 1);
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), 1);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
}

TEST_F(DeleteDiveTest, AfterDeletingAllDivesTheDiveItemsStayAwayAndNoGoneDiveComesBack)
{
    AddDives(3);
    Side("Dive");
    dialogs.ExpectMsg("Are you sure to want to delete all dives?", MsgAnswer::Yes);
    Tool("DeleteAllDives");
    Side("Buddies");   // closing the diver's form shows the dive items only for a log with dives
    EXPECT_EQ(ShownDiveItems(), QStringList{});
    Tool("FirstDive");
    EXPECT_EQ(gv.CurrentDiveID, -1);
    EXPECT_TRUE(gv.rsDiveData->EOF());
}

TEST_F(DeleteDiveTest, DeleteAllDivesThatCannotBeSavedTellsTheDiverAndKeepsTheDives)
{
    AddDives(3);
    Side("Dive");
    const qint32 current = gv.CurrentDiveID;
    // Deleting a dive throws the whole deletion away, so it cannot be committed.
    gv.DB->Execute("CREATE TRIGGER dives_kept BEFORE DELETE ON DIVEDATA BEGIN SELECT RAISE(ROLLBACK, 'kept'); END");
    dialogs.ExpectMsg("Are you sure to want to delete all dives?", MsgAnswer::Yes)
        .ExpectMsg("Could not delete all dives: kept");
    Tool("DeleteAllDives");
    EXPECT_EQ(Count("DIVEDATA"), 3);
    EXPECT_EQ(gv.CurrentDiveID, current);
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Critical);
}

} // namespace
} // namespace kvl::test
