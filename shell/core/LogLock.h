#pragma once
// The locks that keep a second program window off a log: the lock file beside it
// ("<log>.lock", naming its owner's process and machine) and a whole-file lock on the
// log itself, which needs no new file where the folder allows none.

#include <QLockFile>
#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>

namespace kvl {

// Why a log was refused: the open road's next question depends on it.
enum class RefusalCause { Unsound, Locked };

// A refusal, with the one sentence for the diver that names the file; the sentence is
// empty when the diver chose the refusal by answering No.
class LogRefused : public std::runtime_error {
public:
    explicit LogRefused(const QString& text, RefusalCause cause = RefusalCause::Unsound)
        : std::runtime_error(text.toStdString()), text_(text), cause_(cause)
    {
    }
    QString Text() const { return text_; }
    RefusalCause Cause() const { return cause_; }

private:
    QString text_;
    RefusalCause cause_;
};

// What the lock is taken for, which the refusal sentences end with: the open keeps the
// log in use, the restore and the backup replace nothing.
enum class LogUse { Open, Restore, Backup };

// "\"<path>\" <what>, so it was not opened." (or "…, so nothing was restored.", "…, so
// nothing was backed up.").
QString RefusalText(const QString& path, const QString& what, LogUse use);

// "<path> is currently in use. Please, choose a different file name.": a file held by a
// window is never chosen as the target of a backup or a restore.
QString InUseText(const QString& path);

// Asks the diver whether to take a lock (the question given); true for Yes.
using AskToTake = std::function<bool(const QString& question)>;

// This window's hold on a log, given up when destroyed: the lock file, the whole-file
// lock, or both, and a descriptor on the log that tells which file is held however its
// path is spelled. The descriptor must outlive the log's database connection: closing
// any descriptor of a file drops the process's byte-range locks on it, which the
// database relies on.
class LogLock {
public:
    LogLock(std::unique_ptr<QLockFile> file, int descriptor) : file_(std::move(file)), descriptor_(descriptor) {}
    ~LogLock();
    LogLock(const LogLock&) = delete;
    LogLock& operator=(const LogLock&) = delete;

    // True when path names the held file itself (the same device and inode as the
    // descriptor): through a link, another spelling or a second mount of its folder.
    // False for a file put in the held one's place since.
    bool Holds(const QString& path) const;
    // False when the log could not be read when it was locked: Holds then knows no file.
    bool KnowsItsFile() const;

private:
    std::unique_ptr<QLockFile> file_;
    int descriptor_;
};

// Locks the log at path for this window. A lock file whose owner cannot be seen alive
// on this machine (written on another machine, empty or unreadable) is taken only after
// ask says Yes; one left by a program of this machine that has ended is taken over.
// A left lock file that cannot be removed (a folder that allows no removal, a lock that
// is no file) leaves the log under its whole-file lock alone. Throws LogRefused when
// another window holds the log (for a backup, with InUseText), when ask says No, or
// when a left lock cannot be removed and the whole-file lock cannot be had. Null when
// the log cannot be read and no lock file can be made: the log is then used without a
// lock.
std::unique_ptr<LogLock> LockLog(const QString& path, LogUse use, const AskToTake& ask);

} // namespace kvl
