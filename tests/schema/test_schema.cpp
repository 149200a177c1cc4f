// The shipped databases: the log template holds every table and column the
// program uses, with the rows a new log starts with; the download template holds
// the archive tables; the sample log is a valid log with a dozen hand-made dives.

#include "platform/db/Db.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

#include <sqlite3.h>

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace kvl {
namespace {

using db::Database;
using db::DbError;
using db::Value;

// Every table of a log and the columns the program reads or writes in it.
const std::map<QString, QStringList> LogColumns = {
    {"DIVEDATA", {"DIVEID", "LIFETIMEDIVENO", "DIVENO", "DIVEDATE", "DIVETIME", "STIME", "BTIME",
                  "MDEPTH", "AVGDEPTH", "TDEPTH", "VARI", "FO2", "FO2GAS2", "FO2GAS3",
                  "CYLINDERSIZE", "CYLINDERSIZE2", "CYLINDERSIZE3", "SPSI", "SPSI2", "SPSI3",
                  "EPSI", "EPSI2", "EPSI3", "TID1", "TID2", "TID3", "TANK1ON", "TANK2ON", "TANK3ON",
                  "RECVON", "AIRCONSUMP", "DECOMDIVE", "VIOLATION", "GAUGEDIVE", "DATATYPE",
                  "MODELID", "MODELSERNO", "FIRMWAREREV", "SNAPSHOT", "RLOWBATT", "XLOWBATT",
                  "XLOWBATT2", "XLOWBATT3", "TEMP", "MINIMUM", "AIR", "SURFACE", "VISIBILITY",
                  "ALTITUDE", "CURRENT", "SURGE", "SWELL", "SURF", "TIDE", "CURRENT_FT", "SURGE_FT",
                  "SWELL_FT", "SURF_FT", "TIDE_FT", "RESORT", "OPERATOR", "DIVEBOAT", "GPS", "MEMO",
                  "HIGHLIGHTS", "DIRECTIONS", "LOCID", "SITEID", "GEAR", "REGULATOR", "AIRSOURCE",
                  "BC", "GAUGES", "SUIT", "BOOTS", "GLOVES", "HOOD", "MASK", "SNORKEL", "FINS",
                  "CYLINDER", "BELTWEIGHT", "INTWEIGHT", "OTHERWEIGHT"}},
    {"DIVEDETAILS", {"DIVEID", "ORDNO", "SWITCHED", "TANKNO", "LOSTLINK", "RECORDTYPE", "DEPTH",
                     "TDEPTH", "BTIME", "VARI", "VSTATUS", "NTIME", "SDEPTH", "TLBG", "O2BG", "TEMP",
                     "ATRM", "ALARM", "PO2"}},
    {"DIVE_DC_SETTINGS", {"DIVEID", "MAXDEPTH", "EDT", "TURNPSI", "ENDPSI", "HOUR", "AUDIBLEALARM",
                          "FO2", "UNITS", "GAUGE", "CONSERVE", "WATER", "RECEIVER", "NAVBACKLIGHT",
                          "ASCENT", "CHRONO", "CHRONO_ASCENT_ON_OFF", "NAVDIVE", "ALTTIME", "MAXNIBG",
                          "DTR", "PO2", "BACKLIGHT", "SAFETYTIME", "SAFETYDEPTH", "DIVESAMPLE"}},
    {"DC_SETTINGS", {"DCID", "DCSERIALNO", "FIRMWAREREV", "UNITS", "WATER", "HOUR", "AUDIBLEALARM",
                     "RECEIVER", "FO2", "GAUGE", "CHRONO", "CHRONO_ASCENT_ON_OFF", "ASCENT", "NAVDIVE",
                     "NAVBACKLIGHT", "ALTTIME", "SYSTEMCLOCK", "CONSERVE", "MAXDEPTH", "PO2", "EDT",
                     "DTR", "BACKLIGHT", "DIVESAMPLE", "SAFETYTIME", "SAFETYDEPTH", "TURNPSI",
                     "ENDPSI", "MAXNIBG", "MAXATRBG", "TANK1ON", "TANK2ON", "TANK3ON", "TID1", "TID2",
                     "TID3"}},
    {"DC_NAV", {"DCID", "DCSERIALNO", "LEGNO", "HEADING", "CDT", "AUDIBLEALARM", "LIGHTALARM"}},
    {"DC_PROPERTIES", {"MODELID", "MODELNAME", "MANUFACTURING", "MAXVARI", "MAXTLBG", "MAXO2BG",
                       "MAXATRBG", "MAXDEPTH"}},
    {"USERINFO", {"USERID", "NAME", "USERTYPE", "ADDRESS1", "ADDRESS2", "CITY", "STATE", "ZIPCODE",
                  "COUNTRY", "HOME", "EMAIL", "CONTACTNAME", "CONTACTPHONE", "PHYSICIAN", "MEDPHONE",
                  "INSURANCE", "POLICY", "BLOODTYPE", "ALLERGIES"}},
    {"BUDDIES", {"DIVEID", "BUDDYID"}},
    {"CAPTAIN", {"DIVEID", "CAPID"}},
    {"CREWS", {"DIVEID", "CREWID"}},
    {"UNITS_OF_MEASUREMENT", {"DEPTH", "TEMP", "PRESSURE", "WEIGHT", "TIME", "DATE", "CYLINDER"}},
    {"LOCATIONS", {"LOCID", "LOCATIONNAME"}},
    {"DIVESITES", {"SITEID", "DIVESITE"}},
    {"CURRENTS", {"ID", "CURRENT"}},
    {"SURGES", {"ID", "SURGE"}},
    {"SURFS", {"ID", "SURF"}},
    {"SWELLS", {"ID", "SWELL"}},
    {"TIDES", {"ID", "TIDE"}},
    {"RESORTS", {"NAME"}},
    {"OPERATORS", {"NAME"}},
    {"DIVEBOATS", {"NAME"}},
    {"GPSS", {"NAME"}},
    {"DIVETYPEDATA", {"ID", "TYPEDATA"}},
    {"DIVETYPES", {"DIVEID", "TYPEID"}},
    {"GEARS", {"NAME", "REGULATOR", "AIRSOURCE", "BC", "GAUGES", "SUIT", "BOOTS", "GLOVES", "HOOD",
               "MASK", "SNORKEL", "FINS", "CYLINDER", "BELTWEIGHT", "INTWEIGHT", "OTHERWEIGHT"}},
    {"REGULATORS", {"NAME"}},
    {"ALTAIRSOURCE", {"NAME"}},
    {"BCS", {"NAME"}},
    {"CYLINDERS", {"NAME"}},
    {"GAUGES", {"NAME"}},
    {"MASKS", {"NAME"}},
    {"FINS", {"NAME"}},
    {"BOOTS", {"NAME"}},
    {"GLOVES", {"NAME"}},
    {"HOODS", {"NAME"}},
    {"SUITS", {"NAME"}},
    {"SNORKELS", {"NAME"}},
    {"ACCESSORY", {"ACCESSORYID", "GEAR"}},
    {"ACCESSORYDATA", {"ID", "ACCESSORY"}},
    {"PHOTOS", {"DIVEID"}},
};

const std::map<QString, QStringList> ArchiveColumns = {
    {"DCInfo", {"DCName", "DCCode", "DCSerialNo"}},
    {"DATA", {"PAGE"}},
    {"DivesIndex", {"DiveNo", "DiveDate", "DiveTime", "SA", "EA", "DiveMode", "IsSaved"}},
};

void ExpectTables(Database& db, const std::map<QString, QStringList>& tables)
{
    for (const auto& [table, columns] : tables) {
        ASSERT_TRUE(db.TableExists(table)) << qPrintable(table);
        const auto rs = db.OpenRecordset("Select * from " + table + " ;");
        for (const QString& column : columns)
            EXPECT_TRUE(rs->HasField(column)) << qPrintable(table + "." + column);
    }
}

qint64 Long(Database& db, const QString& sql, const db::Params& params = {})
{
    return db.Scalar(sql, params).ToLong();
}

// The plan SQLite chooses for a statement, one step per line.
QString QueryPlan(Database& db, const QString& sql)
{
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = ("EXPLAIN QUERY PLAN " + sql).toUtf8();
    if (sqlite3_prepare_v2(db.Handle(), text.constData(), -1, &stmt, nullptr) != SQLITE_OK)
        return "cannot prepare: " + sql;
    QString plan;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        plan += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3))) + "\n";
    sqlite3_finalize(stmt);
    return plan;
}

