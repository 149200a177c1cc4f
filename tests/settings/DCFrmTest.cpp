// The settings form over a fresh log: what it shows for a row, how its controls
// react, the legs editor and the save into the edited set.
#include "platform/widgets/CheckList.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/SmartToolBar.h"
#include "platform/widgets/MaskedEdit.h"
#include "settings/DCFrm.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/LogStore.h"
#include "tests/support/Keys.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

#include <QApplication>
#include <QDate>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>

#include <tuple>

namespace kvl::test {
namespace {

using settings::OptionPair;

constexpr qint32 Model = 6774;

class DCFrmTest : public KvlTest {
protected:
    void SetUp() override
    {
        KvlTest::SetUp();
        gv = Global_Vars{};
        const QString path = Home() + "/log.dlg";
        ASSERT_TRUE(MakeFreshLog(path));
        gv.DB = db::Database::Open(path);
        gv.RegLastModel = "QX07";
    }
    void TearDown() override
    {
        delete &DCFrm::Instance();
        gv = Global_Vars{};
        KvlTest::TearDown();
    }
    DCFrm& Frm() { return DCFrm::Instance(); }
    void AddUnit(qint32 serial, const Columns& columns = {})
    {
        Columns all = {{"DCID", Model}, {"DCSERIALNO", serial}, {"FIRMWAREREV", QString::number(serial)}};
        all.insert(all.end(), columns.begin(), columns.end());
        InsertRow(*gv.DB, "DC_SETTINGS", all);
    }
    void AddLegs(qint32 serial, int count)
    {
        for (int leg = 1; leg <= count; ++leg)
            InsertRow(*gv.DB, "DC_NAV", {{"DCID", Model}, {"DCSERIALNO", serial}, {"LEGNO", leg},
                                         {"HEADING", 10 * leg}, {"CDT", 60 * leg}, {"AUDIBLEALARM", -1}});
    }
    db::Value Edited(const QString& column)
    {
        return gv.DB->Scalar("Select " + column + " from DC_SETTINGS where DCID = 6774 and DCSERIALNO = -1");
    }
    qint64 Count(const QString& sql) { return gv.DB->Scalar(sql).ToLong(); }
    bool Box0(OptionPair pair) { return Frm().Pair(pair).Box0Ticked(); }
    void Legs(const QString& leg, const QString& heading, const QString& cdt, const QString& button)
    {
        Frm().Cmd->Items("Leg").SetText(leg);
        Frm().Cmd->Items("Heading").SetText(heading);
        Frm().Cmd->Items("CDT").SetText(cdt);
        Frm().Cmd_ItemClick(button);
    }
    QString DateItem() { return Frm().lst2->Items("Date").Value(); }
};

TEST_F(DCFrmTest, ShowsTheSmallestUnitOrTheChosenOne)
{
    AddUnit(3310, {{"MAXDEPTH", 23}});
    AddUnit(1207, {{"MAXDEPTH", 130}, {"UNITS", 1}});
    Frm().DC_InitDC();
    EXPECT_EQ(gv.ModelName, "QX07");
    EXPECT_EQ(gv.SelectedModelID, Model);
    ASSERT_EQ(Frm().Serial_Combo->count(), 2);
    EXPECT_EQ(Frm().Serial_Combo->itemText(0), "1207");
    EXPECT_EQ(Frm().Serial_Combo->Text(), "1207");
    EXPECT_EQ(gv.SelectedSerialNo, 1207);
    EXPECT_EQ(Frm().FirmWareTxt->text(), "1207");
    EXPECT_EQ(Frm().MaxDepthOpt->Text(), "39 M");

    gv.SelectedSerialNo = 3310;
    Frm().DC_InitAll();
    EXPECT_EQ(Frm().Serial_Combo->Text(), "3310");
    EXPECT_EQ(Frm().MaxDepthOpt->Text(), "23 FT");
    EXPECT_EQ(Frm().SampleRateOpt->itemText(4), "2  FT");
}

TEST_F(DCFrmTest, AModelWithoutUnitsShowsItsFactoryRowAndTheEditedLegs)
{
    AddLegs(-1, 2);
    Frm().DC_InitDC();
    EXPECT_EQ(gv.SelectedSerialNo, 0);
    EXPECT_EQ(Frm().MaxDepthOpt->Text(), "130 FT");
    EXPECT_EQ(Frm().MaxPO2Opt->Text(), "1.40");
    EXPECT_EQ(Frm().EDTOpt[0]->Text(), "1");
    EXPECT_EQ(Frm().EDTOpt[1]->Text(), "00");
    EXPECT_EQ(Frm().Grid->Rows(), 2) << "the legs a write would send";
    EXPECT_EQ(Frm().NavLegCount, 2);

    gv.DB->Execute("Delete from DC_SETTINGS where DCSERIALNO = 0");
    dialogs.ExpectMsg("Manufacturer setting is not available for this PDC.");
    Frm().GetDefaultSetting();
    EXPECT_EQ(dialogs.Messages().back().title, "Warning");
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Exclamation);
}

TEST_F(DCFrmTest, OddRowsOpenWithoutAnError)
{
    gv.DB->Execute("Insert into DC_SETTINGS (DCID, DCSERIALNO, MAXDEPTH, DIVESAMPLE, EDT, PO2, UNITS, HOUR) "
                   "values (6774, 55, 500, 9, NULL, NULL, NULL, 7)");
    Frm().DC_InitDC();
    EXPECT_EQ(Frm().MaxDepthOpt->ListIndex(), -1);
    EXPECT_EQ(Frm().SampleRateOpt->ListIndex(), -1);
    EXPECT_EQ(Frm().MaxPO2Opt->Text(), "1.20");
    EXPECT_TRUE(Box0(OptionPair::Hour));
}

TEST_F(DCFrmTest, AShownUnitSavedComesBackInTheEditedRow)
{
    AddUnit(1207, {{"UNITS", 1}, {"WATER", 1}, {"HOUR", 1}, {"AUDIBLEALARM", 1}, {"FO2", 1}, {"CHRONO", 1},
                   {"CHRONO_ASCENT_ON_OFF", 1}, {"NAVDIVE", 1}, {"NAVBACKLIGHT", 1}, {"ALTTIME", 0},
                   {"MAXDEPTH", 90}, {"EDT", 245}, {"DTR", 12}, {"PO2", 150}, {"BACKLIGHT", 2}, {"DIVESAMPLE", 6}});
    Frm().DC_InitDC();
    ASSERT_TRUE(Frm().SaveSettings());
    for (const char* column : {"UNITS", "WATER", "HOUR", "AUDIBLEALARM", "FO2", "CHRONO", "CHRONO_ASCENT_ON_OFF",
                               "NAVDIVE", "NAVBACKLIGHT", "ALTTIME", "MAXDEPTH", "EDT", "DTR", "PO2", "BACKLIGHT",
                               "DIVESAMPLE"}) {
        EXPECT_EQ(Edited(column).ToLong(),
                  gv.DB->Scalar(QString("Select %1 from DC_SETTINGS where DCSERIALNO = 1207").arg(column)).ToLong())
            << column;
    }
    ASSERT_TRUE(Frm().SaveSettings());
    EXPECT_EQ(Count("Select count(*) from DC_SETTINGS where DCSERIALNO = -1"), 1);
}

TEST_F(DCFrmTest, AscentAndChronoAreNeverBothOnAndTheirSwitchDisablesBoth)
{
    Frm().DC_InitDC();   // factory row: chrono off
    EXPECT_TRUE(Box0(OptionPair::ASC));
    Frm().CHRONO_Opt->box[0]->click();
    EXPECT_TRUE(Box0(OptionPair::CHRONO));
    EXPECT_FALSE(Box0(OptionPair::ASC));
    Frm().ASC_Opt->box[0]->click();
    EXPECT_TRUE(Box0(OptionPair::ASC));
    EXPECT_FALSE(Frm().CHRONO_Opt->Ticked(0));
    EXPECT_TRUE(Frm().CHRONO_Opt->Ticked(1));

    Frm().CHRONOASCENT_Opt->box[1]->click();
    EXPECT_FALSE(Frm().ASC_Opt->box[0]->isEnabled());
    EXPECT_FALSE(Frm().CHRONO_Opt->box[1]->isEnabled());
    EXPECT_TRUE(Box0(OptionPair::ASC)) << "the ticks stay";
    Frm().CHRONOASCENT_Opt->box[0]->click();
    EXPECT_TRUE(Frm().CHRONO_Opt->box[0]->isEnabled());
}

TEST_F(DCFrmTest, MouseReleasePairsFollowTheUserOnlyAndStayExclusive)
{
    Frm().DC_InitDC();
    Frm().Water_Opt->box[0]->setChecked(false);   // by code: no pair rule
    EXPECT_FALSE(Frm().Water_Opt->Ticked(0));
    EXPECT_FALSE(Frm().Water_Opt->Ticked(1));
    Frm().Water_Opt->box[1]->click();              // the user's own click (mouse or key)
    EXPECT_TRUE(Frm().Water_Opt->Ticked(1));
    EXPECT_FALSE(Frm().Water_Opt->Ticked(0));
    Frm().Water_Opt->box[1]->click();
    EXPECT_TRUE(Frm().Water_Opt->Ticked(0));
}

TEST_F(DCFrmTest, PicksStoreTheirValuesAndTheElapsedTimeKeepsItsLimits)
{
    Frm().DC_InitDC();
    struct Pick {
        int position, feet;
    };
    for (const Pick& p : {Pick{2, 26}, Pick{3, 30}, Pick{40, 400}}) {
        Frm().MaxDepthOpt->SetListIndex(p.position);
        Frm().MaxDepthOpt_Click();
        EXPECT_EQ(Frm().FormSettings.MAXDEPTH, p.feet);
    }
    Frm().MaxPO2Opt->SetText("1.40");
    Frm().MaxPO2Opt_Click();
    EXPECT_EQ(Frm().FormSettings.PO2, 140);

    Frm().EDTOpt[0]->SetText("9");
    Frm().EDTOpt[1]->SetText("30");
    Frm().EDTOpt_Click();
    EXPECT_EQ(Frm().EDTOpt[1]->Text(), "00");
    EXPECT_EQ(Frm().FormSettings.EDT, 900);
    Frm().EDTOpt[0]->SetText("0");
    Frm().EDTOpt[1]->SetText("05");
    Frm().EDTOpt_LostFocus();
    EXPECT_EQ(Frm().EDTOpt[1]->Text(), "10");
    ASSERT_TRUE(Frm().SaveSettings());
    EXPECT_EQ(Edited("EDT").ToLong(), 10);
    EXPECT_EQ(Edited("PO2").ToLong(), 140);
    EXPECT_EQ(Edited("MAXDEPTH").ToLong(), 400);
}

TEST_F(DCFrmTest, SwitchingToMetricRefillsTheListsAndResetsTheDate)
{
    Frm().DC_InitDC();   // 130 feet
    Frm().lst2->Items("Date").SetValue("12/25/2008");
    Frm().Unit_Opt->box[1]->click();
    EXPECT_EQ(Frm().MaxDepthOpt->itemText(0), "6 M");
    EXPECT_EQ(Frm().MaxDepthOpt->Text(), "39 M");
    EXPECT_EQ(Frm().SampleRateOpt->itemText(6), "3.0 M");
    EXPECT_EQ(DateItem(), QDate::currentDate().toString("dd/MM/yyyy"));
    ASSERT_TRUE(Frm().SaveSettings());
    EXPECT_EQ(Edited("UNITS").ToLong(), 1);
    EXPECT_EQ(Edited("MAXDEPTH").ToLong(), 130);
}

TEST_F(DCFrmTest, TheDateAndTimeGroupShowsOnlyWhenTheClockIsToBeSet)
{
    Frm().DC_InitDC();
    Frm().TimeSettingsOFF();
    Frm().Check1->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{Frm().lst2, Frm().TimeTxt, Frm().AMPM_Opt, Frm().Time_Opt})
        EXPECT_FALSE(w->isHidden());
    EXPECT_TRUE(Frm().Time_Opt->isChecked());
    EXPECT_FALSE(Frm().TimeTxt->isEnabled());
    Frm().Time_Opt->setChecked(false);
    EXPECT_TRUE(Frm().TimeTxt->isEnabled());
    EXPECT_TRUE(Frm().AMPM_Opt->isHidden() == !Frm().Hour_Opt->Box0Ticked());
    Frm().Check1->setChecked(false);
    EXPECT_TRUE(Frm().TimeTxt->isHidden());
    EXPECT_FALSE(Frm().Time_Opt->isEnabled());
}

