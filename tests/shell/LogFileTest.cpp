// The dive-log file's lifecycle: opening another log, creating one, backing up
// and restoring, with the bad inputs each one meets.
#include "tests/shell/MainFrmTest.h"

#include "analysis/QueriesFrm.h"
#include "people/PersonalFrm.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/PropertyGrid.h"
#include "shell/core/Global_Vars.h"
#include "platform/folders/Folders.h"
#include "shell/core/LogOpen.h"
#include "shell/core/LogStore.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/MDI_MainFrm.h"
#include "tests/support/DamagedPages.h"
#include "tests/support/KilledWrite.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStatusBar>

#include <sqlite3.h>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace kvl::test {
namespace {

const char kNameQuestion[] = "Enter your desired Dive Log file name:";
const char kDiverQuestion[] = "Enter your full name:";
const char kNotAFolder[] = "Not a directory";

QString Refused(const QString& path, const char* consequence = "it was not opened.")
{
    return "\"" + path + "\" is damaged or is not a dive log, so " + consequence;
}

QString InAnotherWindow(const QString& path, const char* consequence = "it was not opened.")
{
    return "\"" + path + "\" is open in another KVL window, so " + consequence;
}

// Makes the log's dive computer model table name a collation this program lacks: the
// file's pages and columns are sound, yet reading the model row fails.
void MakeTheModelTableUnreadable(const QString& path)
{
    auto log = db::Database::Open(path);
    sqlite3_db_config(log->Handle(), SQLITE_DBCONFIG_DEFENSIVE, 0, nullptr);
    log->Execute("PRAGMA writable_schema = ON");
    log->Execute("Update sqlite_schema set sql = replace(sql, 'MODELID        INTEGER PRIMARY KEY', "
                 "'MODELID        INTEGER COLLATE GONE') where name = 'DC_PROPERTIES'");
}

class LogFileTest : public MainFrmTest {
protected:
    void SetUp() override
    {
        MainFrmTest::SetUp();
        ASSERT_TRUE(StartUp());
    }
    QString CopyOfSample(const QString& name)
    {
        const QString path = Logs() + "/" + name;
        QFile::copy(SampleLog(), path);
        return path;
    }
};

TEST_F(LogFileTest, OpeningAnotherLogShowsItAndRemembersIt)
{
    const QString other = CopyOfSample("Other.dlg");
    auto log = db::Database::Open(other);
    log->Execute("Update USERINFO set NAME = 'Other Diver' where USERTYPE = 1 ;");
    log.reset();
    dialogs.ExpectOpenFile(other);

    MainFrm().OpenDiveLog();
    EXPECT_EQ(gv.LogFilePath, other);
    EXPECT_EQ(ReadKvlSetting("LastDiveLog"), other);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
    EXPECT_EQ(PersonalFrm::Instance().PInfo().ValueText("NAME"), "Other Diver");
    EXPECT_GT(gv.CurrentDiveID, 0);
    EXPECT_FALSE(MainFrm().ProgramEnded());
}

TEST_F(LogFileTest, AnotherLogIsBrowsedWithoutTheQueryFilterOfTheLogBefore)
{
    const QString other = CopyOfSample("Other.dlg");
    const qint64 dives = gv.DB->Scalar("Select COUNT(*) from DIVEDATA").ToLong();
    ASSERT_GT(dives, 1);
    gv.DiveListSQL = "Select * from DIVEDATA where LIFETIMEDIVENO = 1";
    dialogs.ExpectOpenFile(other);
    MainFrm().OpenDiveLog();
    EXPECT_EQ(gv.rsDiveData->RecordCount(), dives);
}

// The query form is only hidden when it closes: its result must not outlive its log,
// whose dive ids mean other dives in the next one.
TEST_F(LogFileTest, TheQueryFormStartsEmptyInTheNextLog)
{
    const std::pair<const char*, std::function<void()>> roads[] = {
        {"open", [this] { dialogs.ExpectOpenFile(CopyOfSample("Other.dlg")); MainFrm().OpenDiveLog(); }},
        {"create", [this] {
             dialogs.ExpectInput(kNameQuestion, "Reef Trip").ExpectInput(kDiverQuestion, "Ann O'Hara");
             MainFrm().SmartUI1_ItemClick("NewLog");
         }},
    };
    for (const auto& [road, go] : roads) {
        SCOPED_TRACE(road);
        MainFrm().SmartBar->Items("Queries").SetSelected(true);
        QueriesFrm& queries = QueriesFrm::Instance();
        queries.Cmd_ItemClick("Run");
        ASSERT_GT(queries.Grid->Rows(), 0);
        ASSERT_TRUE(queries.Cmd->Items("Apply").Enabled());
        go();
        ASSERT_TRUE(QueriesFrm::Exists());
        EXPECT_EQ(queries.Grid->Rows(), 0);
        EXPECT_FALSE(queries.Grid->isVisibleTo(&queries));
        EXPECT_FALSE(queries.Cmd->Items("Apply").Enabled());
        EXPECT_EQ(queries.Cmd->Items("Msg").Text(), "");
        EXPECT_TRUE(queries.QuerySQL.isEmpty());
        EXPECT_TRUE(queries.QueryParams.empty());
        const QString listSql = gv.DiveListSQL;
        queries.Cmd_ItemClick("Apply");   // nothing to hand over
        EXPECT_EQ(gv.DiveListSQL, listSql);
    }
    QueriesFrm::Instance().Unload();
}

TEST_F(LogFileTest, TheStatusBarKeepsTheOpenLogsPathThroughMenuTips)
{
    const QString other = CopyOfSample("Other.dlg");
    dialogs.ExpectOpenFile(other);
    MainFrm().OpenDiveLog();
    MainFrm().SmartStatusBar->showMessage("Open data file");   // a menu item's tip
    MainFrm().SmartStatusBar->clearMessage();
    EXPECT_EQ(MainFrm().StatusLogText(), other);
}

TEST_F(LogFileTest, CancelledOpenKeepsTheOpenLogAndItsPath)
{
    dialogs.ExpectOpenFile("");
    MainFrm().OpenDiveLog();
    EXPECT_EQ(gv.LogFilePath, SampleLog());
    EXPECT_TRUE(gv.DB->IsOpen());
    EXPECT_EQ(ReadKvlSetting("LastDiveLog"), SampleLog());
}

TEST_F(LogFileTest, InvalidLogAsksAgainAndYesLetsTheUserChooseAnother)
{
    const QString broken = LogWithoutModelRow("Broken.dlg");
    const QString other = CopyOfSample("Other.dlg");
    dialogs.ExpectOpenFile(broken)
        .ExpectMsg("Invalid data file. Do you want to open another data file?", MsgAnswer::Yes)
        .ExpectOpenFile(other);
    MainFrm().OpenDiveLog();
    EXPECT_EQ(dialogs.Prompts()[1].title, "Opening Log File");
    EXPECT_EQ(dialogs.Prompts()[1].icon, MsgIcon::Critical);
    EXPECT_EQ(gv.LogFilePath, other);
    EXPECT_EQ(ReadKvlSetting("LastDiveLog"), other);
}

TEST_F(LogFileTest, InvalidLogThenCancelLeavesThePathOfTheLogThatIsOpen)
{
    const QString broken = LogWithoutModelRow("Broken.dlg");
    dialogs.ExpectOpenFile(broken)
        .ExpectMsg("Invalid data file. Do you want to open another data file?", MsgAnswer::Yes)
        .ExpectOpenFile("");
    MainFrm().OpenDiveLog();
    EXPECT_EQ(gv.LogFilePath, broken);  // the log left open
    EXPECT_EQ(gv.DB->Path(), broken);
    EXPECT_EQ(ReadKvlSetting("LastDiveLog"), SampleLog());
}

TEST_F(LogFileTest, InvalidLogAndNoEndsTheProgramWithTheLogClosed)
{
    const QString broken = LogWithoutModelRow("Broken.dlg");
    dialogs.ExpectOpenFile(broken).ExpectMsg("Invalid data file. Do you want to open another data file?",
                                             MsgAnswer::No);
    MainFrm().OpenDiveLog();
    EXPECT_TRUE(MainFrm().ProgramEnded());
    EXPECT_FALSE(gv.DB->IsOpen());
    EXPECT_EQ(ReadKvlSetting("LastDiveLog"), SampleLog());
}

// A damaged log is refused before the log in use is closed: that one stays open,
// current and unchanged, and the damaged file is never written.
TEST_F(LogFileTest, ADamagedLogIsRefusedAndTheLogInUseStays)
{
    const struct {
        const char* name;
        std::function<void(const QString&)> damage;
    } cases[] = {
        {"a dropped table", [](const QString& path) { db::Database::Open(path)->Execute("Drop table PHOTOS"); }},
        {"a missing column",
         [](const QString& path) { db::Database::Open(path)->Execute("Alter table DIVEDATA drop column MEMO"); }},
        {"a corrupt dive page", [](const QString& path) { DamageRootPage(path, "DIVEDATA", PageDamage::Pattern); }},
        {"the model table's root page zeroed",
         [](const QString& path) { DamageRootPage(path, "DC_PROPERTIES", PageDamage::Zeros); }},
        {"a page of zeros in the diver's table",
         [](const QString& path) { DamageRootPage(path, "USERINFO", PageDamage::Zeros); }},
        {"random bytes in a page of the dive settings",
         [](const QString& path) { DamageRootPage(path, "DIVE_DC_SETTINGS", PageDamage::RandomBytes); }},
        {"random bytes in an index page",
         [](const QString& path) { DamageRootPage(path, "DC_SETTINGS_DCID", PageDamage::RandomBytes); }},
        {"a model table that cannot be read", MakeTheModelTableUnreadable},
    };
    const qint32 dive = gv.CurrentDiveID;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString damaged = CopyOfSample(QString("Damaged %1.dlg").arg(c.name));
        c.damage(damaged);
        const QByteArray bytes = FileBytes(damaged);
        dialogs.ExpectOpenFile(damaged).ExpectMsg(Refused(damaged));
        MainFrm().OpenDiveLog();
        EXPECT_EQ(gv.LogFilePath, SampleLog());
        ASSERT_TRUE(gv.DB->IsOpen());
        EXPECT_EQ(gv.DB->Path(), SampleLog());
        EXPECT_EQ(gv.CurrentDiveID, dive);
        EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
        EXPECT_EQ(MainFrm().StatusLogText(), SampleLog());
        EXPECT_EQ(FileBytes(damaged), bytes);
        EXPECT_FALSE(MainFrm().ProgramEnded());
    }
}