class FreshLogTest : public test::KvlTest {
protected:
    void SetUp() override
    {
        test::KvlTest::SetUp();
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath("Fresh Log.dlg");
        ASSERT_TRUE(test::MakeFreshLog(path_));
        db_ = Database::Open(path_);
    }

    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<Database> db_;
};

TEST_F(FreshLogTest, HoldsEveryTableAndColumn)
{
    ExpectTables(*db_, LogColumns);
}

TEST_F(FreshLogTest, CarriesTheSchemaVersion)
{
    EXPECT_EQ(Long(*db_, "PRAGMA user_version"), 1);
}

TEST_F(FreshLogTest, IsValidWithTheBuiltInModel)
{
    EXPECT_EQ(Long(*db_, "Select COUNT(MODELNAME) as TOTALDC from DC_PROPERTIES Where MODELID in (6774) ;"), 1);
    const auto rs = db_->OpenRecordset("Select * from DC_PROPERTIES where MODELID = 6774 ;");
    ASSERT_FALSE(rs->EOF());
    EXPECT_EQ(rs->Field("MODELNAME").ToString(), "QX07");
    EXPECT_EQ(rs->Field("MANUFACTURING").ToString(), "TARVIK");
    EXPECT_EQ(rs->Field("MAXVARI").ToLong(), 5);
    EXPECT_EQ(rs->Field("MAXTLBG").ToLong(), 0);
    EXPECT_EQ(rs->Field("MAXO2BG").ToLong(), 0);
    EXPECT_EQ(rs->Field("MAXATRBG").ToLong(), 0);
    EXPECT_EQ(rs->Field("MAXDEPTH").ToLong(), 400);
}

