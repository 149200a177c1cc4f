#include "tests/dive/DiveFormTest.h"

#include "dive/core/DiveCatalogs.h"
#include "shell/core/DiveRows.h"
#include "shell/core/LogCheck.h"
#include "shell/core/StateCodes.h"

#include <functional>
#include <utility>

namespace kvl::test {
namespace {

class DiveSaveTest : public DiveFormTest {};

TEST_F(DiveSaveTest, EveryEditReachesTheRowInStoredUnitsAndLifetimeNumbersFollowTheDate)
{
    const qint64 first = AddDive(ManualDive({{"LIFETIMEDIVENO", 1}, {"DIVEDATE", "2009/05/21"}}), 1, 1);
    const qint64 second = AddDive(ManualDive({{"LIFETIMEDIVENO", 2}, {"DIVEDATE", "2009/06/01"}}), 1, 1);
    const qint64 reef = AddCatalogName(LocationSide(), "Red Sea");
    const qint64 site = AddCatalogName(DiveSiteSide(), "Thistlegorm");
    Show(first);
    DiveFrm& f = *form;

    TypeAndLeave(f.Masked1(DiveMasked::Date), "15/07/2009");        // now after the second dive
    TypeAndLeave(f.Masked1(DiveMasked::TimeIn), "08:05");
    TypeAndLeave(f.Text3(DiveText::ElapsedTime), "50");
    TypeAndLeave(f.Text3(DiveText::MaxDepth), "30");                  // metres
    Type(f.Text3(DiveText::AveDepth), "12,5");                        // a decimal comma
    Type(f.Text3(DiveText::Temperature), "20");                         // deg C
    TypeAndLeave(f.Text3(DiveText::StartPressure1), "200");                 // bar
    TypeAndLeave(f.Text3(DiveText::EndPressure1), "50");
    TypeAndLeave(f.Text3(DiveText::CylinderSize1), "12");                  // litres
    f.Check2(OnOff::On).Click();
    TypeAndLeave(f.Text3(DiveText::StartPressure2), "180");
    TypeAndLeave(f.Text3(DiveText::EndPressure2), "30");
    f.Combo1(DiveList::Gas1).setCurrentIndex(12);                 // 32%
    emit f.Combo1(DiveList::Gas1).Change();
    f.Location_Combo().MoveFirst();
    f.Location_Combo().PickRow(0);
    f.DiveSite_Combo().PickRow(0);
    EXPECT_EQ(f.Text3(DiveText::PressureUsed).text(), "300");

    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(gv.DiveChanged, kDiveUnchanged);
    EXPECT_EQ(Stored(first, "DIVEDATE").ToString(), "2009/07/15");
    EXPECT_EQ(Stored(first, "DIVETIME").ToString(), "08:05");
    EXPECT_EQ(Stored(first, "BTIME").ToLong(), 50);
    EXPECT_EQ(Stored(first, "MDEPTH").ToDouble(), 98);            // 30 m
    EXPECT_EQ(Stored(first, "AVGDEPTH").ToDouble(), 41);   // 12.5 m, to whole feet below a half
    EXPECT_NEAR(Stored(first, "TEMP").ToDouble(), 68, 1e-6);
    EXPECT_EQ(Stored(first, "MINIMUM").ToDouble(), Stored(first, "TEMP").ToDouble());
    EXPECT_NEAR(Stored(first, "SPSI").ToDouble(), 2857.143, 1e-3);
    EXPECT_NEAR(Stored(first, "EPSI").ToDouble(), 714.2857, 1e-3);
    EXPECT_NEAR(Stored(first, "CYLINDERSIZE").ToDouble(), 0.4237767, 1e-5);
    EXPECT_TRUE(Stored(first, "TANK2ON").ToBool());
    EXPECT_NEAR(Stored(first, "SPSI2").ToDouble(), 2571.429, 1e-3);
    EXPECT_EQ(Stored(first, "FO2").ToLong(), 32);
    EXPECT_EQ(Stored(first, "LOCID").ToLong(), reef);
    EXPECT_EQ(Stored(first, "SITEID").ToLong(), site);
    EXPECT_EQ(Stored(first, "LIFETIMEDIVENO").ToLong(), 2);
    EXPECT_EQ(Stored(second, "LIFETIMEDIVENO").ToLong(), 1);

    // Coming back shows every change in the user's units.
    Show(first);
    EXPECT_EQ(f.Masked1(DiveMasked::Date).Text(), "15/07/2009");
    EXPECT_EQ(f.Masked1(DiveMasked::TimeIn).Text(), "08:05");
    EXPECT_EQ(f.Text3(DiveText::TimeOut).text(), "08:55");
    EXPECT_EQ(f.Text3(DiveText::MaxDepth).text(), "29.9");   // 98 ft
    EXPECT_EQ(f.Text3(DiveText::AveDepth).text(), "12.5");
    EXPECT_EQ(f.Text3(DiveText::Temperature).text(), "20");
    EXPECT_EQ(f.Text3(DiveText::StartPressure1).text(), "200");
    EXPECT_EQ(f.Text3(DiveText::EndPressure1).text(), "50");
    EXPECT_EQ(f.Text3(DiveText::CylinderSize1).text(), "12");
    EXPECT_EQ(f.Text3(DiveText::StartPressure2).text(), "180");
    EXPECT_EQ(f.Combo1(DiveList::Gas1).currentText(), "32%");
    EXPECT_EQ(f.Location_Combo().Text(), "Red Sea");
    EXPECT_EQ(f.DiveSite_Combo().Text(), "Thistlegorm");
    EXPECT_EQ(f.Check2(OnOff::On).Value(), 1);
}

// The record goes to the dive the form showed, even when another form has moved
// the browsed list meanwhile.
TEST_F(DiveSaveTest, WritesTheDiveItShowedNotTheListsCurrentRow)
{
    const qint64 shown = AddDive(ManualDive({{"LIFETIMEDIVENO", 1}}));
    const qint64 other = AddDive(ManualDive({{"LIFETIMEDIVENO", 2}, {"MEMO", "untouched"}}));
    Show(shown);
    emit form->MemoTxt().KeyDown(0);
    form->MemoTxt().SetText("edited");
    gv.rsDiveData->FindFirst("DIVEID", other);
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(shown, "MEMO").ToString(), "edited");
    EXPECT_EQ(Stored(other, "MEMO").ToString(), "untouched");
}

// A typed value is committed by the command that leaves the dive, although the
// click on the bar never took the focus from the box.
TEST_F(DiveSaveTest, ACommandCommitsTheBoxBeingTyped)
{
    const qint64 id = AddDive(ManualDive(), 0, 1);
    Show(id);
    Type(form->Text3(DiveText::StartPressure1), "2900");
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(id, "SPSI").ToDouble(), 2900);
}