// A second program window on the same log: its lock file turns the open away, and
// the log this window has open stays.
TEST_F(LogFileTest, ALogOpenInAnotherWindowIsRefused)
{
    const QString other = CopyOfSample("Other.dlg");
    QLockFile otherWindow(other + ".lock");
    ASSERT_TRUE(otherWindow.tryLock(0));
    dialogs.ExpectOpenFile(other).ExpectMsg(InAnotherWindow(other));
    MainFrm().OpenDiveLog();
    EXPECT_EQ(gv.DB->Path(), SampleLog());
    EXPECT_EQ(gv.LogFilePath, SampleLog());

    // This window's own log is held the same way against the others.
    QLockFile second(SampleLog() + ".lock");
    EXPECT_FALSE(second.tryLock(0));
    otherWindow.unlock();
    dialogs.ExpectOpenFile(other);
    MainFrm().OpenDiveLog();
    EXPECT_EQ(gv.DB->Path(), other);
    EXPECT_TRUE(second.tryLock(0));   // the log left behind is free again
}

// A log another program holds locked is in use, not invalid: it is refused as such
// and the log in use stays.
TEST_F(LogFileTest, ALogLockedByAnotherProgramIsInUse)
{
    const QString other = CopyOfSample("Other.dlg");
    auto otherProgram = db::Database::Open(other);
    otherProgram->Execute("BEGIN EXCLUSIVE");
    dialogs.ExpectOpenFile(other).ExpectMsg("\"" + other + "\" is in use by another program, so it was not opened.");
    MainFrm().OpenDiveLog();
    EXPECT_EQ(gv.DB->Path(), SampleLog());
    EXPECT_FALSE(MainFrm().ProgramEnded());
    otherProgram->Execute("ROLLBACK");
}

