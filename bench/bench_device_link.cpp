// Reading a device: over the paced pseudo-terminal against the protocol's own
// floor (goal: at most 1.05 times it), and the host's own time per page read
// (goal: under 1 ms). The paced run also shows the ratio a bare client gets for
// the same page reads, which is what the machine's scheduling adds on its own.

#include "bench/BareClient.h"
#include "bench/BenchRun.h"
#include "device/core/CommLink.h"
#include "device/core/TransferMode.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/serial/InProcessPort.h"
#include "platform/serial/qt/QtSerialPort.h"
#include "shell/core/Global_Vars.h"
#include "tests/device/core/RecordingSurface.h"
#include "tests/platform/serial/qt/DevsimProcess.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"
#include "tools/devsim/sim/Device.h"
#include "tools/devsim/sim/Fixture.h"
#include "tools/devsim/sim/InProcessSim.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using namespace kvl;

constexpr double LineBytesPerSecond = 960.0;
constexpr int WakeBytes = 2 + 17;
constexpr int PageBytes = 6 + 18;
constexpr int LogPages = 19;
constexpr int IndexPages = 50;

double ratio = 0;
double hostMsPerPage = 0;
double ptyMsPerPage = 0;

// The log the handshake looks the model name up in, and scripted dialogs that
// report any message instead of showing it.
struct Environment {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Environment()
    {
        test::EnsureApplication();
        dialogs.SetFailureHook([](const QString& f) { std::fprintf(stderr, "unexpected: %s\n", qPrintable(f)); });
        InstallDialogs(&dialogs);
        const QString path = dir.filePath("bench.dlg");
        test::MakeFreshLog(path);
        gv.DB = db::Database::Open(path);
        gv.CommMode = DownloadMode;
        gv.SelectedModel = QStringLiteral("QX07");
        gv.DeviceFamily = 2;
    }
};

Environment& Env()
{
    static Environment env;
    return env;
}

struct Host {
    CommMembers members;
    test::RecordingSurface surface{members};
    CommLink comm;
    Host(LinkClock& clock, SerialPort& port) : comm(members, surface, clock) { comm.SetPort(&port); }

    // Wake, log, index: false when a step failed.
    bool ReadLogAndIndex()
    {
        if (!comm.Qor_WakeUpRead())
            return false;
        comm.Qor_ReadLog();
        if (!members.ReadOK)
            return false;
        comm.Qor_Decoding();
        comm.Qor_ReadDivesIndex();
        return members.ReadOK;
    }
    bool ReadDive(int n)
    {
        const int offset = members.FirstIndexPage * 17 + members.FirstEntryOffset + n * 8;
        const DiveIndexEntry e = IndexEntryAt(comm.Link.RxBuffer, offset);
        members.CurStatusKey = 1001 + n;
        comm.Qor_ReadProfile(e.SA, e.EA);
        return members.ReadOK;
    }
    int DivePages(int n) const
    {
        const int offset = members.FirstIndexPage * 17 + members.FirstEntryOffset + n * 8;
        const DiveIndexEntry e = IndexEntryAt(comm.Link.RxBuffer, offset);
        return RingPageCount(e.SA, e.EA);
    }
};

// The same page reads by a bare client: what this machine's scheduling alone
// adds to the line's time.
double BareClientRatio(const QString& path, int firstPage, int pages)
{
    bench::BareClient client(path);
    if (!client.IsOpen())
        return 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < pages; ++i) {
        if (!client.ReadPage(NextRingPage(firstPage + i - 1)))
            break;
    }
    return timer.nsecsElapsed() / 1e9 / (pages * PageBytes / LineBytesPerSecond);
}