TEST_F(FreshLogTest, ConditionScalesRunFromIdOneWithNames)
{
    const std::map<QString, QString> scales = {
        {"CURRENTS", "CURRENT"}, {"SURGES", "SURGE"}, {"SWELLS", "SWELL"}, {"SURFS", "SURF"}, {"TIDES", "TIDE"}};
    for (const auto& [table, name] : scales) {
        const auto rs = db_->OpenRecordset("Select * from " + table + " order by ID ;");
        ASSERT_GE(rs->RecordCount(), 3) << qPrintable(table);
        for (qint64 id = 1; !rs->EOF(); rs->MoveNext(), ++id) {
            EXPECT_EQ(rs->Field("ID").ToLong(), id) << qPrintable(table);
            EXPECT_FALSE(rs->Field(name).ToString().trimmed().isEmpty()) << qPrintable(table);
        }
        // The lookups by id and by name that the forms run.
        EXPECT_FALSE(db_->Scalar("Select " + name + " from " + table + " where ID = 2 ;").IsNull());
        db_->Execute("Update DIVEDATA Set " + name + " = 2 Where DIVEID = 1; ");
    }
}

TEST_F(FreshLogTest, StartsWithOneImperialUnitsRow)
{
    const auto rs = db_->OpenRecordset("Select * from UNITS_OF_MEASUREMENT ;");
    ASSERT_EQ(rs->RecordCount(), 1);
    for (const QString& column : LogColumns.at("UNITS_OF_MEASUREMENT"))
        EXPECT_EQ(rs->Field(column).ToLong(), -1) << qPrintable(column);
}

