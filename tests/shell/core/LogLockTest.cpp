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
#include <QTemporaryDir>

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

// Runs what in a forked child as another user (as root, nobody; otherwise this user) and
// returns the lines it gave back.
QStringList RunAsAnotherUser(const std::function<QStringList()>& what)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        const QByteArray text = what().join('\n').toUtf8();
        _exit(write(pipeEnds[1], text.constData(), size_t(text.size())) == text.size() ? 0 : 3);
    }
    close(pipeEnds[1]);
    QByteArray said;
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, n);
    close(pipeEnds[0]);
    int status = -1;
    if (waitpid(child, &status, 0) != child || status != 0) {
        ADD_FAILURE() << "the child process failed: " << status;
        return {};
    }
    return QString::fromUtf8(said).split('\n');
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

QString Anyway(LogUse use)
{
    switch (use) {
    case LogUse::Open:
        return "Open it anyway?";
    case LogUse::Restore:
        return "Restore over it anyway?";
    case LogUse::Backup:
        return "Replace it anyway?";
    }
    return {};
}

QString HeldText(const QString& path, LogUse use)
{
    return use == LogUse::Backup ? InUseText(path) : InAnotherWindow(path, use);
}

// A lock file that names no live owner of this machine is taken only after the diver
// says so; one of a live owner is refused without a question. A left lock file that
// cannot be removed leaves the log under its whole-file lock alone.
TEST_F(LogLockTest, ALeftLockIsTakenOnlyWhenItsOwnerCannotBeLive)
{
    enum class Taken { No, LockFileReplaced, WholeFileLockAlone };
    const struct {
        const char* name;
        std::function<void(const QString&)> make;
        const char* asks;   // where the question says the log may be open; nullptr: no question
        Taken yesTakesIt;
    } cases[] = {
        {"an empty lock file", [](const QString& lock) { WriteBytes(lock, ""); }, "in another KVL window",
         Taken::LockFileReplaced},
        {"a lock file of noise", [](const QString& lock) { WriteBytes(lock, "\x01\x7fnot a lock"); },
         "in another KVL window", Taken::LockFileReplaced},
        {"another machine's lock", [](const QString& lock) { WriteBytes(lock, LockContent(4242, "reef-laptop")); },
         "on reef-laptop", Taken::LockFileReplaced},
        {"a lock that cannot be read or removed", [](const QString& lock) { QDir().mkdir(lock); },
         "in another KVL window", Taken::WholeFileLockAlone},
        {"a live window of this machine",
         [](const QString& lock) { WriteBytes(lock, LockContent(QCoreApplication::applicationPid())); }, nullptr,
         Taken::No},
        {"a program of this machine that has ended", [](const QString& lock) { WriteBytes(lock, LockContent(EndedPid())); },
         nullptr, Taken::LockFileReplaced},
    };
    for (const auto& c : cases) {
        for (const LogUse use : {LogUse::Open, LogUse::Restore, LogUse::Backup}) {
            for (const bool yes : {true, false}) {
                SCOPED_TRACE(testing::Message() << c.name << ", use " << int(use) << (yes ? ", Yes" : ", No"));
                QFile::remove(lockPath);
                QDir().rmdir(lockPath);
                c.make(lockPath);
                questions.clear();
                const bool asked = c.asks != nullptr;
                const Taken taken = asked && !yes ? Taken::No : c.yesTakesIt;
                try {
                    const auto lock = Lock(use, yes);
                    ASSERT_NE(taken, Taken::No);
                    qint64 pid = 0;
                    QString host, program;
                    EXPECT_EQ(QLockFile(lockPath).getLockInfo(&pid, &host, &program) && pid == QCoreApplication::applicationPid(),
                              taken == Taken::LockFileReplaced);
                    EXPECT_TRUE(QFileInfo::exists(lockPath));
                    try {
                        LockLog(log, use, {});
                        ADD_FAILURE() << "a second window took the log";
                    } catch (const LogRefused& refusal) {
                        EXPECT_EQ(refusal.Text(), HeldText(log, use));
                    }
                } catch (const LogRefused& refusal) {
                    EXPECT_EQ(taken, Taken::No);
                    EXPECT_EQ(refusal.Cause(), RefusalCause::Locked);
                    EXPECT_EQ(refusal.Text(), asked && !yes ? QString() : HeldText(log, use));
                }
                EXPECT_EQ(questions,
                          asked ? QStringList{"\"" + log + "\" may be open " + c.asks + ". " + Anyway(use)} : QStringList{});
            }
        }
    }
}

