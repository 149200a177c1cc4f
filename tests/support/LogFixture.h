#pragma once
// Logs for tests, made from what the build ships in the share folder
// ($KVL_SHARE_DIR): the scrambled log and download templates and the sample log.
//
//   QTemporaryDir dir;
//   ASSERT_TRUE(kvl::test::MakeFreshLog(dir.filePath("My Log.dlg")));
//   auto db = kvl::db::Database::Open(dir.filePath("My Log.dlg"));

#include "platform/db/Db.h"

#include <QString>

#include <utility>
#include <vector>

namespace kvl::test {

QString LogTemplatePath();      // Tpls/Dlg.tpl (scrambled)
QString ArchiveTemplatePath();  // Tpls/dat.tpl (scrambled)
QString SampleLogPath();        // Logs/Sample Diver.dlg (plain)

// Writes a new, empty log at path by unscrambling the log template, as the
// program makes a new log. False when the template is missing or path cannot
// be written.
bool MakeFreshLog(const QString& path);

// The same for an empty download archive from the download template.
bool MakeFreshArchive(const QString& path);

// Column values of one row, by name.
using Columns = std::vector<std::pair<QString, db::Value>>;

// Inserts one row with the given columns (the rest take their defaults) and
// returns its id.
qint64 InsertRow(db::Database& db, const QString& table, const Columns& columns);

} // namespace kvl::test
