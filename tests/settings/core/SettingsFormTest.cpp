#include "settings/core/SettingsForm.h"
#include "shell/core/Units.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

namespace kvl::settings {
namespace {

constexpr qint32 Model = 6774;

bool Box0(const ShownSettings& shown, OptionPair pair) { return shown.box0Ticked[size_t(pair)]; }

TEST(SettingsFormItems, ChoiceBoxesListTheirItemsExactly)
{
    const QStringList feet = MaxDepthItems(false);
    const QStringList metres = MaxDepthItems(true);
    ASSERT_EQ(feet.size(), 41);
    ASSERT_EQ(metres.size(), 41);
    EXPECT_EQ(feet.mid(0, 5), (QStringList{"20 FT", "23 FT", "26 FT", "30 FT", "40 FT"}));
    EXPECT_EQ(feet.last(), "400 FT");
    EXPECT_EQ(metres.mid(0, 5), (QStringList{"6 M", "7 M", "8 M", "9 M", "12 M"}));
    EXPECT_EQ(metres.last(), "120 M");
    EXPECT_EQ(EdtHourItems(), (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    EXPECT_EQ(EdtMinuteItems(),
              (QStringList{"00", "05", "10", "15", "20", "25", "30", "35", "40", "45", "50", "55"}));
    EXPECT_EQ(DtrItems().size(), 21);
    EXPECT_EQ(DtrItems().first(), "00");
    EXPECT_EQ(DtrItems().last(), "20");
    EXPECT_EQ(Po2Items(), (QStringList{"1.20", "1.30", "1.40", "1.50", "1.60"}));
    EXPECT_EQ(BacklightItems(), (QStringList{"0", "5", "10"}));
    EXPECT_EQ(SampleRateItems(Model, false),
              (QStringList{"2  Secs", "15 Secs", "30 Secs", "60 Secs", "2  FT", "5  FT", "10 FT"}));
    EXPECT_EQ(SampleRateItems(Model, true),
              (QStringList{"2  Secs", "15 Secs", "30 Secs", "60 Secs", "0.5 M", "1.5 M", "3.0 M"}));
    EXPECT_TRUE(SampleRateItems(17, false).isEmpty());
}

TEST(SettingsFormItems, DepthPositionsStandForTheSameFeetInEitherUnits)
{
    EXPECT_EQ(MaxDepthOfPosition(2), 26);
    EXPECT_EQ(MaxDepthOfPosition(3), 30);
    EXPECT_EQ(MaxDepthOfPosition(40), 400);
    EXPECT_EQ(MaxDepthPosition(130), 13);
    EXPECT_EQ(MaxDepthItems(true)[13], "39 M");
    EXPECT_EQ(MaxDepthPosition(23), 1);
    EXPECT_EQ(MaxDepthPosition(10), 0);
    EXPECT_EQ(MaxDepthPosition(500), -1);
    EXPECT_EQ(Po2OfPosition(2), 140);
    EXPECT_EQ(EdtOfPositions(1, 6), 130);
}

TEST(SettingsFormItems, ElapsedDiveTimeStaysBetweenTenMinutesAndNineHours)
{
    EXPECT_EQ(EdtMinuteAfterPick("9", "30"), "00");
    EXPECT_EQ(EdtMinuteAfterPick("8", "30"), "30");
    EXPECT_EQ(EdtMinuteAfterLeaving("0", "05"), "10");
    EXPECT_EQ(EdtMinuteAfterLeaving("1", "05"), "05");
}

struct ShowCase {
    const char* name;
    SettingsValues row;
    std::function<void(const ShownSettings&)> check;
};

class ShowRow : public ::testing::TestWithParam<ShowCase> {};

TEST_P(ShowRow, SelectsAsTheRowSays) { GetParam().check(ShowSettingsRow(GetParam().row)); }

INSTANTIATE_TEST_SUITE_P(
    Display, ShowRow,
    ::testing::Values(
        ShowCase{"MaxDepth130", {{"MAXDEPTH", 130}}, [](auto& s) { EXPECT_EQ(s.depthPosition, 13); }},
        ShowCase{"MaxDepth10CountsAs20", {{"MAXDEPTH", 10}},
                 [](auto& s) {
                     EXPECT_EQ(s.depthPosition, 0);
                     EXPECT_EQ(s.fields.MAXDEPTH, 20);
                 }},
        ShowCase{"MaxDepth500NoSelection", {{"MAXDEPTH", 500}}, [](auto& s) { EXPECT_EQ(s.depthPosition, -1); }},
        ShowCase{"Edt130", {{"EDT", 130}},
                 [](auto& s) {
                     EXPECT_EQ(s.edtHourPosition, 1);
                     EXPECT_EQ(s.edtMinutePosition, 6);
                 }},
        ShowCase{"Edt5", {{"EDT", 5}},
                 [](auto& s) {
                     EXPECT_EQ(s.edtHourPosition, 0);
                     EXPECT_EQ(s.edtMinutePosition, 1);
                 }},
        ShowCase{"Po2100", {{"PO2", 100}}, [](auto& s) { EXPECT_EQ(s.po2Position, 0); }},
        ShowCase{"Dtr25", {{"DTR", 25}}, [](auto& s) { EXPECT_EQ(s.dtrPosition, 20); }},
        ShowCase{"Backlight7", {{"BACKLIGHT", 7}}, [](auto& s) { EXPECT_EQ(s.backlightPosition, 1); }},
        ShowCase{"DiveSample9NoSelection", {{"DIVESAMPLE", 9}}, [](auto& s) { EXPECT_EQ(s.samplePosition, -1); }},
        ShowCase{"Receiver1StillOn", {{"RECEIVER", 1}},
                 [](auto& s) { EXPECT_TRUE(Box0(s, OptionPair::Receiver)); }},
        ShowCase{"Chrono1", {{"CHRONO", 1}, {"ASCENT", 1}},
                 [](auto& s) {
                     EXPECT_TRUE(Box0(s, OptionPair::CHRONO));
                     EXPECT_FALSE(Box0(s, OptionPair::ASC));
                     EXPECT_EQ(s.flagBits2[Bits2Chrono], 1);
                 }},
        ShowCase{"AltTime0Velk", {{"ALTTIME", 0}}, [](auto& s) { EXPECT_TRUE(Box0(s, OptionPair::ASCSCALE)); }},
        ShowCase{"AltTime1Standard", {{"ALTTIME", 1}},
                 [](auto& s) { EXPECT_FALSE(Box0(s, OptionPair::ASCSCALE)); }},
        ShowCase{"Units1Metric", {{"UNITS", 1}, {"HOUR", 1}},
                 [](auto& s) {
                     EXPECT_FALSE(Box0(s, OptionPair::Unit));
                     EXPECT_FALSE(Box0(s, OptionPair::Hour));
                     EXPECT_EQ(s.flagBits1[Bits1Units], 1);
                 }},
        ShowCase{"NullColumnsReadAsZero",
                 {{"MAXDEPTH", db::Value()}, {"EDT", db::Value()}, {"PO2", db::Value()}, {"HOUR", db::Value()}},
                 [](auto& s) {
                     EXPECT_EQ(s.depthPosition, 0);
                     EXPECT_EQ(s.edtHourPosition, 0);
                     EXPECT_EQ(s.po2Position, 0);
                     EXPECT_TRUE(Box0(s, OptionPair::Hour));
                 }}),
    [](const auto& row) { return std::string(row.param.name); });

// The choices the form shows for a row, as the save reads them back.
EditedChoices ChoicesShownFor(const SettingsValues& row)
{
    const ShownSettings shown = ShowSettingsRow(row);
    EditedChoices c;
    c.fields = shown.fields;
    c.box0Ticked = shown.box0Ticked;
    c.maxDepth = shown.fields.MAXDEPTH;
    c.edtHourText = EdtHourItems().value(shown.edtHourPosition);
    c.edtMinuteText = EdtMinuteItems().value(shown.edtMinutePosition);
    c.dtrText = DtrItems().value(shown.dtrPosition);
    c.po2Text = Po2Items().value(shown.po2Position);
    c.backlightPosition = shown.backlightPosition;
    c.samplePosition = shown.samplePosition;
    return c;
}

TEST(SettingsFormSave, ARowShownAndSavedComesBackTheSame)
{
    const SettingsValues row = {{"UNITS", 1},  {"WATER", 1},   {"HOUR", 1},       {"AUDIBLEALARM", 1},
                                {"FO2", 1},    {"CHRONO", 1},  {"CHRONO_ASCENT_ON_OFF", 1},
                                {"NAVDIVE", 1}, {"NAVBACKLIGHT", 1}, {"ALTTIME", 1}, {"MAXDEPTH", 130},
                                {"EDT", 130},  {"DTR", 15},    {"PO2", 140},      {"BACKLIGHT", 2},
                                {"DIVESAMPLE", 5}};
    const SettingsValues saved = EditedSettingsRow(ChoicesShownFor(row));
    for (const auto& [column, value] : row)
        EXPECT_EQ(ValueOf(saved, column).ToLong(), value.ToLong()) << column.toStdString();
    EXPECT_EQ(ValueOf(saved, "ASCENT").ToLong(), 0);
    EXPECT_EQ(ValueOf(saved, "RECEIVER").ToLong(), 0);
    EXPECT_EQ(ValueOf(saved, "SYSTEMCLOCK").ToLong(), 0);
}

TEST(SettingsFormSave, BoxesWithoutASelectionKeepTheShownValues)
{
    const SettingsValues saved = EditedSettingsRow(ChoicesShownFor({{"PO2", 170}, {"DIVESAMPLE", 9}, {"EDT", 1000}}));
    EXPECT_EQ(ValueOf(saved, "PO2").ToLong(), 170);
    EXPECT_EQ(ValueOf(saved, "DIVESAMPLE").ToLong(), 9);
    EXPECT_EQ(ValueOf(saved, "EDT").ToLong(), 1000);
}

TEST(SettingsFormSave, TheElapsedDiveTimeIsNeverStoredBelowTenMinutes)
{
    struct Case {
        const char *hours, *minutes;
        int edt;
    };
    for (const Case& c : {Case{"0", "05", 10}, Case{"1", "30", 130}, Case{"0", "10", 10}}) {
        EditedChoices choices;
        choices.edtHourText = c.hours;
        choices.edtMinuteText = c.minutes;
        EXPECT_EQ(ValueOf(EditedSettingsRow(choices), "EDT").ToLong(), c.edt) << c.hours << ":" << c.minutes;
    }
}

TEST(SettingsFormSave, Po2AndAscentScaleAndClockFlag)
{
    EditedChoices c;
    c.po2Text = "1.40";
    c.box0Ticked[size_t(OptionPair::ASCSCALE)] = true;
    c.changeDateAndTime = true;
    const SettingsValues saved = EditedSettingsRow(c);
    EXPECT_EQ(ValueOf(saved, "PO2").ToLong(), 140);
    EXPECT_EQ(ValueOf(saved, "ALTTIME").ToLong(), AscentScaleVelk);
    EXPECT_EQ(ValueOf(saved, "SYSTEMCLOCK").ToLong(), SetDeviceClock);
    c.box0Ticked[size_t(OptionPair::ASCSCALE)] = false;
    EXPECT_EQ(ValueOf(EditedSettingsRow(c), "ALTTIME").ToLong(), AscentScaleStandard);
}

TEST(SettingsFormClock, TheDeviceDateIsMonthFirstWhateverTheItemsOrder)
{
    ClockChoice c;
    c.now = QDateTime(QDate(2011, 2, 3), QTime(14, 5));
    c.dateItem = "04/06/2009";
    c.monthFirst = false;
    c.timeText = "09:30";
    c.twelveHour = true;
    c.amPm = "PM";
    ClockTexts t = DeviceClockTexts(c);
    EXPECT_EQ(t.date, "06/04/09");
    EXPECT_EQ(t.time, TimeTo24Hour("09:30", "PM").left(5));
    EXPECT_EQ(t.time, "21:30");
    c.monthFirst = true;
    c.twelveHour = false;
    t = DeviceClockTexts(c);
    EXPECT_EQ(t.date, "04/06/09");
    EXPECT_EQ(t.time, "09:30");
    c.useSystemTime = true;
    t = DeviceClockTexts(c);
    EXPECT_EQ(t.date, "02/03/11");
    EXPECT_EQ(t.time, "14:05");
    c.useSystemTime = false;
    for (const char* bad : {"", "13/40/2009", "1_/__/____"}) {
        c.dateItem = bad;
        t = DeviceClockTexts(c);
        EXPECT_FALSE(t.dateValid) << bad;
        EXPECT_EQ(t.date, "") << bad;
    }
    EXPECT_EQ(InvalidDateMessage(false), "Invalid date. Please enter date as dd/mm/yyyy.");
}

class SaveEditedSetTest : public test::KvlTest {
protected:
    void SetUp() override
    {
        test::KvlTest::SetUp();
        const QString path = Home() + "/log.dlg";
        ASSERT_TRUE(test::MakeFreshLog(path));
        db = db::Database::Open(path);
        for (int leg = 1; leg <= 3; ++leg)
            db->Execute("Insert into DC_NAV (DCID, DCSERIALNO, LEGNO, HEADING, CDT) values (?, -1, ?, 10, 60)",
                        {Model, leg});
    }
    qint64 Count(const QString& sql) { return db->Scalar(sql, {Model}).ToLong(); }
    std::unique_ptr<db::Database> db;
};

TEST_F(SaveEditedSetTest, SavesOneEditedRowAndTheAlarmsOfEachLeg)
{
    EditedChoices c;
    c.maxDepth = 40;
    const std::vector<LegAlarms> alarms = {{1, -1, 0}, {2, 0, -1}, {3, -1, -1}};
    EXPECT_EQ(SaveEditedSet(*db, Model, EditedSettingsRow(c), alarms), SaveFailure::None);
    c.maxDepth = 50;
    EXPECT_EQ(SaveEditedSet(*db, Model, EditedSettingsRow(c), alarms), SaveFailure::None);
    EXPECT_EQ(Count("Select count(*) from DC_SETTINGS where DCID = ? and DCSERIALNO = -1"), 1);
    EXPECT_EQ(Count("Select MAXDEPTH from DC_SETTINGS where DCID = ? and DCSERIALNO = -1"), 50);
    EXPECT_EQ(Count("Select sum(AUDIBLEALARM) from DC_NAV where DCID = ? and DCSERIALNO = -1"), -2);
    EXPECT_EQ(Count("Select sum(LIGHTALARM) from DC_NAV where DCID = ? and DCSERIALNO = -1"), -2);
}

TEST_F(SaveEditedSetTest, AFailingAlarmLeavesNothingWritten)
{
    db->Execute("CREATE TRIGGER no_alarm BEFORE UPDATE ON DC_NAV WHEN NEW.LEGNO = 3 "
                "BEGIN SELECT RAISE(ABORT, 'locked'); END");
    EditedChoices c;
    c.maxDepth = 40;
    EXPECT_EQ(SaveEditedSet(*db, Model, EditedSettingsRow(c), {{1, -1, -1}, {3, -1, -1}}), SaveFailure::LegAlarm);
    EXPECT_EQ(Count("Select count(*) from DC_SETTINGS where DCID = ? and DCSERIALNO = -1"), 0);
    EXPECT_EQ(Count("Select sum(AUDIBLEALARM) from DC_NAV where DCID = ? and DCSERIALNO = -1"), 0);

    db->Execute("CREATE TRIGGER no_row BEFORE INSERT ON DC_SETTINGS BEGIN SELECT RAISE(ABORT, 'full'); END");
    EXPECT_EQ(SaveEditedSet(*db, Model, EditedSettingsRow(c), {}), SaveFailure::SettingsRow);
}

} // namespace
} // namespace kvl::settings
