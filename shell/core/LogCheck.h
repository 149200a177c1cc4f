#pragma once
// The check of a log's whole file before its first write. The open road checks each
// table but the samples (the bulk of a log) on its own, which cannot see one page claimed
// by two owners: a free list that names a page in use, or a schema entry rooted at
// another tree's page. A write into such a file overwrites the other owner's rows, so
// before the first write after the log is opened the whole file's structure is checked
// once and the verdict kept for the opened log. Damage confined to the samples' own
// pages stays accepted: a damaged profile says so when it is read, and the rest of the
// log is used and written.

#include "platform/db/Db.h"

#include <QString>

namespace kvl {

// "\"<path>\" is damaged, so nothing was written to it."
QString DamagedLogText(const QString& path);

// Checks the whole file of log; throws db::WriteRefused with DamagedLogText when a page
// is claimed twice, the free list is broken, a page belongs to no one, or any table but
// the samples is damaged. The reason goes to the kvl.db category.
void CheckLogPages(db::Database& log);

// Makes log run CheckLogPages before its first write (Database::GuardWrites).
void GuardLogWrites(db::Database& log);

// True when the open log takes writes (running the check if it has not run) or no log
// is open; else shows why, with the error icon, and returns false. For a write road's
// first step, so that it stops before any work (a download, before the device is read).
bool LogTakesWrites();

// True when the open log's whole-file check has refused writes (running it if it has not
// run). Says nothing: for a road that must not hold the diver on what it cannot save.
bool LogRefusesWrites();

// The diver's sentence for a write to the log at logPath that failed: DamagedLogText
// where the file is damaged, else the failure's known cause or the database's reason.
QString WriteFailureText(const QString& logPath, const db::DbError& error);

} // namespace kvl
