// The locks that keep a second program window off a log: lock files left by others
// (empty, unreadable, from another machine, from a program that has ended), and the
// whole-file lock that holds where no lock file can be made.
#include "shell/core/LogLock.h"

#include "platform/db/Db.h"
#include "tests/support/KvlTest.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace kvl {
namespace {

QString InAnotherWindow(const QString& path, LogUse use)
{
    return RefusalText(path, "is open in another KVL window", use);
}

// What a lock file of this program says: its process, its program file and its machine.
QByteArray LockContent(qint64 pid, const QString& host = QSysInfo::machineHostName())
{
    return QByteArray::number(pid) + '\n' + QCoreApplication::applicationFilePath().toUtf8() + '\n' + host.toUtf8()
           + '\n';
}

// A process of this machine that has ended.
qint64 EndedPid()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class LogLockTest : public test::KvlTest {
protected:
    void SetUp() override
    {
        test::KvlTest::SetUp();
        log = Home() + "/Trip.dlg";
        lockPath = log + ".lock";
        WriteBytes(log, "a log");
    }

    // Locks the log as a window would, answering every question with answer.
    std::unique_ptr<LogLock> Lock(LogUse use, bool answer)
    {
        return LockLog(log, use, [this, answer](const QString& question) {
            questions << question;
            return answer;
        });
    }

    QString log;
    QString lockPath;
    QStringList questions;
};

// A lock file that names no live owner of this machine is taken only after the diver
// says so; one of a live owner is refused without a question.
TEST_F(LogLockTest, ALeftLockIsTakenOnlyWhenItsOwnerCannotBeLive)
{
    const struct {
        const char* name;
        std::function<void(const QString&)> make;
        const char* asks;   // where the question says the log may be open; nullptr: no question
        bool yesTakesIt;
    } cases[] = {
        {"an empty lock file", [](const QString& lock) { WriteBytes(lock, ""); }, "in another KVL window", true},
        {"a lock file of noise", [](const QString& lock) { WriteBytes(lock, "\x01\x7fnot a lock"); },
         "in another KVL window", true},
        {"another machine's lock", [](const QString& lock) { WriteBytes(lock, LockContent(4242, "reef-laptop")); },
         "on reef-laptop", true},
        {"a lock that cannot be read or removed", [](const QString& lock) { QDir().mkdir(lock); },
         "in another KVL window", false},
        {"a live window of this machine",
         [](const QString& lock) { WriteBytes(lock, LockContent(QCoreApplication::applicationPid())); }, nullptr,
         false},
        {"a program of this machine that has ended", [](const QString& lock) { WriteBytes(lock, LockContent(EndedPid())); },
         nullptr, true},
    };
    for (const auto& c : cases) {
        for (const LogUse use : {LogUse::Open, LogUse::Restore}) {
            for (const bool yes : {true, false}) {
                SCOPED_TRACE(testing::Message() << c.name << (use == LogUse::Open ? ", open" : ", restore")
                                                << (yes ? ", Yes" : ", No"));
                QFile::remove(lockPath);
                QDir().rmdir(lockPath);
                c.make(lockPath);
                questions.clear();
                const bool asked = c.asks != nullptr;
                const bool taken = asked ? yes && c.yesTakesIt : c.yesTakesIt;
                try {
                    const auto lock = Lock(use, yes);
                    EXPECT_TRUE(taken);
                    qint64 pid = 0;
                    QString host, program;
                    ASSERT_TRUE(QLockFile(lockPath).getLockInfo(&pid, &host, &program));
                    EXPECT_EQ(pid, QCoreApplication::applicationPid());
                } catch (const LogRefused& refusal) {
                    EXPECT_FALSE(taken);
                    EXPECT_EQ(refusal.Cause(), RefusalCause::Locked);
                    EXPECT_EQ(refusal.Text(), asked && !yes ? QString() : InAnotherWindow(log, use));
                }
                const QString anyway = use == LogUse::Open ? "Open it anyway?" : "Restore over it anyway?";
                EXPECT_EQ(questions,
                          asked ? QStringList{"\"" + log + "\" may be open " + c.asks + ". " + anyway} : QStringList{});
            }
        }
    }
}

// Another user's program that ended left its lock in a folder this user cannot change:
// the refusal says so, and why. A forked child takes the other user's place (as root,
// it becomes nobody; otherwise the folder is made read-only).
TEST_F(LogLockTest, ALockLeftByAnEndedProgramThatCannotBeRemovedSaysWhy)
{
    QTemporaryDir shared;
    const QString sharedLog = shared.filePath("Shared.dlg");
    const QString sharedLock = sharedLog + ".lock";
    WriteBytes(sharedLog, "a log");
    WriteBytes(sharedLock, LockContent(EndedPid()));
    const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto enterable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    const bool root = geteuid() == 0;
    ASSERT_TRUE(QFile::setPermissions(shared.path(), readable | enterable | (root ? QFile::WriteOwner : QFile::Permissions())));
    for (const QString& file : {sharedLog, sharedLock})
        ASSERT_TRUE(QFile::setPermissions(file, readable | QFile::WriteOwner));

    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        if (root && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        QByteArray text = "taken";
        try {
            LockLog(sharedLog, LogUse::Open, [](const QString&) { return true; });
        } catch (const LogRefused& refusal) {
            text = refusal.Text().toUtf8();
        }
        _exit(write(pipeEnds[1], text.constData(), size_t(text.size())) == text.size() ? 0 : 3);
    }
    close(pipeEnds[1]);
    QByteArray said;
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, n);
    close(pipeEnds[0]);
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(status, 0);
    QFile::setPermissions(shared.path(), readable | enterable | QFile::WriteOwner);
    EXPECT_EQ(QString::fromUtf8(said), "\"" + sharedLog
                                           + "\" was left locked by a program that has ended and the lock cannot be "
                                             "removed: "
                                           + sharedLock + ": Permission denied");
    EXPECT_TRUE(QFile::exists(sharedLock));
}

