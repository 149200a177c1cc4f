// The query builder: the statement text with its bound values for each kind of
// criterion, and what the statement finds in a log.
#include "analysis/core/QueryBuilder.h"
#include "tests/analysis/core/AnalysisLogTest.h"

#include <tuple>

namespace kvl::test {
namespace {

const QString kBase = "Select * from DIVEDATA";
const QString kOrder = " ORDER BY DIVEDATE, DIVETIME, DIVENO ;";

class QueryBuilderTest : public AnalysisLogTest {
protected:
    BuiltQuery Build(const QueryCriteria& criteria, QueryUnits units = {0, 0, 0})
    {
        return BuildQuery(Db(), criteria, units, ReadExtremes(*OpenExtremes(Db())));
    }
    // LIFETIMEDIVENO of each dive the statement finds, in its order.
    std::vector<qint64> Found(const BuiltQuery& query)
    {
        std::vector<qint64> numbers;
        auto rs = Db().OpenRecordset(query.sql, query.params);
        for (; !rs->EOF(); rs->MoveNext())
            numbers.push_back(rs->Field("LIFETIMEDIVENO").ToLong());
        return numbers;
    }
};

TEST_F(QueryBuilderTest, AllAloneTakesEveryDiveInDateTimeAndNumberOrder)
{
    AddDive({{"LIFETIMEDIVENO", 1}, {"DIVEDATE", "2009/05/02"}, {"DIVETIME", "09:00"}, {"DIVENO", 1}});
    AddDive({{"LIFETIMEDIVENO", 2}, {"DIVEDATE", "2009/05/01"}, {"DIVETIME", "14:00"}, {"DIVENO", 2}});
    AddDive({{"LIFETIMEDIVENO", 3}, {"DIVEDATE", "2009/05/01"}, {"DIVETIME", "09:00"}, {"DIVENO", 3}});
    QueryCriteria all;
    all.all = true;
    const BuiltQuery query = Build(all);
    EXPECT_TRUE(query.runs);
    EXPECT_EQ(query.sql, kBase + kOrder);
    EXPECT_TRUE(query.params.empty());
    EXPECT_EQ(Found(query), (std::vector<qint64>{3, 2, 1}));
}

TEST_F(QueryBuilderTest, NothingTickedRunsNothing)
{
    QueryCriteria none;
    none.buddy = {false, "Ann"};   // a name chosen but not ticked
    const BuiltQuery query = Build(none);
    EXPECT_FALSE(query.runs);
    EXPECT_EQ(query.sql, kBase);
}

TEST_F(QueryBuilderTest, ModelMetricDepthAndBuddyJoinInTheirOrder)
{
    const qint64 ann = AddPerson("Ann", 4);
    AddPerson("Ann", 3);   // a crew member of the same name is not a buddy
    const qint64 deep = AddDive({{"LIFETIMEDIVENO", 1}, {"MODELID", 6774}, {"MDEPTH", 60}, {"DIVEDATE", "2009/01/01"}});
    const qint64 shallow = AddDive({{"LIFETIMEDIVENO", 2}, {"MODELID", 6774}, {"MDEPTH", 20}, {"DIVEDATE", "2009/01/02"}});
    AddDive({{"LIFETIMEDIVENO", 3}, {"MODELID", 0}, {"MDEPTH", 60}, {"DIVEDATE", "2009/01/03"}});
    for (const qint64 dive : {deep, shallow})
        InsertRow(Db(), "BUDDIES", {{"DIVEID", dive}, {"BUDDYID", ann}});
    QueryCriteria c;
    c.model = true;
    c.modelText = "qx07";
    c.maxDepth = {true, "30", "10"};
    c.buddy = {true, "Ann"};
    const BuiltQuery query = Build(c);
    EXPECT_EQ(query.sql, kBase + " Where MODELID = 6774 And MDEPTH <= 98 and MDEPTH >= 32.8084 And DIVEID IN (Select DIVEID "
                                 "from BUDDIES Where (BUDDYID = " + QString::number(ann) + "))" + kOrder);
    EXPECT_EQ(Found(query), (std::vector<qint64>{1}));
    c.modelText = "Other";
    EXPECT_TRUE(Build(c).sql.startsWith(kBase + " Where MODELID = 0 And"));
}

struct DateCase {
    const char* name;
    int unitDate;
    const char* from;
    const char* to;
    const char* clause;
};

class DiveDateTest : public QueryBuilderTest, public ::testing::WithParamInterface<DateCase> {};

TEST_P(DiveDateTest, DatesAreRearrangedAndOrdered)
{
    const DateCase& dc = GetParam();
    QueryCriteria c;
    c.diveDate = {true, dc.from, dc.to};
    const BuiltQuery query = Build(c, {dc.unitDate, 0, 0});
    if (*dc.clause == '\0') {
        EXPECT_FALSE(query.runs);
        return;
    }
    EXPECT_EQ(query.sql, kBase + " Where " + dc.clause + kOrder);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DiveDateTest,
    ::testing::Values(
        DateCase{"FromLaterThanToIsSwapped", 0, "15/06/2009", "01/03/2009",
                 "DIVEDATE >= '2009/03/01' and DIVEDATE <= '2009/06/15'"},
        DateCase{"MonthFirst", 1, "03/01/2009", "06/15/2009", "DIVEDATE >= '2009/03/01' and DIVEDATE <= '2009/06/15'"},
        DateCase{"SameDate", 0, "05/03/2009", "05/03/2009", "DIVEDATE = '2009/03/05'"},
        DateCase{"OnlyTheToDate", 0, "", "05/03/2009", "DIVEDATE >= '' and DIVEDATE <= '2009/03/05'"},
        DateCase{"OnlyTheFromDate", 0, "05/03/2009", "", "DIVEDATE >= '' and DIVEDATE <= '2009/03/05'"},
        DateCase{"NotADateCountsAsEmpty", 0, "O'Hara", "x'); drop table DIVEDATA", ""},
        DateCase{"NoSuchDay", 0, "31/02/2009", "", ""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(QueryBuilderTest, RangesTakeADecimalCommaAndTheStoredUnits)
{
    QueryCriteria c;
    c.maxDepth = {true, "12,5", "20"};
    c.temperature = {true, "20", "10"};
    c.bottomTime = {true, "0", "0"};   // 0 to 0 adds nothing
    EXPECT_EQ(Build(c, {0, 1, 0}).sql,
              kBase + " Where MDEPTH <= 20 and MDEPTH >= 12.5 And TEMP <= 68 and TEMP >= 50" + kOrder);
    c.temperature.ticked = false;
    c.bottomTime = {true, "45", "30,5"};
    EXPECT_EQ(Build(c, {0, 0, 0}).sql,
              kBase + " Where MDEPTH <= 65.6168 and MDEPTH >= 41 And BTIME <= 45 and BTIME >= 30.5" + kOrder);
}

// The ends of a range are ordered by the numbers they are read as, commas included.
TEST_F(QueryBuilderTest, RangesAreOrderedByTheValuesRead)
{
    for (const auto& [ltd, minutes, fahrenheit] : {std::tuple{1, 11.0, 28.0}, {2, 12.2, 33.0}, {3, 13.0, 50.0}})
        AddDive({{"LIFETIMEDIVENO", ltd}, {"DIVEDATE", "2009/01/0" + QString::number(ltd)}, {"BTIME", minutes},
                 {"TEMP", fahrenheit}});
    struct Case {
        RangeCriterion time;
        RangeCriterion temperature;
        std::vector<qint64> found;
    } const cases[] = {
        {{true, "12,5", "12"}, {}, {2}},
        {{true, "12", "12,5"}, {}, {2}},
        {{true, "12.5", "12"}, {}, {2}},
        {{true, "13", "10,5"}, {}, {1, 2, 3}},
        {{true, "11,5", "12,9"}, {}, {2}},
        {{}, {true, "-2", "-2,5"}, {1}},   // deg C: 27.5 to 28.4 deg F
        {{}, {true, "1", "-2,5"}, {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.time.from + " to " + c.time.to + c.temperature.from + " to " + c.temperature.to).toStdString());
        QueryCriteria criteria;
        criteria.bottomTime = c.time;
        criteria.temperature = c.temperature;
        EXPECT_EQ(Found(Build(criteria)), c.found);
    }
}

TEST_F(QueryBuilderTest, AnUnknownPersonOrTypeAddsNoClause)
{
    AddPerson("Bob", 2);
    QueryCriteria c;
    c.buddy = {true, "Gone"};
    c.captain = {true, "Bob"};
    c.crew = {true, "Bob"};   // Bob is a captain, not crew
    c.diveType = {true, "Wreck"};
    const BuiltQuery query = Build(c);
    EXPECT_EQ(query.sql, kBase + " Where DIVEID IN (Select DIVEID from CAPTAIN Where (CAPID = 1))" + kOrder);
    c.captain.ticked = false;
    EXPECT_FALSE(Build(c).runs);
}

TEST_F(QueryBuilderTest, NamesTravelAsBoundValuesAndFindApostrophes)
{
    const qint64 loc = InsertRow(Db(), "LOCATIONS", {{"LOCATIONNAME", "Cook's Bay"}});
    const qint64 site = InsertRow(Db(), "DIVESITES", {{"DIVESITE", "O'Neil Reef"}});
    const qint64 type = InsertRow(Db(), "DIVETYPEDATA", {{"TYPEDATA", "Night's dive"}});
    const qint64 found = AddDive({{"LIFETIMEDIVENO", 1}, {"OPERATOR", "O'Hara"}, {"LOCID", loc}, {"SITEID", site},
                                  {"GEAR", "Joe's bag"}});
    AddDive({{"LIFETIMEDIVENO", 2}, {"OPERATOR", "Blue"}, {"LOCID", loc}});
    InsertRow(Db(), "DIVETYPES", {{"DIVEID", found}, {"TYPEID", type}});
    QueryCriteria c;
    c.operatorName = {true, "O'Hara"};
    c.location = {true, "Cook's Bay"};
    c.site = {true, "O'Neil Reef"};
    c.diveType = {true, "Night's dive"};
    c.gear = {true, "Joe's bag"};
    const BuiltQuery query = Build(c);
    EXPECT_EQ(query.sql, kBase + " Where OPERATOR = ? And LOCID IN (Select LOCID from LOCATIONS Where (LOCATIONNAME = ?)) "
                                 "And SITEID IN (Select SITEID from DIVESITES Where (DIVESITE = ?)) And DIVEID IN "
                                 "(Select DIVEID from DIVETYPES Where (TYPEID = " + QString::number(type) +
                                 ")) And GEAR = ?" + kOrder);
    EXPECT_EQ(query.params, (db::Params{"O'Hara", "Cook's Bay", "O'Neil Reef", "Joe's bag"}));
    EXPECT_EQ(Found(query), (std::vector<qint64>{1}));
}

TEST_F(QueryBuilderTest, ExtremesAreBoundAndAnEmptyLogFindsNoDive)
{
    QueryCriteria deepest;
    deepest.extremes[static_cast<size_t>(Extreme::Deepest)] = true;
    BuiltQuery query = Build(deepest);
    EXPECT_EQ(query.sql, kBase + " Where MDEPTH = ?" + kOrder);
    ASSERT_EQ(query.params.size(), 1u);
    EXPECT_TRUE(query.params[0].IsNull());
    EXPECT_TRUE(Found(query).empty());

    AddDive({{"LIFETIMEDIVENO", 1}, {"MDEPTH", 98.4}});
    AddDive({{"LIFETIMEDIVENO", 2}, {"MDEPTH", 40}});
    query = Build(deepest);
    EXPECT_EQ(query.params, (db::Params{98.4}));
    EXPECT_EQ(Found(query), (std::vector<qint64>{1}));
}

TEST_F(QueryBuilderTest, TheHiddenModeAndStatusCriteriaAreBuilt)
{
    AddDive({{"LIFETIMEDIVENO", 1}, {"FO2", 21}, {"GAUGEDIVE", true}});
    AddDive({{"LIFETIMEDIVENO", 2}, {"FO2", 32}, {"VIOLATION", 1}});
    QueryCriteria c;
    c.diveMode = true;
    c.modeNavigation = true;
    c.diveStatus = true;
    c.statusGauge = true;
    EXPECT_EQ(Build(c).sql, kBase + " Where FO2 > 21 And GAUGEDIVE <> 0" + kOrder);
    c.modeNavigation = false;
    c.modeNormal = true;
    EXPECT_EQ(Found(Build(c)), (std::vector<qint64>{1}));
    c.statusGauge = false;
    c.statusNormal = true;
    EXPECT_EQ(Build(c).sql, kBase + " Where FO2 <= 21 And DECOMDIVE = 0 And VIOLATION = 0 and GAUGEDIVE = 0" + kOrder);
}

} // namespace
} // namespace kvl::test
