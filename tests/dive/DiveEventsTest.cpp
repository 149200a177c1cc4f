#include "tests/dive/DiveFormTest.h"
#include "shell/core/StateCodes.h"
#include "tests/support/Keys.h"

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>

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
    EXPECT_EQ(form->Check3(OnOff::On).Value(), 1);
    form->Check1(OnOff::Off).Click();   // tank 1 off
    EXPECT_EQ(form->Check1(OnOff::On).Value(), 0);
    for (int tank = 2; tank <= 3; ++tank) {
        CheckBox& off = tank == 2 ? form->Check2(OnOff::Off) : form->Check3(OnOff::Off);
        EXPECT_EQ(off.Value(), 1) << tank;
    }
    for (DiveText i : {DiveText::CylinderSize1, DiveText::StartPressure1, DiveText::EndPressure1, DiveText::CylinderSize2,
                       DiveText::StartPressure2, DiveText::EndPressure2, DiveText::CylinderSize3, DiveText::StartPressure3,
                       DiveText::EndPressure3})
        EXPECT_FALSE(form->Text3(i).isEnabled()) << Slot(i);
    EXPECT_FALSE(form->TIDTxt(Tank::One).isEnabled());
    EXPECT_FALSE(form->Combo1(DiveList::Gas3).isEnabled());
    EXPECT_EQ(form->Text3(DiveText::PressureUsed).text(), "0");
    EXPECT_EQ(gv.DiveChanged, kDiveEdited);

    form->Check1(OnOff::On).Click();
    form->Check2(OnOff::On).Click();
    EXPECT_EQ(form->Text3(DiveText::PressureUsed).text(), "3500");
    EXPECT_TRUE(form->Text3(DiveText::StartPressure2).isEnabled());
    EXPECT_FALSE(form->Text3(DiveText::StartPressure3).isEnabled());
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_TRUE(Stored(id, "TANK2ON").ToBool());
    EXPECT_FALSE(Stored(id, "TANK3ON").ToBool());
}

TEST_F(DiveEventsTest, AmPmAndTimeOut)
{
    const qint64 id = AddDive(ManualDive({{"DIVETIME", "11:30"}, {"BTIME", 45}}), 0, 0);
    Show(id);
    EXPECT_EQ(form->Text3(DiveText::TimeOut).text(), "12:15");
    EXPECT_EQ(form->AMPM_Opt(DiveAmPm::TimeOut).Text(), "PM");
    form->AMPM_Opt(DiveAmPm::TimeIn).setEditText("p");
    EXPECT_EQ(form->AMPM_Opt(DiveAmPm::TimeIn).Text(), "PM");
    EXPECT_EQ(form->Text3(DiveText::TimeOut).text(), "00:15");   // 23:30 plus 45 minutes
    EXPECT_EQ(form->AMPM_Opt(DiveAmPm::TimeOut).Text(), "AM");
    EXPECT_EQ(gv.DiveChanged, kDiveEdited);
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(id, "DIVETIME").ToString(), "23:30");
}

// A word dragged out of the memo onto AM/PM would be taken from the memo and read as
// AM or PM by its first letter: the list turns it away, so the memo and the time keep theirs.
TEST_F(DiveEventsTest, AWordDroppedOntoAmPmIsTurnedAway)
{
    const qint64 id = AddDive(ManualDive({{"DIVETIME", "09:15"}, {"BTIME", 45}}), 0, 0);
    Show(id);
    QLineEdit& box = *form->AMPM_Opt(DiveAmPm::TimeIn).lineEdit();
    for (const char* word : {"pizza", "apple"}) {
        SCOPED_TRACE(word);
        QMimeData dragged;
        dragged.setText(QString::fromLatin1(word));
        const QPoint at(2, box.height() / 2);
        QDragEnterEvent enter(at, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &enter);
        QDropEvent drop(at, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &drop);
        EXPECT_FALSE(drop.isAccepted()) << "an accepted move takes the word from the memo";
        EXPECT_EQ(form->AMPM_Opt(DiveAmPm::TimeIn).Text(), "AM");
    }
    EXPECT_FALSE(SaveAsMainWindow()) << "nothing to store";
    EXPECT_EQ(Stored(id, "DIVETIME").ToString(), "09:15");
}

TEST_F(DiveEventsTest, TimeOutFollowsTheElapsedTimeShownWhenAmPmChanges)
{
    const qint64 id = AddDive(ManualDive({{"DIVETIME", "10:00"}, {"BTIME", 40}}), 0, 0);
    Show(id);
    Type(form->Text3(DiveText::ElapsedTime), "50");   // typed, not yet taken in
    form->AMPM_Opt(DiveAmPm::TimeIn).setEditText("p");
    EXPECT_EQ(form->Text3(DiveText::TimeOut).text(), "10:50");
    EXPECT_EQ(form->AMPM_Opt(DiveAmPm::TimeOut).Text(), "PM");
}

