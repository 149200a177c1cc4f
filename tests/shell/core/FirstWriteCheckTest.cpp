// The whole-file check before a log's first write: crossed pages, which the open road's
// per-table check takes, refuse every write with the diver's sentence and leave the file
// as it was; damage in the samples alone stays accepted.

#include "shell/core/DiveRows.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/LogCheck.h"
#include "shell/core/LogOpen.h"
#include "tests/support/BigLog.h"
#include "tests/support/DamagedPages.h"
#include "tests/support/KvlTest.h"

#include <QFile>

#include <functional>

namespace kvl {
namespace {

using test::PageDamage;

constexpr int kDives = 60;
constexpr int kKeptProfiles = 40;   // the later dives' samples are deleted: their pages go free

struct CraftedLog {
    const char* name;
    std::function<void(const QString&)> craft;
    bool takesWrites;
};

const CraftedLog kCraftedLogs[] = {
    {"a free-list entry naming a samples page",
     [](const QString& path) { test::FreeListNames(path, "DIVEDETAILS"); }, false},
    {"a free-list entry naming a dives page", [](const QString& path) { test::FreeListNames(path, "DIVEDATA"); },
     false},
    {"the samples rooted at the dives table", [](const QString& path) { test::RootAt(path, "DIVEDETAILS", "DIVEDATA"); },
     false},
    {"a dive index rooted at the samples' index",
     [](const QString& path) { test::RootAt(path, "DIVEDATA_DIVENO", "DIVEDETAILS_DIVEID_ORDNO"); }, false},
    {"damage in the samples only",
     [](const QString& path) { test::DamageRootPage(path, "DIVEDETAILS", PageDamage::Zeros); }, true},
    {"damage in the samples' index only",
     [](const QString& path) { test::DamageRootPage(path, "DIVEDETAILS_DIVEID_ORDNO", PageDamage::RandomBytes); },
     true},
    {"a sound log", [](const QString&) {}, true},
};

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FirstWriteCheckTest : public test::KvlTest {
protected:
    void TearDown() override
    {
        gv = Global_Vars{};
        test::KvlTest::TearDown();
    }

    // The crafted log, opened as the window opens a log.
    QString OpenCrafted(const CraftedLog& crafted)
    {
        gv = Global_Vars{};
        const QString path = Home() + "/Crossed.dlg";
        QFile::remove(path);
        test::MakeBigLog(path, {kDives, 50})
            ->Execute("Delete from DIVEDETAILS where DIVEID > ?", {kKeptProfiles});
        crafted.craft(path);
        OpenedLog opened = OpenCheckedLog(path);
        gv.LogLock = std::move(opened.lock);
        gv.DB = std::move(opened.db);
        return path;
    }
};

TEST_F(FirstWriteCheckTest, CrossedPagesRefuseEveryWriteAndDamagedSamplesDoNot)
{
    for (const CraftedLog& crafted : kCraftedLogs) {
        SCOPED_TRACE(crafted.name);
        QString path;
        ASSERT_NO_THROW(path = OpenCrafted(crafted)) << "the open road takes it";
        const QByteArray before = FileBytes(path);
        const QString memo(300 * 1024, 'm');   // a long memo takes pages from the free list
        if (crafted.takesWrites) {
            EXPECT_TRUE(LogTakesWrites());
            EXPECT_EQ(gv.DB->Execute("Update DIVEDATA set MEMO = ? where DIVEID = 1", {memo}), 1);
            EXPECT_EQ(gv.DB->Scalar("Select length(MEMO) from DIVEDATA where DIVEID = 1").ToLong(), memo.size());
            continue;
        }
        const QString refusal = DamagedLogText(path);
        dialogs.ExpectMsg(refusal).ExpectMsg(refusal);
        EXPECT_FALSE(LogTakesWrites());
        EXPECT_FALSE(DeleteDiveInfo(1));   // a road that asks first
        for (const auto& prompt : dialogs.Messages())
            EXPECT_EQ(prompt.icon, MsgIcon::Critical);
        try {
            gv.DB->Execute("Update DIVEDATA set MEMO = ? where DIVEID = 1", {memo});   // a write that did not ask
            ADD_FAILURE() << "the memo was written";
        } catch (const db::WriteRefused& refused) {
            EXPECT_EQ(db::KnownCause(refused), refusal);
        }
        gv = Global_Vars{};
        EXPECT_EQ(FileBytes(path), before);
    }
}

// The verdict belongs to the opened log: opening the log again checks it again.
TEST_F(FirstWriteCheckTest, EachOpeningChecksAgain)
{
    const QString path = OpenCrafted(kCraftedLogs[0]);
    dialogs.ExpectMsg(DamagedLogText(path));
    EXPECT_FALSE(LogTakesWrites());
    gv = Global_Vars{};
    test::MakeBigLog(path + ".sound", {2, 5});
    QFile::remove(path);
    ASSERT_TRUE(QFile::rename(path + ".sound", path));
    OpenedLog opened = OpenCheckedLog(path);
    gv.LogLock = std::move(opened.lock);
    gv.DB = std::move(opened.db);
    EXPECT_TRUE(LogTakesWrites());
}

} // namespace
} // namespace kvl
