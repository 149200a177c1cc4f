// A dive added by hand: what the user types into it reaches its row on every road
// that saves it, and only that dive can be taken out again by No.
#include "tests/shell/CommandsTest.h"

#include "dive/DiveFrm.h"
#include "platform/widgets/SmartSideBar.h"
#include "shell/MDI_MainFrm.h"

namespace kvl::test {
namespace {

class NewDiveTest : public CommandsTest {
protected:
    DiveFrm& Form() { return DiveFrm::Instance(); }
    // Adds a dive by hand after the last one, with the dive record showing it in
    // metric units and 24-hour time.
    qint64 AddByHand()
    {
        gv.UnitSystem = 0;
        gv.UnitTime = 0;
        AnswerAddDive(LtdPlace::End);
        Tool("AddDive");
        EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
        EXPECT_TRUE(gv.IsNewDive);
        return gv.CurrentDiveID;
    }
    // Typing as the user does: the box's text changes and its key event fires; the
    // box is not left, so only the command can take the value in.
    void Type(EditBox& box, const QString& text)
    {
        box.setText(text);
        emit box.KeyDown(0);
    }
};

TEST_F(NewDiveTest, EveryTypedBoxIsStoredOnEachRoadThatSavesIt)
{
    AddDives(2);
    const std::pair<const char*, std::function<void()>> roads[] = {
        {"Save", [this] { Tool("Save"); }},
        {"side bar", [this] { Side("Location"); }},
        {"next dive, Yes",
         [this] {
             dialogs.ExpectMsg(kSaveQuestion, MsgAnswer::Yes);
             Tool("FirstDive");
         }},
    };
    for (const auto& [road, run] : roads) {
        SCOPED_TRACE(road);
        const qint64 id = AddByHand();
        Type(Form().Text3(DiveText::DGDiveNo), "12");    // dive number
        Type(Form().Text3(DiveText::MaxDepth), "30");    // max. depth, metres
        Type(Form().Text3(DiveText::ElapsedTime), "45");   // elapsed time
        Type(Form().Text3(DiveText::Temperature), "20");   // min. temperature, Celsius
        Form().Masked1_GotFocus(DiveMasked::TimeIn);
        Form().Masked1(DiveMasked::TimeIn).SetText("08:15");
        emit Form().Masked1(DiveMasked::TimeIn).KeyDown(0);

        run();

        EXPECT_EQ(Stored(id, "DIVENO").ToLong(), 12);
        EXPECT_NEAR(Stored(id, "MDEPTH").ToDouble(), 30 / 0.3048, 0.5);   // whole feet
        EXPECT_EQ(Stored(id, "BTIME").ToLong(), 45);
        EXPECT_NEAR(Stored(id, "TEMP").ToDouble(), 68, 0.05);
        EXPECT_EQ(Stored(id, "DIVETIME").ToString(), "08:15");
    }
}

TEST_F(NewDiveTest, AFailedAddLeavesTheDiveOnScreenAsItWas)
{
    AddDives(3);
    Side("Dive");
    const qint64 shown = gv.CurrentDiveID;
    gv.DB->Execute("Create trigger NoSettings before insert on DIVE_DC_SETTINGS begin "
                   "select raise(abort, 'refused'); end");
    dialogs.ExpectMsg("Could not initial new manual dive.");
    AnswerAddDive(LtdPlace::End);
    Tool("AddDive");
    EXPECT_FALSE(gv.IsNewDive);
    ASSERT_EQ(gv.CurrentDiveID, shown);

    // An edit left unsaved: No keeps the dive as stored, it does not take it out.
    EditMemo("Not kept");
    dialogs.ExpectMsg(kSaveQuestion, MsgAnswer::No);
    Tool("NextDive");
    EXPECT_EQ(Count("DIVEDATA"), 3);
    EXPECT_EQ(Count("DIVE_DC_SETTINGS", shown), 1);
    EXPECT_NE(Stored(shown, "MEMO").ToString(), "Not kept");
}

TEST_F(NewDiveTest, AfterDeletingAllDivesAnotherLogsDivesAreNotTakenForNew)
{
    const QString other = Home() + "/Other.dlg";
    ASSERT_TRUE(MakeFreshLog(other));
    {
        auto log = db::Database::Open(other);
        for (int i = 1; i <= 3; ++i) {   // ids 1-3, as in the log left
            const qint64 id = InsertRow(*log, "DIVEDATA",
                                        {{"LIFETIMEDIVENO", i}, {"DIVEDATE", QString("2010/01/0%1").arg(i)},
                                         {"DIVETIME", "10:00"}, {"MODELID", 6774}, {"DATATYPE", 1}});
            InsertRow(*log, "DIVE_DC_SETTINGS", {{"DIVEID", id}});
        }
    }
    AddDives(2);
    ASSERT_EQ(AddByHand(), 3);
    dialogs.ExpectMsg("Are you sure to want to delete all dives?", MsgAnswer::Yes);
    Tool("DeleteAllDives");
    EXPECT_FALSE(gv.IsNewDive);

    dialogs.ExpectOpenFile(other);
    Tool("OpenLog");
    ASSERT_EQ(gv.DB->Path(), other);
    Side("Dive");
    Tool("LastDive");
    ASSERT_EQ(gv.CurrentDiveID, 3);
    Tool("PrevDive");   // nothing was edited: no question, nothing deleted
    EXPECT_EQ(Count("DIVEDATA"), 3);
}

} // namespace
} // namespace kvl::test