TEST_F(FreshLogTest, FactorySettingsLieInsideTheFormsRanges)
{
    const auto rs = db_->OpenRecordset("Select * from DC_SETTINGS where DCID = 6774 and DCSERIALNO = 0 ;");
    ASSERT_EQ(rs->RecordCount(), 1);
    auto v = [&](const char* column) { return rs->Field(column).ToLong(); };
    for (const char* flag : {"UNITS", "WATER", "HOUR", "AUDIBLEALARM", "RECEIVER", "FO2", "GAUGE", "CHRONO",
                             "CHRONO_ASCENT_ON_OFF", "ASCENT", "NAVDIVE", "NAVBACKLIGHT", "ALTTIME",
                             "SYSTEMCLOCK"})
        EXPECT_TRUE(v(flag) == 0 || v(flag) == 1) << flag;
    EXPECT_NE(v("ASCENT"), v("CHRONO"));
    const qint64 depth = v("MAXDEPTH");
    EXPECT_TRUE(depth == 20 || depth == 23 || depth == 26 || (depth >= 30 && depth <= 400 && depth % 10 == 0));
    EXPECT_TRUE(v("PO2") >= 120 && v("PO2") <= 160 && v("PO2") % 10 == 0);
    EXPECT_TRUE(v("EDT") >= 10 && v("EDT") / 100 <= 9 && v("EDT") % 100 <= 55 && v("EDT") % 5 == 0);
    EXPECT_TRUE(v("DTR") >= 0 && v("DTR") <= 20);
    EXPECT_TRUE(v("BACKLIGHT") >= 0 && v("BACKLIGHT") <= 2);
    EXPECT_TRUE(v("DIVESAMPLE") >= 0 && v("DIVESAMPLE") <= 6);
    EXPECT_TRUE(v("TURNPSI") >= 1000 && v("TURNPSI") <= 3000);
    EXPECT_TRUE(v("ENDPSI") >= 0 && v("ENDPSI") <= 3000);
    EXPECT_TRUE(v("MAXNIBG") >= 0 && v("MAXNIBG") <= 5);
    EXPECT_TRUE(v("SAFETYTIME") >= 0 && v("SAFETYTIME") <= 15);
    EXPECT_TRUE(v("SAFETYDEPTH") >= 0 && v("SAFETYDEPTH") <= 15);

    const auto legs = db_->OpenRecordset("Select * from DC_NAV where DCID = 6774 and DCSERIALNO = 0 ORDER BY LEGNO ;");
    ASSERT_GE(legs->RecordCount(), 1);
    for (qint64 leg = 1; !legs->EOF(); legs->MoveNext(), ++leg) {
        EXPECT_EQ(legs->Field("LEGNO").ToLong(), leg);
        EXPECT_TRUE(legs->Field("HEADING").ToLong() >= 0 && legs->Field("HEADING").ToLong() <= 360);
        EXPECT_TRUE(legs->Field("CDT").ToLong() > 0 && legs->Field("CDT").ToLong() <= 9 * 3600 + 59 * 60 + 59);
    }
}

TEST_F(FreshLogTest, CountersAreNeverReused)
{
    db_->Execute("INSERT INTO DIVEDATA (LIFETIMEDIVENO) VALUES (1)");
    const qint64 first = db_->LastInsertId();
    db_->Execute("Delete from DIVEDATA where DIVEID = ?", {first});
    db_->Execute("INSERT INTO DIVEDATA (LIFETIMEDIVENO) VALUES (1)");
    EXPECT_GT(db_->LastInsertId(), first);
}

TEST_F(FreshLogTest, NamesCompareWithoutRegardToCase)
{
    db_->Execute("INSERT INTO LOCATIONS (LOCATIONNAME) VALUES ('Cozumel')");
    EXPECT_EQ(Long(*db_, "Select COUNT(*) from LOCATIONS where LOCATIONNAME = 'COZUMEL'"), 1);
    db_->Execute("INSERT INTO OPERATORS (NAME) VALUES ('Blue Reef'), ('BLUE REEF'), ('aqua')");
    const auto rs = db_->OpenRecordset("Select DISTINCT(NAME) from OPERATORS order by NAME ;");
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Field("NAME").ToString(), "aqua");
}

// A dive entered by hand sets only a few columns; the rest read back as values,
// and its settings row, holding only DIVEID, stands for imperial units and the
// 12-hour clock, the reading the unit flags take from an unset row.
TEST_F(FreshLogTest, RowsWrittenInPartTakeValuesNotNulls)
{
    db_->Execute("INSERT INTO DIVEDATA (LIFETIMEDIVENO, DIVEDATE, DIVETIME, STIME, MODELID, MODELSERNO, DATATYPE) "
                 "VALUES (1, '2009/03/09', '14:05', '00:00', 0, 0, 0)");
    const qint64 id = db_->LastInsertId();
    db_->Execute("INSERT INTO DIVE_DC_SETTINGS (DIVEID) VALUES (?)", {id});

    const auto dive = db_->OpenRecordset("Select * from DIVEDATA where DIVEID = ?", {id});
    for (const QString& column : dive->FieldNames())
        EXPECT_FALSE(dive->Field(column).IsNull()) << qPrintable(column);
    EXPECT_EQ(dive->Field("TANK1ON").ToLong(), 0);
    EXPECT_EQ(dive->Field("MEMO").ToString(), "");

    const auto settings = db_->OpenRecordset("Select * from DIVE_DC_SETTINGS where DIVEID = ?", {id});
    ASSERT_FALSE(settings->EOF());
    EXPECT_EQ(settings->Field("UNITS"), Value(0));
    EXPECT_EQ(settings->Field("HOUR"), Value(0));
}

