// The host's own work on a download, with no line in the way: decoding a dive
// that fills the whole profile ring (3,982 pages, about 7,960 samples) and
// writing its rows (goal: under 200 ms), and writing the download archive
// (4,096 rows and two scrambling passes; goal: under 300 ms).

#include "bench/BenchRun.h"
#include "device/core/DiveConversion.h"
#include "device/core/DiveList.h"
#include "device/core/DownloadArchive.h"
#include "platform/folders/Folders.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"
#include "tools/devsim/sim/Device.h"
#include "tools/devsim/sim/Fixture.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cstdio>
#include <map>

namespace {

using namespace kvl;

constexpr int RingPages = DevicePage::LastRing - DevicePage::FirstRing + 1;
// Settings copy, start page and summary around two samples a page.
constexpr int RingSamples = (RingPages - 3) * 2;
constexpr qint32 QX07 = 6774;
constexpr qint32 Serial = 10203;

std::map<std::string, double> msPerRun;

// The device memory as the host's image: 4096 slots of 17 bytes.
Image ImageOf(const devsim::Device& device)
{
    Image image(RxBufferSize, 0);
    for (int p = 0; p < devsim::PageCount; ++p)
        std::copy(device.PageAt(p).begin(), device.PageAt(p).end(), image.begin() + p * PageSlotSize);
    return image;
}

// One dive from the first ring page to the last, sampled every 2 seconds.
Image RingImage()
{
    QJsonArray samples;
    for (int i = 1; i <= RingSamples; ++i)
        samples.append(QJsonArray{i * 2, 20 + i % 80, 70});
    const QJsonObject dive{{"date", "2009-06-04"}, {"time", "09:15"}, {"number", 1}, {"mode", 0}, {"o2", 32},
                           {"sampleRate", 2},      {"interval", "01:25"}, {"samples", samples}};
    const QJsonObject fixture{{"serial", Serial}, {"firmware", "2B"}, {"dives", QJsonArray{dive}}};
    devsim::Device device;
    QString error;
    if (!devsim::BuildFixture(fixture, device, nullptr, &error))
        std::fprintf(stderr, "ring fixture: %s\n", qPrintable(error));
    return ImageOf(device);
}

struct Environment {
    QTemporaryDir home;
    Image ring = RingImage();
    device::DiveListRecord dive;
    Environment()
    {
        test::EnsureApplication();
        qputenv("KVL_HOME", home.path().toLocal8Bit());
        LayOutProgramFolder();
        device::DecodeListEntry(ring, DevicePage::FirstIndex * PageSlotSize, 1, 0, dive);
    }
};

Environment& Env()
{
    static Environment env;
    return env;
}

void BM_ConvertFullRingDive(benchmark::State& state)
{
    Environment& env = Env();
    int samples = 0;
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = env.home.filePath(QString("ring%1.dlg").arg(++run));
        test::MakeFreshLog(path);
        auto db = db::Database::Open(path);
        state.ResumeTiming();
        const device::ConvertResult result =
            device::ConvertDive(*db, env.ring, {env.dive, 1, false, QX07, Serial, "2B"});
        state.PauseTiming();
        if (!result.error.isEmpty()) {
            state.SkipWithError(qPrintable(result.error));
            return;
        }
        samples = int(db->Scalar("Select count(*) from DIVEDETAILS").ToLong());
        state.ResumeTiming();
    }
    state.counters["pages"] = RingPageCount(env.dive.SA, env.dive.EA);
    state.counters["samples"] = samples;
}
BENCHMARK(BM_ConvertFullRingDive)->Unit(benchmark::kMillisecond)->Iterations(kvl::bench::Runs(5))->UseRealTime();

void BM_WriteArchive(benchmark::State& state)
{
    Environment& env = Env();
    device::ArchiveContent content{"QX07", QX07, Serial, env.ring, {}};
    content.dives[0] = env.dive;
    const QString path = ProgramFolder() + "/data/QX070102030906041500.dat";
    const QString templatePath = ProgramFolder() + "/Tpls/dat.tpl";
    for (auto _ : state) {
        const QString error = device::SaveArchive(path, templatePath, content);
        if (!error.isEmpty()) {
            state.SkipWithError(qPrintable(error));
            return;
        }
    }
}
BENCHMARK(BM_WriteArchive)->Unit(benchmark::kMillisecond)->UseRealTime();

class MsReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                msPerRun[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    kvl::bench::Initialize(&argc, argv);
    Env();
    MsReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (msPerRun.count("BM_ConvertFullRingDive"))
        std::printf("Decoding and writing a full profile ring: %.1f ms (goal: under 200 ms)\n",
                    msPerRun["BM_ConvertFullRingDive"]);
    if (msPerRun.count("BM_WriteArchive"))
        std::printf("Writing the download archive: %.1f ms (goal: under 300 ms)\n", msPerRun["BM_WriteArchive"]);
    benchmark::Shutdown();
    return 0;
}
