#include "shell/core/DiveRows.h"
#include "shell/core/Units.h"
#include "tests/support/BigLog.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

#include <QFile>

#include <sqlite3.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace kvl {
namespace {

class DamagedLogTest : public test::KvlTest {
protected:
    void TearDown() override
    {
        gv = Global_Vars{};
        test::KvlTest::TearDown();
    }

    QString MakeLog(int dives, bool numbered)
    {
        const QString path = Home() + "/Damaged.dlg";
        test::MakeBigLog(path, {dives, 20, 1, numbered});
        return path;
    }
};

// ---- A log that is cut short, is not a database, or lacks a table ------------------

enum class Damage { CutShort, NotADatabase, NoDiveTable };

TEST_F(DamagedLogTest, RoutinesReportAndNeverCrash)
{
    const QString newDiveError = "Could not initial new manual dive.";
    for (Damage damage : {Damage::CutShort, Damage::NotADatabase, Damage::NoDiveTable}) {
        const QString path = MakeLog(400, true);
        if (damage == Damage::NoDiveTable) {
            db::Database::Open(path)->Execute("Drop table DIVEDATA");
        } else {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            if (damage == Damage::CutShort)
                file.resize(file.size() * 2 / 5);
            else
                file.write(QByteArray(4096, 'x'));
        }
        gv = Global_Vars{};
        try {
            gv.DB = db::Database::Open(path);
        } catch (const db::DbError&) {
            continue;   // the opening itself reports it
        }
        gv.BaseLTD = 1;
        gv.DiveListSQL = "Select * from DIVEDATA ORDER by LIFETIMEDIVENO ASC";

        ScriptedDialogs quiet;
        quiet.SetFailureHook([](const QString&) {});
        InstallDialogs(&quiet);
        const std::function<void()> routines[] = {
            InitUnitFlags, RenumberLifeTimeDives, ShowCurrentLTD, LoadCurrentDive,
            [] { ReIndexLTD(3); }, [] { InitialNewDive(); }, [] { DeleteDiveInfo(5); },
        };
        for (const auto& routine : routines) {
            try {
                routine();
            } catch (const db::DbError&) {
                // raised to the caller, whose handling reports it
            }
        }
        InstallDialogs(&dialogs);
        for (const QString& text : quiet.MessageTexts())
            EXPECT_TRUE(text == newDiveError || text.startsWith("Deleting dive error #"))
                << int(damage) << ": " << text.toStdString();
        if (damage == Damage::NoDiveTable) {
            EXPECT_EQ(quiet.MessageTexts(), (QStringList{newDiveError, "Deleting dive error #1."}));
        }
    }
}

// ---- A renumbering killed halfway ---------------------------------------------------

int rowsUpdated = 0;

// Tells the parent that the renumbering is halfway through its transaction, then waits to be killed.
void StopHalfway(void* pipeEnd, int, const char*, const char*, sqlite3_int64)
{
    if (++rowsUpdated == 300) {
        const char ready = '!';
        (void)!write(*static_cast<int*>(pipeEnd), &ready, 1);
        for (;;)
            pause();
    }
}

TEST_F(DamagedLogTest, AKilledRenumberingLeavesTheOldNumbers)
{
    const QString path = MakeLog(1000, false);   // every dive numbered 0: all of them get rewritten
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(fds[0]);
        gv.DB = db::Database::Open(path);
        gv.BaseLTD = 1;
        sqlite3_update_hook(gv.DB->Handle(), StopHalfway, &fds[1]);
        RenumberLifeTimeDives();
        _exit(3);   // never reached: the parent kills it first
    }
    close(fds[1]);
    pollfd ready{fds[0], POLLIN, 0};
    const bool halfway = poll(&ready, 1, 20000) == 1;
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(fds[0]);
    ASSERT_TRUE(halfway) << "the child never got halfway";
    ASSERT_TRUE(WIFSIGNALED(status));

    auto db = db::Database::Open(path);
    EXPECT_EQ(db->Scalar("PRAGMA integrity_check").ToString(), "ok");
    EXPECT_EQ(db->Scalar("Select COUNT(*) from DIVEDATA where LIFETIMEDIVENO <> 0").ToLong(), 0);
    EXPECT_EQ(db->Scalar("Select COUNT(*) from DIVEDATA").ToLong(), 1000);
}

} // namespace
} // namespace kvl
