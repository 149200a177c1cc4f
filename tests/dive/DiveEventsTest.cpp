#include "tests/dive/DiveFormTest.h"
#include "shell/core/StateCodes.h"

namespace kvl::test {
namespace {

class DiveEventsTest : public DiveFormTest {};

TEST_F(DiveEventsTest, GaugeClearsTheOtherStatusBoxesAtOnce)
{
    const qint64 id = AddDive(ManualDive({{"DECOMDIVE", 1}, {"VIOLATION", 4}}));
    Show(id);
    form->Gauge_Check().Click();
    EXPECT_EQ(form->Gauge_Check().Value(), 1);
    EXPECT_EQ(form->Deco_Check().Value(), 0);
    EXPECT_EQ(form->NoDeco_Check().Value(), 0);
    EXPECT_EQ(form->Viol_Check().Value(), 0);
    EXPECT_EQ(gv.CurrentDive.DECOMDIVE, 0);
    EXPECT_EQ(gv.CurrentDive.VIOLATION, 0);
    EXPECT_TRUE(gv.CurrentDive.GAUGEDIVE);
    EXPECT_EQ(gv.DiveChanged, kDiveEdited);
    form->Deco_Check().Click();
    EXPECT_EQ(form->Gauge_Check().Value(), 0);
    EXPECT_EQ(form->NoDeco_Check().Value(), 0);
    form->Deco_Check().Click();
    EXPECT_EQ(form->NoDeco_Check().Value(), 1);
}

// A stored violation code is kept while its box stays ticked.
TEST_F(DiveEventsTest, ViolationCodeSurvivesASaveOfAnotherEdit)
{
    const qint64 id = AddDive(ManualDive({{"VIOLATION", 4}}));
    Show(id);
    emit form->MemoTxt().KeyDown(0);
    form->MemoTxt().SetText("x");
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(id, "VIOLATION").ToLong(), 4);
}

TEST_F(DiveEventsTest, TanksStayInOrder)
{
    const qint64 id = AddDive(ManualDive({{"TANK2ON", -1}, {"TANK3ON", -1}, {"SPSI2", 2000}, {"EPSI2", 1000}}), 0, 1);
    Show(id);
    EXPECT_EQ(form->Check3(0).Value(), 1);
    form->Check1(1).Click();   // tank 1 off
    EXPECT_EQ(form->Check1(0).Value(), 0);
    for (int tank = 2; tank <= 3; ++tank) {
        CheckBox& off = tank == 2 ? form->Check2(1) : form->Check3(1);
        EXPECT_EQ(off.Value(), 1) << tank;
    }
    for (int i : {5, 6, 7, 15, 16, 17, 18, 19, 20})
        EXPECT_FALSE(form->Text3(i).isEnabled()) << i;
    EXPECT_FALSE(form->TIDTxt(0).isEnabled());
    EXPECT_FALSE(form->Combo1(3).isEnabled());
    EXPECT_EQ(form->Text3(8).text(), "0");
    EXPECT_EQ(gv.DiveChanged, kDiveEdited);

    form->Check1(0).Click();
    form->Check2(0).Click();
    EXPECT_EQ(form->Text3(8).text(), "3500");
    EXPECT_TRUE(form->Text3(16).isEnabled());
    EXPECT_FALSE(form->Text3(19).isEnabled());
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_TRUE(Stored(id, "TANK2ON").ToBool());
    EXPECT_FALSE(Stored(id, "TANK3ON").ToBool());
}

TEST_F(DiveEventsTest, AmPmAndTimeOut)
{
    const qint64 id = AddDive(ManualDive({{"DIVETIME", "11:30"}, {"BTIME", 45}}), 0, 0);
    Show(id);
    EXPECT_EQ(form->Text3(2).text(), "12:15");
    EXPECT_EQ(form->AMPM_Opt(1).Text(), "PM");
    form->AMPM_Opt(0).setEditText("p");
    EXPECT_EQ(form->AMPM_Opt(0).Text(), "PM");
    EXPECT_EQ(form->Text3(2).text(), "00:15");   // 23:30 plus 45 minutes
    EXPECT_EQ(form->AMPM_Opt(1).Text(), "AM");
    EXPECT_EQ(gv.DiveChanged, kDiveEdited);
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(id, "DIVETIME").ToString(), "23:30");
}

TEST_F(DiveEventsTest, TimeOutFollowsTheElapsedTimeShownWhenAmPmChanges)
{
    const qint64 id = AddDive(ManualDive({{"DIVETIME", "10:00"}, {"BTIME", 40}}), 0, 0);
    Show(id);
    Type(form->Text3(11), "50");   // typed, not yet taken in
    form->AMPM_Opt(0).setEditText("p");
    EXPECT_EQ(form->Text3(2).text(), "10:50");
    EXPECT_EQ(form->AMPM_Opt(1).Text(), "PM");
}

TEST_F(DiveEventsTest, RefusedTimeInPutsTheStoredTimeBackAndKeepsOtherEdits)
{
    const qint64 id = AddDive(ManualDive());
    Show(id);
    TypeAndLeave(form->Text3(6), "150");
    dialogs.ExpectMsg("Invalid time. Please enter value 00-23 for hour.");
    TypeAndLeave(form->Masked1(1), "25:10");
    EXPECT_EQ(form->Masked1(1).Text(), "10:00");
    EXPECT_EQ(gv.DiveChanged, kDiveEdited);
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_NEAR(Stored(id, "SPSI").ToDouble(), 2142.857, 1e-3);
}

TEST_F(DiveEventsTest, KeysInModelBoxesOfADownloadedDiveAreNoEdit)
{
    const qint64 downloaded = AddDive(ManualDive({{"DATATYPE", 2}}));
    const qint64 manual = AddDive(ManualDive({{"LIFETIMEDIVENO", 2}}));
    Show(downloaded);
    emit form->Text3(9).KeyDown(0);
    EXPECT_EQ(gv.DiveChanged, kDiveUnchanged);
    Show(manual);
    emit form->Text3(9).KeyDown(0);
    EXPECT_EQ(gv.DiveChanged, kDiveEdited);
}

TEST_F(DiveEventsTest, OpeningTheGasListMarksTheDiveEdited)
{
    const qint64 id = AddDive(ManualDive());
    Show(id);
    emit form->Combo1(0).DropDown();
    EXPECT_EQ(gv.DiveChanged, kDiveEdited);
}

TEST_F(DiveEventsTest, DataTypeBoxesChangeOnlyThemselves)
{
    const qint64 id = AddDive(ManualDive());
    Show(id);
    form->DataType_Check(2).Click();
    EXPECT_EQ(form->DataType_Check(2).Value(), 1);
    EXPECT_EQ(form->DataType_Check(0).Value(), 1);
    EXPECT_EQ(gv.CurrentDive.DATATYPE, 0);
    EXPECT_EQ(gv.DiveChanged, kDiveUnchanged);
}

TEST_F(DiveEventsTest, TransmitterIdFollowsItsBox)
{
    const qint64 id = AddDive(ManualDive());
    Show(id);
    Type(form->TIDTxt(1), "456");
    EXPECT_EQ(gv.CurrentDive.TID2, 456);
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(id, "TID2").ToLong(), 456);
}

} // namespace
} // namespace kvl::test
