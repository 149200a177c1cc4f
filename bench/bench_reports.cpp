// The dives list of a large log (5,000 dives with locations and sites) written to a
// PDF. The goal is under 2 s; the rows are read as they print, the catalog lookups bind
// each row's ids and the model names are looked up once per run.

#include "bench/BenchRun.h"
#include "platform/printer/RecordingPrinter.h"
#include "platform/printer/qt/PdfOutput.h"
#include "reports/core/ReportRun.h"
#include "shell/core/Global_Vars.h"
#include "tests/support/BigLog.h"
#include "tests/support/KvlTest.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Dives = 5'000;
constexpr int Places = 200;

struct ListLog {
    QTemporaryDir dir;

    ListLog()
    {
        kvl::test::EnsureApplication();
        using kvl::gv;
        gv.DB = kvl::test::MakeBigLog(dir.filePath("big.dlg"), {Dives, 0});
        kvl::db::Transaction tx(*gv.DB);
        for (int i = 1; i <= Places; ++i) {
            gv.DB->Execute("INSERT INTO LOCATIONS (LOCATIONNAME) VALUES (?)", {QString("Reef number %1 of the long coast").arg(i)});
            gv.DB->Execute("INSERT INTO DIVESITES (DIVESITE) VALUES (?)", {QString("Site %1").arg(i)});
        }
        gv.DB->Execute("UPDATE DIVEDATA SET LOCID = 1 + DIVEID % ?, SITEID = 1 + DIVEID % ?, "
                       "MODELID = CASE WHEN DIVEID % 2 THEN 6774 ELSE 0 END",
                       {Places, Places});
        tx.Commit();
        gv.SortOrder = "LIFETIMEDIVENO ASC";
        gv.DiverName = "Bench Diver";
    }
};

ListLog& Log()
{
    static ListLog log;
    return log;
}

void DivesListToPdf(benchmark::State& state)
{
    ListLog& log = Log();
    const kvl::ReportJob job = kvl::DivesListJob();
    const QString path = log.dir.filePath("list.pdf");
    for (auto _ : state) {
        QString error;
        const auto result =
            kvl::SavePdf(path, job.title, [&job](kvl::Printer& p) { return kvl::DrawReport(p, job); }, &error);
        if (result != kvl::PdfResult::Written)
            state.SkipWithError(("PDF not written: " + error).toStdString().c_str());
    }
    kvl::RecordingPrinter pages;
    kvl::DrawReport(pages, job);
    state.counters["pages"] = pages.pages;
    state.counters["dives"] = Dives;
}
BENCHMARK(DivesListToPdf)->Unit(benchmark::kMillisecond)->Iterations(kvl::bench::Runs(3));

// The same report on the recording printer: the reading and the layout without the PDF.
void DivesListLayout(benchmark::State& state)
{
    Log();
    const kvl::ReportJob job = kvl::DivesListJob();
    for (auto _ : state) {
        kvl::RecordingPrinter printer;
        kvl::DrawReport(printer, job);
        benchmark::DoNotOptimize(printer.texts.size());
    }
}
BENCHMARK(DivesListLayout)->Unit(benchmark::kMillisecond)->Iterations(kvl::bench::Runs(3));

} // namespace

int main(int argc, char** argv)
{
    return kvl::bench::RunAll(argc, argv);
}