TEST_F(DCFrmTest, ABadTimeIsRefusedAndReplaced)
{
    Frm().DC_InitDC();   // factory row: 12-hour clock
    ASSERT_TRUE(Frm().Hour_Opt->Box0Ticked());
    struct Case {
        const char* typed;
        const char* message;
    };
    for (const Case& c : {Case{"13:30", "Invalid time. Please enter value 00-12 for hour."},
                          Case{"10:75", "Invalid time. Please enter value 00-59 for minute."},
                          Case{"1_:30", "Invalid time. Please enter time as hh:mm."}}) {
        Frm().TimeTxt->SetText(c.typed);
        dialogs.ExpectMsg(c.message);
        Frm().TimeTxt_LostFocus();
        EXPECT_EQ(Frm().TimeTxt->Text(), "01:00") << c.typed;
    }
    Frm().Hour_Opt->box[1]->click();
    Frm().TimeTxt->SetText("13:30");
    Frm().TimeTxt_LostFocus();
    EXPECT_EQ(Frm().TimeTxt->Text(), "13:30");

    Frm().Hour_Opt->box[0]->click();
    dialogs.ExpectMsg("Invalid time. Please enter value 00-12 for hour.");
    EXPECT_FALSE(Frm().SaveSettings());
    EXPECT_TRUE(Edited("MAXDEPTH").IsNull()) << "nothing saved";
}