TEST_F(FreshLogTest, LookupsUseAnIndex)
{
    const QStringList lookups = {
        "Select * from DIVEDETAILS where DIVEID = 1 ORDER BY ORDNO",
        "Select * from DIVEDATA Where LIFETIMEDIVENO > 3 ORDER BY LIFETIMEDIVENO ASC",
        "Select * from DIVEDATA ORDER BY DIVEDATE, DIVETIME, MODELID, MODELSERNO ASC",
        "Select * from DIVE_DC_SETTINGS where DIVEID = 1",
        "Select BUDDYID from BUDDIES where DIVEID = 1",
        "Select CAPID from CAPTAIN where DIVEID = 1",
        "Select CREWID from CREWS where DIVEID = 1",
        "Select TYPEID from DiveTypes where DIVEID = 1",
        "Select * from PHOTOS where DIVEID = 1",
        "Select * from DC_SETTINGS where DCID = 6774 and DCSERIALNO = 0",
        "Select * from DC_NAV where DCID = 6774 and DCSERIALNO = 0 ORDER BY LEGNO",
        "Select * from DC_PROPERTIES where MODELNAME = 'QX07'",
        "Select * from LOCATIONS where LOCATIONNAME = 'x'",
        "Select * from DIVESITES where DIVESITE = 'x'",
        "Select * from GEARS where NAME = 'x'",
        "Select * from USERINFO where USERTYPE = 4 order by NAME",
        "Select * from ACCESSORY where GEAR = 'x'",
        "Select * from ACCESSORYDATA where ACCESSORY = 'X'",
    };
    for (const QString& sql : lookups) {
        const QString plan = QueryPlan(*db_, sql);
        EXPECT_TRUE(plan.contains("USING") && !plan.contains("TEMP B-TREE")) << qPrintable(sql + "\n" + plan);
    }
}

TEST(TemplatesTest, ScrambledTemplatesAreNoDatabaseUntilUnscrambled)
{
    test::EnsureApplication();
    QTemporaryDir dir;
    for (const QString& path : {test::LogTemplatePath(), test::ArchiveTemplatePath()})
        EXPECT_THROW(Database::Open(path)->Scalar("Select count(*) from sqlite_master"), DbError)
            << qPrintable(path);

    ASSERT_TRUE(test::MakeFreshArchive(dir.filePath("archive.dat")));
    auto archive = Database::Open(dir.filePath("archive.dat"));
    ExpectTables(*archive, ArchiveColumns);
    EXPECT_EQ(Long(*archive, "PRAGMA user_version"), 1);
    // DATA is written and read by position: the page, then 16 data bytes and the checksum.
    const auto data = archive->OpenRecordset("Select * from DATA ORDER BY PAGE ASC ;");
    ASSERT_EQ(data->FieldNames().size(), 18);
    EXPECT_EQ(data->FieldNames().front(), "PAGE");
}

class SampleLogTest : public test::KvlTest {
protected:
    void SetUp() override
    {
        test::KvlTest::SetUp();
        db_ = Database::Open(test::SampleLogPath());
    }

    std::unique_ptr<Database> db_;
};

TEST_F(SampleLogTest, IsAValidLogOfTheSampleDiver)
{
    ExpectTables(*db_, LogColumns);
    EXPECT_EQ(Long(*db_, "Select COUNT(MODELNAME) as TOTALDC from DC_PROPERTIES Where MODELID in (6774) ;"), 1);
    const auto diver = db_->OpenRecordset("Select * from USERINFO where USERTYPE = 1 ;");
    ASSERT_EQ(diver->RecordCount(), 1);
    EXPECT_EQ(diver->Field("NAME").ToString(), "Sample Diver");
    for (const QString& column : LogColumns.at("USERINFO").mid(3))
        EXPECT_EQ(diver->Field(column).ToString(), " ") << qPrintable(column);
}

