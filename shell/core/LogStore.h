#pragma once
// The dive-log file's plain helpers: the program's registry values, backup file
// names, safe file copies, new-log names and closing the open log.

#include <QDateTime>
#include <QString>

namespace kvl {

// The key the program reads at start-up, and the key the settings form and the
// add-dive dialog were built to write.
inline constexpr char RegKeyKVL[] = "SOFTWARE\\Tarvik\\KVL\\";
inline constexpr char RegKeyVelk[] = "SOFTWARE\\Tarvik\\Velk\\";
inline constexpr char RegNotFound[] = "Not Found";

// A value under RegKeyKVL, or "Not Found".
QString ReadKvlSetting(const QString& valueName);
void WriteKvlSetting(const QString& valueName, const QString& value);
// Remembers a model choice ("LastModel", "LastModelData") under both keys, so the
// next start-up, which reads RegKeyKVL only, sees it.
void SaveModelChoice(const QString& valueName, const QString& modelCode);

// "<log file name without its last four characters>_yyyyMMddhhmm.bak".
QString BackupFileName(const QString& logPath, const QDateTime& when);

// True when both paths name the same existing file (the same device and inode),
// however they are spelled: links, "..", a second mount of the folder.
bool SameFile(const QString& a, const QString& b);

// True when path names the log open in this window: the file this window's lock holds
// a descriptor on, not merely the file now found at the log's path.
bool IsOpenLog(const QString& path);

// A new log's name as typed, without surrounding blanks; "" when it cannot be a
// file name (holds "/", "\" or a control character, or is only dots).
QString AcceptableLogName(const QString& typed);

// Closes the open log and the result sets on it and gives up its lock; errors are ignored.
void CloseLogDatabase();

// The browsed list of every dive in gv.SortOrder, as gv.DiveListSQL holds it when
// no query filters the dives.
QString AllDivesSQL();
// Makes the browsed list every dive again (gv.DiveListSQL and its values); the
// list itself is reopened by the caller.
void ResetDiveList();
// True when the browsed list is a query's result rather than every dive.
bool DiveListFiltered();

} // namespace kvl
