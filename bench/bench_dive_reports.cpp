// The dive reports of one downloaded dive of 3,600 samples with a 20,000-character
// memo, written to PDFs, and the loading of its series for the graph. Goals: the
// logbook page (several continuation pages) under 300 ms, the dive details report
// (some 50 pages) under 1 s, the series with resampling under 5 ms.

#include "bench/BenchRun.h"
#include "platform/printer/RecordingPrinter.h"
#include "platform/printer/qt/PdfOutput.h"
#include "reports/core/DiveDetails.h"
#include "reports/core/LogbookPage.h"
#include "shell/core/DiveRows.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Units.h"
#include "tests/support/BigLog.h"
#include "tests/support/KvlTest.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace kvl;

constexpr int Samples = 3'600;

struct DiveLog {
    QTemporaryDir dir;

    DiveLog()
    {
        test::EnsureApplication();
        gv.DB = test::MakeBigLog(dir.filePath("dive.dlg"), {1, Samples, 1, true, true});
        gv.DBIsOpen = true;
        InitUnitFlags();
        gv.DiverName = "Bench Diver";
        gv.PrintFontName = "DejaVu Sans";
        QString memo;
        while (memo.size() < 20'000)
            memo += "The reef wall drops away to the blue; a turtle rests under the ledge.\r\n";
        gv.DB->Execute("UPDATE DIVEDATA SET MEMO = ?, SNAPSHOT = 4", {memo});
        gv.DB->Execute("INSERT INTO DIVE_DC_SETTINGS (DIVEID) SELECT DIVEID FROM DIVEDATA");
        gv.DiveListSQL = "Select * from DIVEDATA ORDER by LIFETIMEDIVENO ASC";
        gv.rsDiveData = gv.DB->OpenRecordset(gv.DiveListSQL);
        gv.CurrentDiveID = static_cast<qint32>(gv.rsDiveData->Field("DIVEID").ToLong());
        LoadCurrentDive();
    }
};

DiveLog& Log()
{
    static DiveLog log;
    return log;
}

void ToPdf(benchmark::State& state, const std::function<void(Printer&)>& draw, const char* name)
{
    const QString path = Log().dir.filePath(name);
    for (auto _ : state) {
        QString error;
        const auto drawn = [&draw](Printer& p) {
            draw(p);
            return true;
        };
        if (SavePdf(path, name, drawn, &error) != PdfResult::Written)
            state.SkipWithError(("PDF not written: " + error).toStdString().c_str());
    }
    RecordingPrinter pages;
    draw(pages);
    state.counters["pages"] = pages.pages;
}

void LogbookPageToPdf(benchmark::State& state)
{
    ToPdf(state, [](Printer& p) { PrintFrm::Instance().PrintIt(p); }, "logbook.pdf");
}
BENCHMARK(LogbookPageToPdf)->Unit(benchmark::kMillisecond)->Iterations(kvl::bench::Runs(5));

void DiveDetailsToPdf(benchmark::State& state)
{
    ToPdf(state, [](Printer& p) { PrintDiveDetails(p); }, "details.pdf");
}
BENCHMARK(DiveDetailsToPdf)->Unit(benchmark::kMillisecond)->Iterations(kvl::bench::Runs(3));

// The shared loader and resampling (depth-step sampling) as the page calls them.
void LoadSeriesWithResampling(benchmark::State& state)
{
    Log();
    PrintFrm& form = PrintFrm::Instance();
    for (auto _ : state) {
        form.InitArr();
        benchmark::DoNotOptimize(form.ProfileCount);
    }
    state.counters["samples"] = form.ProfileCount;
}
BENCHMARK(LoadSeriesWithResampling)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return kvl::bench::RunAll(argc, argv);
}
