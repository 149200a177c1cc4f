// The text exports on large logs. Goals: the dive-details export of 10,000 downloaded
// dives with 100 samples each (a million sample lines) under 3 s with flat memory;
// the export dialog with its grid on that log under 300 ms; the profile and the DL7
// export of a dive of 3,600 samples under 50 ms each.

#include "bench/BenchRun.h"
#include "reports/DelimiterOption.h"
#include "reports/core/ExportDL7.h"
#include "reports/core/ExportDiveDetails.h"
#include "reports/core/ExportProfile.h"
#include "shell/core/DiveRows.h"
#include "shell/core/Global_Vars.h"
#include "tests/support/BigLog.h"
#include "tests/support/KvlTest.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using kvl::gv;

// One more dive of 3,600 samples, made the current dive.
void AddLongDive()
{
    kvl::db::Transaction tx(*gv.DB);
    gv.DB->Execute("INSERT INTO DIVEDATA (LIFETIMEDIVENO, DIVEDATE, DIVETIME, DIVENO, BTIME, MDEPTH, DATATYPE, "
                   "MODELID, MODELSERNO, RECVON, TANK1ON) VALUES (0, '2001/01/01', '10:00', 1, 120, 130, 1, 6774, "
                   "20511, -1, -1)");
    const qint64 id = gv.DB->LastInsertId();
    for (int i = 0; i < 3'600; ++i)
        gv.DB->Execute("INSERT INTO DIVEDETAILS (DIVEID, ORDNO, BTIME, DEPTH, VARI, TEMP, SDEPTH, NTIME, ATRM, ALARM) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                       {id, i + 1, 2 * i, 30 + i % 90, i % 6, 70 + i % 5, (i % 7) * 10, 600 - i % 600, i % 14, i % 64});
    tx.Commit();
    gv.rsDiveData = gv.DB->OpenRecordset("Select * from DIVEDATA where DIVEID = ? ;", {id});
    gv.CurrentDiveID = static_cast<qint32>(id);
    kvl::LoadCurrentDive();
}

struct ExportLog {
    QTemporaryDir dir;
    std::vector<kvl::ExportDive> dives;

    ExportLog(int diveCount, int samples)
    {
        kvl::test::EnsureApplication();
        kvl::test::BigLogShape shape;
        shape.dives = diveCount;
        shape.samplesPerDive = samples;
        shape.downloaded = true;
        gv.rsDiveData.reset();
        gv.DB = kvl::test::MakeBigLog(dir.filePath("big.dlg"), shape);
        gv.SortOrder = "LIFETIMEDIVENO ASC";
        gv.DiverName = "Bench Diver";
        gv.UnitDepth = gv.UnitTemp = 0;
        const auto rs = gv.DB->OpenSnapshot("Select DIVEID, LIFETIMEDIVENO from DIVEDATA order by LIFETIMEDIVENO ;");
        for (; !rs->EOF(); rs->MoveNext())
            dives.push_back({rs->Field("DIVEID").ToLong(), rs->Field("LIFETIMEDIVENO").ToLong()});
        AddLongDive();
    }
};

ExportLog& ManyDives()
{
    static ExportLog log(10'000, 100);
    return log;
}

void Check(benchmark::State& state, const kvl::ExportOutcome& outcome)
{
    if (outcome.status != kvl::ExportOutcome::Done)
        state.SkipWithError(("export failed: " + outcome.error).toStdString().c_str());
}

void DiveDetailsOf10000Dives(benchmark::State& state)
{
    ExportLog& log = ManyDives();
    for (auto _ : state)
        Check(state, kvl::ExportDiveDetailsFile(log.dir.filePath("details.txt"), log.dives, ","));
    state.counters["dives"] = static_cast<double>(log.dives.size());
}
BENCHMARK(DiveDetailsOf10000Dives)->Unit(benchmark::kMillisecond)->Iterations(kvl::bench::Runs(2));

// The same file through the dialog: every row ticked, one ExportDiveDetails per row.
void DialogExportOf10000Dives(benchmark::State& state)
{
    ExportLog& log = ManyDives();
    kvl::DelimiterOption dialog;
    dialog.Cmd_ItemClick("SelectAll");
    dialog.ExportFileName = log.dir.filePath("dialog.txt");
    for (auto _ : state) {
        dialog.OpenExportFile();
        for (const kvl::ExportDive& dive : dialog.TickedDives())
            dialog.ExportDiveDetails(dive);
        Check(state, dialog.CloseExportFile());
    }
}
BENCHMARK(DialogExportOf10000Dives)->Unit(benchmark::kMillisecond)->Iterations(kvl::bench::Runs(2));

void ExportDialogOn10000Dives(benchmark::State& state)
{
    ManyDives();
    for (auto _ : state) {
        kvl::DelimiterOption dialog;
        benchmark::DoNotOptimize(dialog.LastRowLTD);
    }
}
BENCHMARK(ExportDialogOn10000Dives)->Unit(benchmark::kMillisecond)->Iterations(kvl::bench::Runs(3));

void ProfileOf3600Samples(benchmark::State& state)
{
    ExportLog& log = ManyDives();
    for (auto _ : state)
        Check(state, kvl::ExportProfileFile(log.dir.filePath("profile.txt"), ";"));
}

void DL7Of3600Samples(benchmark::State& state)
{
    ExportLog& log = ManyDives();
    for (auto _ : state)
        Check(state, kvl::ExportDL7File(log.dir.filePath("dive.ZXU"), 1));
}

BENCHMARK(ProfileOf3600Samples)->Unit(benchmark::kMillisecond);
BENCHMARK(DL7Of3600Samples)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return kvl::bench::RunAll(argc, argv);
}
