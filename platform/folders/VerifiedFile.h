#pragma once
// The one way the program writes a file the diver keeps (exports, PDFs, backups,
// restored and new logs): the bytes go to a temporary file beside the target (an
// unnamed one where the file system has them, else an OwnTemporaryFile), and
// only once every write, the last flush and the sync to disk are known to have
// worked does it take the target's place. On any failure the target stays byte for
// byte as it was. (QSaveFile alone can report a commit as done when its last
// buffered write failed, leaving a cut-short file in place of a good one.)

#include "platform/folders/OwnTemporaryFile.h"

#include <QIODevice>
#include <QSaveFile>
#include <QString>

namespace kvl {

class VerifiedFile : public QIODevice {
public:
    explicit VerifiedFile(const QString& target);
    ~VerifiedFile() override;   // without Commit the target stays as it was

    // Opens the temporary file for writing; false, with errorString(), when it cannot.
    bool Open();
    // Writes all of bytes; false once any write has failed (later writes are refused).
    bool Write(const QByteArray& bytes);
    // Flushes, syncs and checks the written size, then puts the file in place of the
    // target. False, with errorString() and the target untouched, on any failure.
    bool Commit();
    // Drops what was written; the target stays as it was.
    void Cancel();
    bool Failed() const { return failed_; }
    QString FileName() const { return save_.fileName(); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override;
    // Remembers the first failure and its reason.
    void Fail(const QString& reason);

private:
    QFileDevice& File();

    QSaveFile save_;
    OwnTemporaryFile own_;
    bool ownTemporary_ = false;   // the file system has no unnamed temporary files
    qint64 written_ = 0;
    bool failed_ = false;
};

} // namespace kvl