TEST_F(LogFileTest, TheLockOfAWindowThatDiedIsTakenOver)
{
    const QString other = CopyOfSample("Other.dlg");
    const pid_t child = fork();
    if (child == 0) {
        QLockFile dying(other + ".lock");
        _exit(dying.tryLock(0) ? 0 : 1);   // ends without giving the lock up
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(status, 0);
    ASSERT_TRUE(QFile::exists(other + ".lock"));
    dialogs.ExpectOpenFile(other);
    MainFrm().OpenDiveLog();
    EXPECT_EQ(gv.DB->Path(), other);
}

// A lock file whose owner cannot be seen alive is taken only after the diver says so,
// on the open road and on the restore road.
TEST_F(LogFileTest, ALockWhoseOwnerCannotBeSeenIsTakenOnlyAfterAsking)
{
    const QString other = CopyOfSample("Other.dlg");
    WriteFile("Logs/Other.dlg.lock", "4242\nkvl\nreef-laptop\n");
    const QString question = "\"" + other + "\" may be open on reef-laptop. Open it anyway?";
    dialogs.ExpectOpenFile(other).ExpectMsg(question, MsgAnswer::No);
    MainFrm().OpenDiveLog();
    EXPECT_EQ(gv.DB->Path(), SampleLog());
    EXPECT_EQ(LastPrompt().title, "Opening Log File");
    EXPECT_EQ(LastPrompt().icon, MsgIcon::Exclamation);
    dialogs.ExpectOpenFile(other).ExpectMsg(question, MsgAnswer::Yes);
    MainFrm().OpenDiveLog();
    EXPECT_EQ(gv.DB->Path(), other);

    const QString backup = WriteFile("Backup/Good.bak", FileBytes(SampleLog()));
    db::Database::Open(backup)->Execute("Update USERINFO set NAME = 'Restored' ;");
    const QString target = CopyOfSample("Target.dlg");
    const QByteArray before = FileBytes(target);
    WriteFile("Logs/Target.dlg.lock", "");
    const QString overIt = "\"" + target + "\" may be open in another KVL window. Restore over it anyway?";
    dialogs.ExpectOpenFile(backup).ExpectSaveFile(target).ExpectMsg(overIt, MsgAnswer::No);
    MainFrm().RestoreDiveLog();
    EXPECT_EQ(FileBytes(target), before);
    EXPECT_EQ(LastPrompt().title, "Restore Data");
    dialogs.ExpectOpenFile(backup)
        .ExpectSaveFile(target)
        .ExpectMsg(overIt, MsgAnswer::Yes)
        .ExpectMsg("Your backup file has been restored to: " + target);
    MainFrm().RestoreDiveLog();
    EXPECT_EQ(FileBytes(target), FileBytes(backup));
}

// Opening the log in use again, by another spelling of its path, opens it as any log is
// opened (the diver's form shown) and keeps this window's hold on it.
TEST_F(LogFileTest, OpeningTheLogInUseAgainKeepsThisWindowsLock)
{
    const QString link = Logs() + "/Link.dlg";
    ASSERT_TRUE(QFile::link(SampleLog(), link));
    MainFrm().SmartBar->Items("Dive").SetSelected(true);
    ASSERT_EQ(gv.ActiveFormID, FormCode::Dive);
    dialogs.ExpectOpenFile(link);
    MainFrm().OpenDiveLog();
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
    EXPECT_EQ(gv.DB->Path(), link);
    EXPECT_EQ(ReadKvlSetting("LastDiveLog"), link);
    EXPECT_FALSE(QLockFile(SampleLog() + ".lock").tryLock(0));
    EXPECT_THROW(LockLog(SampleLog(), LogUse::Open, {}), LogRefused);
}

// Where the folder allows no lock file, a log open in this window is still refused to a
// second window (the log's name leaves no room for ".lock", which holds for root too).
TEST_F(LogFileTest, ALogHeldWhereNoLockFileCanBeMadeIsRefused)
{
    const QString other = CopyOfSample(QString(251, 'x') + ".dlg");
    dialogs.ExpectOpenFile(other);
    MainFrm().OpenDiveLog();
    ASSERT_EQ(gv.DB->Path(), other);
    ASSERT_FALSE(QFile::exists(other + ".lock"));
    EXPECT_THROW(LockLog(other, LogUse::Open, {}), LogRefused);
}

TEST_F(LogFileTest, ChosenLogThatVanishedEndsTheProgram)
{
    dialogs.ExpectOpenFile(Logs() + "/Gone.dlg").ExpectMsg("Database file is missing. Program terminated.");
    MainFrm().OpenDiveLog();
    EXPECT_EQ(LastPrompt().title, "Error");
    EXPECT_EQ(LastPrompt().icon, MsgIcon::Critical);
    EXPECT_TRUE(MainFrm().ProgramEnded());
    EXPECT_EQ(ReadKvlSetting("LastDiveLog"), SampleLog());
}

TEST_F(LogFileTest, FileThatIsNotALogIsRefusedInOneSentenceNamingIt)
{
    const QString garbage = WriteFile("Logs/Garbage.dlg", QByteArray(2048, '\x7f'));
    dialogs.ExpectOpenFile(garbage).ExpectMsg(Refused(garbage));
    MainFrm().OpenDiveLog();
    EXPECT_FALSE(MainFrm().LogOpened);
    EXPECT_FALSE(MainFrm().ProgramEnded());
    EXPECT_EQ(LastPrompt().title, "Error");
    EXPECT_EQ(LastPrompt().icon, MsgIcon::Critical);
    EXPECT_EQ(ReadKvlSetting("LastDiveLog"), SampleLog());
}

TEST_F(LogFileTest, FileThatIsNotALogLeavesTheOpenLogInUse)
{
    const QString garbage = WriteFile("Logs/Garbage.dlg", QByteArray(2048, '\x7f'));
    ASSERT_EQ(gv.ActiveFormID, FormCode::Personal);
    dialogs.ExpectOpenFile(garbage).ExpectMsg(Refused(garbage));
    MainFrm().mnuOpenLog_Click();
    EXPECT_EQ(gv.LogFilePath, SampleLog());
    EXPECT_EQ(MainFrm().StatusLogText(), SampleLog());
    ASSERT_TRUE(gv.DB->IsOpen());
    EXPECT_EQ(gv.DB->Path(), SampleLog());
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);

    // The diver's form still works on the log in use: what is typed is saved on leaving.
    PersonalFrm::Instance().PInfo().TypeValue("CITY", "Cozumel");
    MainFrm().SmartBar->Items("Dive").SetSelected(true);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
    EXPECT_EQ(gv.DB->Scalar("Select CITY from USERINFO where USERTYPE = 1 ;").ToString(), "Cozumel");
}