// Edits that no lost-focus rule reports are still saved.
TEST_F(DiveSaveTest, QuietEditsMarkTheDiveChanged)
{
    struct Case {
        const char* name;
        std::function<void(DiveFrm&)> edit;
        const char* column;
        double stored;
    } cases[] = {
        {"average depth", [](DiveFrm& f) { f.Text3(DiveText::AveDepth).setText("20"); }, "AVGDEPTH", 20},
        {"gas", [](DiveFrm& f) { f.Combo1(DiveList::Gas1).setCurrentIndex(1); emit f.Combo1(DiveList::Gas1).Change(); }, "FO2", 21},
        {"gas of tank 3", [](DiveFrm& f) { f.Combo1(DiveList::Gas3).setCurrentIndex(30); emit f.Combo1(DiveList::Gas3).Change(); },
         "FO2GAS3", 50},
        {"ascent rate", [](DiveFrm& f) { f.Combo1(DiveList::AscentRate).setCurrentIndex(4); emit f.Combo1(DiveList::AscentRate).Change(); }, "VARI", 4},
        {"gauge", [](DiveFrm& f) { f.Gauge_Check().Click(); }, "GAUGEDIVE", -1},
        {"violation", [](DiveFrm& f) { f.Viol_Check().Click(); }, "VIOLATION", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form.reset();
        const qint64 id = AddDive(ManualDive({{"FO2", 0}}), 0, 1);   // imperial
        Show(id);
        if (QString(c.name) == "average depth")
            emit form->Text3(DiveText::AveDepth).KeyDown(0);
        c.edit(*form);
        EXPECT_TRUE(SaveAsMainWindow());
        EXPECT_EQ(Stored(id, c.column).ToDouble(), c.stored);
    }
}

TEST_F(DiveSaveTest, AirStoredBelowTwentyOneIsNoChange)
{
    const qint64 id = AddDive(ManualDive({{"FO2", 0}}));
    Show(id);
    gv.DiveChanged = kDiveEdited;
    EXPECT_FALSE(form->Dive_IsAnyChange());
    EXPECT_EQ(Stored(id, "FO2").ToLong(), 0);
}

// A dive just added by hand keeps all it shows when it is saved: the change check
// reads every box back, whether or not the record saw the box change.
TEST_F(DiveSaveTest, ANewDiveKeepsEveryValueShown)
{
    const std::pair<const char*, std::function<void()>> roads[] = {
        {"saved as the main window does", [this] { SaveAsMainWindow(); }},
        {"unit switch", [this] { form->Properties().ChooseValue("Units", "Imperial"); }},
    };
    for (const auto& [road, save] : roads) {
        SCOPED_TRACE(road);
        const qint64 id = AddDive(ManualDive());   // shown in metres
        Show(id);
        MarkNewDive(static_cast<qint32>(id));
        form->Text3(DiveText::MaxDepth).setText("30");   // by a road the record does not hear
        save();
        EXPECT_NEAR(Stored(id, "MDEPTH").ToDouble(), 30 / 0.3048, 0.5);
    }
}

// The change check only looks at a typed model: the model list is written with the
// dive, so No to the question leaves it as it was.
TEST_F(DiveSaveTest, ANewModelIsWrittenWithTheDiveNotBeforeTheQuestion)
{
    const qint64 id = AddDive(ManualDive());
    const auto model = [] { return gv.DB->Scalar("Select MODELID from DC_PROPERTIES where MODELNAME = 'ABC1'"); };
    Show(id);
    TypeAndLeave(form->Text3(DiveText::Model), "abc1");
    ASSERT_TRUE(form->Dive_IsAnyChange());   // the question is asked ...
    EXPECT_TRUE(model().IsNull()) << "written before the answer";
    Show(id);                                // ... answered No, and the dive shown again
    EXPECT_TRUE(model().IsNull());
    EXPECT_EQ(form->Text3(DiveText::Model).text(), "N/A");
    TypeAndLeave(form->Text3(DiveText::Model), "abc1");
    ASSERT_TRUE(SaveAsMainWindow());         // Yes
    ASSERT_FALSE(model().IsNull());
    EXPECT_EQ(Stored(id, "MODELID").ToLong(), model().ToLong());
}

TEST_F(DiveSaveTest, NothingChangedWritesNothingButEndsTheNewDive)
{
    const qint64 id = AddDive(ManualDive({{"MDEPTH", 101}}));   // shown rounded as 30.8 m
    Show(id);
    gv.IsNewDive = true;
    emit form->Text3(DiveText::DGDiveNo).KeyDown(0);   // a key that changed nothing
    EXPECT_FALSE(form->Dive_IsAnyChange());
    gv.DiveChanged = kDiveUnchanged;
    form->DIVE_Update_DiveData();
    EXPECT_FALSE(gv.IsNewDive);
    EXPECT_EQ(Stored(id, "MDEPTH").ToDouble(), 101);
}

// A refused date keeps the user on the dive; the next attempt checks again.
TEST_F(DiveSaveTest, RefusedDateIsCheckedAgainOnTheNextAttempt)
{
    const qint64 id = AddDive(ManualDive());
    Show(id);
    form->Masked1_GotFocus(DiveMasked::Date);
    Type(form->Masked1(DiveMasked::Date), "31/02/2009");
    dialogs.ExpectMsg("Invalid day. Please re-enter date with a valid day.");
    EXPECT_FALSE(SaveAsMainWindow());
    EXPECT_EQ(gv.DiveChanged, kDiveRefused);
    EXPECT_EQ(form->Masked1(DiveMasked::Date).Text(), "21/05/2009");
    Type(form->Masked1(DiveMasked::Date), "30/99/2009");
    dialogs.ExpectMsg("Invalid month. Please re-enter date with a valid month.");
    EXPECT_FALSE(SaveAsMainWindow());
    EXPECT_EQ(gv.DiveChanged, kDiveRefused);
    Type(form->Masked1(DiveMasked::Date), "01/06/2009");
    EXPECT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(id, "DIVEDATE").ToString(), "2009/06/01");
}

