#include "tests/support/LogFixture.h"

#include "platform/folders/Folders.h"
#include "shell/core/Scramble.h"

#include <QStringList>

namespace kvl::test {

QString LogTemplatePath()
{
    return ShareFolder() + QStringLiteral("/Tpls/Dlg.tpl");
}

QString ArchiveTemplatePath()
{
    return ShareFolder() + QStringLiteral("/Tpls/dat.tpl");
}

QString SampleLogPath()
{
    return ShareFolder() + QStringLiteral("/Logs/Sample Diver.dlg");
}

bool MakeFreshLog(const QString& path)
{
    return ScrambleFile(LogTemplatePath(), path, ScrambleKey) == 1;
}

bool MakeFreshArchive(const QString& path)
{
    return ScrambleFile(ArchiveTemplatePath(), path, ScrambleKey) == 1;
}

qint64 InsertRow(db::Database& db, const QString& table, const Columns& columns)
{
    QStringList names;
    QStringList marks;
    db::Params values;
    for (const auto& [name, value] : columns) {
        names << name;
        marks << "?";
        values.push_back(value);
    }
    db.Execute("Insert into " + table + " (" + names.join(", ") + ") values (" + marks.join(", ") + ")", values);
    return db.LastInsertId();
}

} // namespace kvl::test
