// The location form on a log of 10,000 dives with 500 names in each of the resort,
// operator, dive boat and GPS catalogs and 200 dive types, every dive with its site
// values, names, conditions and two types. Goals: opening the form, and one dive step
// with it open, under 20 ms; its save under 20 ms.

#include "bench/BenchRun.h"
#include "bench/FormBench.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/PickList.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/Global_Vars.h"
#include "site_gear/LocationFrm.h"
#include "site_gear/core/LocationDiveTypes.h"
#include "site_gear/core/LocationLists.h"
#include "tests/support/BigLog.h"
#include "tests/support/KvlTest.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace kvl;
using site::LocationCombo;
using site::LocationText;

constexpr int Dives = 10'000;
constexpr int NamesPerCatalog = 500;
constexpr int DiveTypes = 200;

// The log open in gv and the dive list on its middle dive, as the shell leaves them.
void OpenLog()
{
    static QTemporaryDir dir;
    static QString path;
    if (path.isEmpty()) {
        path = dir.filePath("location.dlg");
        test::MakeBigLog(path, {.dives = Dives, .siteNames = NamesPerCatalog, .siteTypes = DiveTypes});
    }
    if (gv.DB)
        return;
    bench::OpenLogAsStartUpLeavesIt(path);
    gv.UnitDepth = gv.UnitTemp = 0;   // metric: every box converts
    gv.rsDiveData = gv.DB->OpenRecordset(gv.DiveListSQL);
    gv.rsDiveData->SetAbsolutePosition(Dives / 2);
    gv.CurrentDiveID = static_cast<qint32>(gv.rsDiveData->Field("DIVEID").ToLong());
    MainFrm();
}

void BM_OpenLocationForm(benchmark::State& state)
{
    OpenLog();
    bench::TimeOpening<LocationFrm>(state);
}
BENCHMARK(BM_OpenLocationForm)->Unit(benchmark::kMillisecond);

// The tool bar's "NextDive" with the form open: its save (nothing changed), the move,
// and the form showing the next dive.
void BM_LocationDiveStep(benchmark::State& state)
{
    OpenLog();
    LocationFrm& form = LocationFrm::Instance();
    form.Show();
    for (auto _ : state) {
        MainFrm().SmartUI1_ItemClick("NextDive");
        if (gv.rsDiveData->AbsolutePosition() >= Dives - 1) {
            state.PauseTiming();
            MainFrm().SmartUI1_ItemClick("FirstDive");
            state.ResumeTiming();
        }
    }
    bench::Unload(form);
}
BENCHMARK(BM_LocationDiveStep)->Unit(benchmark::kMillisecond);

// A save of a visibility, a temperature, a condition, an operator and a dive type the
// user changed.
void BM_LocationSave(benchmark::State& state)
{
    OpenLog();
    LocationFrm& form = LocationFrm::Instance();
    form.Show();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++round;
        auto& visibility = static_cast<EditBox&>(form.Text4(LocationText::Visibility));
        visibility.setText(QString::number(10 + round % 20));
        emit visibility.textEdited(visibility.text());
        auto& minimum = static_cast<EditBox&>(form.Text4(LocationText::Minimum));
        minimum.setText(QString::number(20 + round % 8));
        emit minimum.textEdited(minimum.text());
        form.Combo(LocationCombo::Current).Pick(round % 5);
        form.Combo(LocationCombo::Operator).Pick(round % NamesPerCatalog);
        state.ResumeTiming();
        benchmark::DoNotOptimize(form.LOCATION_Update_LocationData());
    }
    bench::Unload(form);
}
BENCHMARK(BM_LocationSave)->Unit(benchmark::kMillisecond);

// The log's part of a dive step: the catalogs, the dive's row and its types.
void BM_LocationListsOfOneDive(benchmark::State& state)
{
    OpenLog();
    qint64 dive = 1;
    for (auto _ : state) {
        for (const site::LocationList& list : site::LocationLists()) {
            if (list.named)
                benchmark::DoNotOptimize(site::LoadNames(*gv.DB, list));
            else
                benchmark::DoNotOptimize(site::LoadScale(*gv.DB, list));
        }
        benchmark::DoNotOptimize(site::LoadDiveTypes(*gv.DB));
        benchmark::DoNotOptimize(site::LoadDiveTypeTicks(*gv.DB, dive));
        benchmark::DoNotOptimize(site::LoadLocationRow(*gv.DB, dive));
        dive = dive % Dives + 1;
    }
}
BENCHMARK(BM_LocationListsOfOneDive)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return kvl::bench::RunAll(argc, argv);
}