// A log whose whole-file check refused writes: the save says so, once, with the
// diver's sentence, and the dive stays as it was stored.
TEST_F(DiveSaveTest, ALogThatTakesNoWritesSaysSoAndKeepsTheDive)
{
    const qint64 id = AddDive(ManualDive());
    Show(id);
    gv.DB->GuardWrites([](db::Database& log) { throw db::WriteRefused(DamagedLogText(log.Path())); });
    Type(form->Text3(DiveText::ElapsedTime), "55");
    dialogs.ExpectMsg(DamagedLogText(gv.DB->Path()));
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(gv.DiveChanged, kDiveRefused);
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Critical);
    EXPECT_EQ(Stored(id, "BTIME").ToLong(), 40);
}

TEST_F(DiveSaveTest, NegativeElapsedTimeKeepsTheUserOnTheDive)
{
    const qint64 id = AddDive(ManualDive());
    Show(id);
    Type(form->Text3(DiveText::ElapsedTime), "-5");
    dialogs.ExpectMsg("Elapsed dive time should not be less than 0.")
        .ExpectMsg("Elapsed dive time should not be less than 0.");
    Leave(form->Text3(DiveText::ElapsedTime));
    EXPECT_EQ(form->Text3(DiveText::ElapsedTime).text(), "40");
    Type(form->Text3(DiveText::ElapsedTime), "-5");
    EXPECT_FALSE(form->Dive_IsAnyChange());
    EXPECT_EQ(gv.DiveChanged, kDiveRefused);
    EXPECT_EQ(Stored(id, "BTIME").ToLong(), 40);
}

