// Scrambling a 50 MB file against copying it the plain way; prints the ratio of
// the two (the goal is under 2: the pass should run at disk speed).

#include "bench/BenchRun.h"
#include "shell/core/Scramble.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr qint64 FileSize = 50'000'000;
constexpr qint64 ChunkSize = 1 << 20;

struct Files {
    QTemporaryDir dir;
    QString source = dir.filePath("source.dlg");
    QString target = dir.filePath("target.dlg");

    Files()
    {
        QFile file(source);
        if (!file.open(QIODevice::WriteOnly))
            return;
        QByteArray chunk(ChunkSize, Qt::Uninitialized);
        for (qint64 i = 0; i < chunk.size(); ++i)
            chunk[i] = char(i * 131 + (i >> 9));
        for (qint64 written = 0; written < FileSize; written += chunk.size())
            file.write(chunk.constData(), qMin<qint64>(chunk.size(), FileSize - written));
    }
};

Files& TheFiles()
{
    static Files files;
    return files;
}

bool CopyFile(const QString& source, const QString& target)
{
    QFile in(source), out(target);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray buffer(ChunkSize, Qt::Uninitialized);
    for (qint64 n; (n = in.read(buffer.data(), ChunkSize)) > 0;)
        if (out.write(buffer.constData(), n) != n)
            return false;
    return true;
}

void BM_CopyFile(benchmark::State& state)
{
    Files& files = TheFiles();
    for (auto _ : state)
        if (!CopyFile(files.source, files.target))
            state.SkipWithError("copy failed");
    state.SetBytesProcessed(state.iterations() * FileSize);
}
BENCHMARK(BM_CopyFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScrambleFile(benchmark::State& state)
{
    Files& files = TheFiles();
    for (auto _ : state)
        if (kvl::ScrambleFile(files.source, files.target, kvl::ScrambleKey) != 1)
            state.SkipWithError("scramble failed");
    state.SetBytesProcessed(state.iterations() * FileSize);
}
BENCHMARK(BM_ScrambleFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps the mean real time of each benchmark to print their ratio at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                seconds[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> seconds;
};

} // namespace

int main(int argc, char** argv)
{
    kvl::bench::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double copy = reporter.seconds["BM_CopyFile"], scramble = reporter.seconds["BM_ScrambleFile"];
    if (copy > 0 && scramble > 0)
        std::printf("Scrambling a 50 MB file takes %.2f times as long as copying it (goal: under 2)\n",
                    scramble / copy);
    benchmark::Shutdown();
    return 0;
}
