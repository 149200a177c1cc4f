// Start-up work on a diver's log of 10,000 dives (50 samples each): opening it,
// checking it, loading the unit flags, renumbering the lifetime dive numbers and showing the
// current dive; and one step to the next dive. Goals on this machine: start-up
// under 100 ms, one step under 1 ms.

#include "bench/BenchRun.h"
#include "shell/core/DiveRows.h"
#include "shell/core/LogOpen.h"
#include "shell/core/Units.h"
#include "tests/support/BigLog.h"
#include "tests/support/KvlTest.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace kvl;

constexpr int Dives = 10'000;
constexpr int Samples = 50;

// One log per numbering: the numbers already right (an ordinary start), or all 0
// (every dive gets rewritten).
const QString& LogPath(bool numbered)
{
    static QTemporaryDir dir;
    static QString paths[2];
    QString& path = paths[numbered];
    if (path.isEmpty()) {
        path = dir.filePath(numbered ? "numbered.dlg" : "unnumbered.dlg");
        test::MakeBigLog(path, {Dives, Samples, 1, numbered});
    }
    return path;
}

void StartUp(const QString& path)
{
    gv = Global_Vars{};
    OpenedLog opened = OpenCheckedLog(path);   // with the lock and the soundness check
    gv.LogLock = std::move(opened.lock);
    gv.DB = std::move(opened.db);
    gv.BaseLTD = 1;
    gv.SortOrder = "LIFETIMEDIVENO ASC";
    gv.DiveListSQL = "Select * from DIVEDATA ORDER by " + gv.SortOrder;
    InitUnitFlags();
    RenumberLifeTimeDives();
    ShowCurrentLTD();
}

void BM_StartUp(benchmark::State& state)
{
    const QString& path = LogPath(true);
    for (auto _ : state)
        StartUp(path);
    state.counters["dives"] = Dives;
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

void BM_StartUpRenumberingEveryDive(benchmark::State& state)
{
    const QString& path = LogPath(false);
    for (auto _ : state) {
        state.PauseTiming();
        db::Database::Open(path)->Execute("Update DIVEDATA set LIFETIMEDIVENO = 0");
        state.ResumeTiming();
        StartUp(path);
    }
    state.counters["dives"] = Dives;
}
BENCHMARK(BM_StartUpRenumberingEveryDive)->Unit(benchmark::kMillisecond);

void BM_NextDive(benchmark::State& state)
{
    StartUp(LogPath(true));
    db::Recordset& list = *gv.rsDiveData;
    for (auto _ : state) {
        list.MoveNext();
        if (list.EOF())
            list.MoveFirst();
        gv.CurrentDiveID = qint32(list.Field("DIVEID").ToLong());
        LoadCurrentDive();
    }
}
BENCHMARK(BM_NextDive)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    kvl::test::EnsureApplication();   // also finds the build's share folder
    const int result = kvl::bench::RunAll(argc, argv);
    kvl::gv = kvl::Global_Vars{};   // lets go of the log and its lock while their folder is still there
    return result;
}
