#include "device/CommFrm.h"
#include "shell/core/Global_Vars.h"
#include "tests/support/KvlTest.h"

namespace kvl {
namespace {

class CommFrmTest : public test::KvlTest {
protected:
    void TearDown() override
    {
        gv = Global_Vars{};
        test::KvlTest::TearDown();
    }
};

TEST_F(CommFrmTest, KeepsItsModeAndMarksStoredDivesOnlyWhenDownloading)
{
    for (quint8 mode : {ReadSettingsMode, WriteSettingsMode, DownloadMode}) {
        gv.CommMode = mode;
        gv.DivesAdded = false;
        CommFrm frm;
        EXPECT_EQ(frm.Mode(), mode);
        EXPECT_TRUE(frm.isModal());
        frm.DiveStored(7);
        EXPECT_EQ(gv.DivesAdded, mode == DownloadMode) << int(mode);
        EXPECT_EQ(frm.StoredDives(), mode == DownloadMode ? std::vector<qint64>{7} : std::vector<qint64>{});
    }
}

} // namespace
} // namespace kvl
