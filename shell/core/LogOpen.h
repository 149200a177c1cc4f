#pragma once
// The open road's checks: the locks that keep a second program window off a log, and
// the check that a file is a sound dive log (the tables and columns of the log schema,
// sound pages, the model row readable). Opening a log and restoring a backup both go through them, so
// a file is refused before anything is closed or replaced.

#include "platform/db/Db.h"
#include "shell/core/LogLock.h"

#include <QString>

#include <memory>

namespace kvl {

// Throws LogRefused unless the open database has every table and column of the log
// schema and sound pages in every table but the samples. The reason goes to the kvl.db
// category.
void CheckLogSoundness(db::Database& log, LogUse use);

// True when the log knows the dive computer model this program serves.
bool HasServedModel(db::Database& log);

// The log at path opened in mode and checked, its model row read; throws LogRefused
// with the diver's sentence when it cannot be used.
std::unique_ptr<db::Database> OpenSoundLog(const QString& path, db::OpenMode mode, LogUse use);

// A log opened for this window with its lock. The lock comes first so that it is
// released after the database, as LogLock asks.
struct OpenedLog {
    std::unique_ptr<LogLock> lock;
    std::unique_ptr<db::Database> db;
};
// Opens the log at path (locked for this window, asking through ask before taking a
// lock whose owner cannot be seen) and checks it, its whole file checked before its
// first write (GuardLogWrites); throws LogRefused with the diver's
// sentence when it cannot be used.
OpenedLog OpenCheckedLog(const QString& path, const AskToTake& ask = {});

// Checks the file at path as the open road checks a log, opening it read-only.
void CheckLogFile(const QString& path, LogUse use);

} // namespace kvl
