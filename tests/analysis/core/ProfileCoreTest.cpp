// The profile's widget-free pieces: the sample walk and grid cells, the alarm state,
// the depth clip, the spreading of equal times, the axes, the segments and the cursor.
#include "analysis/core/Profile.h"
#include "shell/core/Global_Vars.h"
#include "tests/support/ProfileLog.h"

#include <gtest/gtest.h>

namespace kvl::test {
namespace {

using namespace kvl::profile;

class ProfileCoreTest : public ProfileLogTest {
protected:
    qint64 dive = 0;
    void SetUp() override
    {
        ProfileLogTest::SetUp();
        dive = AddDive({{"DATATYPE", 1}, {"MDEPTH", 100}, {"BTIME", 30}});
    }
    std::vector<qint32> KeptTimes()
    {
        std::vector<qint32> times;
        for (const ProfileSample& s : LoadProfileSamples(*gv.DB, qint32(dive)).kept)
            times.push_back(s.time);
        return times;
    }
};

TEST_F(ProfileCoreTest, KeepsSamplesInOrderSkippingEarlierTimes)
{
    AddTimes(dive, {10, 20, 15, 30, 30});
    EXPECT_EQ(KeptTimes(), (std::vector<qint32>{10, 20, 30, 30})) << "equal times stay, an earlier one goes";
}

TEST_F(ProfileCoreTest, RowsThatAreNoSamplesAddNothing)
{
    AddSamples(dive, {{10, 30.0},
                      {std::nullopt, 40.0},
                      {20, std::nullopt},
                      {25, 50.0, 0, 0, 72, 0, int(OtherRecord)},
                      {30, 35.0, 0, 0, std::nullopt, std::nullopt},
                      {40, 20.0}});
    const ProfileRows rows = LoadProfileSamples(*gv.DB, qint32(dive));
    EXPECT_EQ(rows.sampleRows, 3);
    ASSERT_EQ(rows.kept.size(), 3u);
    EXPECT_TRUE(rows.kept[1].temp.IsNull()) << "Null columns of a sample stay Null";
    EXPECT_EQ(SampleTempText(rows.kept[1].temp, true), "");
    EXPECT_EQ(SamplePO2Text(rows.kept[1].po2), "");
}

TEST_F(ProfileCoreTest, FewerThanThreeSampleRowsMakeNoProfile)
{
    AddSamples(dive, {{10, 30.0}, {20, 40.0}, {std::nullopt, std::nullopt}, {30, 0.0, 0, 0, 72, 0, 0x40}});
    const ProfileRows rows = LoadProfileSamples(*gv.DB, qint32(dive));
    EXPECT_EQ(rows.sampleRows, 2);
    EXPECT_TRUE(rows.kept.empty());
    EXPECT_TRUE(LoadProfileSamples(*gv.DB, 999).kept.empty()) << "a dive without rows";
}

TEST_F(ProfileCoreTest, ALogWithoutSampleTableHasNoRows)
{
    gv.DB->Execute("DROP TABLE DIVEDETAILS");
    EXPECT_EQ(LoadProfileSamples(*gv.DB, qint32(dive)).sampleRows, 0);
}

TEST_F(ProfileCoreTest, ClipWritesDeeperSamplesOnceInOneGo)
{
    AddSamples(dive, {{10, 90.0}, {20, 130.0}, {30, 100.0}, {40, 101.0}});
    ProfileRows rows = LoadProfileSamples(*gv.DB, qint32(dive));
    EXPECT_EQ(ClipSampleDepths(*gv.DB, rows, 100), 2);
    EXPECT_EQ(rows.kept[1].depth, 100);
    EXPECT_EQ(gv.DB->Scalar("SELECT MAX(DEPTH) FROM DIVEDETAILS WHERE DIVEID = ?", {dive}).ToLong(), 100);
    EXPECT_EQ(ClipSampleDepths(*gv.DB, rows, 100), 0);
}

// One grid cell of a sample, in imperial or metric units.
struct CellCase {
    const char* name;
    ProfileSample sample;
    bool imperial;
    int column;
    const char* expected;
};

class SampleCellTest : public ProfileLogTest, public ::testing::WithParamInterface<CellCase> {};

TEST_P(SampleCellTest, Reads)
{
    const CellCase& c = GetParam();
    SetImperial(c.imperial);
    const QStringList cells = SampleGridRow(7, c.sample, 0, AscentScale::Velk).split('\t');
    ASSERT_EQ(cells.size(), 8);
    EXPECT_EQ(cells[c.column], c.expected);
}

ProfileSample Sample(qint32 time, double depth, double temp = 72, double po2 = 0)
{
    ProfileSample s;
    s.time = time;
    s.depth = depth;
    s.temp = temp;
    s.po2 = po2;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cells, SampleCellTest,
    ::testing::Values(CellCase{"Index", Sample(754, 30), true, 0, "7"},
                      CellCase{"ElapsedTime", Sample(754, 30), true, 1, "00:12:34"},
                      CellCase{"Hours", Sample(3 * 3600 + 5, 30), true, 1, "03:00:05"},
                      CellCase{"Depth400Shown", Sample(10, 400), true, 2, "400 FT"},
                      CellCase{"Depth401Dashes", Sample(10, 401), true, 2, "--- FT"},
                      CellCase{"Depth401DashesMetric", Sample(10, 401), false, 2, "--- M"},
                      CellCase{"Metric33", Sample(10, 33), false, 2, "10.1 M"},
                      CellCase{"MetricBelowOneMetre", Sample(10, 1), false, 2, ".3 M"},
                      CellCase{"TempImperial", Sample(10, 30, 72), true, 4, "72 F"},
                      CellCase{"TempMetric", Sample(10, 30, 72), false, 4, "22.2 C"},
                      CellCase{"PO2", Sample(10, 30, 72, 128), true, 5, "1.28"},
                      CellCase{"PO2Zero", Sample(10, 30, 72, 0), true, 5, "0.00"},
                      CellCase{"NoAlarm", Sample(10, 30), true, 6, ""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ProfileLogTest, DepthCellAddsTheSecondDepth)
{
    SetImperial(true);
    ProfileSample s = Sample(10, 30);
    s.tdepth = 5;
    EXPECT_EQ(SampleDepthText(s, true), "35 FT");
}

TEST_F(ProfileLogTest, AlarmCellsNameTheAlarms)
{
    SetImperial(true);
    const QStringList cells = SampleGridRow(0, Sample(10, 30), EdtBit | MaxPO2, AscentScale::Velk).split('\t');
    EXPECT_EQ(cells[6], "ON");
    EXPECT_EQ(cells[7], "Max PO2, EDT");
}

// The alarms shown on each sample of a run of 2-second samples.
std::vector<quint8> Shown(const std::vector<std::pair<quint8, float>>& alarmsAndDepths, float maxDepthAlarm)
{
    AlarmState state;
    std::vector<quint8> shown;
    qint32 t = 0;
    for (const auto& [alarm, depth] : alarmsAndDepths) {
        state.Next(alarm, t, depth, maxDepthAlarm);
        shown.push_back(state.AlarmStatus);
        t += 2;
    }
    return shown;
}

TEST(AlarmStateTest, EdtShowsForTenSecondsOnly)
{
    std::vector<std::pair<quint8, float>> run(31, {EdtBit, 50.f});   // 0 to 60 s
    const auto shown = Shown(run, 0);
    for (size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(shown[i], i <= 4 ? EdtBit : 0) << "at " << 2 * i << " s";
}

TEST(AlarmStateTest, MaxDepthShowsAgainOnlyAfterAShallowerSample)
{
    std::vector<std::pair<quint8, float>> run(8, {MaxDepthBit, 100.f});   // 0 to 14 s
    run.push_back({MaxDepthBit, 95.f});   // 16 s: still latched, not shallower than 90
    run.push_back({0, 95.f});             // 18 s: off, but not shallower
    run.push_back({MaxDepthBit, 95.f});   // 20 s: still latched
    run.push_back({0, 85.f});             // 22 s: shallower: latch released
    run.push_back({MaxDepthBit, 95.f});   // 24 s: shows again
    const auto shown = Shown(run, 90);
    const std::vector<quint8> expected{2, 2, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 2};
    EXPECT_EQ(shown, expected);
}

TEST(AlarmStateTest, CopiedBitsFollowEachSampleAndNavNeverShows)
{
    const auto shown = Shown({{Passed400 | NavLegOver, 10.f}, {MaxPO2 | AscentRateBit, 10.f}, {NavLegOver, 10.f}}, 0);
    EXPECT_EQ(shown, (std::vector<quint8>{Passed400, MaxPO2 | AscentRateBit, 0}));
}

struct ResampleCase {
    const char* name;
    std::vector<qint32> in;
    std::vector<qint32> out;
};

class ResamplingTest : public ::testing::TestWithParam<ResampleCase> {};

TEST_P(ResamplingTest, Spreads)
{
    std::vector<qint32> times = GetParam().in;
    ResamplingTime(times, int(times.size()));
    EXPECT_EQ(times, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Runs, ResamplingTest,
                         ::testing::Values(ResampleCase{"ThreeEqual", {0, 2, 2, 2, 4}, {0, 2, 2, 3, 4}},
                                           ResampleCase{"RunAtTheEndStays", {0, 2, 4, 4, 4}, {0, 2, 4, 4, 4}},
                                           ResampleCase{"FourEqualOverEight", {0, 10, 10, 10, 10, 18},
                                                        {0, 10, 10, 12, 15, 18}},
                                           ResampleCase{"NoRuns", {0, 2, 4}, {0, 2, 4}}),
                         [](const auto& row) { return std::string(row.param.name); });

struct AxisCase {
    const char* name;
    db::Value btime;
    int step;
    int ticks;
    int seconds;
};

class TimeAxisTest : public ::testing::TestWithParam<AxisCase> {};

TEST_P(TimeAxisTest, Scales)
{
    const AxisScale axis = TimeAxis(GetParam().btime);
    EXPECT_EQ(axis.step, GetParam().step);
    EXPECT_EQ(axis.ticks, GetParam().ticks);
    EXPECT_EQ(axis.Length() * 60, GetParam().seconds);
}

INSTANTIATE_TEST_SUITE_P(Dives, TimeAxisTest,
                         ::testing::Values(AxisCase{"Zero", 0, 1, 1, 60}, AxisCase{"Null", db::Value(), 1, 1, 60},
                                           AxisCase{"Negative", -5, 1, 1, 60}, AxisCase{"Ten", 10, 1, 10, 600},
                                           AxisCase{"Eleven", 11, 2, 6, 720}, AxisCase{"Twelve", 12, 2, 6, 720},
                                           AxisCase{"FortySeven", 47, 5, 10, 3000},
                                           AxisCase{"TwoHundredOne", 201, 60, 4, 14400}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(DepthAxisTest, Scales)
{
    const AxisScale a = DepthAxis(35.4);
    EXPECT_EQ(a.step, 5);
    EXPECT_EQ(a.ticks, 8);
    EXPECT_EQ(a.Length(), 40);
    const AxisScale feet400 = DepthAxis(400);
    EXPECT_EQ(feet400.step, 50);
    EXPECT_EQ(feet400.ticks, 8);
    const AxisScale metres400 = DepthAxis(400 * 0.3048);   // 121.92 m
    EXPECT_EQ(metres400.step, 20);
    EXPECT_EQ(metres400.ticks, 7);
    EXPECT_EQ(metres400.Length(), 140);
}

TEST(SegmentsTest, RedOnlyForFastAscents)
{
    const std::vector<qint32> t{10, 20, 30, 40, 50};
    const std::vector<float> d{30, 60, 40, 40, 20};
    const std::vector<quint8> band{5, 5, 5, 5, 4};
    const auto segments = BuildSegments(t, d, band, 5, 4);
    ASSERT_EQ(segments.size(), 5u);
    EXPECT_EQ(segments[0].t0, 0);
    EXPECT_EQ(segments[0].d0, 0);
    EXPECT_FALSE(segments[0].fastAscent);
    EXPECT_FALSE(segments[1].fastAscent) << "descending";
    EXPECT_TRUE(segments[2].fastAscent) << "ascending with band 5 above 4";
    EXPECT_FALSE(segments[3].fastAscent) << "level";
    EXPECT_FALSE(BuildSegments(t, d, {5, 4, 5, 5, 4}, 5, 4)[2].fastAscent) << "band 4 is not above 4";
}

struct PointCase {
    const char* name;
    double x;
    bool drawn;
    int index;
    double pointX;
    double pointY;
};

class PointAtTimeTest : public ::testing::TestWithParam<PointCase> {};

TEST_P(PointAtTimeTest, Finds)
{
    const std::vector<qint32> t{10, 20, 20, 40};
    const std::vector<float> d{10, 30, 30, 50};
    const CursorPoint p = PointAtTime(t, d, 4, GetParam().x);
    EXPECT_EQ(p.drawn, GetParam().drawn);
    if (!p.drawn)
        return;
    EXPECT_EQ(p.index, GetParam().index);
    EXPECT_DOUBLE_EQ(p.x, GetParam().pointX);
    EXPECT_DOUBLE_EQ(p.y, GetParam().pointY);
}

INSTANTIATE_TEST_SUITE_P(Clicks, PointAtTimeTest,
                         ::testing::Values(PointCase{"Before", 3, true, -1, 10, 10},
                                           PointCase{"OnFirst", 10, true, 0, 10, 10},
                                           PointCase{"Between", 15, true, 0, 15, 20},
                                           PointCase{"OnEqualTimesTakesTheFirst", 20, true, 1, 20, 30},
                                           PointCase{"AfterEqualTimes", 30, true, 2, 30, 40},
                                           PointCase{"OnLast", 40, true, 3, 40, 50},
                                           PointCase{"After", 41, false, -1, 0, 0}),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace kvl::test
