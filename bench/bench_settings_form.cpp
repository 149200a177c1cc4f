// The dive computer settings form on a log whose unit has 51 navigation legs.
// Goals: showing the unit (its row and its legs in the grid) and one save of the
// edited set, under 10 ms each.

#include "bench/BenchRun.h"
#include "settings/DCFrm.h"
#include "shell/core/Global_Vars.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace kvl;

constexpr qint32 Model = 6774;
constexpr qint32 Unit = 10203;
constexpr int Legs = 51;

void OpenLog()
{
    static QTemporaryDir dir;
    if (gv.DB)
        return;
    test::EnsureApplication();
    const QString path = dir.filePath("settings.dlg");
    test::MakeFreshLog(path);
    gv.DB = db::Database::Open(path);
    test::InsertRow(*gv.DB, "DC_SETTINGS", {{"DCID", Model}, {"DCSERIALNO", Unit}, {"MAXDEPTH", 130}});
    for (int leg = 1; leg <= Legs; ++leg) {
        test::InsertRow(*gv.DB, "DC_NAV", {{"DCID", Model}, {"DCSERIALNO", Unit}, {"LEGNO", leg},
                                           {"HEADING", leg * 7 % 361}, {"CDT", 60 * leg}, {"AUDIBLEALARM", -1}});
    }
    gv.RegLastModel = "QX07";
    gv.SelectedSerialNo = Unit;
    DCFrm::Instance().DC_InitDC();
}

void BM_ShowUnitWith51Legs(benchmark::State& state)
{
    OpenLog();
    for (auto _ : state)
        DCFrm::Instance().GetLastSetting();
    state.counters["legs"] = DCFrm::Instance().NavLegCount;
}
BENCHMARK(BM_ShowUnitWith51Legs)->Unit(benchmark::kMillisecond);

void BM_SaveSettings(benchmark::State& state)
{
    OpenLog();
    for (auto _ : state)
        benchmark::DoNotOptimize(DCFrm::Instance().SaveSettings());
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return kvl::bench::RunAll(argc, argv);
}
