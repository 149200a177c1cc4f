// The exit road: the open form's changes, closing the log and the backup offer,
// whether the user exits by the menu or closes the window.
#include "tests/shell/MainFrmTest.h"

#include "dive/DiveFrm.h"
#include "people/PersonalFrm.h"
#include "platform/widgets/PropertyGrid.h"
#include "platform/widgets/SmartSideBar.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/LogStore.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/StateCodes.h"

#include <QDir>
#include <QRegularExpression>

namespace kvl::test {
namespace {

const char kBackupQuestion[] = "Do you want to backup your PC Vavedaver Program Data?";

class ExitTest : public MainFrmTest {
protected:
    void SetUp() override
    {
        MainFrmTest::SetUp();
        ASSERT_TRUE(StartUp());
    }
    QString DiverNameInLog(const QString& path)
    {
        return db::Database::Open(path)->Scalar("Select NAME from USERINFO where USERTYPE = 1 ;").ToString();
    }
};

TEST_F(ExitTest, OffersABackupAfterClosingTheLogAndEnds)
{
    dialogs.ExpectMsg(kBackupQuestion, MsgAnswer::No);
    EXPECT_TRUE(MainFrm().mnuExit_Click());
    EXPECT_EQ(LastPrompt().title, "Backup PC Vavedaver Program Data");
    EXPECT_EQ(LastPrompt().icon, MsgIcon::Information);
    EXPECT_TRUE(MainFrm().ProgramEnded());
    EXPECT_FALSE(gv.DB->IsOpen());
    EXPECT_TRUE(QDir(Home() + "/Backup").isEmpty());
}

TEST_F(ExitTest, BackupProposesADatedNameInTheBackupFolderAndCopiesTheLog)
{
    const QString target = Home() + "/Backup/Sample Diver_200905211530.bak";
    dialogs.ExpectMsg(kBackupQuestion, MsgAnswer::Yes).ExpectSaveFile(target);
    MainFrm().mnuExit_Click();

    const FileDialogRequest& asked = LastPrompt().file;
    EXPECT_EQ(asked.title, "Save As");
    EXPECT_EQ(asked.folder, Home() + "/Backup");
    EXPECT_EQ(asked.filter, "Backup data files|*.bak");
    EXPECT_TRUE(QRegularExpression("^Sample Diver_\\d{12}\\.bak$").match(asked.fileName).hasMatch())
        << qPrintable(asked.fileName);
    EXPECT_EQ(FileBytes(target), FileBytes(SampleLog()));
    EXPECT_EQ(QDir(Home() + "/Backup").entryList(QDir::Files), QStringList{"Sample Diver_200905211530.bak"});
    EXPECT_TRUE(MainFrm().ProgramEnded());
}

TEST_F(ExitTest, BackupThatCannotBeWrittenSaysSoAndTheExitGoesOn)
{
    const QString notAFolder = WriteFile("Backup/file", "x");
    dialogs.ExpectMsg(kBackupQuestion, MsgAnswer::Yes)
        .ExpectSaveFile(notAFolder + "/Sample Diver.bak")
        .ExpectMsg("Could not back up data file.\n" + notAFolder + "/Sample Diver.bak: Not a directory");
    MainFrm().mnuExit_Click();
    EXPECT_EQ(LastPrompt().title, "Backup PC Vavedaver Program Data");
    EXPECT_EQ(LastPrompt().icon, MsgIcon::Critical);
    EXPECT_TRUE(MainFrm().ProgramEnded());
    EXPECT_EQ(DiverNameInLog(SampleLog()), "Sample Diver");
    EXPECT_EQ(FileBytes(notAFolder), "x");
}

TEST_F(ExitTest, BackupCancelledAtTheSaveDialogWritesNothing)
{
    dialogs.ExpectMsg(kBackupQuestion, MsgAnswer::Yes).ExpectSaveFile("");
    MainFrm().mnuExit_Click();
    EXPECT_TRUE(QDir(Home() + "/Backup").isEmpty());
    EXPECT_TRUE(MainFrm().ProgramEnded());
}

TEST_F(ExitTest, ClosingTheWindowGoesTheExitRoad)
{
    MainFrm().show();
    dialogs.ExpectMsg(kBackupQuestion, MsgAnswer::No);
    EXPECT_TRUE(MainFrm().close());
    EXPECT_TRUE(MainFrm().ProgramEnded());
    EXPECT_FALSE(gv.DB->IsOpen());
    EXPECT_EQ(dialogs.Prompts().size(), 1u);  // asked once, not again by the close that ends it
}

TEST_F(ExitTest, KeepsTheDiversEdits)
{
    PersonalFrm::Instance().PInfo().TypeValue("NAME", "Sample O'Diver");
    PersonalFrm::Instance().PInfo().TypeValue("CITY", "Cozumel");
    dialogs.ExpectMsg(kBackupQuestion, MsgAnswer::No);
    MainFrm().mnuExit_Click();
    EXPECT_EQ(DiverNameInLog(SampleLog()), "Sample O'Diver");
    EXPECT_EQ(db::Database::Open(SampleLog())->Scalar("Select CITY from USERINFO where USERTYPE = 1 ;").ToString(),
              "Cozumel");
}

TEST_F(ExitTest, KeepsTheDiversEditsInALogWithoutDives)
{
    dialogs.ExpectInput("Enter your desired Dive Log file name:", "Empty")
        .ExpectInput("Enter your full name:", "Ann");
    MainFrm().CreateNewDiveLog();
    ASSERT_EQ(gv.CurrentDiveID, -1);
    PersonalFrm::Instance().PInfo().TypeValue("NAME", "Ann Lee");
    dialogs.ExpectMsg(kBackupQuestion, MsgAnswer::No);
    MainFrm().close();
    EXPECT_EQ(DiverNameInLog(Logs() + "/Empty.dlg"), "Ann Lee");
}

TEST_F(ExitTest, SavesTheCompanionsFormWhenItHoldsAnEdit)
{
    MainFrm().SmartBar->Items("Buddies").SetSelected(true);
    ASSERT_EQ(gv.ActiveFormID, FormCode::Buddies);
    gv.PersonChanged = true;  // as the form's grid marks an edit
    dialogs.ExpectMsg(kBackupQuestion, MsgAnswer::No);
    MainFrm().mnuExit_Click();
    EXPECT_FALSE(gv.PersonChanged);  // the form's save ran
}

class DiveRecordExitTest : public ExitTest {
protected:
    void SetUp() override
    {
        ExitTest::SetUp();
        MainFrm().SmartBar->Items("Dive").SetSelected(true);
        ASSERT_EQ(gv.ActiveFormID, FormCode::Dive);
        diveId = gv.CurrentDiveID;
    }
    void TypeMemo(const QString& text)
    {
        emit DiveFrm::Instance().MemoTxt().KeyDown(0);
        DiveFrm::Instance().MemoTxt().SetText(text);
    }
    QString StoredMemo()
    {
        return db::Database::Open(SampleLog())
            ->Scalar("Select MEMO from DIVEDATA where DIVEID = ? ;", {diveId})
            .ToString();
    }
    qint32 diveId = 0;
};

TEST_F(DiveRecordExitTest, AsksToSaveAnEditedDiveAndYesSavesIt)
{
    TypeMemo("Night dive");
    dialogs.ExpectMsg("Do you want to save the changes?", MsgAnswer::Yes).ExpectMsg(kBackupQuestion, MsgAnswer::No);
    EXPECT_TRUE(MainFrm().mnuExit_Click());
    EXPECT_EQ(dialogs.Prompts()[0].title, "Warning");
    EXPECT_EQ(dialogs.Prompts()[0].icon, MsgIcon::Critical);
    EXPECT_EQ(StoredMemo(), "Night dive");
}

TEST_F(DiveRecordExitTest, NoLeavesTheDiveAsStored)
{
    const QString before = db::Database::Open(SampleLog())
                               ->Scalar("Select MEMO from DIVEDATA where DIVEID = ? ;", {diveId})
                               .ToString();
    TypeMemo("Night dive");
    dialogs.ExpectMsg("Do you want to save the changes?", MsgAnswer::No).ExpectMsg(kBackupQuestion, MsgAnswer::No);
    MainFrm().close();
    EXPECT_TRUE(MainFrm().ProgramEnded());
    EXPECT_EQ(StoredMemo(), before);
}

TEST_F(DiveRecordExitTest, UnchangedDiveIsNotAskedAbout)
{
    dialogs.ExpectMsg(kBackupQuestion, MsgAnswer::No);
    EXPECT_TRUE(MainFrm().mnuExit_Click());
}

TEST_F(DiveRecordExitTest, RefusedEditKeepsTheProgramOpen)
{
    TypeMemo("Night dive");
    DiveFrm::Instance().Masked1(DiveMasked::Date).SetText("99/99/2009");
    dialogs.ExpectMsg("Invalid month. Please re-enter date with a valid month.");
    MainFrm().show();
    EXPECT_FALSE(MainFrm().close());
    EXPECT_FALSE(MainFrm().ProgramEnded());
    EXPECT_TRUE(gv.DB->IsOpen());
    EXPECT_EQ(gv.DiveChanged, kDiveRefused);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
}

} // namespace
} // namespace kvl::test
