#include "tests/support/KvlTest.h"

#include "platform/folders/Folders.h"
#include "shell/core/Global_Vars.h"

#ifdef KVL_TEST_WIDGETS
#include "dive/DivesListingFrm.h"
#include "dive/frmDate.h"
#include "forms/ChildForm.h"
#include "forms/ModalForms.h"
#include "shell/MDI_MainFrm.h"
#include "shell/RegisterForms.h"
#include "shell/core/FormCode.h"
#include "shell/core/FormTable.h"

#include <QApplication>
#include <QEvent>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

namespace kvl::test {

void EnsureApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "kvl-test";
    static char* argv[] = {name, nullptr};
    QCoreApplication::setApplicationName(QStringLiteral("KVL"));
    if (!qEnvironmentVariableIsSet("KVL_SHARE_DIR"))
        qputenv("KVL_SHARE_DIR", KVL_BUILD_SHARE_DIR);
    new TestApplication(argc, argv);  // lives until the process ends
}

namespace {

// Takes away every window a test may have left: the main window, the child forms and
// the drop-down windows, so the next test makes fresh ones. Their unload handlers do
// not run, as they may ask questions or write to a log that is gone. A modal window
// runs its own loop again.
void ForgetWindows()
{
#ifdef KVL_TEST_WIDGETS
    InstallModalRunner({});
    DestroyMainFrm();
    for (int code = FormCode::Personal; code <= FormCode::Queries; ++code)
        delete ExistingForm(code);
    DivesListingFrm::Unload();
    frmDate::Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
#endif
}

} // namespace

void KvlTest::SetUp()
{
    EnsureApplication();
    // No test starts on another's leftovers.
    ForgetWindows();
    gv = Global_Vars{};
    home_ = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(home_->isValid()) << "no temporary folder: " << qPrintable(home_->errorString());
    homeEnv_ = std::make_unique<ScopedEnv>("KVL_HOME", home_->path().toLocal8Bit());
    dialogs.SetFailureHook([](const QString& failure) { ADD_FAILURE() << "dialogs: " << qPrintable(failure); });
    InstallDialogs(&dialogs);
#ifdef KVL_TEST_WIDGETS
    RegisterChildForms();
#endif
}

void KvlTest::TearDown()
{
    dialogs.VerifyAllUsed();
    ForgetWindows();
    InstallDialogs(nullptr);
    gv = Global_Vars{};
    homeEnv_.reset();
    home_.reset();
}

QString KvlTest::Home() const
{
    return home_->path();
}

void KvlTest::LayOutHome()
{
    const QString error = LayOutProgramFolder();
    ASSERT_TRUE(error.isEmpty()) << qPrintable(error);
}

} // namespace kvl::test
