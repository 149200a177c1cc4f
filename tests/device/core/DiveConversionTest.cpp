#include "device/core/DiveConversion.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

#include <gtest/gtest.h>

namespace kvl::device {
namespace {

QByteArray Page(std::initializer_list<std::pair<int, int>> bytes)
{
    QByteArray b(16, '\0');
    for (auto [i, v] : bytes)
        b[i] = static_cast<char>(v);
    return b;
}

QByteArray Sample(int hours, int minutes, int seconds, int depth, int temp, int vari = 0, int alarm = 0)
{
    QByteArray s(8, '\0');
    s[0] = static_cast<char>(hours);
    s[1] = static_cast<char>(minutes);
    s[2] = static_cast<char>(seconds);
    s[3] = static_cast<char>(vari << 5);
    s[4] = static_cast<char>(depth / 16);
    s[5] = static_cast<char>(alarm);
    s[6] = static_cast<char>(temp);
    s[7] = static_cast<char>((depth % 16) << 4);
    return s;
}

struct TestImage {
    Image bytes = Image(RxBufferSize, 0);
    void Put(int page, const QByteArray& data, int offset = 0)
    {
        std::copy(data.begin(), data.end(), bytes.begin() + page * PageSlotSize + offset);
    }
    // Samples two to a page from the page after the start page.
    void PutSamples(int sa, const std::vector<QByteArray>& samples)
    {
        int page = NextRingPage(NextRingPage(sa));
        for (std::size_t i = 0; i < samples.size(); ++i) {
            Put(page, samples[i], (i % 2) * 8);
            if (i % 2)
                page = NextRingPage(page);
        }
    }
};

// --- summary and start page ----------------------------------------------

TEST(DiveSummary, DecodesDepthTimeOxygenAndSurfaceInterval)
{
    const DiveSummary s = DecodeSummary(Page({{0, 0x37}, {1, 0x06}, {3, 42}, {4, 0}, {5, 0}, {6, 32}, {7, 77}}),
                                        Page({{14, 0x01}, {13, 0x25}}));
    EXPECT_EQ(s.MDEPTH, 6 * 16 + 3);
    EXPECT_EQ(s.TDEPTH, 7);
    EXPECT_EQ(s.BTIME, 42);
    EXPECT_EQ(s.FO2, 32);
    EXPECT_EQ(s.MINIMUM, 77);
    EXPECT_EQ(s.STIME, "01:25");
}

TEST(DiveSummary, BottomTimeRoundsUpToTheNextMinute)
{
    EXPECT_EQ(DecodeSummary(Page({{3, 42}, {5, 1}}), {}).BTIME, 43);
    EXPECT_EQ(DecodeSummary(Page({{4, 1}, {3, 2}}), {}).BTIME, 62);
}

// --- samples --------------------------------------------------------------

constexpr int SA = 200;

std::vector<SampleRow> Rows(const std::vector<QByteArray>& samples, int fo2 = 21, int ea = SA + 10)
{
    TestImage img;
    img.PutSamples(SA, samples);
    return DecodeProfile(img.bytes, SA, ea, fo2).rows;
}

TEST(DiveProfile, SkipsEmptySamplesAndStoresOtherRecordsWithTheirType)
{
    auto rows = Rows({QByteArray(8, '\0'), Sample(0, 0, 30, 33, 70)});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].DEPTH, 33);

    QByteArray other(8, '\x11');
    other[0] = 0x40;
    rows = Rows({Sample(0, 0, 30, 33, 70), other});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_FALSE(rows[1].depthSample);
    EXPECT_EQ(rows[1].RECORDTYPE, 64);
    EXPECT_EQ(rows[1].DEPTH, 0);
}

TEST(DiveProfile, DecodesDepthTimeVariAndPartialPressure)
{
    QByteArray deep = Sample(1, 2, 3, 0, 70, 7, 0x81);
    deep[4] = 0x1A;
    deep[7] = 0x35;
    auto rows = Rows({Sample(0, 1, 0, 99, 70), deep}, 32);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_DOUBLE_EQ(rows[0].PO2, 128);
    EXPECT_EQ(rows[1].DEPTH, 401);
    EXPECT_EQ(rows[1].BTIME, 3723);
    EXPECT_EQ(rows[1].VARI, 5);
    EXPECT_EQ(rows[1].ALARM, 0x81);
    EXPECT_EQ(rows[1].TDEPTH, 0);
    EXPECT_DOUBLE_EQ(Rows({Sample(0, 1, 0, 99, 70)}, 0)[0].PO2, 0);
    EXPECT_DOUBLE_EQ(Rows({Sample(0, 1, 0, 99, 70)}, 20)[0].PO2, 0);
}

TEST(DiveProfile, DropsSamplesOutOfTimeOrderAndBadTemperatures)
{
    auto rows = Rows({Sample(0, 0, 20, 10, 70), Sample(0, 1, 10, 20, 70), Sample(0, 0, 50, 30, 70),
                      Sample(0, 2, 0, 40, 255), Sample(0, 2, 10, 50, 0), Sample(11, 0, 0, 60, 70)});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].DEPTH, 20);
}

