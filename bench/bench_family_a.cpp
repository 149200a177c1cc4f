// The first device family over the paced pseudo-terminal against the protocol's
// floor (bytes both ways at 960 bytes a second plus the fixed pauses; goal: at
// most 1.05 times it): the log and index pages, and setting the clock.

#include "bench/BenchRun.h"
#include "device/core/CommLink.h"
#include "device/core/FamilyA.h"
#include "device/core/TransferMode.h"
#include "platform/serial/qt/QtSerialPort.h"
#include "shell/core/Global_Vars.h"
#include "tests/device/core/RecordingSurface.h"
#include "tests/platform/serial/qt/DevsimProcess.h"
#include "tests/support/KvlTest.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>

#include <cstdio>
#include <functional>

namespace {

using namespace kvl;

constexpr double LineBytesPerSecond = 960.0;
constexpr int PageBytes = 6 + 18;
constexpr int Pages = (FamilyA::LogLastPage - FamilyA::LogFirstPage + 1) +
                      (FamilyA::IndexLastPage - FamilyA::IndexFirstPage + 1);
constexpr int RegisterBytes = 4 + 1;

double readRatio = 0;
double clockRatio = 0;

struct Host {
    CommMembers members;
    test::RecordingSurface surface{members};
    CommLink comm;
    Host(LinkClock& clock, SerialPort& port) : comm(members, surface, clock) { comm.SetPort(&port); }
};

// Runs `work` against a paced devsim in family-A mode; the ratio of its time to `floor`.
void Paced(benchmark::State& state, double floor, double& ratio, const std::function<bool(Host&)>& work)
{
    test::EnsureApplication();
    gv.DeviceFamily = 1;
    gv.CommMode = ReadSettingsMode;
    gv.DCDateText = QStringLiteral("07/04/09");
    gv.DCTimeText = QStringLiteral("15:30");
    for (auto _ : state) {
        test::DevsimProcess sim("family_a.json", {"--pace"});
        SteadyClock clock;
        QtSerialPort port;
        Host host(clock, port);
        if (sim.PtyPath().isEmpty() || !port.Open(sim.PtyPath())) {
            state.SkipWithError("devsim did not come up");
            return;
        }
        QElapsedTimer timer;
        timer.start();
        const bool ok = work(host);
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (!ok) {
            state.SkipWithError(qPrintable(host.surface.message));
            return;
        }
        ratio = seconds / floor;
        state.counters["floor_s"] = floor;
        state.counters["measured_s"] = seconds;
        state.counters["ratio"] = ratio;
        port.Close();
    }
}

void BM_FamilyALogAndIndex(benchmark::State& state)
{
    Paced(state, Pages * PageBytes / LineBytesPerSecond, readRatio, [](Host& host) {
        host.comm.ReadLog();
        host.comm.ReadDivesIndex();
        return host.surface.message.endsWith(QLatin1String("Completed."));
    });
}
BENCHMARK(BM_FamilyALogAndIndex)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void BM_FamilyASetDateTime(benchmark::State& state)
{
    const double floor = (FamilyA::ClockRegisterCount + 1) * RegisterBytes / LineBytesPerSecond +
                         FamilyA::ClockRegisterCount * FamilyA::RegisterPause;
    Paced(state, floor, clockRatio, [](Host& host) {
        host.comm.SetDateTime();
        return host.surface.message.endsWith(QLatin1String("Completed!"));
    });
}
BENCHMARK(BM_FamilyASetDateTime)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    kvl::bench::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (readRatio > 0)
        std::printf("Family A log and index: %.3f times the protocol's floor (goal: at most 1.05)\n", readRatio);
    if (clockRatio > 0)
        std::printf("Family A date and time: %.3f times the protocol's floor (goal: at most 1.05)\n", clockRatio);
    benchmark::Shutdown();
    return 0;
}
