#pragma once
// A temporary file beside a target under a hidden name of the program's own,
// ".<target name>.kvl-<process id>-XXXXXX", locked (flock) for as long as it is open.
// It serves folders without unnamed temporary files (FUSE, FAT, network shares), where a
// program killed while writing leaves its temporary file behind: Open first removes the
// files of that name whose lock can be taken, as their writer has ended, and never a
// file in use or a file of another name.

#include <QFile>
#include <QString>

namespace kvl {

class OwnTemporaryFile : public QFile {
public:
    // A symbolic link as target stands for the file it leads to.
    explicit OwnTemporaryFile(const QString& target);
    ~OwnTemporaryFile() override;   // removes the file unless it took the target's place

    // Makes, locks and opens the file for writing, with the permissions of an existing
    // target. False, with errorString(), when it cannot.
    bool Open();
    // Renames the file to the target; with `replace` false an existing target stays and
    // the rename fails. False, with errorString(), on failure.
    bool TakeTargetsPlace(bool replace);
    // Closes and removes the file, unless it took the target's place.
    void Remove();
    const QString& Target() const { return target_; }

private:
    QString target_;
    QString path_;
    bool placed_ = false;
};

// Whether a file can be written in folder without a name until it is put in place
// (false where the file system refuses such files).
bool UnnamedTemporaryFilesWork(const QString& folder);

namespace internal {
// For tests on file systems that have unnamed temporary files: act as if none had.
void RefuseUnnamedTemporaryFiles(bool refuse);
} // namespace internal

} // namespace kvl
