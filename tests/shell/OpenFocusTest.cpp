// The keyboard after the log-file commands: the window is active again and the shown
// form has the focus on its first box, however the command's dialogs went.
#include "tests/shell/MainFrmTest.h"

#include "forms/ChildForm.h"
#include "people/PersonalFrm.h"
#include "platform/widgets/SmartSideBar.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/Global_Vars.h"
#include "tests/support/KeyPresses.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QAbstractButton>
#include <QFile>

#include <functional>

namespace kvl::test {
namespace {

// The scripted answers, each given from a real window that is active while it is up, as
// the program's own dialogs are. Closing it makes no other window active: that is up to
// the window manager, which may leave the keyboard with no window at all.
class WindowedDialogs : public Dialogs {
public:
    explicit WindowedDialogs(Dialogs& answers) : answers_(answers) {}

    MsgAnswer MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                     MsgDefault defaultButton, MsgEscape escape) override
    {
        ComeAndGo();
        return answers_.MsgBox(text, buttons, icon, title, defaultButton, escape);
    }
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        ComeAndGo();
        return answers_.InputBox(prompt, title, defaultText);
    }
    QString OpenFile(const FileDialogRequest& request) override
    {
        ComeAndGo();
        return answers_.OpenFile(request);
    }
    QString SaveFile(const FileDialogRequest& request) override
    {
        ComeAndGo();
        return answers_.SaveFile(request);
    }

private:
    static void ComeAndGo()
    {
        QDialog box(QApplication::activeWindow());
        ShowActive(box);
        box.hide();
    }

    Dialogs& answers_;
};

// Handles events until the window is the active one; false when it never becomes so.
bool BecomesActive(QWidget& window)
{
    QElapsedTimer waited;
    waited.start();
    while (QApplication::activeWindow() != &window && waited.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return QApplication::activeWindow() == &window;
}

class OpenFocusTest : public MainFrmTest {
protected:
    void SetUp() override
    {
        MainFrmTest::SetUp();
        ASSERT_TRUE(StartUp());
        ASSERT_TRUE(ShowActive(MainFrm()));
        ASSERT_TRUE(Focused());
        firstBox_ = Focused()->accessibleName();
        InstallDialogs(&windowed_);
    }
    QString CopyOfSample(const QString& name)
    {
        const QString path = Logs() + "/" + name;
        QFile::copy(SampleLog(), path);
        return path;
    }
    QString Backup()
    {
        const QString path = Home() + "/Backup/Sample.bak";
        QFile::copy(SampleLog(), path);
        return path;
    }

    QString firstBox_;   // the name of the diver's form's first box, which has the focus at start-up
    WindowedDialogs windowed_{dialogs};
};

TEST_F(OpenFocusTest, EveryLogCommandLeavesTheFocusOnTheFirstBoxOfTheShownForm)
{
    const std::vector<std::pair<const char*, std::function<void()>>> roads{
        {"another log",
         [this] {
             dialogs.ExpectOpenFile(CopyOfSample("Other.dlg"));
             MainFrm().OpenDiveLog();
         }},
        {"the log in use again",
         [this] {
             dialogs.ExpectOpenFile(gv.LogFilePath);
             MainFrm().OpenDiveLog();
         }},
        {"an open refused",
         [this] {
             const QString garbage = WriteFile("Logs/Garbage.dlg", QByteArray(2048, '\x7f'));
             dialogs.ExpectOpenFile(garbage).ExpectMsg(
                 "\"" + garbage + "\" is damaged or is not a dive log, so it was not opened.");
             MainFrm().OpenDiveLog();
         }},
        {"an open cancelled",
         [this] {
             dialogs.ExpectOpenFile("");
             MainFrm().OpenDiveLog();
         }},
        {"a new log",
         [this] {
             dialogs.ExpectInput("Enter your desired Dive Log file name:", "Fresh")
                 .ExpectInput("Enter your full name:", "Fresh Diver");
             MainFrm().CreateNewDiveLog();
         }},
        {"a restore",
         [this] {
             const QString target = Logs() + "/Restored.dlg";
             dialogs.ExpectOpenFile(Backup())
                 .ExpectSaveFile(target)
                 .ExpectMsg("Your backup file has been restored to: " + target);
             MainFrm().RestoreDiveLog();
         }},
    };
    for (const auto& [road, run] : roads) {
        SCOPED_TRACE(road);
        MainFrm().SmartBar->Button("Personal")->setFocus();   // where the keys were before the command
        run();
        dialogs.VerifyAllUsed();
        ASSERT_TRUE(BecomesActive(MainFrm()));
        QWidget* focused = Focused();
        ASSERT_TRUE(focused);
        EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
        EXPECT_TRUE(PersonalFrm::Instance().isAncestorOf(focused)) << focused->metaObject()->className();
        EXPECT_EQ(focused->accessibleName(), firstBox_);
    }
}

} // namespace
} // namespace kvl::test
