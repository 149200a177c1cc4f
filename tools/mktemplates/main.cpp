// Build tool: makes the program's shipped databases from the schema files.
//
//   mktemplates <log.sql> <archive.sql> <sample.sql> <share folder>
//
// writes, under the share folder,
//   Tpls/Dlg.tpl            the empty log (log.sql), scrambled
//   Tpls/dat.tpl            the empty download archive (archive.sql), scrambled
//   Logs/Sample Diver.dlg   the sample log (log.sql, then sample.sql), plain
//
// Each output is built beside its target under a temporary name and only then
// put in place, so a failed run never leaves a half-made file behind.

#include "shell/core/Scramble.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

bool Fail(const QString& message)
{
    std::fprintf(stderr, "mktemplates: %s\n", qPrintable(message));
    return false;
}

bool ReadText(const QString& path, QByteArray& text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    text = file.readAll();
    return true;
}

// Creates the database file at path (replacing any file there) and runs each
// SQL script on it in order.
bool MakeDatabase(const QString& path, const QStringList& scripts)
{
    QFile::remove(path);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return Fail(QStringLiteral("cannot create %1").arg(path));
    }
    bool ok = true;
    for (const QString& script : scripts) {
        QByteArray sql;
        if (!(ok = ReadText(script, sql)))
            break;
        char* error = nullptr;
        if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK) {
            ok = Fail(QStringLiteral("%1: %2").arg(script, QString::fromUtf8(error)));
            sqlite3_free(error);
            break;
        }
    }
    if (sqlite3_close(db) != SQLITE_OK)
        ok = Fail(QStringLiteral("cannot close %1").arg(path));
    if (!ok)
        QFile::remove(path);
    return ok;
}

bool MakePlain(const QStringList& scripts, const QString& target)
{
    const QString work = target + QStringLiteral(".part");
    if (!MakeDatabase(work, scripts))
        return false;
    QFile::remove(target);
    return QFile::rename(work, target) || Fail(QStringLiteral("cannot write %1").arg(target));
}

bool MakeScrambled(const QStringList& scripts, const QString& target)
{
    const QString work = target + QStringLiteral(".plain");
    if (!MakeDatabase(work, scripts))
        return false;
    const bool ok = kvl::ScrambleFile(work, target, kvl::ScrambleKey) == 1;
    QFile::remove(work);
    return ok || Fail(QStringLiteral("cannot scramble into %1").arg(target));
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: mktemplates <log.sql> <archive.sql> <sample.sql> <share folder>\n");
        return 2;
    }
    const QString logSql = QFile::decodeName(argv[1]);
    const QString archiveSql = QFile::decodeName(argv[2]);
    const QString sampleSql = QFile::decodeName(argv[3]);
    const QDir share(QFile::decodeName(argv[4]));
    if (!share.mkpath(QStringLiteral("Tpls")) || !share.mkpath(QStringLiteral("Logs"))) {
        Fail(QStringLiteral("cannot make the folders under %1").arg(share.path()));
        return 1;
    }
    const bool ok = MakeScrambled({logSql}, share.filePath(QStringLiteral("Tpls/Dlg.tpl")))
        && MakeScrambled({archiveSql}, share.filePath(QStringLiteral("Tpls/dat.tpl")))
        && MakePlain({logSql, sampleSql}, share.filePath(QStringLiteral("Logs/Sample Diver.dlg")));
    return ok ? 0 : 1;
}
