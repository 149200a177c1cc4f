// The whole-file check a log gets before its first write, on a diver's log of 10,000
// dives with 50 samples each: the check alone, and the first write after an opening
// (the open road's checks, then the whole-file check, then one dive's memo). Goal on
// this machine: the check under 300 ms.

#include "bench/BenchRun.h"
#include "shell/core/LogCheck.h"
#include "shell/core/LogOpen.h"
#include "tests/support/BigLog.h"
#include "tests/support/KvlTest.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace kvl;

constexpr int Dives = 10'000;
constexpr int Samples = 50;

const QString& LogPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString made = dir.filePath("big.dlg");
        test::MakeBigLog(made, {Dives, Samples});
        return made;
    }();
    return path;
}

void BM_WholeFileCheck(benchmark::State& state)
{
    OpenedLog opened = OpenCheckedLog(LogPath());
    for (auto _ : state)
        CheckLogPages(*opened.db);
    state.counters["dives"] = Dives;
    state.counters["samples"] = double(Dives) * Samples;
}
BENCHMARK(BM_WholeFileCheck)->Unit(benchmark::kMillisecond);

void BM_OpenAndFirstWrite(benchmark::State& state)
{
    int n = 0;
    for (auto _ : state) {
        OpenedLog opened = OpenCheckedLog(LogPath());
        opened.db->Execute("Update DIVEDATA set MEMO = ? where DIVEID = 1", {QString::number(++n)});
    }
    state.counters["dives"] = Dives;
}
BENCHMARK(BM_OpenAndFirstWrite)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    kvl::test::EnsureApplication();   // also finds the build's share folder
    return kvl::bench::RunAll(argc, argv);
}
