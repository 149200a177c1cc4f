// The location boxes: what a stored value shows in either unit system, and what a
// typed text stores, for the boxes the user changed and no other.
#include "site_gear/core/Location.h"
#include "tests/site_gear/core/LocationLogTest.h"

namespace kvl::test {
namespace {

using site::LocationEdits;
using site::LocationText;
using site::SaveLocation;
using site::ShownLocationText;

class LocationFieldsTest : public LocationLogTest {};

TEST_F(LocationFieldsTest, StoredValuesShowByTheUnitRules)
{
    struct Case {
        LocationText box;
        db::Value stored;
        const char* imperial;
        const char* metric;
    } const cases[] = {
        {LocationText::Visibility, 33, "33", "10.1"},
        {LocationText::Visibility, 0, "0", ".0"},
        {LocationText::TideHeight, 0.5, "1", ".2"},
        {LocationText::Altitude, 1000, "1000", "304.8"},
        {LocationText::Air, 78, "78.0", "25.6"},
        {LocationText::Minimum, 32, "32.0", ".0"},
        {LocationText::CurrentSpeed, 1.5, "1.5", "1.5"},
        {LocationText::Highlights, "Manta's cleaning station", "Manta's cleaning station", "Manta's cleaning station"},
        {LocationText::Surface, db::Value(), "", ""},
        {LocationText::SurgeHeight, db::Value(), "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(site::FieldOf(c.box).field);
        SetUnits(1);
        EXPECT_EQ(ShownLocationText(c.box, c.stored), c.imperial);
        SetUnits(0);
        EXPECT_EQ(ShownLocationText(c.box, c.stored), c.metric);
    }
}

TEST_F(LocationFieldsTest, TypedTextsStoreByTheUnitRules)
{
    struct Case {
        quint8 units;
        LocationText box;
        const char* typed;
        const char* column;
        double stored;
    } const cases[] = {
        {1, LocationText::Visibility, "12,5", "VISIBILITY", 12.5},
        {0, LocationText::Visibility, "10", "VISIBILITY", 32.8084},
        {0, LocationText::Altitude, "30", "ALTITUDE", 98},
        {1, LocationText::SwellHeight, "", "SWELL_FT", 0},
        {1, LocationText::Air, "80.4", "AIR", 80.4},
        {0, LocationText::Surface, "26", "SURFACE", 78.8},
        {0, LocationText::Minimum, "26", "MINIMUM", 78.8},
        {0, LocationText::Minimum, "26", "TEMP", 78.8},
        {1, LocationText::Minimum, "7x", "TEMP", 7},
        {0, LocationText::CurrentSpeed, "1,5", "CURRENT_FT", 1.5},
        {1, LocationText::CurrentSpeed, "2", "CURRENT_FT", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString("%1 %2 in %3").arg(c.typed, c.column).arg(c.units).toStdString());
        SetField(c.column, 99);
        SetUnits(c.units);
        LocationEdits edits;
        edits.texts[c.box] = c.typed;
        SaveLocation(*log, dive, edits);
        EXPECT_NEAR(Field(c.column).ToDouble(), c.stored, 1e-4);
    }
    SetUnits(1);
    LocationEdits texts;
    texts.texts[LocationText::Directions] = "Left at the 'big' rock";
    SaveLocation(*log, dive, texts);
    EXPECT_EQ(Field("DIRECTIONS").ToString(), "Left at the 'big' rock");
}

TEST_F(LocationFieldsTest, LengthsAndSpeedAreWrittenOnlyWhenTheyDiffer)
{
    // 33 ft shows 10.1 m, which reads back as 33 ft: the stored value stays as it was.
    SetField("VISIBILITY", 33.0);
    SetField("CURRENT_FT", 1.5);
    log->Execute("CREATE TABLE WRITES (N INTEGER) ;"
                 "CREATE TRIGGER visibility_writes AFTER UPDATE OF VISIBILITY ON DIVEDATA BEGIN INSERT INTO WRITES VALUES (1); END ;"
                 "CREATE TRIGGER speed_writes AFTER UPDATE OF CURRENT_FT ON DIVEDATA BEGIN INSERT INTO WRITES VALUES (2); END ;");
    SetUnits(0);
    LocationEdits edits;
    edits.texts[LocationText::Visibility] = ShownLocationText(LocationText::Visibility, 33.0);
    edits.texts[LocationText::CurrentSpeed] = "1.5";
    edits.texts[LocationText::Highlights] = "wall";
    SaveLocation(*log, dive, edits);
    EXPECT_EQ(Field("VISIBILITY").ToDouble(), 33.0);
    EXPECT_EQ(Count("SELECT count(*) FROM WRITES"), 0);
    EXPECT_EQ(Field("HIGHLIGHTS").ToString(), "wall");
}

TEST_F(LocationFieldsTest, UntouchedBoxesWriteNothing)
{
    // A dive without temperatures keeps them missing; 78 F is not nudged to 78.1.
    SetField("AIR", db::Value());
    SetField("SURFACE", 78.0);
    SetField("MINIMUM", db::Value());
    SetField("TEMP", 76.0);
    SetField("OPERATOR", "Gone Diving");
    SetUnits(0);
    LocationEdits edits;
    edits.texts[LocationText::Altitude] = "100";
    SaveLocation(*log, dive, edits);
    EXPECT_TRUE(Field("AIR").IsNull());
    EXPECT_EQ(Field("SURFACE").ToDouble(), 78.0);
    EXPECT_TRUE(Field("MINIMUM").IsNull());
    EXPECT_EQ(Field("TEMP").ToDouble(), 76.0);
    EXPECT_EQ(Field("OPERATOR").ToString(), "Gone Diving");
    EXPECT_EQ(Field("ALTITUDE").ToDouble(), 328.0);
}

TEST_F(LocationFieldsTest, ASaveTheLogRefusesWritesNothing)
{
    SetField("VISIBILITY", 40);
    log->Execute("INSERT INTO DIVETYPES (DIVEID, TYPEID) VALUES (?, 1) ;", {dive});
    RefuseWrites("DIVEDATA", "UPDATE");
    LocationEdits edits;
    edits.texts[LocationText::Visibility] = "60";
    edits.typeIds = std::vector<qint64>{2, 3};
    EXPECT_THROW(SaveLocation(*log, dive, edits), db::DbError);
    EXPECT_EQ(Field("VISIBILITY").ToDouble(), 40);
    EXPECT_EQ(Count("SELECT group_concat(TYPEID) FROM DIVETYPES WHERE DIVEID = ?", {dive}), 1);
}

TEST_F(LocationFieldsTest, SaveWritesOnlyTheDiveItWasGiven)
{
    const qint64 other = InsertRow(*log, "DIVEDATA", {{"LIFETIMEDIVENO", 2}, {"VISIBILITY", 5}, {"OPERATOR", "Keep"}});
    LocationEdits edits;
    edits.texts[LocationText::Visibility] = "70";
    edits.lists[site::LocationCombo::Operator] = "Skipper's";
    SaveLocation(*log, dive, edits);
    EXPECT_EQ(Field("VISIBILITY").ToDouble(), 70);
    EXPECT_EQ(Field("OPERATOR").ToString(), "Skipper's");
    EXPECT_EQ(Field("VISIBILITY", other).ToDouble(), 5);
    EXPECT_EQ(Field("OPERATOR", other).ToString(), "Keep");
}

} // namespace
} // namespace kvl::test
