// The result rows: whole texts in both unit systems, the mode and status rules.
#include "analysis/core/QueryResults.h"
#include "tests/analysis/core/AnalysisLogTest.h"

namespace kvl::test {
namespace {

class QueryResultsTest : public AnalysisLogTest {
protected:
    QString RowOf(qint64 diveId)
    {
        auto rs = Db().OpenSnapshot(ResultSetSql("Select * from DIVEDATA where DIVEID = ?"), {diveId});
        return QueryResultRow(*rs, ModelNames(Db()));
    }
};

TEST_F(QueryResultsTest, ARowInEachUnitSystem)
{
    const qint64 id = AddDive({{"LIFETIMEDIVENO", 17}, {"DIVEDATE", "2009/05/21"}, {"DIVETIME", "14:30"},
                               {"DIVENO", 4}, {"MODELID", 6774}, {"MDEPTH", 100}, {"BTIME", 45},
                               {"TEMP", 78}, {"FO2", 32}, {"DATATYPE", 0x11}, {"DECOMDIVE", 1}});
    gv.UnitDate = gv.UnitDepth = gv.UnitTemp = gv.UnitTime = 1;
    EXPECT_EQ(RowOf(id), "17\t05/21/2009\t02:30 PM\t4\tQX07\t100 FT\t45 min.\t78 F\tNavigation\tDecompression\t" +
                             QString::number(id));
    gv.UnitDate = gv.UnitDepth = gv.UnitTemp = gv.UnitTime = 0;
    EXPECT_EQ(RowOf(id), "17\t21/05/2009\t14:30\t4\tQX07\t30.5 M\t45 min.\t26 C\tNavigation\tDecompression\t" +
                             QString::number(id));
}

TEST_F(QueryResultsTest, AnUnknownModelAndAZeroDepth)
{
    gv.UnitDepth = 1;
    const qint64 id = AddDive({{"LIFETIMEDIVENO", 1}, {"MODELID", 42}, {"MDEPTH", 0}});
    const QStringList cells = RowOf(id).split('\t');
    ASSERT_EQ(cells.size(), kResultColumnCount);
    EXPECT_EQ(cells[static_cast<int>(ResultColumn::Model)], "N/A");
    EXPECT_EQ(cells[static_cast<int>(ResultColumn::MaxDepth)], " FT");
}

TEST(QueryResultTextTest, DiveModeIsTheDataTypesNavigationBit)
{
    struct Case {
        db::Value dataType;
        const char* text;
    };
    const Case cases[] = {{0x10, "Navigation"}, {0x11, "Navigation"}, {0x12, "Navigation"}, {0, "Normal"},
                          {1, "Normal"},        {2, "Normal"},        {db::Value(), "Normal"}};
    for (const Case& c : cases)
        EXPECT_EQ(DiveModeText(c.dataType), c.text) << c.dataType.ToString().toStdString();
}

TEST_F(QueryResultsTest, ANitroxDiveInNormalModeShowsNormal)
{
    const qint64 id = AddDive({{"LIFETIMEDIVENO", 1}, {"FO2", 32}, {"DATATYPE", 1}});
    EXPECT_EQ(RowOf(id).split('\t')[static_cast<int>(ResultColumn::DiveMode)], "Normal");
}

TEST(QueryResultTextTest, StatusGoesGaugeViolationDecompression)
{
    struct Case {
        db::Value gauge, violation, deco;
        const char* text;
    };
    const Case cases[] = {{true, 1, 1, "Gauge"},          {false, 1, 1, "Violation"}, {0, 0, 1, "Decompression"},
                          {0, 0, 0, "Normal"},            {false, 2, 0, "Normal"},    {db::Value(), db::Value(), db::Value(), "Normal"}};
    for (const Case& c : cases)
        EXPECT_EQ(DiveStatusText(c.gauge, c.violation, c.deco), c.text) << c.text;
}

} // namespace
} // namespace kvl::test
