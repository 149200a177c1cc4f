#include "shell/core/LogOpen.h"

#include "platform/runtime/Logging.h"

#include <QDir>
#include <QSet>

#include <sqlite3.h>

namespace kvl {

namespace {

const char kLogSchemaSql[] =
#include "shell/core/LogSchemaSql.inc"
    ;

// "TABLE.COLUMN" for every column of every table of the database, in capitals.
QSet<QString> TableColumns(db::Database& database)
{
    QSet<QString> names;
    auto rs = database.OpenSnapshot(
        "SELECT upper(m.name) || '.' || upper(p.name) AS NAME FROM sqlite_master AS m, pragma_table_info(m.name) AS p "
        "WHERE m.type = 'table' AND m.name NOT LIKE 'sqlite\\_%' ESCAPE '\\'");
    for (; !rs->EOF(); rs->MoveNext())
        names.insert(rs->Field("NAME").ToString());
    return names;
}

// The columns a log must have: those of the log schema, read once.
const QSet<QString>& SchemaColumns()
{
    static const QSet<QString> columns = [] {
        auto schema = db::Database::Create(":memory:");
        schema->Execute(kLogSchemaSql);
        return TableColumns(*schema);
    }();
    return columns;
}

QString Shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString Consequence(LogUse use)
{
    return use == LogUse::Open ? QStringLiteral("it was not opened.") : QStringLiteral("nothing was restored.");
}

LogRefused Damaged(const QString& path, LogUse use)
{
    return LogRefused(
        QStringLiteral("\"%1\" is damaged or is not a dive log, so %2").arg(Shown(path), Consequence(use)));
}

// The refusal for a database error met while opening or checking the file.
LogRefused Refusal(const QString& path, const db::DbError& error, LogUse use)
{
    qCWarning(kvlDb, "%s refused: %s", qPrintable(path), error.what());
    switch (error.Number()) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return LogRefused(
            QStringLiteral("\"%1\" is in use by another program, so %2").arg(Shown(path), Consequence(use)));
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_IOERR:
        return LogRefused(QStringLiteral("\"%1\" could not be read, so %2").arg(Shown(path), Consequence(use)));
    default:
        return Damaged(path, use);
    }
}

} // namespace

std::unique_ptr<QLockFile> LockLog(const QString& path, LogUse use)
{
    auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);   // only an owner that has died gives its lock up
    if (lock->tryLock(0))
        return lock;
    if (lock->error() == QLockFile::LockFailedError)
        throw LogRefused(
            QStringLiteral("\"%1\" is open in another KVL window, so %2").arg(Shown(path), Consequence(use)));
    qCInfo(kvlDb, "%s is used without a lock file (error %d)", qPrintable(path), int(lock->error()));
    return nullptr;
}

void CheckLogSoundness(db::Database& log, LogUse use)
{
    QStringList missing = (SchemaColumns() - TableColumns(log)).values();
    if (!missing.isEmpty()) {
        missing.sort();
        qCWarning(kvlDb, "%s lacks %s", qPrintable(log.Path()), qPrintable(missing.join(", ")));
        throw Damaged(log.Path(), use);
    }
    // The dives' pages are read at start-up; checking every page of a large log would
    // cost the start-up many times over, and other damage shows at its first read.
    auto check = log.OpenSnapshot("PRAGMA quick_check(DIVEDATA)");
    const QString verdict = check->EOF() ? QString() : check->Field(check->FieldNames().value(0)).ToString();
    if (verdict != QLatin1String("ok")) {
        qCWarning(kvlDb, "%s has damaged pages: %s", qPrintable(log.Path()), qPrintable(verdict));
        throw Damaged(log.Path(), use);
    }
}

namespace {

// The log at path opened in mode and checked; a database error on the way is refused.
std::unique_ptr<db::Database> OpenSoundLog(const QString& path, db::OpenMode mode, LogUse use)
{
    try {
        auto log = db::Database::Open(path, mode);
        CheckLogSoundness(*log, use);
        return log;
    } catch (const db::DbError& error) {
        throw Refusal(path, error, use);
    }
}

} // namespace

OpenedLog OpenCheckedLog(const QString& path)
{
    OpenedLog opened;
    opened.lock = LockLog(path, LogUse::Open);
    opened.db = OpenSoundLog(path, db::OpenMode::ReadWrite, LogUse::Open);
    return opened;
}

void CheckLogFile(const QString& path, LogUse use)
{
    OpenSoundLog(path, db::OpenMode::ReadOnly, use);
}

} // namespace kvl
