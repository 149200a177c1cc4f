#include "shell/core/LogLock.h"

#include "platform/runtime/Logging.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>

#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvl {

namespace {

constexpr int kNoDescriptor = -1;

QString Shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

LogRefused Locked(const QString& text)
{
    return LogRefused(text, RefusalCause::Locked);
}

LogRefused InAnotherWindow(const QString& path, LogUse use)
{
    if (use == LogUse::Backup)
        return Locked(InUseText(path));
    return Locked(RefusalText(path, QStringLiteral("is open in another KVL window"), use));
}

// The whole-file lock on the log itself, on a descriptor of this window's own. Where the
// file system has no such lock the descriptor still tells which file is held; none
// when the file cannot be opened (its database open then says why).
struct WholeFile {
    int descriptor = kNoDescriptor;
    bool locked = false;
};

WholeFile LockWholeFile(const QString& path, LogUse use)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return {};
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0)
        return {descriptor, true};
    const int error = errno;
    if (error == EWOULDBLOCK) {
        ::close(descriptor);
        throw InAnotherWindow(path, use);
    }
    qCInfo(kvlDb, "%s is used without a whole-file lock: %s", qPrintable(path), std::strerror(error));
    return {descriptor, false};
}

// Who a lock file names as its owner.
enum class Owner { LiveHere, EndedHere, OtherMachine, Unknown };

struct LockOwner {
    Owner owner = Owner::Unknown;
    QString host;
};

LockOwner OwnerOf(const QLockFile& lock)
{
    qint64 pid = 0;
    QString host;
    QString program;
    if (!lock.getLockInfo(&pid, &host, &program) || pid <= 0 || pid > INT_MAX || host.isEmpty())
        return {};
    if (host != QSysInfo::machineHostName())
        return {Owner::OtherMachine, host};
    const bool running = ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
    return {running ? Owner::LiveHere : Owner::EndedHere, host};
}

// What each use of a log says when it asks to take a lock over, and when it is refused.
struct UseWords {
    const char* anyway;
    const char* consequence;
};

UseWords WordsFor(LogUse use)
{
    switch (use) {
    case LogUse::Restore: return {"Restore over it anyway?", "nothing was restored."};
    case LogUse::Backup: return {"Replace it anyway?", "nothing was backed up."};
    case LogUse::Open: break;
    }
    return {"Open it anyway?", "it was not opened."};
}

QString TakeOverQuestion(const QString& path, const LockOwner& owner, LogUse use)
{
    const QString where = owner.owner == Owner::OtherMachine ? QStringLiteral("on ") + owner.host
                                                              : QStringLiteral("in another KVL window");
    return QStringLiteral("\"%1\" may be open %2. %3").arg(Shown(path), where, QLatin1String(WordsFor(use).anyway));
}

// What became of a left lock file.
enum class Removal { Removed, HeldByLiveOwner, Refused };

// Removes a lock file whose owner has ended or that the diver chose to take. One that can
// be opened goes only when its own lock can be had, which a live owner keeps whatever
// the file says; one that cannot be read (another user's) goes as it is. On Refused,
// reason says why.
Removal RemoveLeftLock(const QString& lockPath, QString* reason)
{
    const QByteArray name = QFile::encodeName(lockPath);
    const int descriptor = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor >= 0 && ::flock(descriptor, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        ::close(descriptor);
        return Removal::HeldByLiveOwner;
    }
    const bool removed = ::unlink(name.constData()) == 0 || errno == ENOENT;
    *reason = QString::fromLocal8Bit(std::strerror(errno));
    if (descriptor >= 0)
        ::close(descriptor);
    return removed ? Removal::Removed : Removal::Refused;
}

// The refusal where a left lock file cannot be removed and the log has no whole-file lock.
LogRefused LockCannotBeRemoved(const QString& path, const QString& lockPath, Owner owner, const QString& reason)
{
    const QString how = owner == Owner::EndedHere
                            ? QStringLiteral("was left locked by a program that has ended and the lock cannot be removed")
                            : QStringLiteral("is locked by a lock file that cannot be removed");
    return Locked(QStringLiteral("\"%1\" %2: %3: %4").arg(Shown(path), how, Shown(lockPath), reason));
}

// The lock file beside the log; null when the folder allows none, or when a left one
// cannot be removed and the whole-file lock holds the log alone.
std::unique_ptr<QLockFile> TakeLockFile(const QString& path, LogUse use, const AskToTake& ask, bool wholeFileLocked)
{
    const QString lockPath = path + QStringLiteral(".lock");
    auto lock = std::make_unique<QLockFile>(lockPath);
    lock->setStaleLockTime(0);   // only an owner that has ended gives its lock up by itself
    if (lock->tryLock(0))
        return lock;
    if (lock->error() != QLockFile::LockFailedError) {
        qCInfo(kvlDb, "%s is used without a lock file (error %d)", qPrintable(path), int(lock->error()));
        return nullptr;
    }
    const LockOwner owner = OwnerOf(*lock);
    if (owner.owner == Owner::LiveHere)
        throw InAnotherWindow(path, use);
    if (owner.owner != Owner::EndedHere && (!ask || !ask(TakeOverQuestion(path, owner, use))))
        throw Locked(QString());
    QString reason;
    switch (RemoveLeftLock(lockPath, &reason)) {
    case Removal::HeldByLiveOwner:
        throw InAnotherWindow(path, use);
    case Removal::Refused:
        if (!wholeFileLocked)
            throw LockCannotBeRemoved(path, lockPath, owner.owner, reason);
        qCInfo(kvlDb, "%s is used under its whole-file lock alone: %s cannot be removed: %s", qPrintable(path),
               qPrintable(lockPath), qPrintable(reason));
        return nullptr;
    case Removal::Removed:
        break;
    }
    if (!lock->tryLock(0))
        throw InAnotherWindow(path, use);
    return lock;
}

} // namespace

QString RefusalText(const QString& path, const QString& what, LogUse use)
{
    return QStringLiteral("\"%1\" %2, so %3").arg(Shown(path), what, QLatin1String(WordsFor(use).consequence));
}

QString InUseText(const QString& path)
{
    return QStringLiteral("%1 is currently in use. Please, choose a different file name.").arg(Shown(path));
}

LogLock::~LogLock()
{
    if (descriptor_ != kNoDescriptor)
        ::close(descriptor_);
}

bool LogLock::Holds(const QString& path) const
{
    struct stat held {};
    struct stat named {};
    return descriptor_ != kNoDescriptor && ::fstat(descriptor_, &held) == 0
           && ::stat(QFile::encodeName(path).constData(), &named) == 0 && held.st_dev == named.st_dev
           && held.st_ino == named.st_ino;
}

bool LogLock::KnowsItsFile() const
{
    return descriptor_ != kNoDescriptor;
}

std::unique_ptr<LogLock> LockLog(const QString& path, LogUse use, const AskToTake& ask)
{
    const WholeFile whole = LockWholeFile(path, use);
    std::unique_ptr<QLockFile> file;
    try {
        file = TakeLockFile(path, use, ask, whole.locked);
    } catch (...) {
        if (whole.descriptor != kNoDescriptor)
            ::close(whole.descriptor);
        throw;
    }
    if (!file && whole.descriptor == kNoDescriptor)
        return nullptr;
    return std::make_unique<LogLock>(std::move(file), whole.descriptor);
}

} // namespace kvl
