// The dive record on a log whose two dives each hold a memo of 1 MB or 10 MB of text,
// in lines of words as typed notes run or as one paragraph. Goals: a step onto the
// other dive with the record open, and a return to the record, under 100 ms for 1 MB
// and under 1 s for 10 MB; the print preview of the logbook page of a dive with a 1 MB
// memo showing its first page under 2 s.

#include "bench/BenchRun.h"
#include "bench/FormBench.h"
#include "dive/DiveFrm.h"
#include "platform/printer/qt/PrintPreview.h"
#include "reports/Reports.h"
#include "reports/core/ReportRun.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/Global_Vars.h"
#include "tests/support/BigLog.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace kvl;

// Lines of words, or one paragraph without a line break.
QString Memo(qsizetype bytes, bool lines)
{
    const QString line = QStringLiteral("Drift along the wall, turtle at 18 m, strong current at the corner.")
                         + (lines ? QStringLiteral("\n") : QStringLiteral(" "));
    QString memo;
    memo.reserve(bytes + line.size());
    while (memo.size() < bytes)
        memo += line;
    return memo;
}

// A log of two dives with memos of the given size, open on the record of the first.
void OpenLog(qsizetype memoBytes, bool lines)
{
    test::EnsureApplication();
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("memo%1-%2.dlg").arg(memoBytes).arg(lines));
    if (!QFile::exists(path)) {
        test::MakeBigLog(path, {.dives = 2});
        db::Database::Open(path)->Execute("UPDATE DIVEDATA SET MEMO = ?", {Memo(memoBytes, lines)});
    }
    if (gv.DB)
        bench::Unload(DiveFrm::Instance());
    gv = Global_Vars{};
    bench::OpenLogAsStartUpLeavesIt(path);
    gv.rsDiveData = gv.DB->OpenRecordset(gv.DiveListSQL);
    gv.CurrentDiveID = static_cast<qint32>(gv.rsDiveData->Field("DIVEID").ToLong());
    MainFrm();
    DiveFrm::Instance().Show();
}

// The memos of every size and shape, timed four times each.
void EveryMemo(benchmark::internal::Benchmark* bench)
{
    bench->ArgsProduct({{1 << 20, 10 << 20}, {1, 0}})->ArgNames({"bytes", "lines"})->Unit(benchmark::kMillisecond)->Iterations(kvl::bench::Runs(4));
}

// Whether the record shows the memo of the log, every character.
bool MemoKept(const benchmark::State& state)
{
    return DiveFrm::Instance().MemoTxt().Text() == Memo(state.range(0), state.range(1) != 0);
}

// One step onto the other dive: the record's save (nothing changed), the move and the
// record showing the other dive's memo.
void BM_StepOntoADiveWithALongMemo(benchmark::State& state)
{
    OpenLog(state.range(0), state.range(1) != 0);
    bool atFirst = true;
    for (auto _ : state) {
        MainFrm().SmartUI1_ItemClick(atFirst ? "LastDive" : "FirstDive");
        atFirst = !atFirst;
    }
    state.counters["memo_MB"] = double(state.range(0)) / (1 << 20);
    state.counters["memo_kept"] = MemoKept(state);
}
BENCHMARK(BM_StepOntoADiveWithALongMemo)->Apply(EveryMemo);

// A return to the record from the location form: the record shows the dive's memo again.
void BM_ReturnToTheRecordOfADiveWithALongMemo(benchmark::State& state)
{
    OpenLog(state.range(0), state.range(1) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        MainFrm().SmartBar_ItemClick("Location");
        state.ResumeTiming();
        MainFrm().SmartBar_ItemClick("Dive");
    }
    state.counters["memo_kept"] = MemoKept(state);
}
BENCHMARK(BM_ReturnToTheRecordOfADiveWithALongMemo)->Apply(EveryMemo);

// The logbook page's preview window made ready to show: the preview draws every page
// before it shows the first.
void BM_PreviewTheLogbookPageOfADiveWithALongMemo(benchmark::State& state)
{
    OpenLog(state.range(0), state.range(1) != 0);
    gv.DB->Execute("INSERT INTO DIVE_DC_SETTINGS (DIVEID) SELECT DIVEID FROM DIVEDATA "
                   "WHERE DIVEID NOT IN (SELECT DIVEID FROM DIVE_DC_SETTINGS)");
    gv.PrintFontName = QStringLiteral("DejaVu Sans");
    const ReportJob job = LogbookPageJob();
    int pages = 0;
    for (auto _ : state) {
        PrintPreview preview(job.title, [job](Printer& printer) { return DrawReport(printer, job); });
        pages = preview.PageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PreviewTheLogbookPageOfADiveWithALongMemo)
    ->ArgsProduct({{1 << 20}, {1, 0}})
    ->ArgNames({"bytes", "lines"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return kvl::bench::RunAll(argc, argv);
}