TEST_F(DiveSaveTest, DownloadedDiveKeepsItsModelAndBecomesModifiedKeepingNavigation)
{
    const qint64 id = AddDive(ManualDive({{"DATATYPE", 0x11}, {"MODELID", 6774}, {"MODELSERNO", 99}}));
    Show(id);
    Type(form->Text3(DiveText::Model), "OTHER");      // locked: no change
    EXPECT_EQ(gv.DiveChanged, kDiveUnchanged);
    TypeAndLeave(form->Masked1(DiveMasked::TimeIn), "11:20");
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(id, "DATATYPE").ToLong(), 0x12);
    EXPECT_EQ(Stored(id, "MODELID").ToLong(), 6774);
    EXPECT_EQ(Stored(id, "MODELSERNO").ToLong(), 99);
}

TEST_F(DiveSaveTest, ManualDiveTakesATypedModelAndSerial)
{
    const qint64 id = AddDive(ManualDive());
    Show(id);
    TypeAndLeave(form->Text3(DiveText::Model), "o'neil x1");
    TypeAndLeave(form->Text3(DiveText::SerialNo), "1234");
    ASSERT_TRUE(SaveAsMainWindow());
    const qint64 model = Stored(id, "MODELID").ToLong();
    EXPECT_EQ(model, 1);
    EXPECT_EQ(gv.DB->Scalar("Select MODELNAME from DC_PROPERTIES where MODELID = ?", {model}).ToString(), "O'NEIL X1");
    EXPECT_EQ(Stored(id, "MODELSERNO").ToLong(), 1234);
}

// With every id below the built-in models taken, a typed model is refused once and
// the box shows the dive's model again, so the next save does not ask again.
TEST_F(DiveSaveTest, AModelRefusedForWantOfIdsIsPutBack)
{
    gv.DB->Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 6000) "
                   "Insert into DC_PROPERTIES (MODELID, MODELNAME) Select i, 'M' || i from n");
    const qint64 id = AddDive(ManualDive());
    Show(id);
    TypeAndLeave(form->Text3(DiveText::Model), "full");
    dialogs.ExpectMsg("No more dive computer models can be added.");
    SaveAsMainWindow();
    EXPECT_EQ(form->Text3(DiveText::Model).text(), "N/A");
    EXPECT_EQ(Stored(id, "MODELID").ToLong(), 0);
    emit form->MemoTxt().KeyDown(0);
    form->MemoTxt().SetText("second save");
    EXPECT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(id, "MEMO").ToString(), "second save");
    EXPECT_EQ(Stored(id, "MODELID").ToLong(), 0);
}

TEST_F(DiveSaveTest, ClockAndSurfaceIntervalAreTidiedOnSave)
{
    const qint64 id = AddDive(ManualDive({{"DIVETIME", "00:30"}, {"STIME", "01:00"}}), 0, 0);   // 12-hour clock
    Show(id);
    EXPECT_EQ(form->Masked1(DiveMasked::TimeIn).Text(), "00:30");
    EXPECT_EQ(form->AMPM_Opt(DiveAmPm::TimeIn).Text(), "AM");
    TypeAndLeave(form->Masked1(DiveMasked::TimeIn), "00:45");
    EXPECT_EQ(form->Masked1(DiveMasked::TimeIn).Text(), "00:45");       // the hour 00 stays 00
    TypeAndLeave(form->Masked1(DiveMasked::PriorSurfaceInterval), "05:60");
    EXPECT_EQ(form->Masked1(DiveMasked::PriorSurfaceInterval).Text(), "05:00");
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(id, "DIVETIME").ToString(), "00:45");
    EXPECT_EQ(Stored(id, "STIME").ToString(), "05:00");
}

