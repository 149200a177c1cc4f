#include "platform/folders/VerifiedFile.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace kvl {

VerifiedFile::VerifiedFile(const QString& target) : file_(target) {}

VerifiedFile::~VerifiedFile()
{
    Cancel();
}

bool VerifiedFile::Open()
{
    if (!file_.open(QIODevice::WriteOnly)) {
        Fail(file_.errorString());
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
    if (file_.write(data, length) != length) {
        Fail(file_.errorString());
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
    if (!file_.isOpen())
        Fail(QStringLiteral("The file was not opened."));
    if (!failed_ && !file_.flush())
        Fail(file_.errorString());
    if (!failed_ && ::fsync(file_.handle()) != 0)
        Fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (!failed_ && (file_.error() != QFileDevice::NoError || file_.size() != written_))
        Fail(file_.errorString());
    if (failed_) {
        Cancel();
        return false;
    }
    QIODevice::close();
    if (!file_.commit()) {
        Fail(file_.errorString());
        return false;
    }
    return true;
}

void VerifiedFile::Cancel()
{
    if (file_.isOpen()) {
        file_.cancelWriting();
        file_.commit();   // after cancelWriting only removes the temporary file
    }
    if (isOpen())
        QIODevice::close();
}

} // namespace kvl