TEST_F(LogFileTest, NewLogIsMadeFromTheTemplateWithItsDiver)
{
    dialogs.ExpectInput(kNameQuestion, "  Reef Trip  ")
        .ExpectInput(kDiverQuestion, "")
        .ExpectInput(kDiverQuestion, "   ")  // blanks are no name
        .ExpectInput(kDiverQuestion, " Ann O'Neil ");
    MainFrm().CreateNewDiveLog();

    const QString created = Logs() + "/Reef Trip.dlg";
    ASSERT_TRUE(QFile::exists(created));
    EXPECT_EQ(dialogs.Prompts()[0].title, "Create New Dive Log");
    EXPECT_EQ(dialogs.Prompts()[1].title, "Add diver name to data file");
    EXPECT_EQ(gv.LogFilePath, created);
    EXPECT_EQ(ReadKvlSetting("LastDiveLog"), created);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
    EXPECT_EQ(PersonalFrm::Instance().PInfo().ValueText("NAME"), "Ann O'Neil");

    auto diver = gv.DB->OpenRecordset("Select * from USERINFO ;");
    ASSERT_EQ(diver->RecordCount(), 1);
    EXPECT_EQ(diver->Field("USERTYPE").ToLong(), 1);
    for (const char* column : {"ADDRESS1", "CITY", "EMAIL", "CONTACTNAME", "POLICY", "ALLERGIES"})
        EXPECT_EQ(diver->Field(column).ToString(), " ") << column;
    EXPECT_EQ(gv.DB->Scalar("Select COUNT(*) from DC_PROPERTIES where MODELID = 6774 ;").ToLong(), 1);
}

