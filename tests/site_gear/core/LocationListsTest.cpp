// The condition scales, the named catalogs and the dive types behind the location
// form's lists: loading, selecting, adding and deleting, by bound names.
#include "site_gear/core/LocationDiveTypes.h"
#include "site_gear/core/LocationLists.h"
#include "tests/site_gear/core/LocationLogTest.h"

#include <algorithm>

namespace kvl::test {
namespace {

using site::LocationCombo;
using site::ListOf;

class LocationListsTest : public LocationLogTest {
protected:
    void AddNames(const char* table, std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            log->Execute(QString("INSERT INTO %1 (NAME) VALUES (?) ;").arg(table), {QString::fromUtf8(name)});
    }
    qint64 Rows(const char* table, const QString& name)
    {
        return Count(QString("SELECT count(*) FROM %1 WHERE NAME = ? COLLATE BINARY").arg(table), {name});
    }
    qint64 AddType(const QString& name) { return InsertRow(*log, "DIVETYPEDATA", {{"TYPEDATA", name}}); }
    std::vector<qint64> Ticks(qint64 diveId)
    {
        const QSet<qint64> ticks = site::LoadDiveTypeTicks(*log, diveId);
        std::vector<qint64> sorted(ticks.begin(), ticks.end());
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }
};

TEST_F(LocationListsTest, ScalesListInIdOrderAndSelectByTheDivesId)
{
    const auto currents = site::LoadScale(*log, ListOf(LocationCombo::Current));
    QStringList names;
    for (const auto& entry : currents)
        names << entry.name;
    EXPECT_EQ(names, QStringList({"None", "Light", "Moderate", "Strong", "Very Strong"}));
    EXPECT_EQ(site::ScaleSelection(currents, 3), 2);
    EXPECT_EQ(site::ScaleSelection(currents, 9), -1);
    EXPECT_EQ(site::ScaleSelection(currents, db::Value()), -1);

    EXPECT_EQ(site::ScaleId(*log, ListOf(LocationCombo::Tide), "Slack"), 5);
    EXPECT_EQ(site::ScaleId(*log, ListOf(LocationCombo::Tide), "slack"), std::nullopt);   // the pick is exact
    EXPECT_EQ(site::ScaleId(*log, ListOf(LocationCombo::Tide), ""), std::nullopt);
}

TEST_F(LocationListsTest, ConditionNotInItsScaleKeepsTheDivesId)
{
    SetField("SURGE", 3);
    site::LocationEdits edits;
    edits.lists[LocationCombo::Surge] = "";
    edits.lists[LocationCombo::Swell] = "Large";
    site::SaveLocation(*log, dive, edits);
    EXPECT_EQ(Field("SURGE").ToLong(), 3);
    EXPECT_EQ(Field("SWELL").ToLong(), 4);
}

TEST_F(LocationListsTest, NamedCatalogsListDistinctNamesAndSelectWithoutRegardToCase)
{
    AddNames("GPSS", {"N 25 W 80", "NONE", "Blue Hole", "blue hole", "Skipper's"});
    const QStringList names = site::LoadNames(*log, ListOf(LocationCombo::GPS));
    ASSERT_EQ(names.size(), 4);   // names differing in case only show once
    EXPECT_EQ(names[0].toUpper(), "BLUE HOLE");
    EXPECT_EQ(names.mid(1), QStringList({"N 25 W 80", "NONE", "Skipper's"}));
    struct Case {
        const char* dive;
        const char* selected;
    } const cases[] = {
        {"n 25 w 80", "N 25 W 80"}, {"SKIPPER'S", "Skipper's"}, {"NONE", ""}, {"none", ""}, {"", ""}, {"Nowhere", ""},
    };
    for (const Case& c : cases) {
        const int at = site::NameSelection(names, c.dive);
        EXPECT_EQ(at < 0 ? QString() : names[at], c.selected) << c.dive;
    }
    EXPECT_TRUE(site::LoadNames(*log, ListOf(LocationCombo::Resort)).isEmpty());
}

TEST_F(LocationListsTest, DeletingANameResetsThisDiveOnlyAndTakesOnlyThatName)
{
    AddNames("DIVEBOATS", {"Sea Cat", "Sea Cat", "Skipper's", "Skipper", "Skipper's Pride"});
    const qint64 other = InsertRow(*log, "DIVEDATA", {{"LIFETIMEDIVENO", 2}, {"DIVEBOAT", "Sea Cat"}});
    SetField("DIVEBOAT", "Sea Cat");
    site::DeleteCatalogName(*log, ListOf(LocationCombo::DiveBoat), dive, "Sea Cat");
    EXPECT_EQ(Rows("DIVEBOATS", "Sea Cat"), 0);
    EXPECT_EQ(Field("DIVEBOAT").ToString(), "NONE");
    EXPECT_EQ(Field("DIVEBOAT", other).ToString(), "Sea Cat");

    site::DeleteCatalogName(*log, ListOf(LocationCombo::DiveBoat), dive, "Skipper's");
    EXPECT_EQ(Rows("DIVEBOATS", "Skipper's"), 0);
    EXPECT_EQ(Rows("DIVEBOATS", "Skipper"), 1);
    EXPECT_EQ(Rows("DIVEBOATS", "Skipper's Pride"), 1);
}

TEST_F(LocationListsTest, ARefusedDeleteChangesNothing)
{
    AddNames("OPERATORS", {"Sea Cat"});
    SetField("OPERATOR", "Sea Cat");
    RefuseWrites("OPERATORS", "DELETE");
    EXPECT_THROW(site::DeleteCatalogName(*log, ListOf(LocationCombo::Operator), dive, "Sea Cat"), db::DbError);
    EXPECT_EQ(Rows("OPERATORS", "Sea Cat"), 1);
    EXPECT_EQ(Field("OPERATOR").ToString(), "Sea Cat");
}

TEST_F(LocationListsTest, AddingANameInsertsItAsTyped)
{
    site::AddCatalogName(*log, ListOf(LocationCombo::Operator), "Deep Six");
    site::AddCatalogName(*log, ListOf(LocationCombo::Operator), "Skipper's");
    EXPECT_EQ(site::LoadNames(*log, ListOf(LocationCombo::Operator)), QStringList({"Deep Six", "Skipper's"}));
    EXPECT_TRUE(site::IsNoChoice("none"));
    EXPECT_FALSE(site::IsNoChoice("nonesuch"));
}

TEST_F(LocationListsTest, ALogWithoutTheTablesGivesEmptyLists)
{
    log->Execute("DROP TABLE SURFS ; DROP TABLE RESORTS ; DROP TABLE DIVETYPEDATA ; DROP TABLE DIVETYPES ;");
    EXPECT_TRUE(site::LoadScale(*log, ListOf(LocationCombo::Surf)).empty());
    EXPECT_EQ(site::ScaleId(*log, ListOf(LocationCombo::Surf), "None"), std::nullopt);
    EXPECT_TRUE(site::LoadNames(*log, ListOf(LocationCombo::Resort)).isEmpty());
    EXPECT_TRUE(site::LoadDiveTypes(*log).empty());
    EXPECT_TRUE(site::LoadDiveTypeTicks(*log, dive).isEmpty());
}

TEST_F(LocationListsTest, DiveTypeTicksDuplicatesAndOrphans)
{
    const qint64 night = AddType("Night");
    const qint64 wreck = AddType("Wreck");
    const qint64 wreck2 = AddType("Wreck");
    const auto types = site::LoadDiveTypes(*log);
    ASSERT_EQ(types.size(), 3u);
    EXPECT_EQ(types[0].name, "Night");
    EXPECT_EQ(types[1].id, wreck);
    EXPECT_EQ(types[2].id, wreck2);

    log->Execute("INSERT INTO DIVETYPES (DIVEID, TYPEID) VALUES (?, 999) ;", {dive});   // a type long gone
    site::StoreDiveTypeTicks(*log, dive, {night, wreck2});
    EXPECT_EQ(Ticks(dive), (std::vector<qint64>{night, wreck2}));
    EXPECT_EQ(Count("SELECT count(*) FROM DIVETYPES WHERE TYPEID = 999"), 0);
}

TEST_F(LocationListsTest, DeletingADiveTypeTakesItFromEveryDive)
{
    const qint64 night = AddType("Night");
    const qint64 drift = AddType("Drift's End");
    const qint64 other = InsertRow(*log, "DIVEDATA", {{"LIFETIMEDIVENO", 2}});
    site::StoreDiveTypeTicks(*log, dive, {night, drift});
    site::StoreDiveTypeTicks(*log, other, {night});
    site::DeleteDiveType(*log, night);
    EXPECT_EQ(Ticks(dive), std::vector<qint64>{drift});
    EXPECT_TRUE(Ticks(other).empty());
    EXPECT_EQ(site::LoadDiveTypes(*log).size(), 1u);

    RefuseWrites("DIVETYPES", "DELETE");
    EXPECT_THROW(site::DeleteDiveType(*log, drift), db::DbError);
    EXPECT_EQ(site::LoadDiveTypes(*log).size(), 1u);
    EXPECT_EQ(Ticks(dive), std::vector<qint64>{drift});
    EXPECT_THROW(site::StoreDiveTypeTicks(*log, dive, {}), db::DbError);
    EXPECT_EQ(Ticks(dive), std::vector<qint64>{drift});
}

} // namespace
} // namespace kvl::test
