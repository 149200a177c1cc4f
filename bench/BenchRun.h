#pragma once
// How every benchmark program starts, and its short run: with KVL_BENCH_SHORT=1 each
// benchmark runs only briefly, to show that it still runs to the end (CI runs every
// program so); the figures of a short run mean nothing. A short run gives each benchmark
// a minimum time of a few milliseconds, one iteration where a benchmark sets its own
// count (Runs), and the paced device runs read fewer pages.

#include <QtGlobal>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace kvl::bench {

inline bool ShortRun()
{
    return qEnvironmentVariableIntValue("KVL_BENCH_SHORT") != 0;
}

// For Iterations(): n, or 1 in a short run.
inline benchmark::IterationCount Runs(benchmark::IterationCount n)
{
    return ShortRun() ? 1 : n;
}

// benchmark::Initialize, with a short minimum time in a short run (a minimum time given
// on the command line still holds, as it comes later).
inline void Initialize(int* argc, char** argv)
{
    static char shortTime[] = "--benchmark_min_time=0.01";
    static std::vector<char*> args;
    args.assign(argv, argv + *argc);
    if (ShortRun() && !args.empty())
        args.insert(args.begin() + 1, shortTime);
    args.push_back(nullptr);
    *argc = int(args.size()) - 1;
    benchmark::Initialize(argc, args.data());
    if (benchmark::ReportUnrecognizedArguments(*argc, args.data()))
        std::exit(1);
}

// The whole of a benchmark program that needs nothing more (in place of BENCHMARK_MAIN).
inline int RunAll(int argc, char** argv)
{
    Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace kvl::bench