// A drop that makes a time the box would refuse on leaving is turned away, so a moved
// text stays where it came from; a time the box keeps is taken.
TEST_F(DCFrmTest, TheTimeBoxTurnsAwayADropThatMakesABadTime)
{
    Frm().DC_InitDC();   // factory row: 12-hour clock
    Frm().Check1->setChecked(true);   // the clock is set by hand
    Frm().Time_Opt->setChecked(false);
    Frm().show();
    MaskedEdit& time = *Frm().TimeTxt;
    for (const auto& [dropped, taken, after] : {std::tuple{"13", false, "01:00"}, std::tuple{"75", false, "01:00"},
                                                std::tuple{"1130", true, "11:30"}}) {
        SCOPED_TRACE(dropped);
        time.SetText("01:00");
        QMimeData dragged;
        dragged.setText(dropped);
        const QPoint start(2, time.height() / 2);
        QDragEnterEvent enter(start, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&time, &enter);
        QDropEvent drop(start, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&time, &drop);
        EXPECT_EQ(drop.isAccepted(), taken) << "an accepted move takes the text from where it came";
        EXPECT_EQ(time.Text(), after);
    }
}

TEST_F(DCFrmTest, TheClockIsSetFromTheTypedDateMonthFirst)
{
    Frm().DC_InitDC();
    Frm().Unit_Opt->box[1]->click();   // metric: the date reads day first
    Frm().Check1->setChecked(true);
    Frm().Time_Opt->setChecked(false);
    ASSERT_TRUE(Frm().Hour_Opt->Box0Ticked());   // the factory row's 12-hour clock
    Frm().lst2->Items("Date").SetValue("04/06/2009");
    Frm().TimeTxt->SetText("09:30");
    Frm().AMPM_Opt->SetText("PM");
    ASSERT_TRUE(Frm().SaveSettings());
    EXPECT_EQ(gv.DCDateText, "06/04/09");
    EXPECT_EQ(gv.DCTimeText, "21:30");
    EXPECT_EQ(Edited("SYSTEMCLOCK").ToLong(), 1);

    Frm().lst2->Items("Date").SetValue("31/02/2009");
    dialogs.ExpectMsg("Invalid date. Please enter date as dd/mm/yyyy.");
    EXPECT_FALSE(Frm().SaveSettings());
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Critical);
    EXPECT_EQ(gv.DCDateText, "06/04/09") << "the earlier date stays";

    Frm().Time_Opt->setChecked(true);
    ASSERT_TRUE(Frm().SaveSettings());
    EXPECT_EQ(gv.DCDateText, QDate::currentDate().toString("MM/dd/yy"));
}

