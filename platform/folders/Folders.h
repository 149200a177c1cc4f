#pragma once
// The program folder, where the user's logs, backups, templates, download archives
// and the help file live, and the share folder the build or an install provides
// them from.

#include <QString>

#include <functional>

namespace kvl {

// $KVL_HOME when set, else the user's data folder for the application "KVL".
QString ProgramFolder();

// Where the build provides the program's files: $KVL_SHARE_DIR when set, else
// "share" beside the program when it exists (a build), else "../share/kvl" from
// the program's folder (an install).
QString ShareFolder();

// Makes "Logs", "Backup", "Tpls" and "data" in the program folder and copies the
// templates, the sample log and the help file from the share folder where they
// are missing. A file already in the program folder is never replaced.
// Returns "" on success, else a text for the user saying what failed.
QString LayOutProgramFolder();

// Rewrites a chunk of a file being copied in place; offset is the chunk's position in the file.
using ChunkTransform = std::function<void(char* data, qint64 size, qint64 offset)>;

// Runs once the copy is written in full, just before it takes the target's place; a
// text it returns ("<file's absolute path>: <reason>") fails the copy.
using BeforePlacing = std::function<QString()>;

// Copies source over target through a temporary file beside the target that is
// renamed at the end, so a failure leaves the target as it was and never half a
// file. `transform`, when given, rewrites each chunk on the way. Returns the number
// of bytes copied, or -1 on failure, with "<file's absolute path>: <reason>" in error
// when given.
qint64 CopyFileReplacing(const QString& source, const QString& target, const ChunkTransform& transform = {},
                         QString* error = nullptr, const BeforePlacing& beforePlacing = {});

} // namespace kvl
