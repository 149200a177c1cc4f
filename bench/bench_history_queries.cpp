// The history and query forms on a log of 10,000 dives with 1,000 names in each
// catalog. Goals on this machine: statistics and records under 20 ms; showing the
// query form (eight name lists and the records) under 50 ms; a run with a date
// range, a depth range, a buddy and a dive type, listed, under 20 ms; a run of "All"
// listing every dive under 100 ms; "Apply" and the next step under 20 ms.

#include "analysis/HistoryFrm.h"
#include "analysis/QueriesFrm.h"
#include "bench/BenchRun.h"
#include "platform/widgets/CheckList.h"
#include "platform/widgets/DataGrid.h"
#include "shell/core/DiveRows.h"
#include "shell/core/Units.h"
#include "tests/support/BigLog.h"
#include "tests/support/KvlTest.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace kvl;

constexpr int Dives = 10'000;
constexpr int Names = 1'000;

void OpenBigLog()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath("names.dlg");
        test::MakeBigLog(p, {Dives, 0, 1, true, false, Names, Names});
        return p;
    }();
    gv = Global_Vars{};
    gv.DB = db::Database::Open(path);
    gv.SortOrder = "LIFETIMEDIVENO ASC";
    gv.DiveListSQL = "Select * from DIVEDATA ORDER by " + gv.SortOrder;
    ShowCurrentLTD();
}

void BM_HistoryStatisticsAndRecords(benchmark::State& state)
{
    OpenBigLog();
    HistoryFrm history;
    for (auto _ : state) {
        history.LoadStatisticHistory();
        history.LoadExtremesHistory();
    }
    state.counters["dives"] = Dives;
}
BENCHMARK(BM_HistoryStatisticsAndRecords)->Unit(benchmark::kMillisecond);

void BM_QueryFormShown(benchmark::State& state)
{
    OpenBigLog();
    QueriesFrm queries;
    for (auto _ : state)
        queries.RefreshLists();
    state.counters["names"] = static_cast<double>(queries.lst3->Items("BuddyList").Entries().size());
}
BENCHMARK(BM_QueryFormShown)->Unit(benchmark::kMillisecond);

void Tick(CheckList& list, const char* check, std::initializer_list<std::pair<const char*, const char*>> values)
{
    list.Items(check).SetTicked(true);
    for (const auto& [key, value] : values)
        list.Items(key).SetValue(QString(value));
}

void BM_QueryRunWithFourCriteria(benchmark::State& state)
{
    OpenBigLog();
    QueriesFrm queries;
    queries.ClearInfo();
    queries.lst1->Items("All").SetTicked(false);
    // Dives 3012 and 4012 carry type 0012 and buddy 0056 and fall in both ranges.
    Tick(*queries.lst2, "DiveDate", {{"fromDate", "01/01/2004"}, {"toDate", "31/12/2006"}});
    Tick(*queries.lst2, "MaxDepth", {{"fromDepth", "15"}, {"toDepth", "30"}});
    Tick(*queries.lst3, "Buddy", {{"BuddyList", "Buddy 0056"}});
    Tick(*queries.lst4, "Type", {{"TypeList", "Type 0012"}});
    for (auto _ : state)
        queries.Cmd_ItemClick("Run");
    state.counters["found"] = queries.Grid->Rows();
}
BENCHMARK(BM_QueryRunWithFourCriteria)->Unit(benchmark::kMillisecond);

void BM_QueryRunAll(benchmark::State& state)
{
    OpenBigLog();
    QueriesFrm queries;
    queries.ClearInfo();
    for (auto _ : state)
        queries.Cmd_ItemClick("Run");
    state.counters["found"] = queries.Grid->Rows();
}
BENCHMARK(BM_QueryRunAll)->Unit(benchmark::kMillisecond);

void BM_ApplyAndNextDive(benchmark::State& state)
{
    OpenBigLog();
    QueriesFrm queries;
    queries.ClearInfo();
    queries.lst1->Items("All").SetTicked(false);
    Tick(*queries.lst4, "Operator", {{"OperList", "O'Operator 0007"}});
    queries.Cmd_ItemClick("Run");
    for (auto _ : state) {
        queries.ApplyResultToDivesListing();
        gv.rsDiveData->MoveNext();
        if (gv.rsDiveData->EOF())
            gv.rsDiveData->MoveFirst();
        gv.CurrentDiveID = qint32(gv.rsDiveData->Field("DIVEID").ToLong());
        LoadCurrentDive();
    }
    state.counters["listed"] = gv.rsDiveData->RecordCount();
}
BENCHMARK(BM_ApplyAndNextDive)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    kvl::test::EnsureApplication();   // also finds the build's share folder
    return kvl::bench::RunAll(argc, argv);
}
