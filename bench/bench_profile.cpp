// The profile view on a log of a million samples (500 downloaded dives of 2,000
// samples): opening a dive's profile, drawing it, one cursor step and one dive step
// with the view open. Goals: open under 20 ms, draw under 5 ms, cursor step under
// 1 ms, dive step under 30 ms.

#include "analysis/DetailsFrm.h"
#include "bench/BenchRun.h"
#include "platform/widgets/PictureBox.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/DiveRows.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Units.h"
#include "tests/support/BigLog.h"
#include "tests/support/KvlTest.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace kvl;

struct ProfileLog {
    QTemporaryDir dir;
    std::unique_ptr<DetailsFrm> form;

    ProfileLog()
    {
        test::EnsureApplication();
        gv.DB = test::MakeBigLog(dir.filePath("big.dlg"), {500, 2000, 1, true, true});
        gv.DBIsOpen = true;
        InitUnitFlags();
        gv.DiveListSQL = "Select * from DIVEDATA ORDER by LIFETIMEDIVENO ASC";
        gv.rsDiveData = gv.DB->OpenRecordset(gv.DiveListSQL);
        gv.rsDiveData->SetAbsolutePosition(250);
        gv.CurrentDiveID = static_cast<qint32>(gv.rsDiveData->Field("DIVEID").ToLong());
        LoadCurrentDive();
        MainFrm();   // the window that holds the child forms
        form = std::make_unique<DetailsFrm>();
        form->Graph->setFixedSize(1000, 600);
        form->show();
        QApplication::processEvents();
        form->Form_Load();
    }
};

ProfileLog& Log()
{
    static ProfileLog log;
    return log;
}

void BM_OpenProfile(benchmark::State& state)
{
    DetailsFrm& form = *Log().form;
    for (auto _ : state)
        form.Detail_Initinfo();
    state.counters["samples"] = form.SampleCount;
}
BENCHMARK(BM_OpenProfile)->Unit(benchmark::kMillisecond);

void BM_DrawGraph(benchmark::State& state)
{
    DetailsFrm& form = *Log().form;
    for (auto _ : state)
        form.Detail_DrawGraph();
}
BENCHMARK(BM_DrawGraph)->Unit(benchmark::kMillisecond);

void BM_CursorStep(benchmark::State& state)
{
    DetailsFrm& form = *Log().form;
    form.GraphControl_ItemClick("FirstData");
    for (auto _ : state) {
        if (form.CursorIndex >= form.SampleCount - 1) {
            state.PauseTiming();
            form.GraphControl_ItemClick("FirstData");
            state.ResumeTiming();
        }
        form.GraphControl_ItemClick("NextData");
    }
}
BENCHMARK(BM_CursorStep)->Unit(benchmark::kMicrosecond);

void BM_DiveStep(benchmark::State& state)
{
    DetailsFrm& form = *Log().form;
    for (auto _ : state) {
        gv.rsDiveData->MoveNext();
        if (gv.rsDiveData->EOF())
            gv.rsDiveData->MoveFirst();
        gv.CurrentDiveID = static_cast<qint32>(gv.rsDiveData->Field("DIVEID").ToLong());
        LoadCurrentDive();
        form.Detail_Initinfo();
    }
}
BENCHMARK(BM_DiveStep)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    kvl::bench::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Log().form.reset();
    gv = Global_Vars{};
    benchmark::Shutdown();
    return 0;
}
