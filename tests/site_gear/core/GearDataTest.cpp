// The gear of the dives: catalog lists, weight texts in both units, saving only what
// the user changed, catalog and accessory writes, and refused writes that change nothing.
#include "site_gear/core/GearData.h"

#include "shell/core/Global_Vars.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

#include <QTemporaryDir>

#include <algorithm>

namespace kvl::test {
namespace {

using namespace gear;

class GearDataTest : public KvlTest {
protected:
    void SetUp() override
    {
        KvlTest::SetUp();
        ASSERT_TRUE(MakeFreshLog(dir.filePath("Gear.dlg")));
        log = db::Database::Open(dir.filePath("Gear.dlg"));
        gv.UnitWeight = 1;
    }
    void TearDown() override
    {
        log.reset();
        KvlTest::TearDown();
    }

    void AddNames(const QString& table, const std::vector<db::Value>& names)
    {
        for (const db::Value& name : names)
            InsertRow(*log, table, {{"NAME", name}});
    }
    qint32 AddDive(const Columns& gear)
    {
        Columns columns{{"LIFETIMEDIVENO", 1}, {"DIVEDATE", "2024/06/15"}, {"DIVETIME", "10:00"}};
        columns.insert(columns.end(), gear.begin(), gear.end());
        return qint32(InsertRow(*log, "DIVEDATA", columns));
    }
    db::Value DiveField(qint32 dive, const QString& field)
    {
        return log->Scalar("Select " + field + " from DIVEDATA where DIVEID = ?", {dive});
    }
    db::Value SetField(const QString& set, const QString& field)
    {
        return log->Scalar("Select " + field + " from GEARS where NAME = ?", {set});
    }
    qint64 Count(const QString& sql, const db::Params& params = {}) { return log->Scalar(sql, params).ToLong(); }
    // Makes every write of this kind to the table fail, as a damaged or locked log would.
    void RefuseWrites(const QString& table, const QString& kind)
    {
        log->Execute(QString("Create trigger refuse_%1_%2 before %2 on %1 begin select raise(abort, 'refused'); end ;")
                         .arg(table, kind));
    }
    // Every gear column of the dive and of the set, as text, to compare before and after.
    QStringList Rows(qint32 dive, const QString& set)
    {
        QStringList rows;
        for (const auto& gear : {ReadDiveGear(*log, dive), ReadSet(*log, set)}) {
            if (!gear)
                continue;
            for (const db::Value& item : gear->items)
                rows << (item.IsNull() ? "<null>" : item.ToString());
            for (const db::Value& weight : gear->weights)
                rows << (weight.IsNull() ? "<null>" : weight.ToString());
        }
        return rows;
    }
    void AddColdWater()
    {
        InsertRow(*log, "GEARS", {{"NAME", "Cold Water"}, {"REGULATOR", "Apex"}, {"MASK", "Low-volume"},
                                  {"BELTWEIGHT", 22}, {"INTWEIGHT", 8}, {"OTHERWEIGHT", 0}});
    }

