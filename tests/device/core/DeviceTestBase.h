#pragma once
// Base of the device link tests: a fresh log (for the model name the handshake
// compares), download mode, the pre-selected model "QX07", and the state reset
// afterwards.

#include "device/core/TransferMode.h"
#include "shell/core/Global_Vars.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

namespace kvl::test {

class DeviceTest : public KvlTest {
protected:
    void SetUp() override
    {
        KvlTest::SetUp();
        gv = Global_Vars{};
        const QString path = Home() + QStringLiteral("/link.dlg");
        ASSERT_TRUE(MakeFreshLog(path));
        gv.DB = db::Database::Open(path);
        gv.CommMode = DownloadMode;
        gv.SelectedModel = QStringLiteral("QX07");
        gv.ModelName = QStringLiteral("QX07");
        gv.DeviceFamily = 2;
    }
    void TearDown() override
    {
        gv = Global_Vars{};
        KvlTest::TearDown();
    }
};

} // namespace kvl::test
