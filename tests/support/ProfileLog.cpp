#include "tests/support/ProfileLog.h"

#include "shell/core/Global_Vars.h"
#include "shell/core/DiveRows.h"
#include "shell/core/Units.h"

#include <algorithm>

namespace kvl::test {

namespace {

template <typename T>
db::Value Maybe(const std::optional<T>& v)
{
    db::Value value;
    if (v)
        value = db::Value(*v);
    return value;
}

} // namespace

void ProfileLogTest::SetUp()
{
    KvlTest::SetUp();
    gv = Global_Vars{};
    const QString path = Home() + "/Profile.dlg";
    ASSERT_TRUE(MakeFreshLog(path));
    gv.DB = db::Database::Open(path);
    gv.DBIsOpen = true;
    InitUnitFlags();
}

void ProfileLogTest::TearDown()
{
    gv = Global_Vars{};
    KvlTest::TearDown();
}

qint64 ProfileLogTest::AddDive(const Columns& columns)
{
    return InsertRow(*gv.DB, "DIVEDATA", columns);
}

void ProfileLogTest::AddSamples(qint64 diveId, const std::vector<SampleRow>& rows)
{
    db::Transaction tx(*gv.DB);
    int order = 0;
    for (const SampleRow& r : rows)
        InsertRow(*gv.DB, "DIVEDETAILS",
                  {{"DIVEID", diveId}, {"ORDNO", ++order}, {"BTIME", Maybe(r.time)},
                   {"DEPTH", Maybe(r.depth)}, {"TDEPTH", r.tdepth}, {"VARI", r.vari}, {"ALARM", r.alarm},
                   {"TEMP", Maybe(r.temp)}, {"PO2", Maybe(r.po2)}, {"RECORDTYPE", r.recordType}});
    tx.Commit();
}

void ProfileLogTest::AddTimes(qint64 diveId, const std::vector<int>& times)
{
    std::vector<SampleRow> rows;
    for (int t : times)
        rows.push_back({t, 30.0});
    AddSamples(diveId, rows);
}

Columns DownloadedDive(Columns overrides)
{
    Columns columns{{"LIFETIMEDIVENO", 1}, {"DIVEDATE", "2025/02/14"}, {"DIVETIME", "10:00"}, {"DIVENO", 1},
                    {"BTIME", 10},         {"MDEPTH", 100},            {"FO2", 21},           {"DATATYPE", 1},
                    {"MODELID", 6774},     {"MODELSERNO", 20511},      {"SNAPSHOT", 0}};
    for (const auto& [name, value] : overrides) {
        const auto at = std::find_if(columns.begin(), columns.end(), [&](const auto& c) { return c.first == name; });
        if (at != columns.end())
            at->second = value;
        else
            columns.emplace_back(name, value);
    }
    return columns;
}

void ProfileLogTest::MakeCurrent(qint64 diveId)
{
    gv.rsDiveData = gv.DB->OpenRecordset("Select * from DIVEDATA ORDER by LIFETIMEDIVENO ASC");
    ASSERT_TRUE(gv.rsDiveData->FindFirst("DIVEID", diveId));
    gv.CurrentDiveID = static_cast<qint32>(diveId);
    LoadCurrentDive();
}

void ProfileLogTest::SetImperial(bool imperial)
{
    gv.UnitSystem = imperial ? 1 : 0;
    UpdateUnitFlags();
}

} // namespace kvl::test