TEST_F(LogFileTest, NewLogNamesThatCannotBeFileNamesAreRefused)
{
    for (const QString& name : QStringList{"a/b", "a\\b", "..", ".", "tab\tname", QString("bell") + QChar(7)}) {
        dialogs.ExpectInput(kNameQuestion, name)
            .ExpectMsg("A Dive Log file name cannot hold \"/\", \"\\\" or control characters, nor be only dots. "
                       "Please choose another file name.");
        MainFrm().CreateNewDiveLog();
        EXPECT_EQ(LastPrompt().title, "Warning");
        EXPECT_EQ(LastPrompt().icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(QDir(Logs()).entryList({"*.dlg"}, QDir::Files), QStringList{"Sample Diver.dlg"});
    EXPECT_EQ(gv.LogFilePath, SampleLog());
}

TEST_F(LogFileTest, NewLogWithANameInUseOrNoNameMakesNothing)
{
    dialogs.ExpectInput(kNameQuestion, "Sample Diver")
        .ExpectMsg("Dive Log is already existed. Please choose another file name.")
        .ExpectInput(kNameQuestion, "   ");
    const QByteArray before = FileBytes(SampleLog());
    MainFrm().CreateNewDiveLog();
    MainFrm().CreateNewDiveLog();
    EXPECT_EQ(FileBytes(SampleLog()), before);
    EXPECT_EQ(QDir(Logs()).entryList({"*.dlg"}, QDir::Files), QStringList{"Sample Diver.dlg"});
}

TEST_F(LogFileTest, NewLogWithoutTheTemplateShowsTheCreateError)
{
    QFile::remove(Home() + "/Tpls/Dlg.tpl");
    dialogs.ExpectInput(kNameQuestion, "Reef Trip").ExpectMsg("Error creating Dive Log.");
    MainFrm().CreateNewDiveLog();
    EXPECT_FALSE(QFile::exists(Logs() + "/Reef Trip.dlg"));
    EXPECT_EQ(gv.LogFilePath, SampleLog());
    EXPECT_TRUE(gv.DB->IsOpen());
}

TEST(BackupFileNameTest, DropsTheExtensionAndAddsTheDateAndTime)
{
    const QDateTime when(QDate(2009, 5, 21), QTime(15, 30, 42));
    EXPECT_EQ(BackupFileName("/home/d/Logs/My Log.dlg", when), "My Log_200905211530.bak");
    EXPECT_EQ(BackupFileName("C:\\KVL\\Logs\\Sample Diver.dlg", when), "Sample Diver_200905211530.bak");
    EXPECT_EQ(BackupFileName("", when), "_200905211530.bak");
}

TEST_F(LogFileTest, RestoreCopiesTheBackupToTheChosenLogAndSaysWhere)
{
    const QString backup = WriteFile("Backup/Old_200905211530.bak", FileBytes(SampleLog()));
    const QString target = CopyOfSample("Replaced.dlg");
    WriteFile("Logs/Replaced.dlg", "older content");
    dialogs.ExpectOpenFile(backup)
        .ExpectSaveFile(target)
        .ExpectMsg("Your backup file has been restored to: " + target);
    MainFrm().RestoreDiveLog();

    EXPECT_EQ(FileBytes(target), FileBytes(backup));
    EXPECT_EQ(dialogs.Prompts()[0].file.title, "Restore data from a backup file");
    EXPECT_EQ(dialogs.Prompts()[0].file.folder, Home() + "/Backup");
    EXPECT_EQ(dialogs.Prompts()[0].file.filter, "Backup data files|*.bak");
    EXPECT_EQ(dialogs.Prompts()[1].file.folder, Logs());
    EXPECT_EQ(LastPrompt().title, "Restore Data");
    EXPECT_EQ(LastPrompt().icon, MsgIcon::Information);
    EXPECT_EQ(gv.LogFilePath, SampleLog());  // the restored log is not opened
}

TEST_F(LogFileTest, ANameTypedWithoutExtensionGetsTheOneItsDialogLists)
{
    const QString backup = WriteFile("Backup/Old_200905211530.bak", FileBytes(SampleLog()));
    dialogs.ExpectOpenFile(backup)
        .ExpectSaveFile(Logs() + "/Restored")
        .ExpectMsg("Your backup file has been restored to: " + Logs() + "/Restored.dlg");
    MainFrm().RestoreDiveLog();
    EXPECT_EQ(FileBytes(Logs() + "/Restored.dlg"), FileBytes(backup));
    EXPECT_FALSE(QFile::exists(Logs() + "/Restored"));
    EXPECT_EQ(dialogs.Prompts()[1].file.defaultSuffix, "dlg");
    EXPECT_FALSE(dialogs.Prompts()[1].file.askToReplace);  // the program's own checks speak

    dialogs.ExpectMsg("Do you want to backup your PC Vavedaver Program Data?", MsgAnswer::Yes)
        .ExpectSaveFile(Home() + "/Backup/Trip");
    MainFrm().BackUpDiveLog();
    EXPECT_EQ(FileBytes(Home() + "/Backup/Trip.bak"), FileBytes(SampleLog()));
}

// A backup chosen onto the log in use would put a new file in its place, and every
// later save would fail ("attempt to write a readonly database") until the log was
// opened again: it is refused as the restore refuses it, and the next name is asked for.
TEST_F(LogFileTest, ABackupOntoTheLogInUseIsRefusedAndLaterSavesAreKept)
{
    const QString openLogOtherSpelling = Home() + "/Backup/../Logs/./Sample Diver.dlg";
    dialogs.ExpectMsg("Do you want to backup your PC Vavedaver Program Data?", MsgAnswer::Yes)
        .ExpectSaveFile(openLogOtherSpelling)
        .ExpectMsg(openLogOtherSpelling + " is currently in use. Please, choose a different file name.")
        .ExpectSaveFile(Home() + "/Backup/Trip.bak");
    MainFrm().BackUpDiveLog();
    dialogs.VerifyAllUsed();
    ASSERT_EQ(dialogs.Messages().size(), 2u);
    EXPECT_EQ(dialogs.Messages()[1].title, "Warning");
    EXPECT_EQ(dialogs.Messages()[1].icon, MsgIcon::Critical);
    EXPECT_EQ(FileBytes(Home() + "/Backup/Trip.bak"), FileBytes(SampleLog()));

    gv.DB->Execute("Update USERINFO set CITY = 'Goodtown' where USERTYPE = 1");
    auto log = db::Database::Open(SampleLog());
    EXPECT_EQ(log->Scalar("Select CITY from USERINFO where USERTYPE = 1").ToString(), "Goodtown");
}

TEST_F(LogFileTest, RestoreRefusesTheOpenLogHoweverItsPathIsSpelled)
{
    const QByteArray backupBytes = FileBytes(SampleLog());
    const QString backup = WriteFile("Backup/Old.bak", backupBytes);
    const QString openLogOtherSpelling = Home() + "/Backup/../Logs/./Sample Diver.dlg";
    const QString target = Logs() + "/Restored.dlg";
    const QByteArray before = FileBytes(SampleLog());
    dialogs.ExpectOpenFile(backup)
        .ExpectSaveFile(openLogOtherSpelling)
        .ExpectMsg(openLogOtherSpelling + " is currently in use. Please, choose a different file name.")
        .ExpectSaveFile(backup)
        .ExpectMsg(backup + " is the backup file being restored. Please, choose a different file name.")
        .ExpectSaveFile(target)
        .ExpectMsg("Your backup file has been restored to: " + target);
    MainFrm().RestoreDiveLog();

    EXPECT_EQ(FileBytes(SampleLog()), before);
    EXPECT_EQ(FileBytes(backup), backupBytes);
    EXPECT_EQ(FileBytes(target), backupBytes);
    EXPECT_EQ(dialogs.Messages()[0].title, "Warning");
    EXPECT_EQ(dialogs.Messages()[0].icon, MsgIcon::Critical);
}

// A backup never replaces a log a window holds: another window's, or this window's own
// by any name (a hard link stands in for a second mount of its folder, which no
// comparison of paths sees). The next name is asked for, and both windows keep writing
// into their own files.
TEST_F(LogFileTest, ABackupOntoALogAWindowHoldsIsRefusedByTheFileItself)
{
    const QString tripLog = CopyOfSample("Trip.dlg");
    const auto otherWindow = LockLog(tripLog, LogUse::Open, {});
    const QString hardLink = Logs() + "/Same Diver.dlg";
    ASSERT_EQ(::link(QFile::encodeName(SampleLog()).constData(), QFile::encodeName(hardLink).constData()), 0);
    const QByteArray tripBefore = FileBytes(tripLog);
    const QString backup = Home() + "/Backup/Trip.bak";
    for (const QString& held : {tripLog, hardLink}) {
        SCOPED_TRACE(held.toStdString());
        dialogs.ExpectMsg("Do you want to backup your PC Vavedaver Program Data?", MsgAnswer::Yes)
            .ExpectSaveFile(held)
            .ExpectMsg(held + " is currently in use. Please, choose a different file name.")
            .ExpectSaveFile(backup);
        MainFrm().BackUpDiveLog();
        dialogs.VerifyAllUsed();
        EXPECT_EQ(dialogs.Messages().back().title, "Warning");
        EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Critical);
        EXPECT_EQ(FileBytes(backup), FileBytes(SampleLog()));
        QFile::remove(backup);
    }
    EXPECT_EQ(FileBytes(tripLog), tripBefore);
    gv.DB->Execute("Update USERINFO set CITY = 'Goodtown' where USERTYPE = 1");
    EXPECT_EQ(db::Database::Open(hardLink)->Scalar("Select CITY from USERINFO where USERTYPE = 1").ToString(),
              "Goodtown");
}

// The restore and the open know the log in use by its file too: through a hard link the
// restore refuses it, and opening it again keeps this window's hold.
TEST_F(LogFileTest, TheLogInUseIsKnownByItsFileOnTheRestoreAndOpenRoads)
{
    const QString hardLink = Logs() + "/Same Diver.dlg";
    ASSERT_EQ(::link(QFile::encodeName(SampleLog()).constData(), QFile::encodeName(hardLink).constData()), 0);
    const QString backup = WriteFile("Backup/Old.bak", FileBytes(SampleLog()));
    const QByteArray before = FileBytes(SampleLog());
    dialogs.ExpectOpenFile(backup)
        .ExpectSaveFile(hardLink)
        .ExpectMsg(hardLink + " is currently in use. Please, choose a different file name.")
        .ExpectSaveFile("");
    MainFrm().RestoreDiveLog();
    EXPECT_EQ(FileBytes(SampleLog()), before);

    dialogs.ExpectOpenFile(hardLink);
    MainFrm().OpenDiveLog();
    EXPECT_EQ(gv.DB->Path(), hardLink);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
    EXPECT_THROW(LockLog(SampleLog(), LogUse::Open, {}), LogRefused);
}

// A window killed while saving leaves its journal beside the log; a restore over that
// log opens afterwards as the backup was, not with the old log's pages rolled into it.
TEST_F(LogFileTest, ARestoreOverALogWhoseSaveWasKilledOpensAsTheBackupWas)
{
    const QString target = CopyOfSample("Trip.dlg");
    const QString backup = WriteFile("Backup/Trip.bak", FileBytes(SampleLog()));
    db::Database::Open(backup)->Execute("Update USERINFO set NAME = 'Restored' ;");
    KillASaveMidway(target, "Killed Save");
    dialogs.ExpectOpenFile(backup)
        .ExpectSaveFile(target)
        .ExpectMsg("Your backup file has been restored to: " + target)
        .ExpectOpenFile(target);
    MainFrm().RestoreDiveLog();
    MainFrm().OpenDiveLog();
    ASSERT_EQ(gv.DB->Path(), target);
    EXPECT_EQ(gv.DB->Scalar("Select NAME from USERINFO where USERTYPE = 1").ToString(), "Restored");
    EXPECT_FALSE(QFile::exists(target + "-journal"));
}

// A backup is checked as a log is at opening, and a log open in another window is not
// replaced: either refusal says why and changes nothing.
TEST_F(LogFileTest, RestoreRefusesWhatIsNotALogAndALogInAnotherWindow)
{
    const QString target = CopyOfSample("Target.dlg");
    const QByteArray before = FileBytes(target);
    QByteArray noise(64 * 1024, Qt::Uninitialized);
    quint32 seed = 7;
    for (char& c : noise)
        c = char((seed = seed * 1103515245u + 12345u) >> 16);
    const QString random = WriteFile("Backup/Random.bak", noise);
    dialogs.ExpectOpenFile(random).ExpectSaveFile(target).ExpectMsg(Refused(random, "nothing was restored."));
    MainFrm().RestoreDiveLog();
    EXPECT_EQ(FileBytes(target), before);
    EXPECT_EQ(LastPrompt().title, "Restore Data");
    EXPECT_EQ(LastPrompt().icon, MsgIcon::Critical);

    const QString damaged = WriteFile("Backup/Damaged.bak", FileBytes(SampleLog()));
    DamageRootPage(damaged, "DC_PROPERTIES", PageDamage::Zeros);
    dialogs.ExpectOpenFile(damaged).ExpectSaveFile(target).ExpectMsg(Refused(damaged, "nothing was restored."));
    MainFrm().RestoreDiveLog();
    EXPECT_EQ(FileBytes(target), before);

    const QString backup = WriteFile("Backup/Good.bak", FileBytes(SampleLog()));
    db::Database::Open(backup)->Execute("Update USERINFO set NAME = 'Restored' ;");
    QLockFile otherWindow(target + ".lock");
    ASSERT_TRUE(otherWindow.tryLock(0));
    dialogs.ExpectOpenFile(backup).ExpectSaveFile(target).ExpectMsg(
        InAnotherWindow(target, "nothing was restored."));
    MainFrm().RestoreDiveLog();
    EXPECT_EQ(FileBytes(target), before);
}

// A backup or restore that cannot write says so, and under it the file and the cause.
TEST_F(LogFileTest, BackupAndRestoreThatCannotWriteSayWhy)
{
    const QString backup = WriteFile("Backup/Old.bak", FileBytes(SampleLog()));
    WriteFile("Logs/NotAFolder", "x");
    const QString target = Logs() + "/NotAFolder/Restored.dlg";
    const QString cause = "\n" + target + ": " + kNotAFolder;
    dialogs.ExpectOpenFile(backup).ExpectSaveFile(target).ExpectMsg("Could not restore data file." + cause);
    MainFrm().RestoreDiveLog();
    EXPECT_EQ(LastPrompt().title, "Restore Data");
    EXPECT_EQ(LastPrompt().icon, MsgIcon::Critical);
    EXPECT_FALSE(QFile::exists(target));

    dialogs.ExpectMsg("Do you want to backup your PC Vavedaver Program Data?", MsgAnswer::Yes)
        .ExpectSaveFile(target)
        .ExpectMsg("Could not back up data file." + cause);
    MainFrm().BackUpDiveLog();
    EXPECT_EQ(LastPrompt().title, "Backup PC Vavedaver Program Data");
}

TEST_F(LogFileTest, RestoreCancelledAtEitherDialogDoesNothing)
{
    dialogs.ExpectOpenFile("");
    MainFrm().RestoreDiveLog();
    dialogs.ExpectOpenFile(WriteFile("Backup/Old.bak", "b")).ExpectSaveFile("");
    MainFrm().RestoreDiveLog();
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST(CopyFileReplacingTest, FailureLeavesTheTargetAsItWas)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("target.dlg");
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("kept");
    file.close();

    EXPECT_EQ(CopyFileReplacing(dir.filePath("missing.bak"), target), -1);
    EXPECT_EQ(FileBytes(target), "kept");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"target.dlg"});  // no temporary left
}

} // namespace
} // namespace kvl::test

