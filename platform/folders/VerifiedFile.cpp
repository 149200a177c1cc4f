#include "platform/folders/VerifiedFile.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace kvl {

VerifiedFile::VerifiedFile(const QString& target) : save_(target), own_(target) {}

VerifiedFile::~VerifiedFile()
{
    Cancel();
}

QFileDevice& VerifiedFile::File()
{
    return ownTemporary_ ? static_cast<QFileDevice&>(own_) : save_;
}

bool VerifiedFile::Open()
{
    ownTemporary_ = !UnnamedTemporaryFilesWork(QFileInfo(own_.Target()).path());
    if (!(ownTemporary_ ? own_.Open() : save_.open(QIODevice::WriteOnly))) {
        Fail(File().errorString());
        return false;
    }
    failed_ = false;
    written_ = 0;
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool VerifiedFile::Write(const QByteArray& bytes)
{
    return write(bytes) == bytes.size() && !failed_;
}

qint64 VerifiedFile::writeData(const char* data, qint64 length)
{
    if (failed_)
        return -1;
    if (File().write(data, length) != length) {
        Fail(File().errorString());
        return -1;
    }
    written_ += length;
    return length;
}

void VerifiedFile::Fail(const QString& reason)
{
    if (failed_)
        return;
    failed_ = true;
    setErrorString(reason.isEmpty() ? QStringLiteral("The file could not be written.") : reason);
}

bool VerifiedFile::Commit()
{
    QFileDevice& file = File();
    if (!file.isOpen())
        Fail(QStringLiteral("The file was not opened."));
    if (!failed_ && !file.flush())
        Fail(file.errorString());
    if (!failed_ && ::fsync(file.handle()) != 0)
        Fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (!failed_ && (file.error() != QFileDevice::NoError || file.size() != written_))
        Fail(file.errorString());
    if (failed_) {
        Cancel();
        return false;
    }
    QIODevice::close();
    if (!(ownTemporary_ ? own_.TakeTargetsPlace(true) : save_.commit())) {
        Fail(file.errorString());
        return false;
    }
    return true;
}

void VerifiedFile::Cancel()
{
    own_.Remove();
    if (save_.isOpen()) {
        save_.cancelWriting();
        save_.commit();   // after cancelWriting only removes the temporary file
    }
    if (isOpen())
        QIODevice::close();
}

} // namespace kvl
