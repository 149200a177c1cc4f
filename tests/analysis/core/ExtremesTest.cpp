// The record dives: their texts in both unit systems and the dive a record names.
#include "analysis/core/Extremes.h"
#include "tests/analysis/core/AnalysisLogTest.h"

namespace kvl::test {
namespace {

struct RecordCase {
    const char* name;
    Extreme extreme;
    db::Value value;
    int unitDepth, unitTemp;
    const char* text;
};

class RecordTextTest : public ::testing::TestWithParam<RecordCase> {};

TEST_P(RecordTextTest, ShowsTheRecordInTheUsersUnits)
{
    const RecordCase& c = GetParam();
    EXPECT_EQ(RecordText(c.extreme, c.value, c.unitDepth, c.unitTemp), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Records, RecordTextTest,
    ::testing::Values(RecordCase{"DepthInMetres", Extreme::Deepest, 100, 0, 0, "30.5 M"},
                      RecordCase{"DepthAsStored", Extreme::Deepest, 100, 1, 1, "100 FT"},
                      RecordCase{"OneFootInMetres", Extreme::Deepest, 1, 0, 0, ".3 M"},
                      RecordCase{"FractionalFeet", Extreme::BestVisibility, 98.4, 1, 1, "98.4 FT"},
                      RecordCase{"WarmInCelsius", Extreme::Warmest, 78, 0, 0, "26 C"},
                      RecordCase{"WarmAsStored", Extreme::Warmest, 78, 1, 1, "78 F"},
                      RecordCase{"BelowZeroCelsius", Extreme::Coldest, 14, 0, 0, "-10 C"},
                      RecordCase{"ZeroCelsiusShowsNoDigits", Extreme::Coldest, 32, 0, 0, " C"},
                      RecordCase{"TimeHasTwoDigitHours", Extreme::Longest, 75, 0, 0, "01:15"},
                      RecordCase{"LongTime", Extreme::Shortest, 6000, 1, 1, "100:00"},
                      RecordCase{"NoDepthMetric", Extreme::WorstVisibility, db::Value(), 0, 0, " M"},
                      RecordCase{"NoDepthImperial", Extreme::Deepest, db::Value(), 1, 1, " FT"},
                      RecordCase{"NoTemperature", Extreme::Warmest, db::Value(), 0, 0, " C"},
                      RecordCase{"NoTemperatureImperial", Extreme::Coldest, db::Value(), 1, 1, " F"},
                      RecordCase{"NoTime", Extreme::Longest, db::Value(), 0, 0, ":"}),
    [](const auto& row) { return std::string(row.param.name); });

class RecordDiveTest : public AnalysisLogTest {};

TEST_F(RecordDiveTest, TheLowestLifetimeNumberWinsATie)
{
    AddDive({{"LIFETIMEDIVENO", 3}, {"MDEPTH", 120.0}});
    const qint64 second = AddDive({{"LIFETIMEDIVENO", 2}, {"MDEPTH", 120.0}});
    AddDive({{"LIFETIMEDIVENO", 1}, {"MDEPTH", 80.0}});
    EXPECT_EQ(RecordDiveId(Db(), Extreme::Deepest), second);
}

TEST_F(RecordDiveTest, AFractionalRecordIsFoundByItsValue)
{
    AddDive({{"LIFETIMEDIVENO", 1}, {"VISIBILITY", 30.0}, {"TEMP", 71.6}});
    const qint64 clear = AddDive({{"LIFETIMEDIVENO", 2}, {"VISIBILITY", 98.4}, {"TEMP", 70.2}});
    EXPECT_EQ(RecordDiveId(Db(), Extreme::BestVisibility), clear);
    EXPECT_EQ(RecordDiveId(Db(), Extreme::Coldest), clear);
}

TEST_F(RecordDiveTest, TheWorstVisibilityLeavesOutDivesWithoutOne)
{
    AddDive({{"LIFETIMEDIVENO", 1}, {"VISIBILITY", 0}});
    AddDive({{"LIFETIMEDIVENO", 2}, {"VISIBILITY", ""}});
    AddDive({{"LIFETIMEDIVENO", 3}, {"VISIBILITY", db::Value()}});
    const ExtremeValues unrecorded = ReadExtremes(*OpenExtremes(Db()));
    EXPECT_TRUE(unrecorded[static_cast<size_t>(Extreme::WorstVisibility)].IsNull());
    EXPECT_EQ(RecordText(Extreme::WorstVisibility, unrecorded[static_cast<size_t>(Extreme::WorstVisibility)], 1, 1),
              " FT");
    EXPECT_EQ(RecordDiveId(Db(), Extreme::WorstVisibility), std::nullopt);

    const qint64 murky = AddDive({{"LIFETIMEDIVENO", 4}, {"VISIBILITY", 15}});
    AddDive({{"LIFETIMEDIVENO", 5}, {"VISIBILITY", 60}, {"MDEPTH", 0}});
    const ExtremeValues recorded = ReadExtremes(*OpenExtremes(Db()));
    EXPECT_EQ(recorded[static_cast<size_t>(Extreme::WorstVisibility)].ToLong(), 15);
    EXPECT_EQ(RecordDiveId(Db(), Extreme::WorstVisibility), murky);
    EXPECT_EQ(recorded[static_cast<size_t>(Extreme::Deepest)].ToLong(), 0) << "the other extremes keep their zeros";
}

TEST_F(RecordDiveTest, AnEmptyLogOrAMissingNumberNamesNoDive)
{
    EXPECT_EQ(RecordDiveId(Db(), Extreme::Deepest), std::nullopt);
    const ExtremeValues none = ReadExtremes(*OpenExtremes(Db()));
    EXPECT_TRUE(none[0].IsNull());
    AddDive({{"LIFETIMEDIVENO", db::Value()}, {"BTIME", 40}});
    EXPECT_EQ(RecordDiveId(Db(), Extreme::Longest), std::nullopt);
}

} // namespace
} // namespace kvl::test