TEST_F(SampleLogTest, HoldsTwelveHandMadeDivesAndOneDownloadedInDateOrder)
{
    // The order the lifetime numbers are rebuilt in gives them 1..13 unchanged; the
    // last one is downloaded.
    const auto rs = db_->OpenRecordset("Select * from DIVEDATA ORDER BY DIVEDATE, DIVETIME, MODELID, MODELSERNO ASC;");
    ASSERT_EQ(rs->RecordCount(), 13);
    const QRegularExpression date("^\\d{4}/\\d{2}/\\d{2}$"), time("^\\d{2}:\\d{2}$");
    QString previous;
    for (qint64 ltd = 1; !rs->EOF(); rs->MoveNext(), ++ltd) {
        const qint64 id = rs->Field("DIVEID").ToLong();
        EXPECT_EQ(rs->Field("LIFETIMEDIVENO").ToLong(), ltd);
        EXPECT_TRUE(date.match(rs->Field("DIVEDATE").ToString()).hasMatch());
        EXPECT_TRUE(time.match(rs->Field("DIVETIME").ToString()).hasMatch());
        EXPECT_TRUE(time.match(rs->Field("STIME").ToString()).hasMatch());
        const QString when = rs->Field("DIVEDATE").ToString() + rs->Field("DIVETIME").ToString();
        EXPECT_LT(previous, when) << "two dives share a date and time";
        previous = when;
        const bool downloaded = ltd == 13;
        EXPECT_EQ(rs->Field("DATATYPE").ToLong(), downloaded ? 1 : 0);
        EXPECT_EQ(rs->Field("MODELID").ToLong(), downloaded ? 6774 : 0);
        EXPECT_EQ(rs->Field("MODELSERNO").ToLong(), downloaded ? 20511 : 0);
        EXPECT_GT(rs->Field("MDEPTH").ToDouble(), 0);
        EXPECT_GT(rs->Field("BTIME").ToLong(), 0);
        EXPECT_GT(rs->Field("SPSI").ToDouble(), rs->Field("EPSI").ToDouble());
        EXPECT_EQ(Long(*db_, "Select COUNT(*) from LOCATIONS where LOCID = ?", {rs->Field("LOCID")}), 1);
        EXPECT_EQ(Long(*db_, "Select COUNT(*) from DIVESITES where SITEID = ?", {rs->Field("SITEID")}), 1);
        const auto settings = db_->OpenRecordset("Select * from DIVE_DC_SETTINGS where DIVEID = ?", {id});
        EXPECT_EQ(settings->RecordCount(), 1) << "dive " << id;
    }
}

TEST_F(SampleLogTest, TheDownloadedDiveHasAProfileWithAFastAscentAndAlarms)
{
    const qint64 id = Long(*db_, "Select DIVEID from DIVEDATA where DATATYPE = 1");
    EXPECT_GE(Long(*db_, "Select COUNT(*) from DIVEDETAILS where DIVEID = ?", {id}), 200);
    EXPECT_EQ(Long(*db_, "Select MAX(DEPTH) from DIVEDETAILS where DIVEID = ?", {id}),
              Long(*db_, "Select MDEPTH from DIVEDATA where DIVEID = ?", {id}));
    EXPECT_EQ(Long(*db_, "Select MAX(BTIME) / 60 from DIVEDETAILS where DIVEID = ?", {id}),
              Long(*db_, "Select BTIME from DIVEDATA where DIVEID = ?", {id}));
    EXPECT_GT(Long(*db_, "Select COUNT(*) from DIVEDETAILS where DIVEID = ? and VARI = 5", {id}), 0);
    EXPECT_GT(Long(*db_, "Select COUNT(*) from DIVEDETAILS where DIVEID = ? and ALARM = 2", {id}), 0);
    EXPECT_GT(Long(*db_, "Select MAXDEPTH from DIVE_DC_SETTINGS where DIVEID = ?", {id}), 0);
}

} // namespace
} // namespace kvl