// The log keeps whole psi a minute in one byte; the box takes what it can keep and,
// once left, shows what was kept.
struct SacCase {
    const char* name;
    int units;             // the dive's: 0 psi, 1 bar
    const char* typed;     // key by key into the emptied box
    const char* message;   // "" for none
    const char* shown;     // after leaving the box
    qint64 stored;
};

class SacRateTest : public DiveFormTest, public ::testing::WithParamInterface<SacCase> {};

TEST_P(SacRateTest, TheBoxShowsWhatIsStored)
{
    const SacCase& c = GetParam();
    const qint64 id = AddDive(ManualDive({{"AIRCONSUMP", 30}}), c.units, 1);
    Show(id);
    EditBox& box = form->Text3(DiveText::SacRate);
    box.clear();
    KeyIn(box, c.typed);
    if (*c.message)
        dialogs.ExpectMsg(c.message);
    Leave(box);
    EXPECT_EQ(box.text(), c.shown);
    SaveAsMainWindow();
    EXPECT_EQ(Stored(id, "AIRCONSUMP").ToLong(), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Units, SacRateTest,
    ::testing::Values(SacCase{"PsiTakesWholeNumbers", 0, "3.5", "", "35", 35},
                      SacCase{"PsiTop", 0, "255", "", "255", 255},
                      SacCase{"PsiAboveTheByteIsSaid", 0, "300", "Please enter SAC rate value between 0 and 255",
                              "30", 30},
                      SacCase{"BarKeepsDecimals", 1, "1.5", "", "1.5", 21},
                      SacCase{"BarShowsTheStoredPsi", 1, "1.55", "", "1.5", 22},
                      SacCase{"BarTop", 1, "17.9", "", "17.9", 255},
                      SacCase{"BarAboveTheByteIsSaid", 1, "18", "Please enter SAC rate value between 0 and 17.9",
                              "2.1", 30},
                      SacCase{"ZeroShowsEmpty", 0, "0", "", "", 0}),
    [](const auto& row) { return std::string(row.param.name); });

// 38 psi shows as 2.7 bar; leaving the box untouched must not store 39 psi.
TEST_F(DiveSaveTest, AirConsumptionShownInBarIsNotReadBackUntouched)
{
    const qint64 id = AddDive(ManualDive({{"AIRCONSUMP", 38}}), 1, 1);
    Show(id);
    ASSERT_EQ(form->Text3(DiveText::SacRate).text(), "2.7");
    Leave(form->Text3(DiveText::SacRate));
    emit form->MemoTxt().KeyDown(0);
    form->MemoTxt().SetText("x");
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(id, "AIRCONSUMP").ToLong(), 38);
    Show(id);
    TypeAndLeave(form->Text3(DiveText::SacRate), "3");
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(id, "AIRCONSUMP").ToLong(), 43);
}

TEST_F(DiveSaveTest, PressureChecks)
{
    const qint64 id = AddDive(ManualDive(), 1, 1);   // bar: 3000 psi shows 210
    Show(id);
    dialogs.ExpectMsg("Beginning pressure should not be less than ending pressure.");
    TypeAndLeave(form->Text3(DiveText::StartPressure1), "30");
    EXPECT_EQ(form->Text3(DiveText::StartPressure1).text(), "210");
    dialogs.ExpectMsg("Ending pressure should not be greater than beginning pressure.");
    TypeAndLeave(form->Text3(DiveText::EndPressure1), "211");
    EXPECT_EQ(form->Text3(DiveText::EndPressure1).text(), "35");
    dialogs.ExpectMsg("Please enter pressure value between 0 and 2289");
    TypeAndLeave(form->Text3(DiveText::StartPressure1), "2290");
    EXPECT_EQ(form->Text3(DiveText::StartPressure1).text(), "210");
    TypeAndLeave(form->Text3(DiveText::StartPressure1), "35");   // equal to the end passes
    EXPECT_EQ(form->Text3(DiveText::PressureUsed).text(), "0");
}

TEST_F(DiveSaveTest, LifetimeNumberCannotBeTyped)
{
    const qint64 id = AddDive(ManualDive({{"LIFETIMEDIVENO", 5}}));
    Show(id);
    TypeAndLeave(form->Text3(DiveText::LifeTimeDiveNo), "77");
    EXPECT_EQ(form->Text3(DiveText::LifeTimeDiveNo).text(), "5");
}

} // namespace
} // namespace kvl::test