TEST_F(DCFrmTest, PickingAModelForgetsTheUnitAndRemembersTheModel)
{
    AddUnit(1207);
    gv.SelectedSerialNo = 1207;
    Frm().DC_InitDC();
    gv.SelectedSerialNo = 99;
    Frm().Model_Combo_Click();
    EXPECT_EQ(gv.SelectedSerialNo, 1207) << "the unit list was rebuilt from none";
    EXPECT_EQ(gv.SelectedModel, "QX07");
    EXPECT_EQ(ReadKvlSetting("LastModel"), "QX07");
}

// Letters in the leg bar's number entries are refused key by key, and a button then
// writes nothing: an entry left empty is never taken for leg 0 or north.
TEST_F(DCFrmTest, LettersInTheLegEntriesChangeNoLeg)
{
    struct Case {
        const char* leg;       // typed key by key when `entry` is "Leg", else set
        const char* heading;   // likewise for "Heading"
        const char* entry;
        const char* shown;     // the typed entry's text
        const char* message;   // "" for none
        const char* headings;  // of legs 1 and 2 afterwards
    } const cases[] = {
        {"1", "north", "Heading", "", "Invalid heading. Please enter heading from 0 to 360.", "10° 20°"},
        {"one", "90", "Leg", "", "Invalid leg number. Please enter leg number from 1 to 99.", "10° 20°"},
        {"1", "n9o0", "Heading", "90", "", "90° 20°"},
        {"2x", "45", "Leg", "2", "", "90° 45°"},
    };
    AddUnit(3310);
    AddLegs(3310, 2);
    Frm().DC_InitDC();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.leg) + " " + c.heading);
        const bool typedLeg = QString(c.entry) == "Leg";
        Frm().Cmd->Items("Leg").SetText(typedLeg ? "" : c.leg);
        Frm().Cmd->Items("Heading").SetText(typedLeg ? c.heading : "");
        Frm().Cmd->Items("CDT").SetText("0:01:00");
        KeyIn(*Frm().Cmd->TextEntryBox(c.entry), typedLeg ? c.leg : c.heading);
        EXPECT_EQ(Frm().Cmd->Items(c.entry).Text(), c.shown);
        if (*c.message)
            dialogs.ExpectMsg(c.message);
        Frm().Cmd_ItemClick("Update");
        EXPECT_EQ(Frm().Grid->Cell(0, "HEADING") + " " + Frm().Grid->Cell(1, "HEADING"), QString::fromUtf8(c.headings));
    }
}