void BM_PacedDeviceRead(benchmark::State& state)
{
    Env();
    const int dives = bench::ShortRun() ? 1 : 2;   // after the log and the index
    for (auto _ : state) {
        test::DevsimProcess sim("ten_dives.json", {"--pace"});
        SteadyClock clock;
        QtSerialPort port;
        Host host(clock, port);
        if (sim.PtyPath().isEmpty() || !port.Open(sim.PtyPath())) {
            state.SkipWithError("devsim did not come up");
            return;
        }
        QElapsedTimer timer;
        timer.start();
        bool ok = host.ReadLogAndIndex();
        for (int n = 0; ok && n < dives; ++n)
            ok = host.ReadDive(n);
        const double seconds = timer.nsecsElapsed() / 1e9;
        state.counters["delays_s"] = [&] {
            double sum = 0;
            for (double d : clock.Delays())
                sum += d;
            return sum;
        }();
        if (!ok) {
            state.SkipWithError("the read failed");
            return;
        }
        int pages = LogPages + IndexPages;
        for (int n = 0; n < dives; ++n)
            pages += host.DivePages(n);
        const double floor = (WakeBytes + pages * PageBytes) / LineBytesPerSecond + IndexPages * LinkTiming::IndexPagePause;
        ratio = seconds / floor;
        state.counters["pages"] = pages;
        state.counters["floor_s"] = floor;
        state.counters["measured_s"] = seconds;
        state.counters["ratio"] = ratio;
        port.Close();
        state.counters["bare_client_ratio"] = BareClientRatio(sim.PtyPath(), 114, host.DivePages(0));
    }
}
BENCHMARK(BM_PacedDeviceRead)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// The host's own cost of a page read: link, receive handler and image, with the
// device in-process and no time on the wire.
void BM_HostTimePerPage(benchmark::State& state)
{
    Env();
    devsim::Device device;
    devsim::LoadFixture(devsim::FixturesDir() + "/ten_dives.json", device);
    VirtualClock clock;
    devsim::InProcessSim sim(device, [&] { return clock.Now(); });
    InProcessPort port(sim);
    clock.SetPending([&] { return port.HasPending(); });
    Host host(clock, port);
    port.Open("sim");
    if (!host.ReadLogAndIndex()) {
        state.SkipWithError("the read failed");
        return;
    }
    const int pages = host.DivePages(0);
    for (auto _ : state)
        host.ReadDive(0);
    state.SetItemsProcessed(state.iterations() * pages);
    state.counters["pages_per_dive"] = pages;
}
BENCHMARK(BM_HostTimePerPage)->Unit(benchmark::kMillisecond)->UseRealTime();

// A page read round trip over the unpaced pseudo-terminal (host, kernel and devsim).
void BM_UnpacedPtyPerPage(benchmark::State& state)
{
    Env();
    test::DevsimProcess sim("ten_dives.json");
    SteadyClock clock(0.01);
    QtSerialPort port;
    Host host(clock, port);
    if (sim.PtyPath().isEmpty() || !port.Open(sim.PtyPath()) || !host.ReadLogAndIndex()) {
        state.SkipWithError("devsim did not come up");
        return;
    }
    const int pages = host.DivePages(0);
    for (auto _ : state)
        host.ReadDive(0);
    state.SetItemsProcessed(state.iterations() * pages);
}
BENCHMARK(BM_UnpacedPtyPerPage)->Unit(benchmark::kMillisecond)->UseRealTime();

class PerPageReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            const auto items = run.counters.find("items_per_second");
            if (items == run.counters.end() || items->second.value <= 0)
                continue;
            const double ms = 1000.0 / items->second.value;
            if (run.run_name.function_name == "BM_HostTimePerPage")
                hostMsPerPage = ms;
            else
                ptyMsPerPage = ms;
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    kvl::bench::Initialize(&argc, argv);
    PerPageReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (ratio > 0)
        std::printf("Paced device read: %.3f times the protocol's floor (goal: at most 1.05)\n", ratio);
    if (hostMsPerPage > 0)
        std::printf("Host time per page read: %.3f ms (goal: under 1 ms)\n", hostMsPerPage);
    if (ptyMsPerPage > 0)
        std::printf("Unpaced pseudo-terminal round trip per page: %.3f ms\n", ptyMsPerPage);
    benchmark::Shutdown();
    Env().dialogs.VerifyAllUsed();
    return 0;
}
