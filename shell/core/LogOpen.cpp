#include "shell/core/LogOpen.h"

#include "platform/runtime/Logging.h"
#include "shell/core/LogCheck.h"
#include "shell/core/Lookups.h"

#include <QSet>
#include <QStringList>

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

LogRefused Damaged(const QString& path, LogUse use)
{
    return LogRefused(RefusalText(path, QStringLiteral("is damaged or is not a dive log"), use));
}

// The refusal for a database error met while opening or checking the file.
LogRefused Refusal(const QString& path, const db::DbError& error, LogUse use)
{
    qCWarning(kvlDb, "%s refused: %s", qPrintable(path), error.what());
    switch (error.Number()) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return LogRefused(RefusalText(path, QStringLiteral("is in use by another program"), use), RefusalCause::Locked);
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_IOERR:
        return LogRefused(RefusalText(path, QStringLiteral("could not be read"), use));
    default:
        return Damaged(path, use);
    }
}

// The tables whose pages are checked at open, each with its indexes: the schema and
// every table but the samples. The samples are the bulk of a log (checking them would
// cost the start-up many times over) and are read one dive at a time, where damage
// says so.
QStringList CheckedTables(db::Database& log)
{
    QStringList tables{QStringLiteral("sqlite_schema")};
    auto rs = log.OpenSnapshot("SELECT name AS NAME FROM sqlite_schema WHERE type = 'table' AND upper(name) <> 'DIVEDETAILS'");
    for (; !rs->EOF(); rs->MoveNext())
        tables.append(rs->Field("NAME").ToString());
    return tables;
}

} // namespace

void CheckLogSoundness(db::Database& log, LogUse use)
{
    QStringList missing = (SchemaColumns() - TableColumns(log)).values();
    if (!missing.isEmpty()) {
        missing.sort();
        qCWarning(kvlDb, "%s lacks %s", qPrintable(log.Path()), qPrintable(missing.join(", ")));
        throw Damaged(log.Path(), use);
    }
    for (const QString& table : CheckedTables(log)) {
        const QString verdict = log.Scalar("PRAGMA quick_check(" + db::QuoteName(table) + ")").ToString();
        if (verdict != QLatin1String("ok")) {
            qCWarning(kvlDb, "%s has damaged pages in %s: %s", qPrintable(log.Path()), qPrintable(table),
                      qPrintable(verdict));
            throw Damaged(log.Path(), use);
        }
    }
}

bool HasServedModel(db::Database& log)
{
    return log.Scalar("Select COUNT(MODELNAME) from DC_PROPERTIES Where MODELID = ?", {kServedModel}).ToLong() > 0;
}

std::unique_ptr<db::Database> OpenSoundLog(const QString& path, db::OpenMode mode, LogUse use)
{
    try {
        auto log = db::Database::Open(path, mode);
        CheckLogSoundness(*log, use);
        HasServedModel(*log);   // a model table that cannot be read is damage too
        return log;
    } catch (const db::DbError& error) {
        throw Refusal(path, error, use);
    }
}

OpenedLog OpenCheckedLog(const QString& path, const AskToTake& ask)
{
    OpenedLog opened;
    opened.lock = LockLog(path, LogUse::Open, ask);
    opened.db = OpenSoundLog(path, db::OpenMode::ReadWrite, LogUse::Open);
    GuardLogWrites(*opened.db);
    return opened;
}

void CheckLogFile(const QString& path, LogUse use)
{
    OpenSoundLog(path, db::OpenMode::ReadOnly, use);
}

} // namespace kvl