TEST_F(DCFrmTest, LegsAreEditedAndTheirAlarmsSaved)
{
    AddUnit(3310);
    AddLegs(3310, 4);
    AddLegs(-1, 7);
    Frm().DC_InitDC();
    ASSERT_EQ(Frm().Grid->Rows(), 4) << "the unit's legs became the edited legs";
    EXPECT_EQ(Frm().Grid->Cell(0, "HEADING"), QString("10\u00B0"));
    EXPECT_EQ(Frm().Grid->Cell(0, "audible alarm"), "-1");

    Legs("", "90", "1:30:00", "Add");
    EXPECT_EQ(Frm().NavLegCount, 5);
    EXPECT_EQ(Frm().Grid->Row(), 4);
    EXPECT_EQ(Frm().Grid->Cell("Count Down Time"), "01:30:00");
    EXPECT_EQ(Frm().Cmd->Items("Heading").Text(), "") << "entries cleared";

    Legs("2", "45", "0:00:00", "Insert");
    EXPECT_EQ(Frm().Grid->Row(), 1);
    EXPECT_EQ(Frm().Grid->Cell("LEG #"), "2");
    EXPECT_EQ(Frm().Grid->Cell("Count Down Time"), "00:00:00");

    dialogs.ExpectMsg("Leg number does not exist.");
    Legs("9", "", "", "Delete");
    EXPECT_EQ(Frm().Cmd->Items("Leg").Text(), "9") << "the entries keep what was typed";
    dialogs.ExpectMsg("Invalid heading. Please enter heading from 0 to 360.");
    Legs("1", "361", "0:01:00", "Update");
    EXPECT_EQ(dialogs.Messages().back().title, "Navigation Leg Setting");
    Legs("1", "", "", "Delete");
    EXPECT_EQ(Frm().NavLegCount, 5);
    EXPECT_EQ(Frm().Grid->Row(), 0);

    Frm().Grid->SetCell(0, "Light Alarm", "-1");
    Frm().Grid->SetCell(1, "Audible Alarm", "0");
    ASSERT_TRUE(Frm().SaveSettings());
    EXPECT_EQ(Count("Select LIGHTALARM from DC_NAV where DCSERIALNO = -1 and LEGNO = 1"), -1);
    EXPECT_EQ(Count("Select AUDIBLEALARM from DC_NAV where DCSERIALNO = -1 and LEGNO = 2"), 0);
    EXPECT_EQ(Count("Select count(*) from DC_NAV where DCSERIALNO = 3310"), 4) << "the unit's own legs stay";
}

