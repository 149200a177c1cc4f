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
    return Locked(RefusalText(path, QStringLiteral("is open in another KVL window"), use));
}

// The whole-file lock on the log itself, on a descriptor of this window's own;
// kNoDescriptor when the file system has none, or when the file cannot be opened (its
// database open then says why).
int LockWholeFile(const QString& path, LogUse use)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return kNoDescriptor;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0)
        return descriptor;
    const int error = errno;
    ::close(descriptor);
    if (error == EWOULDBLOCK)
        throw InAnotherWindow(path, use);
    qCInfo(kvlDb, "%s is used without a whole-file lock: %s", qPrintable(path), std::strerror(error));
    return kNoDescriptor;
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

QString TakeOverQuestion(const QString& path, const LockOwner& owner, LogUse use)
{
    const QString where = owner.owner == Owner::OtherMachine ? QStringLiteral("on ") + owner.host
                                                              : QStringLiteral("in another KVL window");
    const QString anyway = use == LogUse::Open ? QStringLiteral("Open it anyway?") : QStringLiteral("Restore over it anyway?");
    return QStringLiteral("\"%1\" may be open %2. %3").arg(Shown(path), where, anyway);
}

// Removes a lock file left by a program of this machine that has ended, which the lock
// could not take over by itself (another user's file, a folder that allows no removal).
void RemoveLeftLock(const QString& path, const QString& lockPath)
{
    if (::unlink(QFile::encodeName(lockPath).constData()) == 0)
        return;
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    throw Locked(QStringLiteral("\"%1\" was left locked by a program that has ended and the lock cannot be removed: %2: %3")
                     .arg(Shown(path), Shown(lockPath), reason));
}

// The lock file beside the log; null when the folder allows none.
std::unique_ptr<QLockFile> TakeLockFile(const QString& path, LogUse use, const AskToTake& ask)
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
    switch (owner.owner) {
    case Owner::LiveHere:
        throw InAnotherWindow(path, use);
    case Owner::EndedHere:
        RemoveLeftLock(path, lockPath);
        break;
    case Owner::OtherMachine:
    case Owner::Unknown:
        if (!ask || !ask(TakeOverQuestion(path, owner, use)))
            throw Locked(QString());
        lock->removeStaleLockFile();   // a live owner of this machine still keeps it
        break;
    }
    if (!lock->tryLock(0))
        throw InAnotherWindow(path, use);
    return lock;
}

} // namespace

QString RefusalText(const QString& path, const QString& what, LogUse use)
{
    const QString consequence =
        use == LogUse::Open ? QStringLiteral("it was not opened.") : QStringLiteral("nothing was restored.");
    return QStringLiteral("\"%1\" %2, so %3").arg(Shown(path), what, consequence);
}

LogLock::~LogLock()
{
    if (descriptor_ != kNoDescriptor)
        ::close(descriptor_);
}

std::unique_ptr<LogLock> LockLog(const QString& path, LogUse use, const AskToTake& ask)
{
    const int descriptor = LockWholeFile(path, use);
    std::unique_ptr<QLockFile> file;
    try {
        file = TakeLockFile(path, use, ask);
    } catch (...) {
        if (descriptor != kNoDescriptor)
            ::close(descriptor);
        throw;
    }
    if (!file && descriptor == kNoDescriptor)
        return nullptr;
    return std::make_unique<LogLock>(std::move(file), descriptor);
}

} // namespace kvl