// Where no lock file can be made beside the log (here its name leaves no room for
// ".lock" within the file system's 255 bytes, which holds for root too, unlike a
// read-only folder), the whole-file lock on the log still keeps a second window off.
TEST_F(LogLockTest, ASecondWindowIsRefusedWhereNoLockFileCanBeMade)
{
    const QString longLog = Home() + "/" + QString(251, 'x') + ".dlg";
    WriteBytes(longLog, "a log");
    auto first = LockLog(longLog, LogUse::Open, {});
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(QFileInfo::exists(longLog + ".lock"));
    for (const LogUse use : {LogUse::Open, LogUse::Restore}) {
        try {
            LockLog(longLog, use, {});
            ADD_FAILURE() << "a second window took the log";
        } catch (const LogRefused& refusal) {
            EXPECT_EQ(refusal.Text(), InAnotherWindow(longLog, use));
        }
    }
    first.reset();
    EXPECT_NE(LockLog(longLog, LogUse::Open, {}), nullptr);
}

// The whole-file lock is not one of the byte-range locks the database takes: another
// program can still read and write the log while a window holds it.
TEST_F(LogLockTest, AHeldLogLeavesTheDatabasesOwnLocksAlone)
{
    const QString dbLog = Home() + "/Db.dlg";
    db::Database::Create(dbLog)->Execute("CREATE TABLE T (A INTEGER)");
    const auto held = LockLog(dbLog, LogUse::Open, {});
    ASSERT_NE(held, nullptr);
    const pid_t child = fork();
    if (child == 0) {
        try {
            db::Database::Open(dbLog)->Execute("INSERT INTO T VALUES (1)");
            _exit(0);
        } catch (const std::exception&) {
            _exit(1);
        }
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(db::Database::Open(dbLog)->Scalar("SELECT COUNT(*) FROM T").ToLong(), 1);
}

} // namespace
} // namespace kvl
