#pragma once
// The open road's checks: the lock file that keeps a second program window off a log,
// and the check that a file is a sound dive log (the tables and columns of the log
// schema, sound dive pages). Opening a log and restoring a backup both go through them, so
// a file is refused before anything is closed or replaced.

#include "platform/db/Db.h"

#include <QLockFile>
#include <QString>

#include <memory>
#include <stdexcept>

namespace kvl {

// A refusal, with the one sentence for the diver that names the file.
class LogRefused : public std::runtime_error {
public:
    explicit LogRefused(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    QString Text() const { return text_; }

private:
    QString text_;
};

// What the refusal sentences end with: the open keeps the log in use, the restore
// replaces nothing.
enum class LogUse { Open, Restore };

// The lock beside the log (its path with ".lock"), taken over from an owner that has
// died. Null when the folder allows no lock file: the log is then used without one.
// Throws LogRefused when another program window holds it.
std::unique_ptr<QLockFile> LockLog(const QString& path, LogUse use);

// Throws LogRefused unless the open database has every table and column of the log
// schema and sound dive pages. The reason goes to the kvl.db category.
void CheckLogSoundness(db::Database& log, LogUse use);

// Opens the log at path (locked for this window when the folder allows it) and checks
// it; throws LogRefused with the diver's sentence when it cannot be used.
struct OpenedLog {
    std::unique_ptr<db::Database> db;
    std::unique_ptr<QLockFile> lock;
};
OpenedLog OpenCheckedLog(const QString& path);

// Checks the file at path as the open road checks a log, opening it read-only.
void CheckLogFile(const QString& path, LogUse use);

} // namespace kvl
