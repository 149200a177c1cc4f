#include "platform/folders/OwnTemporaryFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvl {

namespace {

std::atomic_bool unnamedRefused{false};

constexpr int kRandomLength = 6;
constexpr int kMaxTargetNameBytes = 200;   // keeps the whole name within 255 bytes
constexpr int kOpenAttempts = 16;
constexpr int kMaxLinkDepth = 128;

QString ErrnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// ".<target name>.kvl-", the target's name cut short where it is long.
QString Prefix(const QString& targetName)
{
    QString name = targetName;
    while (name.toUtf8().size() > kMaxTargetNameBytes)
        name.chop(name.back().isLowSurrogate() ? 2 : 1);   // never half a character
    return QStringLiteral(".") + name + QStringLiteral(".kvl-");
}

QString RandomPart()
{
    static const QByteArray letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString part;
    for (int i = 0; i < kRandomLength; ++i)
        part += QLatin1Char(letters.at(QRandomGenerator::global()->bounded(int(letters.size()))));
    return part;
}

// Whether path still names the file open on fd (a removal between the two leaves it not).
bool NamesOpenFile(const QString& path, int fd)
{
    struct stat open{}, named{};
    return ::fstat(fd, &open) == 0 && ::lstat(QFile::encodeName(path).constData(), &named) == 0
           && open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

// Takes the lock of an open file; true too where the file system has no locks at all.
bool Lock(int fd)
{
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS;
}

// Removes a temporary file of ours whose lock can be taken: its writer has ended.
void RemoveIfEnded(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info{};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0
        && NamesOpenFile(path, fd))
        ::unlink(QFile::encodeName(path).constData());
    ::close(fd);
}

void RemoveEndedWriters(const QFileInfo& target)
{
    const QString prefix = Prefix(target.fileName());
    static const QRegularExpression rest(QStringLiteral("^[0-9]+-[A-Za-z0-9]{%1}$").arg(kRandomLength));
    const QDir folder = target.dir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks))
        if (name.startsWith(prefix) && rest.match(name.mid(prefix.size())).hasMatch())
            RemoveIfEnded(folder.filePath(name));
}

QString FollowLinks(const QString& path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < kMaxLinkDepth && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

} // namespace

OwnTemporaryFile::OwnTemporaryFile(const QString& target) : target_(FollowLinks(target)) {}

OwnTemporaryFile::~OwnTemporaryFile()
{
    Remove();
}

bool OwnTemporaryFile::Open()
{
    const QFileInfo existing(target_);
    if (existing.exists() && !existing.isWritable()) {
        setErrorString(QStringLiteral("Existing file %1 is not writable").arg(target_));
        return false;
    }
    RemoveEndedWriters(existing);
    struct stat old{};
    const bool replacing = ::stat(QFile::encodeName(target_).constData(), &old) == 0;
    const QString stem = existing.dir().filePath(Prefix(existing.fileName()))
                         + QString::number(QCoreApplication::applicationPid()) + u'-';
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        const QString path = stem + RandomPart();
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              replacing ? 0600 : 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            setErrorString(ErrnoText());
            return false;
        }
        // Another save's sweep that locked the file first removes it: take a new name.
        if (!Lock(fd) || !NamesOpenFile(path, fd)) {
            ::close(fd);
            continue;
        }
        if (replacing)
            ::fchmod(fd, old.st_mode & 07777);
        path_ = path;
        placed_ = false;
        setFileName(path);
        return open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
    }
    setErrorString(QStringLiteral("Could not make a temporary file beside %1").arg(target_));
    return false;
}

bool OwnTemporaryFile::TakeTargetsPlace(bool replace)
{
    if (path_.isEmpty()) {
        setErrorString(QStringLiteral("The file was not opened."));
        return false;
    }
    if (replace) {
        if (::rename(QFile::encodeName(path_).constData(), QFile::encodeName(target_).constData()) != 0) {
            setErrorString(ErrnoText());
            return false;
        }
    } else {
        QFile moved(path_);
        if (!moved.rename(target_)) {
            setErrorString(moved.errorString());
            return false;
        }
    }
    placed_ = true;
    close();
    return true;
}

void OwnTemporaryFile::Remove()
{
    if (!placed_ && !path_.isEmpty())
        ::unlink(QFile::encodeName(path_).constData());   // while still locked
    path_.clear();
    close();
}

bool UnnamedTemporaryFilesWork(const QString& folder)
{
#ifdef O_TMPFILE
    if (unnamedRefused)
        return false;
    const int fd = ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    // Any other failure (no such folder, no permission) is the save's to report.
    return errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL;
#else
    Q_UNUSED(folder);
    return false;
#endif
}

namespace internal {
void RefuseUnnamedTemporaryFiles(bool refuse)
{
    unnamedRefused = refuse;
}
} // namespace internal

} // namespace kvl