TEST(DiveProfile, AverageAndVariComeFromTheStoredDepthSamplesOnly)
{
    TestImage img;
    QByteArray other(8, '\0');
    other[0] = 0x40;
    img.PutSamples(SA, {Sample(0, 0, 15, 10, 70, 1), Sample(0, 0, 30, 30, 70, 3), Sample(0, 0, 45, 400, 255, 7),
                        other, Sample(0, 1, 0, 20, 70, 2)});
    const DiveProfile p = DecodeProfile(img.bytes, SA, SA + 10, 21);
    EXPECT_EQ(p.rows.size(), 4u);
    EXPECT_EQ(p.depthCount, 3);
    EXPECT_DOUBLE_EQ(p.depthSum / p.depthCount, 20);
    EXPECT_EQ(p.vari, 3);
}

TEST(DiveProfile, FollowsTheRingPastItsLastPage)
{
    for (int sa : {4000, 4094, 4095}) {
        TestImage img;
        std::vector<QByteArray> samples;
        for (int i = 0; i < 20; ++i)
            samples.push_back(Sample(0, i, 0, 10 + i, 70));
        img.PutSamples(sa, samples);
        // The summary follows the last sample page.
        int ea = NextRingPage(NextRingPage(sa));
        for (int i = 0; i < 10; ++i)
            ea = NextRingPage(ea);
        const DiveProfile p = DecodeProfile(img.bytes, sa, ea, 21);
        ASSERT_EQ(p.rows.size(), 20u) << sa;
        EXPECT_EQ(p.rows.back().DEPTH, 29) << sa;
    }
}

TEST(DiveProfile, ADiveOutsideTheRingGivesNoSamples)
{
    TestImage img;
    img.PutSamples(60, {Sample(0, 0, 15, 10, 70)});
    EXPECT_TRUE(DecodeProfile(img.bytes, 60, 70, 21).rows.empty());
    EXPECT_TRUE(DecodeProfile(img.bytes, 200, 5000, 21).rows.empty());
}

// --- the settings copy ---------------------------------------------------

TEST(DiveSettingsCopy, ReadsTheCopyWithItsBcdDiveTimeAlarm)
{
    const auto v = DecodeDiveSettings(Page({{0, 7}, {2, 0x45}, {3, 0x01}, {4, 0xB9}, {5, 0x0B}, {6, 0xB9},
                                            {7, 0x0B}, {9, 0x3F}, {14, 0x20}, {15, 7}}));
    const std::vector<std::pair<const char*, qint64>> expected{
        {"MAXDEPTH", 30}, {"EDT", 145}, {"TURNPSI", 10000}, {"ENDPSI", 300}, {"MAXNIBG", 5},
        {"CHRONO", 1},    {"ASCENT", 0}, {"DIVESAMPLE", 0}, {"GAUGE", 0}};
    for (const auto& [column, value] : expected)
        EXPECT_EQ(settings::ValueOf(v, column).ToLong(), value) << column;
    EXPECT_EQ(v.size(), 25u);
}

// --- writing the rows -----------------------------------------------------

class ConvertDiveTest : public test::KvlTest {
protected:
    void SetUp() override
    {
        test::KvlTest::SetUp();
        ASSERT_TRUE(test::MakeFreshLog(Home() + "/log.dlg"));
        db = db::Database::Open(Home() + "/log.dlg");
        for (int ltd : {1, 2, 3})
            test::InsertRow(*db, "DIVEDATA", {{"LIFETIMEDIVENO", ltd}, {"DIVEDATE", "2001/01/0" + QString::number(ltd)}});
        img.Put(SA, Page({{0, 8}, {2, 0x30}, {15, 1}}));
        img.Put(SA + 1, Page({{14, 0x01}, {13, 0x25}}));
        img.PutSamples(SA, {Sample(0, 0, 15, 33, 70, 2), Sample(0, 0, 30, 66, 71, 1), Sample(0, 0, 45, 99, 72)});
        img.Put(SA + 4, Page({{0, 0x05}, {1, 0x06}, {3, 42}, {5, 1}, {6, 32}, {7, 68}}));
        dive.record.DiveNo = 7;
        dive.record.DiveDate = "2009/06/04";
        dive.record.DiveTime = "13:00";
        dive.record.DiveMode = 1;
        dive.record.SA = SA;
        dive.record.EA = SA + 4;
        dive.lifetimeNo = 2;
        dive.modelId = 6774;
        dive.serial = 10203;
        dive.firmware = "2B";
    }

    db::Value Col(const QString& sql, const db::Params& p = {}) { return db->Scalar(sql, p); }

    std::unique_ptr<db::Database> db;
    TestImage img;
    DiveToConvert dive;
};