namespace kvl::test {
namespace {

// A diver's session as a new user lives it: back up on exit, then in the next
// session restore the backup under a new name and open it.
TEST_F(MainFrmTest, BackupOnExitCanBeRestoredAndOpenedNextTime)
{
    ASSERT_TRUE(StartUp());
    PersonalFrm::Instance().PInfo().TypeValue("NAME", "Backed Up Diver");
    const QString backup = Home() + "/Backup/Sample Diver_200905211530.bak";
    dialogs.ExpectMsg("Do you want to backup your PC Vavedaver Program Data?", MsgAnswer::Yes).ExpectSaveFile(backup);
    ASSERT_TRUE(MainFrm().mnuExit_Click());

    DestroyMainFrm();
    gv = Global_Vars();
    ASSERT_TRUE(StartUp());
    const QString restored = Logs() + "/Restored.dlg";
    dialogs.ExpectOpenFile(backup)
        .ExpectSaveFile(restored)
        .ExpectMsg("Your backup file has been restored to: " + restored)
        .ExpectOpenFile(restored);
    MainFrm().mnuRestoreLog_Click();
    MainFrm().SmartUI1->Items("OpenLog").SetSelected(true);

    EXPECT_EQ(gv.LogFilePath, restored);
    EXPECT_EQ(PersonalFrm::Instance().PInfo().ValueText("NAME"), "Backed Up Diver");
}

} // namespace
} // namespace kvl::test
