#include "tests/support/BigLog.h"

#include "tests/support/LogFixture.h"

#include <QStringList>

#include <algorithm>

namespace kvl::test {

namespace {

// "<kind> nnnn" for n from 0 below count, "O'<kind> nnnn" for every seventh.
const char kNameSql[] =
    "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?) "
    "SELECT CASE WHEN i % 7 = 0 THEN 'O''' ELSE '' END || ? || ' ' || printf('%04d', i) AS NAME FROM n";

void AddCatalog(db::Database& db, const QString& insert, int count, const char* kind)
{
    db.Execute(insert + " SELECT NAME FROM (" + kNameSql + ")", {count, kind});
}

// Catalog names, and what was on the dives added after lastId: dive k gets name
// k % count of each kind.
void AddNames(db::Database& db, int count, qint64 lastId)
{
    const qint64 firstLoc = db.Scalar("Select IFNULL(MAX(LOCID), 0) + 1 from LOCATIONS ;").ToLong();
    const qint64 firstSite = db.Scalar("Select IFNULL(MAX(SITEID), 0) + 1 from DIVESITES ;").ToLong();
    const qint64 firstType = db.Scalar("Select IFNULL(MAX(ID), 0) + 1 from DIVETYPEDATA ;").ToLong();
    AddCatalog(db, "INSERT INTO LOCATIONS (LOCATIONNAME)", count, "Location");
    AddCatalog(db, "INSERT INTO DIVESITES (DIVESITE)", count, "Site");
    AddCatalog(db, "INSERT INTO DIVETYPEDATA (TYPEDATA)", count, "Type");
    AddCatalog(db, "INSERT INTO GEARS (NAME)", count, "Gear");
    const QString name = "(CASE WHEN DIVEID % ?1 % 7 = 0 THEN 'O''' ELSE '' END) || '%1 ' || printf('%04d', DIVEID % ?1)";
    db.Execute("UPDATE DIVEDATA SET OPERATOR = " + name.arg("Operator") + ", GEAR = " + name.arg("Gear") +
                   ", LOCID = ?2 + DIVEID % ?1, SITEID = ?3 + DIVEID % ?1 WHERE DIVEID > ?4",
               {count, firstLoc, firstSite, lastId});
    db.Execute("INSERT INTO DIVETYPES (DIVEID, TYPEID) SELECT DIVEID, ? + DIVEID % ? FROM DIVEDATA WHERE DIVEID > ?",
               {firstType, count, lastId});
}

// The location form's catalogs and what the dives after lastId hold of them.
void AddSiteCatalogs(db::Database& db, const BigLogShape& shape, qint64 lastId)
{
    if (shape.siteNames > 0) {
        for (const char* table : {"RESORTS", "OPERATORS", "DIVEBOATS", "GPSS"})
            AddCatalog(db, QString("INSERT INTO %1 (NAME)").arg(table), shape.siteNames, table);
        const QString name = "(CASE WHEN DIVEID % ?1 % 7 = 0 THEN 'O''' ELSE '' END) || '%1 ' || printf('%04d', DIVEID % ?1)";
        db.Execute("UPDATE DIVEDATA SET RESORT = " + name.arg("RESORTS") + ", OPERATOR = " + name.arg("OPERATORS") +
                       ", DIVEBOAT = " + name.arg("DIVEBOATS") + ", GPS = " + name.arg("GPSS") + " WHERE DIVEID > ?2",
                   {shape.siteNames, lastId});
    }
    db.Execute("UPDATE DIVEDATA SET CURRENT = 1 + DIVEID % 5, SURGE = 1 + DIVEID % 4, SWELL = 1 + DIVEID % 4, "
               "SURF = 1 + DIVEID % 4, TIDE = 1 + DIVEID % 5, VISIBILITY = 20 + DIVEID % 80, "
               "ALTITUDE = DIVEID % 3 * 500, AIR = 75 + DIVEID % 12, SURFACE = 72 + DIVEID % 10, "
               "CURRENT_FT = (DIVEID % 6) * 0.5, SURGE_FT = DIVEID % 4, SWELL_FT = DIVEID % 5, SURF_FT = DIVEID % 3, "
               "TIDE_FT = DIVEID % 7, HIGHLIGHTS = 'Highlights of dive ' || DIVEID, "
               "DIRECTIONS = 'Directions to dive ' || DIVEID WHERE DIVEID > ?",
               {lastId});
    if (shape.siteTypes > 0) {
        const qint64 firstType = db.Scalar("Select IFNULL(MAX(ID), 0) + 1 from DIVETYPEDATA ;").ToLong();
        AddCatalog(db, "INSERT INTO DIVETYPEDATA (TYPEDATA)", shape.siteTypes, "Dive Type");
        for (int k = 0; k < 2; ++k)
            db.Execute("INSERT INTO DIVETYPES (DIVEID, TYPEID) SELECT DIVEID, ? + (DIVEID * 2 + ?) % ? FROM DIVEDATA "
                       "WHERE DIVEID > ?",
                       {firstType, k, shape.siteTypes, lastId});
    }
}

// The gear catalogs, sets and accessories of the shape, and a set on each dive after lastId.
void AddGear(db::Database& db, const BigLogShape& shape, qint64 lastId)
{
    const char* const items[][2] = {{"REGULATORS", "REGULATOR"}, {"ALTAIRSOURCE", "AIRSOURCE"}, {"BCS", "BC"},
                                    {"GAUGES", "GAUGES"},       {"SUITS", "SUIT"},               {"BOOTS", "BOOTS"},
                                    {"GLOVES", "GLOVES"},       {"HOODS", "HOOD"},               {"MASKS", "MASK"},
                                    {"SNORKELS", "SNORKEL"},    {"FINS", "FINS"},                {"CYLINDERS", "CYLINDER"}};
    const int count = shape.gearNames;
    QStringList fields{"NAME"};
    QStringList values{"NAME"};
    for (const auto& item : items) {
        AddCatalog(db, QString("INSERT INTO %1 (NAME)").arg(item[0]), count, item[1]);
        fields << item[1];
        values << QString("replace(NAME, 'Set', '%1')").arg(item[1]);
    }
    fields << "BELTWEIGHT" << "INTWEIGHT" << "OTHERWEIGHT";
    values << "10 + length(NAME) % 7" << "4" << "0";
    db.Execute("INSERT INTO GEARS (" + fields.join(", ") + ") SELECT " + values.join(", ") + " FROM (" + kNameSql + ")",
               {count, "Set"});
    db.Execute(QString("INSERT INTO ACCESSORYDATA (ACCESSORY) SELECT upper(NAME) FROM (") + kNameSql + ")",
               {shape.accessories, "Accessory"});
    // Set r links the accessories r * 13 + j (j below accessoriesPerSet), in turn.
    db.Execute("WITH RECURSIVE k(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM k WHERE j + 1 < ?) "
               "INSERT INTO ACCESSORY (ACCESSORYID, GEAR) SELECT a.ID, g.NAME FROM "
               "(SELECT rowid AS r, NAME FROM GEARS WHERE NAME LIKE '%Set %') g, k, "
               "(SELECT ID, ROW_NUMBER() OVER (ORDER BY ID) - 1 AS n FROM ACCESSORYDATA) a "
               "WHERE a.n = (g.r * 13 + k.j) % ?",
               {shape.accessoriesPerSet, std::max(shape.accessories, 1)});
    db.Execute("UPDATE DIVEDATA SET GEAR = (CASE WHEN DIVEID % ?1 % 7 = 0 THEN 'O''' ELSE '' END) || 'Set ' || "
               "printf('%04d', DIVEID % ?1) WHERE DIVEID > ?2",
               {count, lastId});
    fields.removeFirst();
    QStringList copies;
    for (const QString& field : fields)
        copies << QString("%1 = (SELECT %1 FROM GEARS WHERE NAME = DIVEDATA.GEAR)").arg(field);
    db.Execute("UPDATE DIVEDATA SET " + copies.join(", ") + " WHERE DIVEID > ?", {lastId});
}

// peoplePerKind people of each companion kind, and their links to the dives after lastId.
void AddCompanions(db::Database& db, int peoplePerKind, qint64 lastId)
{
    struct Kind {
        int type;
        const char* name;
        const char* table;
        const char* idField;
        int perDive;
    };
    const Kind kinds[] = {{2, "Captain", "CAPTAIN", "CAPID", 1}, {3, "Crew", "CREWS", "CREWID", 1},
                          {4, "Buddy", "BUDDIES", "BUDDYID", 2}};
    for (const Kind& kind : kinds) {
        const qint64 firstId = db.Scalar("Select IFNULL(MAX(USERID), 0) + 1 from USERINFO ;").ToLong();
        db.Execute("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?) "
                   "INSERT INTO USERINFO (USERID, NAME, USERTYPE, CITY, HOME) "
                   "SELECT ? + i, ? || ' ' || printf('%04d', (i * 7919) % ?), ?, 'City', '555-0100' FROM n",
                   {peoplePerKind, firstId, kind.name, peoplePerKind, kind.type});
        for (int k = 0; k < kind.perDive; ++k)
            db.Execute(QString("INSERT INTO %1 (DIVEID, %2) SELECT DIVEID, ? + (DIVEID * ? + ?) % ? FROM DIVEDATA "
                               "WHERE DIVEID > ?")
                           .arg(kind.table, kind.idField),
                       {firstId, kind.perDive, k, peoplePerKind, lastId});
    }
}

// Samples every 2 seconds: a descent over the first tenth to the dive's MDEPTH, a
// wavy bottom to 60 %, then an ascent to the surface. Every 97th sample starts a
// fast ascent of three samples (band 5, ascent-rate alarm); samples within 2 ft of
// MDEPTH raise the max-depth alarm, and the first ones the EDT alarm.
void AddDiveShapedSamples(db::Database& db, int samplesPerDive, qint64 afterId)
{
    db.Execute(
        "WITH RECURSIVE s(k) AS (SELECT 0 UNION ALL SELECT k + 1 FROM s WHERE k + 1 < ?1), "
        "p(id, k, f, md) AS (SELECT d.DIVEID, s.k, s.k * 1.0 / ?1, d.MDEPTH FROM DIVEDATA d, s WHERE d.DIVEID > ?2), "
        "q(id, k, depth, fast) AS (SELECT id, k, "
        "  CASE WHEN f < 0.1 THEN md * f * 10 "
        "       WHEN f < 0.6 THEN md - 4 + (k % 9) * 0.5 "
        "       ELSE md * (1 - f) * 2.5 END, "
        "  f >= 0.1 AND k % 97 < 3 FROM p) "
        "INSERT INTO DIVEDETAILS (DIVEID, ORDNO, RECORDTYPE, DEPTH, TDEPTH, BTIME, VARI, TEMP, PO2, ALARM) "
        "SELECT q.id, q.k, 0, CAST(CASE WHEN fast THEN depth - (k % 97) * 6 ELSE depth END AS INTEGER), 0, "
        "  q.k * 2, CASE WHEN fast THEN 5 ELSE k % 3 END, 72, 30 + depth / 3, "
        "  (CASE WHEN fast THEN 16 ELSE 0 END) | (CASE WHEN k < 3 THEN 32 ELSE 0 END) "
        "FROM q",
        {samplesPerDive, afterId});
}

} // namespace

void AddDives(db::Database& db, const BigLogShape& shape)
{
    db::Transaction tx(db);
    const qint64 lastId = db.Scalar("Select IFNULL(MAX(DIVEID), 0) from DIVEDATA ;").ToLong();
    // A downloaded dive lasts as long as its samples.
    const int shapedSamples = shape.downloaded ? shape.samplesPerDive : 0;
    // Dive i: day i / 2 from 2000/01/01, at 08:xx or 14:xx.
    db.Execute(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?) "
        "INSERT INTO DIVEDATA (LIFETIMEDIVENO, DIVENO, DIVEDATE, DIVETIME, STIME, BTIME, MDEPTH, AVGDEPTH, "
        "FO2, CYLINDERSIZE, SPSI, EPSI, TEMP, MINIMUM, MODELID, MODELSERNO, DATATYPE, SNAPSHOT, MEMO) "
        "SELECT CASE WHEN ? THEN ? + i ELSE 0 END, i % 50 + 1, "
        "strftime('%Y/%m/%d', '2000-01-01', '+' || (i / 2) || ' days'), "
        "printf('%02d:%02d', 8 + 6 * (i % 2), i % 60), '01:30', "
        "CASE WHEN ? > 0 THEN (? * 2 + 59) / 60 ELSE 30 + i % 30 END, 40 + i % 90, 25 + i % 40, "
        "21 + i % 12, 80, 3000, 700 + i % 500, 70 + i % 15, 70 + i % 15, "
        "CASE WHEN ? THEN 6774 ELSE 0 END, CASE WHEN ? THEN 20511 ELSE 0 END, CASE WHEN ? THEN 1 ELSE 0 END, "
        "CASE WHEN ? THEN 0 ELSE i % 7 END, 'Dive ' || i "
        "FROM n",
        {shape.dives, shape.numbered, shape.firstLTD, shapedSamples, shapedSamples, shape.downloaded, shape.downloaded,
         shape.downloaded, shape.downloaded});
    db.Execute("INSERT INTO DIVE_DC_SETTINGS (DIVEID, UNITS, HOUR, ALTTIME, MAXDEPTH) "
               "SELECT DIVEID, 0, 0, 0, CASE WHEN ? THEN MDEPTH - 5 ELSE 0 END FROM DIVEDATA WHERE DIVEID > ?",
               {shape.downloaded, lastId});
    if (shape.samplesPerDive > 0 && shape.downloaded)
        AddDiveShapedSamples(db, shape.samplesPerDive, lastId);
    else if (shape.samplesPerDive > 0)
        db.Execute("WITH RECURSIVE s(k) AS (SELECT 0 UNION ALL SELECT k + 1 FROM s WHERE k + 1 < ?) "
                   "INSERT INTO DIVEDETAILS (DIVEID, ORDNO, DEPTH, BTIME, TEMP) "
                   "SELECT d.DIVEID, s.k, (s.k * 7) % 100, s.k * 20, 70 FROM DIVEDATA d, s WHERE d.DIVEID > ?",
                   {shape.samplesPerDive, lastId});
    if (shape.peoplePerKind > 0)
        AddCompanions(db, shape.peoplePerKind, lastId);
    if (shape.names > 0)
        AddNames(db, shape.names, lastId);
    if (shape.siteNames > 0 || shape.siteTypes > 0)
        AddSiteCatalogs(db, shape, lastId);
    if (shape.gearNames > 0)
        AddGear(db, shape, lastId);
    tx.Commit();
}

std::unique_ptr<db::Database> MakeBigLog(const QString& path, const BigLogShape& shape)
{
    if (!MakeFreshLog(path))
        throw db::DbError(1, "no log template at " + LogTemplatePath());
    auto db = db::Database::Open(path);
    AddDives(*db, shape);
    return db;
}

} // namespace kvl::test