TEST_F(ConvertDiveTest, WritesTheSummarySettingsAndSamplesOfTheNewDive)
{
    const ConvertResult r = ConvertDive(*db, img.bytes, dive);
    ASSERT_EQ(r.error, "");
    auto rs = db->OpenRecordset("Select * from DIVEDATA where DIVEID = ?", {r.diveId});
    ASSERT_FALSE(rs->EOF());
    const std::vector<std::pair<const char*, db::Value>> expected{
        {"LIFETIMEDIVENO", 2}, {"DIVENO", 7},     {"MODELID", 6774},     {"MODELSERNO", 10203},
        {"FIRMWAREREV", "2B"}, {"DIVEDATE", "2009/06/04"}, {"DIVETIME", "13:00"}, {"DATATYPE", 17},
        {"STIME", "01:25"},    {"MDEPTH", 96.0},  {"TDEPTH", 5},         {"BTIME", 43},
        {"FO2", 32},           {"MINIMUM", 68.0}, {"TEMP", 68.0},        {"SNAPSHOT", 1},
        {"VARI", 2},           {"AVGDEPTH", 66.0}, {"DECOMDIVE", 0},     {"GAUGEDIVE", 0}};
    for (const auto& [column, value] : expected)
        EXPECT_EQ(rs->Field(column).ToString(), value.ToString()) << column;

    auto samples = db->OpenRecordset("Select * from DIVEDETAILS where DIVEID = ? order by ORDNO", {r.diveId});
    ASSERT_EQ(samples->RecordCount(), 3);
    samples->MoveLast();
    EXPECT_EQ(samples->Field("ORDNO").ToLong(), 3);
    EXPECT_EQ(samples->Field("DEPTH").ToLong(), 99);
    EXPECT_EQ(samples->Field("BTIME").ToLong(), 45);
    EXPECT_EQ(samples->Field("TEMP").ToLong(), 72);
    EXPECT_DOUBLE_EQ(samples->Field("PO2").ToDouble(), 32.0 * 132 / 33);

    auto settingsRow = db->OpenRecordset("Select * from DIVE_DC_SETTINGS where DIVEID = ?", {r.diveId});
    ASSERT_EQ(settingsRow->RecordCount(), 1);
    EXPECT_EQ(settingsRow->Field("MAXDEPTH").ToLong(), 40);
    EXPECT_EQ(settingsRow->Field("EDT").ToLong(), 30);
    EXPECT_EQ(settingsRow->Field("DIVESAMPLE").ToLong(), 1);
    // Appending leaves the older dives' numbers alone.
    EXPECT_EQ(Col("Select count(*) from DIVEDATA where LIFETIMEDIVENO = 2").ToLong(), 2);
}

TEST_F(ConvertDiveTest, InsertingShiftsTheLaterDivesAndAddressesTheNewDiveById)
{
    dive.shiftLaterDives = true;
    const ConvertResult r = ConvertDive(*db, img.bytes, dive);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(Col("Select group_concat(LIFETIMEDIVENO) from (select LIFETIMEDIVENO from DIVEDATA where DIVEID <> ? "
                  "order by DIVEID)",
                  {r.diveId})
                  .ToString(),
              "1,3,4");
    // The dive that held number 2 before the shift keeps its own values.
    EXPECT_EQ(Col("Select BTIME from DIVEDATA where DIVEDATE = '2001/01/02'").ToLong(), 0);
    EXPECT_EQ(Col("Select count(*) from DIVEDETAILS where DIVEID = ?", {r.diveId}).ToLong(), 3);
}

struct FailureCase {
    const char* name;
    const char* trigger;
    bool shift;
    const char* message;
};

class ConvertFailure : public ConvertDiveTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ConvertFailure, LeavesTheLogAsItWasAndSaysWhichStepFailed)
{
    const FailureCase& c = GetParam();
    db->Execute(c.trigger);
    dive.shiftLaterDives = c.shift;
    const ConvertResult r = ConvertDive(*db, img.bytes, dive);
    EXPECT_EQ(r.error, c.message);
    EXPECT_EQ(r.diveId, 0);
    EXPECT_EQ(Col("Select count(*) from DIVEDATA").ToLong(), 3);
    EXPECT_EQ(Col("Select group_concat(LIFETIMEDIVENO) from DIVEDATA").ToString(), "1,2,3");
    EXPECT_EQ(Col("Select count(*) from DIVE_DC_SETTINGS").ToLong(), 0);
    EXPECT_EQ(Col("Select count(*) from DIVEDETAILS").ToLong(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ConvertFailure,
    ::testing::Values(
        FailureCase{"AddingTheDive",
                    "CREATE TRIGGER t BEFORE INSERT ON DIVEDATA BEGIN SELECT RAISE(ABORT, 'x'); END", false,
                    "Error adding new dive."},
        FailureCase{"AddingAfterTheShift",
                    "CREATE TRIGGER t BEFORE INSERT ON DIVEDATA BEGIN SELECT RAISE(ABORT, 'x'); END", true,
                    "Error updating Life Time Dive No."},
        FailureCase{"WritingSamples",
                    "CREATE TRIGGER t BEFORE INSERT ON DIVEDETAILS BEGIN SELECT RAISE(ABORT, 'x'); END", true,
                    "Dive Data Error"},
        FailureCase{"WritingTheSettingsCopy",
                    "CREATE TRIGGER t BEFORE INSERT ON DIVE_DC_SETTINGS BEGIN SELECT RAISE(ABORT, 'x'); END",
                    false, "Dive Data Error"}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace kvl::device
