#include "shell/core/DiveRows.h"
#include "shell/core/StateCodes.h"
#include "shell/core/Units.h"
#include "tests/shell/core/ShellLogTest.h"

namespace kvl {
namespace {

class CurrentDiveTest : public test::ShellLogTest {
protected:
    // Opens the dive list and stands on the dive with this id.
    void StandOn(qint64 diveId)
    {
        gv.rsDiveData = gv.DB->OpenRecordset(gv.DiveListSQL);
        ASSERT_TRUE(gv.rsDiveData->FindFirst("DIVEID", diveId));
    }

    qint64 AddCatalogRow(const QString& table, const QString& column, const QString& name)
    {
        gv.DB->Execute("Insert into " + table + " (" + column + ") values (?)", {name});
        return gv.DB->LastInsertId();
    }
};

TEST_F(CurrentDiveTest, CopiesTheRowWithItsLocationAndSite)
{
    const qint64 loc = AddCatalogRow("LOCATIONS", "LOCATIONNAME", "Red Sea");
    const qint64 site = AddCatalogRow("DIVESITES", "DIVESITE", "O'Neil's Reef");
    AddDive({{"LIFETIMEDIVENO", 1}});
    const qint64 id = AddDive({{"LIFETIMEDIVENO", 7}, {"DIVEDATE", "2009/03/09"}, {"DIVETIME", "14:05"},
                               {"STIME", "01:10"}, {"BTIME", 42.5}, {"MDEPTH", 98.4}, {"AVGDEPTH", 40.25},
                               {"LOCID", loc}, {"SITEID", site}, {"TANK2ON", -1}, {"AIRCONSUMP", 12},
                               {"MODELID", 6774}, {"MODELSERNO", 1234}, {"DATATYPE", 1}, {"TID1", 99},
                               {"MEMO", "Turtles"}, {"GEAR", "Warm"}, {"SNAPSHOT", 4}});
    gv.UnitDepth = 1;
    gv.CurrentDiveID = 55;
    gv.DiveChanged = kDiveEdited;
    StandOn(id);
    LoadCurrentDive();

    const DiveDataRec& d = gv.CurrentDive;
    EXPECT_EQ(d.LIFETIMEDIVENO, db::Value(7));
    EXPECT_EQ(d.DIVEDATE, "2009/03/09");
    EXPECT_EQ(d.DIVETIME, "14:05");
    EXPECT_EQ(d.STIME, "01:10");
    EXPECT_EQ(d.BTIME, db::Value(42.5));
    EXPECT_EQ(d.BTimeNum, 42);   // halves to the even neighbour
    EXPECT_EQ(d.MDEPTH, db::Value(98.4));
    EXPECT_EQ(d.AVGDEPTH, 40.25f);
    EXPECT_EQ(d.LOCATIONNAME, "Red Sea");
    EXPECT_EQ(d.DIVESITE, "O'Neil's Reef");
    EXPECT_TRUE(d.TANK2ON);
    EXPECT_FALSE(d.TANK1ON);
    EXPECT_EQ(d.AIRCONSUMP, 12);
    EXPECT_EQ(d.MODELID, 6774);
    EXPECT_EQ(d.MODELSERNO, db::Value(1234));
    EXPECT_EQ(d.DATATYPE, 1);
    EXPECT_EQ(d.TID1, 99);
    EXPECT_EQ(d.MEMO, "Turtles");
    EXPECT_EQ(d.GEAR, db::Value("Warm"));
    EXPECT_EQ(d.SnapshotText, "2 FT");

    // The load leaves the state it does not own alone, and the site lookup in the scratch members.
    EXPECT_EQ(gv.CurrentDiveID, 55);
    EXPECT_EQ(gv.DiveChanged, kDiveEdited);
    EXPECT_EQ(gv.rsDiveData->Field("DIVEID").ToLong(), id);
    EXPECT_TRUE(gv.SQLText.startsWith("Select * from DIVESITES where SITEID = "));
    EXPECT_EQ(gv.rsTemp->Field("DIVESITE").ToString(), "O'Neil's Reef");
}

TEST_F(CurrentDiveTest, NullColumnsAndMissingNamesLeaveNothingOfThePreviousDive)
{
    const qint64 loc = AddCatalogRow("LOCATIONS", "LOCATIONNAME", "Red Sea");
    const qint64 site = AddCatalogRow("DIVESITES", "DIVESITE", "Reef");
    const qint64 full = AddDive({{"LIFETIMEDIVENO", 1}, {"DIVEDATE", "2009/03/09"}, {"STIME", "00:30"},
                                 {"LOCID", loc}, {"SITEID", site}, {"MODELID", 6774}, {"AVGDEPTH", 33},
                                 {"TANK1ON", -1}, {"DATATYPE", 1}, {"BTIME", 40}, {"MEMO", "x"}, {"SNAPSHOT", 2}});
    const qint64 bare = AddDive({{"LIFETIMEDIVENO", 2}, {"DIVEDATE", db::Value()}, {"STIME", db::Value()},
                                 {"LOCID", 999}, {"SITEID", db::Value()}, {"MODELID", db::Value()},
                                 {"AVGDEPTH", db::Value()}, {"TANK1ON", db::Value()}, {"DATATYPE", db::Value()},
                                 {"BTIME", db::Value()}, {"MEMO", db::Value()}, {"SNAPSHOT", db::Value()}});
    StandOn(full);
    LoadCurrentDive();
    ASSERT_EQ(gv.CurrentDive.LOCATIONNAME, "Red Sea");

    StandOn(bare);
    LoadCurrentDive();
    const DiveDataRec& d = gv.CurrentDive;
    EXPECT_EQ(d.LIFETIMEDIVENO, db::Value(2));
    EXPECT_EQ(d.DIVEDATE, "");
    EXPECT_EQ(d.STIME, "");
    EXPECT_EQ(d.LOCID, db::Value(999));
    EXPECT_EQ(d.LOCATIONNAME, "");
    EXPECT_TRUE(d.SITEID.IsNull());
    EXPECT_EQ(d.DIVESITE, "");
    EXPECT_EQ(d.MODELID, 0);
    EXPECT_EQ(d.AVGDEPTH, 0.0f);
    EXPECT_FALSE(d.TANK1ON);
    EXPECT_EQ(d.DATATYPE, 0);
    EXPECT_TRUE(d.BTIME.IsNull());
    EXPECT_EQ(d.BTimeNum, 0);
    EXPECT_EQ(d.MEMO, "");
    EXPECT_EQ(d.SnapshotText, "");
}

TEST_F(CurrentDiveTest, SampleRateTextFollowsTheDepthUnit)
{
    struct Case {
        int snapshot;
        quint8 unitDepth;
        const char* text;
    };
    const Case cases[] = {
        {0, 1, "2 Secs"}, {1, 0, "15 Secs"}, {2, 1, "30 Secs"}, {3, 0, "60 Secs"}, {4, 1, "2 FT"},
        {4, 0, "0.5 M"},  {5, 1, "5 FT"},    {5, 0, "1.5 M"},   {6, 1, "10 FT"},   {6, 2, "3 M"},
        {7, 1, ""},
    };
    for (const Case& c : cases) {
        gv.DB->Execute("Delete from DIVEDATA");
        const qint64 id = AddDive({{"SNAPSHOT", c.snapshot}, {"DATATYPE", 1}});
        gv.UnitDepth = c.unitDepth;
        gv.CurrentDive.SnapshotText = "previous dive";
        StandOn(id);
        LoadCurrentDive();
        EXPECT_EQ(gv.CurrentDive.SnapshotText, c.text) << c.snapshot << " depth flag " << int(c.unitDepth);
    }
}

TEST_F(CurrentDiveTest, ADiveEnteredByHandHasNoSampleRate)
{
    const qint64 id = AddDive({{"SNAPSHOT", 1}, {"DATATYPE", 0}, {"MODELID", 6774}});
    StandOn(id);
    LoadCurrentDive();
    EXPECT_EQ(gv.CurrentDive.SnapshotText, "");
}

TEST_F(CurrentDiveTest, WithoutACurrentRowNothingChanges)
{
    AddDive({{"LIFETIMEDIVENO", 1}});
    gv.CurrentDive.DIVEDATE = "kept";
    LoadCurrentDive();   // no list open
    gv.rsDiveData = gv.DB->OpenRecordset(gv.DiveListSQL);
    gv.rsDiveData->MoveNext();   // past the end
    LoadCurrentDive();
    EXPECT_EQ(gv.CurrentDive.DIVEDATE, "kept");
}

// ---- Unit flags ------------------------------------------------------------------

class UnitFlagsTest : public test::ShellLogTest {
protected:
    std::vector<quint8> Flags() const
    {
        return {gv.UnitDepth, gv.UnitPressure, gv.UnitWeight, gv.UnitTemp, gv.UnitTime, gv.UnitDate, gv.UnitCylinder};
    }
};

TEST_F(UnitFlagsTest, LoadFromTheUnitsRow)
{
    gv.DB->Execute("Update UNITS_OF_MEASUREMENT set DEPTH = 0, PRESSURE = -1, WEIGHT = 0, TEMP = -1, TIME = 0, "
                   "DATE = -1, CYLINDER = 0");
    for (void (*load)() : {InitUnitFlags, LoadUnits}) {
        gv.UnitDepth = gv.UnitPressure = gv.UnitWeight = gv.UnitTemp = gv.UnitTime = gv.UnitDate = gv.UnitCylinder = 7;
        load();
        EXPECT_EQ(Flags(), (std::vector<quint8>{0, 1, 0, 1, 0, 1, 0}));
        EXPECT_EQ(gv.SQLText, "Select * from UNITS_OF_MEASUREMENT ;");
    }
}

TEST_F(UnitFlagsTest, AnEmptyOrNullRowMeansTheStoredForm)
{
    gv.DB->Execute("Update UNITS_OF_MEASUREMENT set DEPTH = NULL, PRESSURE = 0, WEIGHT = NULL, TEMP = NULL, "
                   "TIME = NULL, DATE = NULL, CYLINDER = NULL");
    InitUnitFlags();
    EXPECT_EQ(Flags(), (std::vector<quint8>{1, 0, 1, 1, 1, 1, 1}));
    gv.DB->Execute("Delete from UNITS_OF_MEASUREMENT");
    for (void (*load)() : {InitUnitFlags, LoadUnits}) {
        gv.UnitDepth = gv.UnitPressure = 0;
        load();
        EXPECT_EQ(Flags(), (std::vector<quint8>(7, 1)));
    }
}

TEST_F(UnitFlagsTest, UpdateSpreadsTheSystemButKeepsTheClock)
{
    LoadUnits();
    gv.UnitSystem = 0;
    gv.UnitTime = 1;
    UpdateUnitFlags();
    EXPECT_EQ(Flags(), (std::vector<quint8>{0, 0, 0, 0, 1, 0, 0}));
    auto rs = gv.DB->OpenRecordset("Select * from UNITS_OF_MEASUREMENT");
    EXPECT_EQ(rs->Field("TIME"), db::Value(true));
    for (const char* column : {"DEPTH", "TEMP", "PRESSURE", "WEIGHT", "DATE", "CYLINDER"})
        EXPECT_EQ(rs->Field(column), db::Value(false)) << column;
}

TEST_F(UnitFlagsTest, UpdateWithoutARowChangesOnlyTheFlags)
{
    gv.DB->Execute("Delete from UNITS_OF_MEASUREMENT");
    LoadUnits();
    gv.UnitSystem = 0;
    UpdateUnitFlags();
    EXPECT_EQ(gv.UnitDepth, 0);
    EXPECT_EQ(Count("UNITS_OF_MEASUREMENT"), 0);
}

} // namespace
} // namespace kvl
