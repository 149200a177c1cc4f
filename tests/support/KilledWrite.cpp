#include "tests/support/KilledWrite.h"

#include "platform/db/Db.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <sys/wait.h>
#include <unistd.h>

namespace kvl::test {

namespace {

// Enough new pages that a cache this small must write some of them to the file before
// the save commits.
constexpr int kCachePages = 10;
constexpr int kFillerRows = 200;
constexpr int kFillerBytes = 4000;

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void KillASaveMidway(const QString& log, const QString& newName)
{
    const QByteArray before = FileBytes(log);
    const pid_t child = fork();
    if (child == 0) {
        try {
            auto db = db::Database::Open(log);
            db->Execute(QStringLiteral("PRAGMA cache_size = %1").arg(kCachePages));
            db->Execute("BEGIN");
            db->Execute("UPDATE USERINFO SET NAME = ?", {newName});
            db->Execute("CREATE TABLE FILLER (B BLOB)");
            for (int row = 0; row < kFillerRows; ++row)
                db->Execute("INSERT INTO FILLER VALUES (zeroblob(?))", {kFillerBytes});
            _exit(0);   // killed with the save open: no commit, no rollback, the journal stays
        } catch (...) {
            _exit(1);
        }
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(status, 0);
    ASSERT_TRUE(QFileInfo::exists(log + "-journal"));
    ASSERT_NE(FileBytes(log), before) << "the save wrote nothing into the log before it was killed";
}

} // namespace kvl::test
