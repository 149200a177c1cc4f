#include "tests/support/KvlTest.h"

#include "platform/folders/Folders.h"
#include "shell/core/Global_Vars.h"

#ifdef KVL_TEST_WIDGETS
#include "shell/ChildForm.h"

#include <QApplication>
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

void KvlTest::SetUp()
{
    EnsureApplication();
    gv = Global_Vars{};   // no test starts on another's leftovers
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
