// The gear form on a log of 10,000 dives, each with a gear set, with 500 names in each
// of the thirteen gear catalogs and 200 accessories (5 per set). Goals: opening the
// form under 50 ms; one dive step with it open under 10 ms; choosing a set under 20 ms;
// its save under 20 ms.

#include "bench/BenchRun.h"
#include "bench/FormBench.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/PickList.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Units.h"
#include "site_gear/GearFrm.h"
#include "tests/support/BigLog.h"
#include "tests/support/KvlTest.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace kvl;

constexpr int Dives = 10'000;
constexpr int Names = 500;

// The log open in gv, as the shell leaves it after start-up.
void OpenLog()
{
    static QTemporaryDir dir;
    static QString path;
    if (path.isEmpty()) {
        path = dir.filePath("gear.dlg");
        test::MakeBigLog(path, {.dives = Dives, .gearNames = Names, .accessories = 200, .accessoriesPerSet = 5});
    }
    if (gv.DB)
        return;
    bench::OpenLogAsStartUpLeavesIt(path);
    gv.CurrentDiveID = Dives / 2;
    gv.UnitWeight = 0;
    MainFrm();
}

void BM_OpenGearForm(benchmark::State& state)
{
    OpenLog();
    bench::TimeOpening<GearFrm>(state);
}
BENCHMARK(BM_OpenGearForm)->Unit(benchmark::kMillisecond);

void BM_GearDiveStep(benchmark::State& state)
{
    OpenLog();
    GearFrm& form = GearFrm::Instance();
    form.Show();
    qint32 dive = 1;
    for (auto _ : state) {
        gv.CurrentDiveID = dive;
        form.LoadGearInfo();
        dive = dive % Dives + 1;
    }
    bench::Unload(form);
}
BENCHMARK(BM_GearDiveStep)->Unit(benchmark::kMillisecond);

// The user's pick of another set: its twelve items and three weights fill in and the
// items go into the dive.
void BM_ChooseGearSet(benchmark::State& state)
{
    OpenLog();
    GearFrm& form = GearFrm::Instance();
    form.Show();
    PickList& sets = form.Combo1(gear::kGear);
    int set = 1;
    for (auto _ : state) {
        set = set % (sets.ListCount() - 1) + 1;
        sets.Pick(set);
    }
    bench::Unload(form);
}
BENCHMARK(BM_ChooseGearSet)->Unit(benchmark::kMillisecond);

// A save after the user changed every list and weight: the dive and its set.
void BM_GearSave(benchmark::State& state)
{
    OpenLog();
    GearFrm& form = GearFrm::Instance();
    form.Show();
    PickList& sets = form.Combo1(gear::kGear);
    sets.Pick(sets.ListCount() - 1);
    // Each save writes other weights: the log skips rewriting a row that stays the same.
    const QString weights[] = {"12.5", "13"};
    int turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        turn ^= 1;
        for (int box = 0; box < gear::kWeightCount; ++box) {
            form.Text1(box).setText(weights[turn]);
            emit form.Text1(box).textEdited(weights[turn]);
        }
        state.ResumeTiming();
        form.UpdateGearInfo();
    }
    const double belt = gv.DB->Scalar("Select BELTWEIGHT from DIVEDATA where DIVEID = ?", {gv.CurrentDiveID}).ToDouble();
    if (std::abs(belt - KgToLb(weights[turn])) > 1e-4)
        state.SkipWithError("the save did not reach the dive");
    bench::Unload(form);
}
BENCHMARK(BM_GearSave)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return kvl::bench::RunAll(argc, argv);
}
