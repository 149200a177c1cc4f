// A backup put in the place of a log: the old log's unfinished writes never reach it.
#include "shell/core/LogRestore.h"

#include "shell/core/LogOpen.h"
#include "tests/support/KilledWrite.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

#include <QDir>
#include <QFile>

#include <functional>

namespace kvl {
namespace {

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString DiverName(db::Database& log)
{
    return log.Scalar("SELECT NAME FROM USERINFO WHERE USERTYPE = 1").ToString();
}

class LogRestoreTest : public test::KvlTest {
protected:
    void SetUp() override
    {
        test::KvlTest::SetUp();
        folder = Home() + "/Logs";
        ASSERT_TRUE(QDir().mkpath(folder));
        backup = Home() + "/Trip.bak";
        target = folder + "/Trip.dlg";
        ASSERT_TRUE(QFile::copy(test::SampleLogPath(), backup));
        db::Database::Open(backup)->Execute("UPDATE USERINFO SET NAME = 'Backed Up'");
    }

    QString folder;
    QString backup;
    QString target;
};

// The database rolls a journal left beside a log into whatever file next bears the log's
// name: the restored log must still open as the backup was, with the backup's rows.
TEST_F(LogRestoreTest, TheRestoredLogOpensAsTheBackupWasWhateverTheOldLogLeft)
{
    const auto killASave = [](const QString& log) { test::KillASaveMidway(log, "Killed Save"); };
    const struct {
        const char* name;
        std::function<void(const QString&)> leave;
    } cases[] = {
        {"a sound log", [](const QString&) {}},
        {"a log whose save was killed midway", killASave},
        {"the journal of a killed save whose log is gone",
         [killASave](const QString& log) {
             killASave(log);
             QFile::remove(log);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(test::SampleLogPath(), target));
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        db::Database::Open(target)->Execute("UPDATE USERINFO SET NAME = 'Old Log'");
        c.leave(target);

        EXPECT_EQ(RestoreBackup(backup, target, {}), QString());
        {
            const OpenedLog restored = OpenCheckedLog(target);
            EXPECT_EQ(DiverName(*restored.db), "Backed Up");
            EXPECT_FALSE(restored.db->TableExists("FILLER"));
        }
        EXPECT_EQ(FileBytes(target), FileBytes(backup));
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"Trip.dlg"});
    }
}

} // namespace
} // namespace kvl