TEST_F(DiveEventsTest, RefusedTimeInPutsTheStoredTimeBackAndKeepsOtherEdits)
{
    const qint64 id = AddDive(ManualDive());
    Show(id);
    TypeAndLeave(form->Text3(DiveText::StartPressure1), "150");
    dialogs.ExpectMsg("Invalid time. Please enter value 00-23 for hour.");
    TypeAndLeave(form->Masked1(DiveMasked::TimeIn), "25:10");
    EXPECT_EQ(form->Masked1(DiveMasked::TimeIn).Text(), "10:00");
    EXPECT_EQ(gv.DiveChanged, kDiveEdited);
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_NEAR(Stored(id, "SPSI").ToDouble(), 2142.857, 1e-3);
}

TEST_F(DiveEventsTest, KeysInModelBoxesOfADownloadedDiveAreNoEdit)
{
    const qint64 downloaded = AddDive(ManualDive({{"DATATYPE", 2}}));
    const qint64 manual = AddDive(ManualDive({{"LIFETIMEDIVENO", 2}}));
    Show(downloaded);
    emit form->Text3(DiveText::Model).KeyDown(0);
    EXPECT_EQ(gv.DiveChanged, kDiveUnchanged);
    Show(manual);
    emit form->Text3(DiveText::Model).KeyDown(0);
    EXPECT_EQ(gv.DiveChanged, kDiveEdited);
}

TEST_F(DiveEventsTest, OpeningTheGasListMarksTheDiveEdited)
{
    const qint64 id = AddDive(ManualDive());
    Show(id);
    emit form->Combo1(DiveList::Gas1).DropDown();
    EXPECT_EQ(gv.DiveChanged, kDiveEdited);
}

// What the record computes, puts back or never stores is shown, not offered for
// editing: the text boxes keep the focus and can be copied, the rest is disabled.
TEST_F(DiveEventsTest, BoxesWhoseValueIsNeverStoredTakeNoChange)
{
    const qint64 manual = AddDive(ManualDive({{"DIVETIME", "11:30"}}), 1, 0);   // 12-hour clock
    const qint64 modified = AddDive(ManualDive({{"LIFETIMEDIVENO", 2}, {"DATATYPE", 2}, {"MODELSERNO", 7}}));
    const auto expectLocked = [&](EditBox& box) {
        const QString before = box.text();
        KeyIn(box, "5");
        EXPECT_EQ(box.text(), before);
        EXPECT_TRUE(box.Locked());
        EXPECT_NE(box.focusPolicy(), Qt::NoFocus);
    };
    Show(manual);
    for (DiveText i : {DiveText::LifeTimeDiveNo, DiveText::TimeOut, DiveText::PressureUsed}) {
        SCOPED_TRACE(static_cast<int>(i));
        expectLocked(form->Text3(i));
    }
    EXPECT_FALSE(form->Text3(DiveText::Model).Locked());
    EXPECT_FALSE(form->Text3(DiveText::SerialNo).Locked());
    const QString timeOutHalf = form->AMPM_Opt(DiveAmPm::TimeOut).Text();
    EXPECT_FALSE(form->AMPM_Opt(DiveAmPm::TimeOut).isEnabled());
    for (CheckBox* box : {&form->Normal_Check(), &form->Nav_Check(), &form->DataType_Check(DataTypeBox::Manual),
                          &form->DataType_Check(DataTypeBox::Downloaded), &form->DataType_Check(DataTypeBox::Modified)}) {
        SCOPED_TRACE(box->text().toStdString());
        const int before = box->Value();
        box->Click();
        EXPECT_EQ(box->Value(), before);
        EXPECT_FALSE(box->isEnabled());
    }
    EXPECT_EQ(form->AMPM_Opt(DiveAmPm::TimeOut).Text(), timeOutHalf);
    EXPECT_EQ(gv.DiveChanged, kDiveUnchanged);
    Show(modified);
    for (DiveText i : {DiveText::Model, DiveText::SerialNo}) {
        SCOPED_TRACE(static_cast<int>(i));
        expectLocked(form->Text3(i));
    }
    EXPECT_EQ(gv.DiveChanged, kDiveUnchanged);
}

TEST_F(DiveEventsTest, TransmitterIdFollowsItsBox)
{
    const qint64 id = AddDive(ManualDive());
    Show(id);
    Type(form->TIDTxt(Tank::Two), "456");
    EXPECT_EQ(gv.CurrentDive.TID2, 456);
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(id, "TID2").ToLong(), 456);
}

} // namespace
} // namespace kvl::test