// Another user's program left its lock where this user cannot take it over the usual
// way: unreadable (mode 000) in a folder this user may write, or in a folder this user
// cannot change (mode 555). Yes takes an unreadable lock by removing it; a lock that
// cannot be removed leaves the log under its whole-file lock alone, which still keeps a
// second window off; only where that lock cannot be had either is the log refused, with
// the cause. A forked child takes the other user's place (as root, it becomes nobody;
// otherwise the files are made unreadable and the folder read-only for this user too).
TEST_F(LogLockTest, ALockThisUserCannotRemoveLocksTheLogOutOnlyWithoutTheWholeFileLock)
{
    const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto writable = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    const auto enterable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    const QString taken = "taken under the whole-file lock alone";
    const QString replaced = "taken with its own lock file";
    const struct {
        const char* name;
        QByteArray lockContent;
        bool lockReadable;
        bool folderWritable;
        bool logReadable;
        LogUse use;
        const char* asks;      // where the question says the log may be open; nullptr: no question
        bool yes;
        QString outcome;       // taken, replaced, "" (refused without a word) or the refusal's text
    } cases[] = {
        {"an unreadable lock in a folder this user may write", "", false, true, true, LogUse::Open,
         "in another KVL window", true, replaced},
        {"an unreadable lock, restored over", LockContent(4242, "reef-laptop"), false, true, true, LogUse::Restore,
         "in another KVL window", true, replaced},
        {"an unreadable lock, No", "", false, true, true, LogUse::Open, "in another KVL window", false, ""},
        {"an empty lock in a read-only folder", "", true, false, true, LogUse::Open, "in another KVL window", true,
         taken},
        {"another machine's lock in a read-only folder", LockContent(4242, "reef-laptop"), true, false, true,
         LogUse::Restore, "on reef-laptop", true, taken},
        {"an ended program's lock in a read-only folder", LockContent(EndedPid()), true, false, true, LogUse::Open,
         nullptr, true, taken},
        {"an ended program's lock in a read-only folder, the log unreadable", LockContent(EndedPid()), true, false,
         false, LogUse::Open, nullptr, true,
         "\"%1\" was left locked by a program that has ended and the lock cannot be removed: %2: Permission denied"},
        {"an empty lock in a read-only folder, the log unreadable", "", true, false, false, LogUse::Open,
         "in another KVL window", true, "\"%1\" is locked by a lock file that cannot be removed: %2: Permission denied"},
    };
    const bool root = geteuid() == 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir shared;
        const QString sharedLog = shared.filePath("Shared.dlg");
        const QString sharedLock = sharedLog + ".lock";
        WriteBytes(sharedLog, "a log");
        WriteBytes(sharedLock, c.lockContent);
        ASSERT_TRUE(QFile::setPermissions(sharedLog, c.logReadable ? readable | QFile::WriteOwner : QFile::Permissions()));
        ASSERT_TRUE(QFile::setPermissions(sharedLock, c.lockReadable ? readable | QFile::WriteOwner : QFile::Permissions()));
        const auto folderWrite = c.folderWritable ? (root ? writable : QFile::Permissions(QFile::WriteOwner)) : QFile::Permissions();
        ASSERT_TRUE(QFile::setPermissions(shared.path(), readable | enterable | folderWrite));

        const QStringList said = RunAsAnotherUser([&] {
            QStringList asked;
            const auto ask = [&asked, &c](const QString& question) {
                asked << question;
                return c.yes;
            };
            QString outcome;
            try {
                const auto lock = LockLog(sharedLog, c.use, ask);
                qint64 pid = 0;
                QString host, program;
                const bool ownLockFile = QLockFile(sharedLock).getLockInfo(&pid, &host, &program) && pid == getpid();
                outcome = ownLockFile ? replaced : taken;
                try {
                    LockLog(sharedLog, c.use, {});
                    outcome += ", and a second window took it too";
                } catch (const LogRefused& refusal) {
                    if (refusal.Text() != HeldText(sharedLog, c.use))
                        outcome += ", and a second window was told: " + refusal.Text();
                }
            } catch (const LogRefused& refusal) {
                outcome = refusal.Text();
            }
            return QStringList{outcome} + asked;
        });
        QFile::setPermissions(shared.path(), readable | enterable | QFile::WriteOwner);
        QFile::setPermissions(sharedLock, readable | QFile::WriteOwner);
        ASSERT_FALSE(said.isEmpty());
        EXPECT_EQ(said[0], c.outcome.contains("%1") ? c.outcome.arg(sharedLog, sharedLock) : c.outcome);
        EXPECT_EQ(said.mid(1), c.asks ? QStringList{"\"" + sharedLog + "\" may be open " + c.asks + ". " + Anyway(c.use)}
                                      : QStringList{});
    }
}

// Which file a window holds is told by the file itself (its device and inode), however
// its path is spelled: a link to its folder stands in for a second mount of it. A file
// put in the held one's place is another file.
TEST_F(LogLockTest, AHeldLogIsKnownByItsFileNotItsPath)
{
    const auto held = LockLog(log, LogUse::Open, {});
    ASSERT_NE(held, nullptr);
    const QString linkedFolder = Home() + "/Mounted";
    ASSERT_TRUE(QFile::link(Home(), linkedFolder));
    const QString hardLink = Home() + "/Hard.dlg";
    ASSERT_EQ(::link(QFile::encodeName(log).constData(), QFile::encodeName(hardLink).constData()), 0);
    const QString other = Home() + "/Other.dlg";
    WriteBytes(other, "another log");
    EXPECT_TRUE(held->Holds(log));
    EXPECT_TRUE(held->Holds(linkedFolder + "/Trip.dlg"));
    EXPECT_TRUE(held->Holds(hardLink));
    EXPECT_FALSE(held->Holds(other));
    EXPECT_FALSE(held->Holds(Home() + "/Gone.dlg"));
    // Another window's backup onto any of these names is refused.
    for (const QString& name : {log, linkedFolder + "/Trip.dlg", hardLink}) {
        try {
            LockLog(name, LogUse::Backup, {});
            ADD_FAILURE() << "a backup took " << name.toStdString();
        } catch (const LogRefused& refusal) {
            EXPECT_EQ(refusal.Text(), InUseText(name));
        }
    }
    ASSERT_EQ(::rename(QFile::encodeName(other).constData(), QFile::encodeName(log).constData()), 0);
    EXPECT_FALSE(held->Holds(log));
    EXPECT_TRUE(held->Holds(hardLink));
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
