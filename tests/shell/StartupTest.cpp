// The start-up road: help file check, the last log, the questions when it is
// missing or invalid, and the first child form.
#include "tests/shell/MainFrmTest.h"

#include "people/PersonalFrm.h"
#include "platform/widgets/PropertyGrid.h"
#include "platform/registry/Registry.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/LogStore.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/StateCodes.h"
#include "shell/core/SystemServices.h"
#include "tests/support/DamagedPages.h"
#include "tests/support/KeyPresses.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

#include <functional>

namespace kvl::test {
namespace {

const char kInvalidQuestion[] = "Invalid data file. Do you want to open another data file?";
const char kMissingQuestion[] = "Could not find your last viewed Data File. Do you want to open another Data File?";
const char kCreateQuestion[] = "Do you want to create a new data file?";
const char kAnotherQuestion[] = "Do you want to open another data file?";

class StartupTest : public MainFrmTest {
protected:
    void RememberLog(const QString& path) { WriteKvlSetting("LastDiveLog", path); }
};

TEST_F(StartupTest, FirstStartOpensTheSampleLogWithoutAQuestionAndShowsTheDiver)
{
    ASSERT_TRUE(StartUp());

    EXPECT_TRUE(dialogs.Prompts().empty());
    EXPECT_EQ(ReadKvlSetting("LastDiveLog"), SampleLog());
    EXPECT_EQ(ReadKvlSetting("LastModel"), "QX07");
    EXPECT_EQ(ReadKvlSetting("LastModelData"), "QX07");
    EXPECT_EQ(gv.RegLastModel.ToString(), "QX07");
    EXPECT_TRUE(MainFrm().LogOpened);
    EXPECT_TRUE(gv.DBIsOpen);
    EXPECT_EQ(gv.SortOrder, "LIFETIMEDIVENO ASC");
    EXPECT_EQ(gv.DiveListSQL, "Select * from DIVEDATA ORDER by LIFETIMEDIVENO ASC");
    EXPECT_EQ(gv.HelpFile, Home() + "/KVL.html");

    // The diver's form is the first child form, and the dive items are off the bar.
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
    ASSERT_TRUE(PersonalFrm::Exists());
    EXPECT_EQ(PersonalFrm::Instance().PInfo().ValueText("NAME"), "Sample Diver");
    EXPECT_TRUE(MainFrm().SmartBar->Items("Personal").Selected());
    EXPECT_GT(gv.CurrentDiveID, 0);
    EXPECT_TRUE(MainFrm().SmartUI1->Items("LTD").Text().startsWith("#1 "));  // the current dive's caption
    EXPECT_EQ(MainFrm().SmartUI1->Items("LTD").Text(), gv.CurrentDiveCaption);
    for (const char* key : {"LTD", "AddDive", "FirstDive", "NextDive", "DeleteAllDives", "Sort", "Units", "Save"})
        EXPECT_EQ(MainFrm().SmartUI1->Items(key).Visible(), 0) << key;
    for (const char* key : {"Exit", "NewLog", "OpenLog", "RestoreLog", "Print", "Export", "Help"})
        EXPECT_EQ(MainFrm().SmartUI1->Items(key).Visible(), 1) << key;
    EXPECT_TRUE(MainFrm().SmartUI1->Items("FirstDive").Enabled());
    EXPECT_FALSE(MainFrm().ProgramEnded());
}

// The window opens with the focus on the diver's form's first box, not on a frame.
TEST_F(StartupTest, StartsWithTheFocusOnTheFirstBoxOfTheDiversForm)
{
    ASSERT_TRUE(StartUp());
    ASSERT_TRUE(ShowActive(MainFrm()));
    QWidget* focused = Focused();
    ASSERT_TRUE(focused);
    EXPECT_TRUE(PersonalFrm::Instance().isAncestorOf(focused)) << focused->metaObject()->className();
    EXPECT_EQ(gv.DiveChanged, kDiveUnchanged);
}

TEST_F(StartupTest, ModelChoicesOfTheLastSessionReachTheNextStartUp)
{
    SaveModelChoice("LastModel", "QX09");
    SaveModelChoice("LastModelData", "QX11");
    EXPECT_EQ(GetRegSetting(HKEY_CURRENT_USER, RegKeyVelk, "LastModel"), "QX09");
    EXPECT_EQ(GetRegSetting(HKEY_CURRENT_USER, RegKeyVelk, "LastModelData"), "QX11");
    ASSERT_TRUE(StartUp());
    EXPECT_EQ(gv.RegLastModel.ToString(), "QX09");
    EXPECT_EQ(gv.RegLastModelData.ToString(), "QX11");
}

TEST_F(StartupTest, MissingHelpFileAsksAndNoEndsTheProgramAtOnce)
{
    QFile::remove(Home() + "/KVL.html");
    dialogs.ExpectMsg("Could not find the help file 'KVL.html'. Do you want to continue?", MsgAnswer::No);

    EXPECT_FALSE(StartUp());
    EXPECT_TRUE(MainFrm().ProgramEnded());
    EXPECT_EQ(LastPrompt().title, "Warning");
    EXPECT_EQ(LastPrompt().icon, MsgIcon::Exclamation);
    EXPECT_EQ(ReadKvlSetting("LastDiveLog"), RegNotFound);  // nothing further ran
}

TEST_F(StartupTest, MissingHelpFileAndYesGoesOn)
{
    QFile::remove(Home() + "/KVL.html");
    dialogs.ExpectMsg("Could not find the help file 'KVL.html'. Do you want to continue?", MsgAnswer::Yes);
    EXPECT_TRUE(StartUp());
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
}

TEST_F(StartupTest, RemembersTheLastLogOpened)
{
    const QString other = Logs() + "/Other.dlg";
    QFile::copy(SampleLog(), other);
    RememberLog(other);
    ASSERT_TRUE(StartUp());
    EXPECT_EQ(gv.LogFilePath, other);
    EXPECT_EQ(gv.DB->Path(), other);
}

// The roads that end without a log, by the answers given.
struct NoLogCase {
    const char* name;
    bool lastLogExists;          // an invalid log, else a missing one
    MsgAnswer openAnother;
    MsgAnswer createNew;         // asked only after No
    bool terminatedMessage;      // "Program terminated." ends the road
};

void PrintTo(const NoLogCase& c, std::ostream* os)
{
    *os << c.name;
}

class StartupWithoutLogTest : public StartupTest, public ::testing::WithParamInterface<NoLogCase> {};

TEST_P(StartupWithoutLogTest, EndsTheProgram)
{
    const NoLogCase& c = GetParam();
    RememberLog(c.lastLogExists ? LogWithoutModelRow("Broken.dlg") : Logs() + "/Gone.dlg");
    dialogs.ExpectMsg(c.lastLogExists ? kInvalidQuestion : kMissingQuestion, c.openAnother);
    if (c.openAnother == MsgAnswer::Yes) {
        dialogs.ExpectOpenFile("");  // cancelled
    } else {
        dialogs.ExpectMsg(kCreateQuestion, c.createNew);
        if (c.createNew == MsgAnswer::Yes)
            dialogs.ExpectInput("Enter your desired Dive Log file name:", "");
    }
    if (c.terminatedMessage)
        dialogs.ExpectMsg("Program terminated.");

    EXPECT_FALSE(StartUp());
    EXPECT_TRUE(MainFrm().ProgramEnded());
    EXPECT_FALSE(PersonalFrm::Exists());
    if (c.terminatedMessage) {
        EXPECT_EQ(LastPrompt().title, QString::fromUtf8("Tarvik\u00AE Computer Vavedaver"));
        EXPECT_EQ(LastPrompt().icon, MsgIcon::Information);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, StartupWithoutLogTest,
    ::testing::Values(NoLogCase{"MissingNoNo", false, MsgAnswer::No, MsgAnswer::No, false},
                      NoLogCase{"MissingYesCancelled", false, MsgAnswer::Yes, MsgAnswer::No, true},
                      NoLogCase{"MissingNoYesNoName", false, MsgAnswer::No, MsgAnswer::Yes, true},
                      NoLogCase{"InvalidNoNo", true, MsgAnswer::No, MsgAnswer::No, false},
                      NoLogCase{"InvalidYesCancelled", true, MsgAnswer::Yes, MsgAnswer::No, true}));

TEST_F(StartupTest, LastLogThatIsAFolderCountsAsMissing)
{
    QDir().mkpath(Logs() + "/Folder.dlg");
    RememberLog(Logs() + "/Folder.dlg");
    dialogs.ExpectMsg(kMissingQuestion, MsgAnswer::No).ExpectMsg(kCreateQuestion, MsgAnswer::No);
    EXPECT_FALSE(StartUp());
}

TEST_F(StartupTest, InvalidLogQuestionsCarryTheirTitlesAndIcons)
{
    RememberLog(LogWithoutModelRow("Broken.dlg"));
    dialogs.ExpectMsg(kInvalidQuestion, MsgAnswer::No).ExpectMsg(kCreateQuestion, MsgAnswer::No);
    StartUp();
    EXPECT_EQ(LastPrompt(1).title, "Opening Data File");
    EXPECT_EQ(LastPrompt(1).icon, MsgIcon::Critical);
    EXPECT_EQ(LastPrompt().title, "Creating New Data File");
    EXPECT_EQ(LastPrompt().icon, MsgIcon::Information);
    EXPECT_FALSE(gv.DB->IsOpen());  // closed before the create question
}

TEST_F(StartupTest, MissingLastLogThenOpeningAnotherShowsIt)
{
    RememberLog(Logs() + "/Gone.dlg");
    const QString other = Logs() + "/Other.dlg";
    QFile::copy(SampleLog(), other);
    dialogs.ExpectMsg(kMissingQuestion, MsgAnswer::Yes).ExpectOpenFile(other);

    ASSERT_TRUE(StartUp());
    EXPECT_EQ(dialogs.Prompts()[0].title, "Opening Log File");
    EXPECT_EQ(dialogs.Prompts()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(dialogs.Prompts()[1].file.folder, Logs());
    EXPECT_EQ(dialogs.Prompts()[1].file.filter, "Data files|*.dlg");
    EXPECT_EQ(ReadKvlSetting("LastDiveLog"), other);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
    EXPECT_EQ(PersonalFrm::Instance().PInfo().ValueText("NAME"), "Sample Diver");
}

TEST_F(StartupTest, MissingLastLogThenCreatingOneAsksTheDiverUntilNamed)
{
    RememberLog(Logs() + "/Gone.dlg");
    dialogs.ExpectMsg(kMissingQuestion, MsgAnswer::No)
        .ExpectMsg(kCreateQuestion, MsgAnswer::Yes)
        .ExpectInput("Enter your desired Dive Log file name:", "My Log")
        .ExpectInput("Enter your full name:", "")
        .ExpectInput("Enter your full name:", "Ann O'Neil");

    ASSERT_TRUE(StartUp());
    const QString created = Logs() + "/My Log.dlg";
    EXPECT_EQ(gv.LogFilePath, created);
    EXPECT_EQ(ReadKvlSetting("LastDiveLog"), created);
    EXPECT_EQ(PersonalFrm::Instance().PInfo().ValueText("NAME"), "Ann O'Neil");
    EXPECT_EQ(gv.BaseLTD, 1);
    EXPECT_EQ(gv.CurrentDiveID, -1);
}

// A last log that is not a sound dive log is refused as damaged, left as it was, and the
// invalid question and the create question follow; No to both ends the program.
TEST_F(StartupTest, ALastLogThatIsNotASoundLogIsRefusedThenTheQuestionsFollow)
{
    const struct {
        const char* name;
        std::function<QString()> make;   // the log's path
    } cases[] = {
        {"not a database", [&] { return WriteFile("Logs/Garbage.dlg", QByteArray(4096, 'x')); }},
        {"an empty file", [&] { return WriteFile("Logs/Empty.dlg", QByteArray()); }},
        {"without its dives table",
         [&] {
             const QString path = Logs() + "/NoDives.dlg";
             QFile::copy(SampleLog(), path);
             db::Database::Open(path)->Execute("Drop table DIVEDATA ;");
             return path;
         }},
        {"damaged outside its dives",
         [&] {
             const QString path = Logs() + "/Damaged.dlg";
             QFile::copy(SampleLog(), path);
             DamageRootPage(path, "USERINFO", PageDamage::Zeros);
             return path;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = c.make();
        const QByteArray bytes = FileBytes(path);
        RememberLog(path);
        dialogs.ExpectMsg("\"" + path + "\" is damaged or is not a dive log, so it was not opened.")
            .ExpectMsg(kInvalidQuestion, MsgAnswer::No)
            .ExpectMsg(kCreateQuestion, MsgAnswer::No);
        EXPECT_FALSE(StartUp());
        EXPECT_EQ(LastPrompt(2).title, "Error");
        EXPECT_EQ(LastPrompt(2).icon, MsgIcon::Critical);
        EXPECT_TRUE(MainFrm().ProgramEnded());
        EXPECT_EQ(FileBytes(path), bytes);
        DestroyMainFrm();
        gv = Global_Vars();
    }
}

// A last log refused for another window's lock is not invalid: the next question only
// offers another log, with the same title and buttons.
TEST_F(StartupTest, ALastLogRefusedForItsLockOffersAnotherWithoutCallingItInvalid)
{
    const QString path = Logs() + "/Other.dlg";
    QFile::copy(SampleLog(), path);
    RememberLog(path);
    QLockFile otherWindow(path + ".lock");
    const struct {
        const char* name;
        std::function<void()> lock;
        std::function<void()> expectRefusal;
    } cases[] = {
        {"a live window", [&] { ASSERT_TRUE(otherWindow.tryLock(0)); },
         [&] { dialogs.ExpectMsg("\"" + path + "\" is open in another KVL window, so it was not opened."); }},
        {"an empty lock file and No", [&] { otherWindow.unlock(); WriteFile("Logs/Other.dlg.lock", ""); },
         [&] {
             dialogs.ExpectMsg("\"" + path + "\" may be open in another KVL window. Open it anyway?", MsgAnswer::No);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.lock();
        c.expectRefusal();
        dialogs.ExpectMsg(kAnotherQuestion, MsgAnswer::No).ExpectMsg(kCreateQuestion, MsgAnswer::No);
        EXPECT_FALSE(StartUp());
        EXPECT_EQ(LastPrompt(1).title, "Opening Data File");
        EXPECT_EQ(LastPrompt(1).icon, MsgIcon::Critical);
        DestroyMainFrm();
        gv = Global_Vars();
    }
}

} // namespace
} // namespace kvl::test