    QTemporaryDir dir;
    std::unique_ptr<db::Database> log;
};

TEST_F(GearDataTest, KindsTableNamesEachKindsCatalogAndField)
{
    struct Case {
        int kind;
        const char* caption;
        const char* table;
        const char* field;
    };
    const Case cases[] = {{kGear, "Gear", "GEARS", "GEAR"},
                          {kRegulator, "Regulator", "REGULATORS", "REGULATOR"},
                          {kAltAirSource, "Alt. Air Source", "ALTAIRSOURCE", "AIRSOURCE"},
                          {kBC, "BC", "BCS", "BC"},
                          {kGauges, "Gauges", "GAUGES", "GAUGES"},
                          {kGloves, "Gloves", "GLOVES", "GLOVES"},
                          {kHood, "Hood", "HOODS", "HOOD"},
                          {kCylinder, "Cylinder", "CYLINDERS", "CYLINDER"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_STREQ(GearKinds()[c.kind].caption, c.caption);
        EXPECT_STREQ(GearKinds()[c.kind].table, c.table);
        EXPECT_STREQ(GearKinds()[c.kind].field, c.field);
        EXPECT_TRUE(log->TableExists(c.table));
        EXPECT_NO_THROW(log->Scalar(QString("Select %1 from DIVEDATA").arg(c.field)));
    }
    EXPECT_STREQ(GearWeights()[kIntWeight].label, "Intergrated Weight:");
}

TEST_F(GearDataTest, CatalogListsNoneFirstThenDistinctNames)
{
    struct Case {
        const char* what;
        std::vector<db::Value> rows;
        QStringList entries;
    };
    const Case cases[] = {
        {"duplicates and a stored NONE", {"Zodiac", "Apex", "Apex", "NONE"}, {"NONE", "Apex", "Zodiac"}},
        {"empty catalog", {}, {}},
        {"None in other letters is a name", {"None", "NONE"}, {"NONE", "None"}},
        {"empty and Null names", {"", db::Value::Null(), "Skipper's"}, {"NONE", "Skipper's"}},
        {"only NONE", {"NONE"}, {"NONE"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log->Execute("Delete from MASKS");
        AddNames("MASKS", c.rows);
        EXPECT_EQ(CatalogEntries(*log, kMask), c.entries);
    }
}

TEST_F(GearDataTest, CatalogOfAMissingTableFails)
{
    log->Execute("Drop table SNORKELS");
    EXPECT_THROW(CatalogEntries(*log, kSnorkel), db::DbError);
}

TEST_F(GearDataTest, NullEmptyAndNoneMeanNoSet)
{
    const std::pair<db::Value, bool> cases[] = {
        {db::Value::Null(), false}, {"", false}, {"none", false}, {"NONE", false}, {"Reef", true}, {"Skipper's", true}};
    for (const auto& [gear, hasSet] : cases)
        EXPECT_EQ(HasSet(gear), hasSet) << gear.ToString().toStdString();
}

TEST_F(GearDataTest, WeightTextsInBothUnits)
{
    struct Case {
        int unitWeight;
        db::Value pounds;
        const char* diveText;
        const char* setText;
    };
    const Case cases[] = {
        {1, 10, "10.0", "10"},       {0, 10, "4.5", "4.5"},     {1, 0, "0.0", "0"},   {0, 0, "0.0", "0"},
        {0, 22, "10.0", "10"},       {1, 12.25, "12.3", "12.25"}, {1, db::Value::Null(), "", ""},
        {1, 1234.5, "1234.5", "1234.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pounds.ToString().toStdString() + " unit " + std::to_string(c.unitWeight));
        gv.UnitWeight = quint8(c.unitWeight);
        EXPECT_EQ(DiveWeightText(c.pounds), c.diveText);
        EXPECT_EQ(SetWeightText(c.pounds), c.setText);
    }
}

TEST_F(GearDataTest, WeightTextsReadAsPounds)
{
    struct Case {
        int unitWeight;
        const char* text;
        double pounds;
    };
    const Case cases[] = {{0, "12.5", 27.6}, {0, "10", 22}, {1, "12", 12}, {1, "12.5", 12.5},
                          {1, "", 0},       {0, "abc", 0},  {1, " 7 lb", 7}};
    for (const Case& c : cases) {
        gv.UnitWeight = quint8(c.unitWeight);
        EXPECT_NEAR(WeightFromText(c.text), c.pounds, 1e-5) << c.text;
    }
}

TEST_F(GearDataTest, ChoosingASetLoadsItUnlessTheDiveHoldsItInCapitals)
{
    struct Case {
        db::Value stored;
        const char* chosen;
        bool loads;
    };
    const Case cases[] = {{"COLD WATER", "Cold Water", false}, {"Cold Water", "Cold Water", true},
                          {"Reef", "Cold Water", true},        {db::Value::Null(), "Cold Water", false},
                          {"Reef", "", false},                 {"", "Cold Water", true}};
    for (const Case& c : cases)
        EXPECT_EQ(SetNeedsLoading(c.stored, c.chosen), c.loads) << c.stored.ToString().toStdString() << c.chosen;
}

TEST_F(GearDataTest, SavingWithNothingChangedWritesNothing)
{
    AddColdWater();
    const qint32 dive = AddDive({{"GEAR", "Cold Water"}, {"MASK", "Gone mask"}, {"BELTWEIGHT", db::Value::Null()}});
    const QStringList before = Rows(dive, "Cold Water");
    GearScreen screen;
    screen.choices[kGear] = "NONE";   // the set, the mask and the weights as a load may show them
    screen.choices[kMask] = "";
    SaveGear(*log, dive, screen, EditedControls{});
    EXPECT_EQ(Rows(dive, "Cold Water"), before);
}

TEST_F(GearDataTest, SavingWritesChangedControlsToTheDiveAndTheSet)
{
    gv.UnitWeight = 0;
    AddColdWater();
    const qint32 dive = AddDive({{"GEAR", "Cold Water"}, {"REGULATOR", "Apex"}, {"BELTWEIGHT", 22}, {"INTWEIGHT", 8}});
    GearScreen screen;
    screen.choices = {"Cold Water", "Zodiac", "", "", "", "", "", "", "", "NONE", "", "", ""};
    screen.weights = {"12.5", "0", "3"};
    EditedControls edited;
    edited.Mark(GearControl::Combo1, kRegulator);
    edited.Mark(GearControl::Combo1, kMask);
    edited.Mark(GearControl::Text1, kBeltWeight);
    edited.Mark(GearControl::Text1, kIntWeight);
    SaveGear(*log, dive, screen, edited);

    EXPECT_EQ(DiveField(dive, "REGULATOR").ToString(), "Zodiac");
    EXPECT_EQ(DiveField(dive, "MASK").ToString(), "NONE");
    EXPECT_EQ(DiveField(dive, "BELTWEIGHT").ToDouble(), 27.6);   // not the single's 27.600000381
    EXPECT_EQ(DiveField(dive, "INTWEIGHT").ToDouble(), 0);
    EXPECT_EQ(DiveField(dive, "OTHERWEIGHT").ToDouble(), 0);   // not typed: stays
    // The set takes the new regulator and belt; "NONE" and 0 leave its mask and weight.
    EXPECT_EQ(SetField("Cold Water", "REGULATOR").ToString(), "Zodiac");
    EXPECT_EQ(SetField("Cold Water", "MASK").ToString(), "Low-volume");
    EXPECT_EQ(SetField("Cold Water", "BELTWEIGHT").ToDouble(), 27.6);
    EXPECT_EQ(SetField("Cold Water", "INTWEIGHT").ToDouble(), 8);
    EXPECT_EQ(DiveField(dive, "GEAR").ToString(), "Cold Water");   // the set's own list was not touched
}

TEST_F(GearDataTest, ANewSetTakesEveryItemAndWeightShown)
{
    InsertRow(*log, "GEARS", {{"NAME", "Skipper's"}});
    const qint32 dive = AddDive({{"GEAR", "Skipper's"}});
    GearScreen screen;
    screen.choices = {"Skipper's", "Apex", "NONE", "", "", "", "", "", "", "Low-volume", "", "", ""};
    gv.UnitWeight = 0;
    screen.weights = {"3.6", "0.0", ""};   // the stored pounds below, as kilograms
    screen.pounds = {8, 0, db::Value::Null()};
    EditedControls edited;
    edited.Mark(GearControl::Combo1, kGear);
    SaveGear(*log, dive, screen, edited, true);
    EXPECT_EQ(SetField("Skipper's", "REGULATOR").ToString(), "Apex");
    EXPECT_EQ(SetField("Skipper's", "MASK").ToString(), "Low-volume");
    EXPECT_TRUE(SetField("Skipper's", "AIRSOURCE").IsNull());
    EXPECT_EQ(SetField("Skipper's", "BELTWEIGHT").ToDouble(), 8);
    EXPECT_EQ(SetField("Skipper's", "INTWEIGHT").ToDouble(), 0);
    // The dive takes only what was changed: the set's name.
    EXPECT_EQ(DiveField(dive, "GEAR").ToString(), "Skipper's");
    EXPECT_EQ(DiveField(dive, "REGULATOR").ToString(), "");
}

TEST_F(GearDataTest, ARefusedSaveLeavesTheDiveAndTheSet)
{
    AddColdWater();
    const qint32 dive = AddDive({{"GEAR", "Cold Water"}, {"REGULATOR", "Apex"}});
    const QStringList before = Rows(dive, "Cold Water");
    RefuseWrites("GEARS", "update");
    GearScreen screen;
    screen.choices[kGear] = "Cold Water";
    screen.choices[kRegulator] = "Zodiac";
    EditedControls edited;
    edited.Mark(GearControl::Combo1, kRegulator);
    EXPECT_THROW(SaveGear(*log, dive, screen, edited), db::DbError);
    EXPECT_EQ(Rows(dive, "Cold Water"), before);   // the dive's write went back too
}

TEST_F(GearDataTest, DeletingANameResetsThisDiveAndDeletesOnlyThatName)
{
    AddNames("REGULATORS", {"R1", "R1", "Skipper's", "Skipper"});
    const qint32 dive = AddDive({{"REGULATOR", "Skipper's"}});
    const qint32 other = AddDive({{"REGULATOR", "Skipper's"}});
    DeleteCatalogName(*log, kRegulator, "Skipper's", dive);
    EXPECT_EQ(CatalogEntries(*log, kRegulator), QStringList({"NONE", "R1", "Skipper"}));
    EXPECT_EQ(DiveField(dive, "REGULATOR").ToString(), "NONE");
    EXPECT_EQ(DiveField(other, "REGULATOR").ToString(), "Skipper's");

    DeleteCatalogName(*log, kRegulator, "R1", dive);
    EXPECT_EQ(Count("Select count(*) from REGULATORS where NAME = 'R1'"), 0);
}

TEST_F(GearDataTest, ARefusedDeleteChangesNothing)
{
    AddNames("ALTAIRSOURCE", {"Octopus"});
    const qint32 dive = AddDive({{"AIRSOURCE", "Octopus"}});
    RefuseWrites("ALTAIRSOURCE", "delete");
    EXPECT_THROW(DeleteCatalogName(*log, kAltAirSource, "Octopus", dive), db::DbError);
    EXPECT_EQ(DiveField(dive, "AIRSOURCE").ToString(), "Octopus");
    EXPECT_EQ(CatalogEntries(*log, kAltAirSource), QStringList({"NONE", "Octopus"}));
}

TEST_F(GearDataTest, AccessoriesAreStoredInCapitalsOnce)
{
    EXPECT_TRUE(AddAccessory(*log, "light"));
    EXPECT_FALSE(AddAccessory(*log, "Light"));
    EXPECT_TRUE(AddAccessory(*log, "skipper's knife"));
    std::vector<QString> names;
    for (const Accessory& accessory : ListAccessories(*log))
        names.push_back(accessory.name);
    EXPECT_EQ(names, std::vector<QString>({"LIGHT", "SKIPPER'S KNIFE"}));
}

TEST_F(GearDataTest, AccessoryKeysCarryOneLeadingBlank)
{
    EXPECT_EQ(AccessoryKey(12), " 12");
    EXPECT_EQ(AccessoryIdOfKey(" 12"), 12);
}

TEST_F(GearDataTest, TicksBelongToTheSet)
{
    const qint64 light = InsertRow(*log, "ACCESSORYDATA", {{"ACCESSORY", "LIGHT"}});
    const qint64 knife = InsertRow(*log, "ACCESSORYDATA", {{"ACCESSORY", "KNIFE"}});
    const qint64 compass = InsertRow(*log, "ACCESSORYDATA", {{"ACCESSORY", "COMPASS"}});
    StoreSetAccessories(*log, "Reef", {light, knife});
    StoreSetAccessories(*log, "Skipper's", {knife});
    EXPECT_EQ(SetAccessories(*log, "Reef"), QSet<qint64>({light, knife}));

    StoreSetAccessories(*log, "Reef", {light, knife, compass});
    EXPECT_EQ(SetAccessories(*log, "Reef"), QSet<qint64>({light, knife, compass}));
    EXPECT_EQ(SetAccessories(*log, "Skipper's"), QSet<qint64>({knife}));

    DeleteAccessory(*log, "KNIFE");
    EXPECT_EQ(SetAccessories(*log, "Reef"), QSet<qint64>({light, compass}));
    EXPECT_EQ(SetAccessories(*log, "Skipper's"), QSet<qint64>());
    EXPECT_EQ(ListAccessories(*log).size(), 2u);
}

TEST_F(GearDataTest, RefusedAccessoryWritesChangeNothing)
{
    const qint64 light = InsertRow(*log, "ACCESSORYDATA", {{"ACCESSORY", "LIGHT"}});
    const qint64 knife = InsertRow(*log, "ACCESSORYDATA", {{"ACCESSORY", "KNIFE"}});
    StoreSetAccessories(*log, "Reef", {light, knife});

    RefuseWrites("ACCESSORY", "insert");
    EXPECT_THROW(StoreSetAccessories(*log, "Reef", {light}), db::DbError);
    EXPECT_EQ(SetAccessories(*log, "Reef"), QSet<qint64>({light, knife}));

    RefuseWrites("ACCESSORYDATA", "delete");
    EXPECT_THROW(DeleteAccessory(*log, "LIGHT"), db::DbError);
    EXPECT_EQ(SetAccessories(*log, "Reef"), QSet<qint64>({light, knife}));
    EXPECT_EQ(ListAccessories(*log).size(), 2u);
}

} // namespace
} // namespace kvl::test
