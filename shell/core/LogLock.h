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

// What the refusal sentences end with: the open keeps the log in use, the restore
// replaces nothing.
enum class LogUse { Open, Restore };

// "\"<path>\" <what>, so it was not opened." (or "…, so nothing was restored.").
QString RefusalText(const QString& path, const QString& what, LogUse use);

// Asks the diver whether to take a lock (the question given); true for Yes.
using AskToTake = std::function<bool(const QString& question)>;

// This window's hold on a log, given up when destroyed. The descriptor of the whole-file
// lock must outlive the log's database connection: closing any descriptor of a file
// drops the process's byte-range locks on it, which the database relies on.
class LogLock {
public:
    LogLock(std::unique_ptr<QLockFile> file, int descriptor) : file_(std::move(file)), descriptor_(descriptor) {}
    ~LogLock();
    LogLock(const LogLock&) = delete;
    LogLock& operator=(const LogLock&) = delete;

private:
    std::unique_ptr<QLockFile> file_;
    int descriptor_;
};

// Locks the log at path for this window. A lock file whose owner cannot be seen alive
// on this machine (written on another machine, empty or unreadable) is taken only after
// ask says Yes; one left by a program of this machine that has ended is taken over.
// Throws LogRefused when another window holds the log, when ask says No, or when a
// left lock cannot be removed. Null when neither lock can be had: the log is then used
// without one.
std::unique_ptr<LogLock> LockLog(const QString& path, LogUse use, const AskToTake& ask);

} // namespace kvl
