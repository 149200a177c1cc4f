// The database layer on a large log: 10,000 dives of 100 columns. Opening the dive
// list should take a few milliseconds (only the row ids are read), and storing a
// dive's samples one AddNew/Update at a time should keep up with a download.

#include "bench/BenchRun.h"
#include "platform/db/Db.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace kvl::db;

constexpr int Dives = 10'000;
constexpr int ExtraColumns = 97;

struct BigLog {
    QTemporaryDir dir;
    std::unique_ptr<Database> db;

    BigLog()
    {
        const QString path = dir.filePath("big.dlg");
        QString columns = "DIVEID INTEGER PRIMARY KEY AUTOINCREMENT, LIFETIMEDIVENO INTEGER, DIVEDATE TEXT";
        QString names = "LIFETIMEDIVENO, DIVEDATE";
        for (int i = 0; i < ExtraColumns; ++i) {
            columns += QString(", C%1 %2").arg(i).arg(i % 2 ? "TEXT" : "REAL");
            names += QString(", C%1").arg(i);
        }
        auto maker = Database::Create(path);
        maker->Execute("CREATE TABLE DIVEDATA (" + columns + ");"
                       "CREATE INDEX DIVEDATA_LTD ON DIVEDATA (LIFETIMEDIVENO);"
                       "CREATE TABLE DIVEDETAILS (ID INTEGER PRIMARY KEY AUTOINCREMENT, DIVEID INTEGER,"
                       " ORDNO INTEGER, DEPTH REAL, TEMP INTEGER, SWITCHED INTEGER, TANKNO INTEGER);");
        const QString insert = "INSERT INTO DIVEDATA (" + names + ") VALUES (?, ?" +
                               QString(", ?").repeated(ExtraColumns) + ")";
        Transaction tx(*maker);
        for (int dive = 0; dive < Dives; ++dive) {
            Params values{Dives - dive, "2001/01/01"};
            for (int i = 0; i < ExtraColumns; ++i)
                values.push_back(i % 2 ? Value("a memo of a few words") : Value(dive * 1.5));
            maker->Execute(insert, values);
        }
        tx.Commit();
        maker.reset();
        db = Database::Open(path);
    }
};

BigLog& Log()
{
    static BigLog log;
    return log;
}

const QString DiveList = "Select * from DIVEDATA ORDER by LIFETIMEDIVENO ASC ;";

void OpenDiveList(benchmark::State& state)
{
    Database& db = *Log().db;
    for (auto _ : state) {
        auto rs = db.OpenRecordset(DiveList);
        benchmark::DoNotOptimize(rs->Field("DIVEID"));
    }
}
BENCHMARK(OpenDiveList)->Unit(benchmark::kMillisecond);

void WalkDiveList(benchmark::State& state)
{
    Database& db = *Log().db;
    for (auto _ : state) {
        auto rs = db.OpenRecordset(DiveList);
        qint64 sum = 0;
        for (; !rs->EOF(); rs->MoveNext())
            sum += rs->Field("LIFETIMEDIVENO").ToLong();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(WalkDiveList)->Unit(benchmark::kMillisecond);

// The dive form shows every column of the current dive.
void ReadWholeDive(benchmark::State& state)
{
    auto rs = Log().db->OpenRecordset(DiveList);
    const QStringList names = rs->FieldNames();
    for (auto _ : state) {
        rs->MoveNext();
        if (rs->EOF())
            rs->MoveFirst();
        for (const QString& name : names)
            benchmark::DoNotOptimize(rs->Field(name));
    }
}
BENCHMARK(ReadWholeDive)->Unit(benchmark::kMicrosecond);

void FindDiveByCounter(benchmark::State& state)
{
    auto rs = Log().db->OpenRecordset(DiveList);
    for (auto _ : state)
        benchmark::DoNotOptimize(rs->FindFirst("DIVEID", Dives / 2));
}
BENCHMARK(FindDiveByCounter)->Unit(benchmark::kMicrosecond);

// One dive's samples, added one row at a time on a table-type set in one transaction.
void AddSamples(benchmark::State& state)
{
    Database& db = *Log().db;
    for (auto _ : state) {
        Transaction tx(db);
        auto rs = db.OpenTable("DIVEDETAILS");
        for (int i = 0; i < state.range(0); ++i) {
            rs->AddNew();
            rs->SetField("DIVEID", 1);
            rs->SetField("ORDNO", i + 1);
            rs->SetField("DEPTH", i * 0.5);
            rs->SetField("TEMP", 75);
            rs->SetField("SWITCHED", false);
            rs->SetField("TANKNO", 0);
            rs->Update();
        }
        // Rolled back, so every round starts from the same table.
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(AddSamples)->Arg(8000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return kvl::bench::RunAll(argc, argv);
}
