// A process killed while it converts a dive: the log keeps the dives stored
// before it and nothing of the dive it was writing.
#include "device/core/DiveConversion.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"
#include "tools/devsim/sim/Fixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kvl::device {
namespace {

constexpr qint32 QX07 = 6774;
constexpr qint32 Serial = 10203;

void KillThisProcess(sqlite3_context*, int, sqlite3_value**)
{
    raise(SIGKILL);
}

class ConversionKillTest : public test::KvlTest {
protected:
    void SetUp() override
    {
        test::KvlTest::SetUp();
        path = Home() + "/kill.dlg";
        ASSERT_TRUE(test::MakeFreshLog(path));
        devsim::Device device;
        ASSERT_TRUE(devsim::LoadFixture(devsim::FixturesDir() + "/three_dives.json", device));
        for (int p = 0; p < devsim::PageCount; ++p)
            std::copy(device.PageAt(p).begin(), device.PageAt(p).end(), image.begin() + p * PageSlotSize);
    }

    DiveToConvert Dive(int n)
    {
        DiveListRecord record;
        DecodeListEntry(image, DevicePage::FirstIndex * PageSlotSize + (n - 1) * IndexEntrySize, 1, 0, record);
        return {record, n, false, QX07, Serial, "2B"};
    }

    QString path;
    Image image = Image(RxBufferSize, 0);
};

TEST_F(ConversionKillTest, AKilledConversionLeavesTheLogAsItWasBeforeThatDive)
{
    {
        auto db = db::Database::Open(path);
        ASSERT_TRUE(ConvertDive(*db, image, Dive(1)).error.isEmpty());
    }

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child dies by SIGKILL in the middle of the second dive's samples.
        auto db = db::Database::Open(path);
        sqlite3_create_function(db->Handle(), "kill_me", 0, SQLITE_UTF8, nullptr, KillThisProcess, nullptr, nullptr);
        db->Execute("CREATE TEMP TRIGGER die AFTER INSERT ON main.DIVEDETAILS WHEN NEW.ORDNO = 20 "
                    "BEGIN SELECT kill_me(); END");
        ConvertDive(*db, image, Dive(2));
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child was not killed mid-dive";

    auto db = db::Database::Open(path);
    EXPECT_EQ(db->Scalar("PRAGMA integrity_check").ToString(), "ok");
    EXPECT_EQ(db->Scalar("Select count(*) from DIVEDATA").ToLong(), 1);
    EXPECT_EQ(db->Scalar("Select DIVENO from DIVEDATA").ToLong(), 1);
    EXPECT_EQ(db->Scalar("Select count(*) from DIVEDETAILS where DIVEID not in (select DIVEID from DIVEDATA)").ToLong(), 0);
    EXPECT_EQ(db->Scalar("Select count(*) from DIVE_DC_SETTINGS").ToLong(), 1);
    // The log takes the dive again afterwards.
    EXPECT_TRUE(ConvertDive(*db, image, Dive(2)).error.isEmpty());
    EXPECT_EQ(db->Scalar("Select count(*) from DIVEDATA").ToLong(), 2);
}

} // namespace
} // namespace kvl::device
