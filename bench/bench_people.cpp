// The diver's and the companions' forms on a log of 10,000 dives with 1,000 captains,
// 1,000 crew and 1,000 buddies, every dive with companions. Goals: opening the
// companions form, and one dive step with it open, under 20 ms; one tick store under
// 10 ms; deleting a person linked to 1,000 dives under 20 ms; opening the diver's form
// and its save under 10 ms each.

#include "bench/BenchRun.h"
#include "bench/FormBench.h"
#include "people/BuddiesFrm.h"
#include "people/PersonalFrm.h"
#include "people/core/Companions.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/Global_Vars.h"
#include "tests/support/BigLog.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace kvl;

constexpr int Dives = 10'000;
constexpr int PeoplePerKind = 1'000;

// The log open in gv, as the shell leaves it after start-up.
void OpenLog()
{
    static QTemporaryDir dir;
    static QString path;
    if (path.isEmpty()) {
        path = dir.filePath("people.dlg");
        test::MakeBigLog(path, {.dives = Dives, .peoplePerKind = PeoplePerKind});
        test::InsertRow(*db::Database::Open(path), "USERINFO", {{"NAME", "Big Diver"}, {"USERTYPE", 1}});
    }
    if (gv.DB)
        return;
    bench::OpenLogAsStartUpLeavesIt(path);
    gv.CurrentDiveID = Dives / 2;
    MainFrm();
}

void BM_OpenCompanionsForm(benchmark::State& state)
{
    OpenLog();
    bench::TimeOpening<BuddiesFrm>(state);
}
BENCHMARK(BM_OpenCompanionsForm)->Unit(benchmark::kMillisecond);

void BM_CompanionsDiveStep(benchmark::State& state)
{
    OpenLog();
    BuddiesFrm& form = BuddiesFrm::Instance();
    form.Show();
    qint32 dive = 1;
    for (auto _ : state) {
        gv.CurrentDiveID = dive;
        form.Buddy_Init_AllInfo();
        dive = dive % Dives + 1;
    }
    bench::Unload(form);
}
BENCHMARK(BM_CompanionsDiveStep)->Unit(benchmark::kMillisecond);

// The log's part of a dive step: the three lists' people and the dive's ticks.
void BM_CompanionsOfOneDive(benchmark::State& state)
{
    OpenLog();
    qint32 dive = 1;
    for (auto _ : state) {
        for (const people::CompanionKind& kind : people::CompanionKinds()) {
            benchmark::DoNotOptimize(people::ListPeople(*gv.DB, kind));
            benchmark::DoNotOptimize(people::LoadTicks(*gv.DB, kind, dive));
        }
        dive = dive % Dives + 1;
    }
}
BENCHMARK(BM_CompanionsOfOneDive)->Unit(benchmark::kMillisecond);

void BM_StoreTicks(benchmark::State& state)
{
    OpenLog();
    BuddiesFrm& form = BuddiesFrm::Instance();
    form.Show();
    for (auto _ : state)
        form.BUDDY_Update_Buddy();
    bench::Unload(form);
}
BENCHMARK(BM_StoreTicks)->Unit(benchmark::kMillisecond);

void BM_DeletePersonLinkedTo1000Dives(benchmark::State& state)
{
    OpenLog();
    const people::CompanionKind& captain = *people::CompanionKindOf(people::CaptainType);
    for (auto _ : state) {
        state.PauseTiming();
        const qint64 id = people::AddPerson(*gv.DB, captain, "Linked Captain");
        gv.DB->Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
                       "INSERT INTO CAPTAIN (DIVEID, CAPID) SELECT i * 10, ? FROM n",
                       {id});
        state.ResumeTiming();
        people::DeletePerson(*gv.DB, captain, id);
    }
}
BENCHMARK(BM_DeletePersonLinkedTo1000Dives)->Unit(benchmark::kMillisecond);

void BM_OpenDiverForm(benchmark::State& state)
{
    OpenLog();
    bench::TimeOpening<PersonalFrm>(state);
}
BENCHMARK(BM_OpenDiverForm)->Unit(benchmark::kMillisecond);

void BM_DiverSave(benchmark::State& state)
{
    OpenLog();
    PersonalFrm& form = PersonalFrm::Instance();
    form.Show();
    for (auto _ : state)
        form.SaveInfo();
    bench::Unload(form);
}
BENCHMARK(BM_DiverSave)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return kvl::bench::RunAll(argc, argv);
}
