#pragma once
// The base of the program's tests. Each test gets
//  - a QApplication (application name "KVL", created once per process); tests of
//    core code, linked with kvl_test_core, get a QCoreApplication instead,
//  - a fresh application state: gv is reset before and after each test, and so
//    are the windows (tests of forms): the main window, the child forms and the
//    drop-down windows are taken away without running their unload handlers,
//  - a fresh, empty program folder: KVL_HOME points at a temporary folder,
//  - ScriptedDialogs installed as the dialog backend: an unexpected prompt fails
//    the test, and so does a scripted answer left unused at the end.
//
//   class BackupTest : public kvl::test::KvlTest {};
//   TEST_F(BackupTest, AsksFirst) {
//       LayOutHome();
//       dialogs.ExpectMsg("Do you want to backup ...?", kvl::MsgAnswer::No);
//       ...
//   }

#include "platform/dialogs/ScriptedDialogs.h"
#include "tests/support/QtPrint.h"
#include "tests/support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace kvl::test {

// The process's QApplication, created on first use. It also points KVL_SHARE_DIR
// at the build's share folder when the test program was started by hand.
void EnsureApplication();

class KvlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The program folder of this test (KVL_HOME).
    QString Home() const;
    // Lays out the program folder from the build's share folder; a failure fails the test.
    void LayOutHome();

    ScriptedDialogs dialogs;

private:
    std::unique_ptr<QTemporaryDir> home_;
    std::unique_ptr<ScopedEnv> homeEnv_;
};

} // namespace kvl::test
