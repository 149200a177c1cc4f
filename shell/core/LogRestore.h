#pragma once
// Putting a backup in the place of a log. A program killed while it wrote the old log
// leaves its unfinished writes in journal files beside it, which the database would
// roll into whatever file next bears the log's name: into the backup, whose rows it
// would change or damage. So they are dealt with before the backup takes the log's
// place.

#include "shell/core/LogLock.h"

#include <QString>

namespace kvl {

// Restores the backup at source over the log at target. The backup is checked as a log
// is at opening and the target locked for the restore (asking through ask); either
// refusal throws LogRefused, with nothing changed. Under the lock the backup is written
// beside the target; the old log's unfinished writes are rolled back into it (or, where
// the database cannot do that, its journal files are set aside); the backup takes its
// place; what was set aside is then removed (or put back when the backup could not be
// put in place). Returns "" once the restored log opens as a sound log, else
// "<file's absolute path>: <reason>".
QString RestoreBackup(const QString& source, const QString& target, const AskToTake& ask);

} // namespace kvl