TEST_F(DCFrmTest, AFailedAlarmUpdateSavesNothing)
{
    AddUnit(3310);
    AddLegs(3310, 2);
    Frm().DC_InitDC();
    gv.DB->Execute("CREATE TRIGGER no_alarm BEFORE UPDATE ON DC_NAV WHEN NEW.LEGNO = 2 "
                   "BEGIN SELECT RAISE(ABORT, 'locked'); END");
    Frm().Grid->SetCell(0, "Light Alarm", "-1");
    dialogs.ExpectMsg("Error Updating NAV alarm.");
    EXPECT_FALSE(Frm().SaveSettings());
    EXPECT_TRUE(Edited("MAXDEPTH").IsNull());
    EXPECT_EQ(Count("Select LIGHTALARM from DC_NAV where DCSERIALNO = -1 and LEGNO = 1"), 0);
}

TEST_F(DCFrmTest, AnEmptyModelListAndAFailedSaveAreReported)
{
    gv.DB->Execute("Delete from DC_PROPERTIES");
    dialogs.ExpectMsg("Radarar Edeze list is empty.");
    Frm().DC_InitDC();
    EXPECT_EQ(dialogs.Messages().back().title, "Warning");
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(Frm().Model_Combo->count(), 0);

    gv.SelectedModelID = Model;
    Frm().TimeTxt->SetText("01:00");
    gv.DB->Execute("CREATE TRIGGER no_row BEFORE INSERT ON DC_SETTINGS BEGIN SELECT RAISE(ABORT, 'full'); END");
    dialogs.ExpectMsg("Could not save the dive computer settings.");
    EXPECT_FALSE(Frm().SaveSettings());
    EXPECT_EQ(dialogs.Messages().back().title, "Error");
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Critical);
}

} // namespace
} // namespace kvl::test
