// Lifetime statistics: the calendar-month spans, the sums and their texts.
#include "analysis/core/Statistics.h"
#include "tests/analysis/core/AnalysisLogTest.h"

namespace kvl::test {
namespace {

struct SpanCase {
    const char* name;
    QDate today;
    int year, month;
    bool six, twelve;
};

class SpanTest : public ::testing::TestWithParam<SpanCase> {};

TEST_P(SpanTest, CountsByCalendarMonthsUpToTodaysMonth)
{
    const SpanCase& c = GetParam();
    EXPECT_EQ(InStatisticSpan(StatisticSpan::SixMonths, c.year, c.month, c.today), c.six);
    EXPECT_EQ(InStatisticSpan(StatisticSpan::TwelveMonths, c.year, c.month, c.today), c.twelve);
}

const QDate june15(2009, 6, 15);
const QDate september15(2009, 9, 15);

INSTANTIATE_TEST_SUITE_P(Spans, SpanTest,
                         ::testing::Values(SpanCase{"December2008InJune", june15, 2008, 12, true, true},
                                           SpanCase{"November2008InJune", june15, 2008, 11, false, true},
                                           SpanCase{"June2008InJune", june15, 2008, 6, false, true},
                                           SpanCase{"May2008InJune", june15, 2008, 5, false, false},
                                           SpanCase{"ThisMonth", june15, 2009, 6, true, true},
                                           SpanCase{"March2009InSeptember", september15, 2009, 3, true, true},
                                           SpanCase{"February2009InSeptember", september15, 2009, 2, false, true},
                                           SpanCase{"NextMonth", september15, 2009, 10, false, false},
                                           SpanCase{"NoSuchMonth", september15, 2008, 13, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StatisticTextTest, TotalsShowHoursAndTwoDigitMinutes)
{
    EXPECT_EQ(TotalTimeText(59 + 1), "1:00");
    EXPECT_EQ(TotalTimeText(5), "0:05");
    EXPECT_EQ(TotalTimeText(130), "2:10");
    EXPECT_EQ(TotalTimeText(6000), "100:00");
    EXPECT_EQ(TotalTimeText(0), "0:00");
    EXPECT_EQ(GasConsumedText(1000, 1), "1000 PSI");
    EXPECT_EQ(GasConsumedText(1000, 0), "70.0 BAR");
}

class StatisticsLogTest : public AnalysisLogTest {};

TEST_F(StatisticsLogTest, TheWalkAddsEachSpansDivesAndCountsMissingValuesAsNothing)
{
    AddDive({{"DIVEDATE", "2008/12/01"}, {"BTIME", 59}, {"SPSI", 3000}, {"EPSI", 2000}});
    AddDive({{"DIVEDATE", "2009/06/30"}, {"BTIME", db::Value()}, {"SPSI", db::Value()}, {"EPSI", 500}});
    AddDive({{"DIVEDATE", "2008/11/30"}, {"BTIME", 1}, {"SPSI2", 1000}});
    AddDive({{"DIVEDATE", "2008/05/31"}, {"BTIME", 100}});
    AddDive({{"DIVEDATE", ""}, {"BTIME", 7}});
    AddDive({{"DIVEDATE", db::Value()}, {"BTIME", 7}});

    const SpanStatistics spans = WalkSpans(Db(), june15);
    EXPECT_EQ(spans.sixMonths.dives, 2);
    EXPECT_EQ(spans.sixMonths.minutes, 59);
    EXPECT_EQ(spans.sixMonths.startPressure - spans.sixMonths.endPressure, 3000 - 2000 - 500);
    EXPECT_EQ(spans.twelveMonths.dives, 3);
    EXPECT_EQ(spans.twelveMonths.minutes, 60);
    EXPECT_EQ(CountDives(Db()), 6);
    EXPECT_EQ(TotalBottomMinutes(Db()), 59 + 1 + 100 + 7 + 7);
}

TEST_F(StatisticsLogTest, AnEmptyLogHasNoDivesAndNoTime)
{
    EXPECT_EQ(CountDives(Db()), 0);
    EXPECT_EQ(TotalTimeText(TotalBottomMinutes(Db())), "0:00");
    EXPECT_EQ(WalkSpans(Db(), june15).twelveMonths.dives, 0);
}

} // namespace
} // namespace kvl::test
