#include "shell/core/LogCheck.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/runtime/Logging.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/LogOpen.h"

#include <QDir>
#include <QStringList>

#include <sqlite3.h>

namespace kvl {

namespace {

// Enough for every message of a badly damaged file: the check stops at this many.
constexpr int kMaxMessages = 100000;

const char kSamplesTable[] = "DIVEDETAILS";

// The whole-file check's first row, one message a line: "ok" alone for a sound file,
// else the messages on the pages of every tree and the free list (the rows the check
// walks afterwards add only messages on single rows, which the tables' own checks see).
QStringList WholeFileMessages(db::Database& log)
{
    const QString first = log.Scalar(QStringLiteral("PRAGMA quick_check(%1)").arg(kMaxMessages)).ToString();
    return first.split('\n', Qt::SkipEmptyParts);
}

// A page with two owners, or a free list that cannot be followed: a write could land on
// another table's rows, wherever the damage lies.
bool CrossesPages(const QString& message)
{
    return message.contains(QLatin1String("2nd reference"), Qt::CaseInsensitive) ||
           message.contains(QLatin1String("freelist"), Qt::CaseInsensitive);
}

bool SamplesDamaged(db::Database& log)
{
    try {
        const QString verdict = log.Scalar("PRAGMA quick_check(" + db::QuoteName(kSamplesTable) + ")").ToString();
        return verdict != QLatin1String("ok");
    } catch (const db::DbError&) {
        return true;
    }
}

bool OtherTablesSound(db::Database& log)
{
    try {
        CheckLogSoundness(log, LogUse::Open);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// Why the messages refuse writes, or empty when they are the samples' own damage:
// damaged pages and pages cut off from their tree are blamed on the samples only when
// the samples' own check fails and every other table passes its own.
QString RefusalReason(db::Database& log, const QStringList& messages)
{
    if (messages == QStringList{QStringLiteral("ok")})
        return {};
    for (const QString& message : messages) {
        if (CrossesPages(message))
            return message;
    }
    if (!SamplesDamaged(log))
        return QStringLiteral("damage outside the samples: ") + messages.join(QLatin1String("; "));
    if (!OtherTablesSound(log))
        return QStringLiteral("damage in a table besides the samples");
    qCInfo(kvlDb, "%s: damage in the samples only, writes go on: %s", qPrintable(log.Path()),
           qPrintable(messages.join(QLatin1String("; ")).left(500)));
    return {};
}

} // namespace

QString DamagedLogText(const QString& path)
{
    return QStringLiteral("\"%1\" is damaged, so nothing was written to it.").arg(QDir::toNativeSeparators(path));
}

void CheckLogPages(db::Database& log)
{
    QString reason;
    try {
        reason = RefusalReason(log, WholeFileMessages(log));
    } catch (const db::DbError& error) {
        if (error.Number() != SQLITE_CORRUPT && error.Number() != SQLITE_NOTADB)
            throw;   // busy, out of memory: not a verdict on the file; the next write asks again
        reason = error.Message();
    }
    if (reason.isEmpty())
        return;
    qCWarning(kvlDb, "%s takes no writes: %s", qPrintable(log.Path()), qPrintable(reason.left(500)));
    throw db::WriteRefused(DamagedLogText(log.Path()));
}

void GuardLogWrites(db::Database& log)
{
    log.GuardWrites(CheckLogPages);
}

namespace {

// The open log's first-write check; throws what the check throws. No log, nothing to check.
void CheckOpenLog()
{
    if (gv.DB && gv.DB->IsOpen())
        gv.DB->CheckWrites();
}

} // namespace

bool LogTakesWrites()
{
    try {
        CheckOpenLog();
        return true;
    } catch (const db::WriteRefused& refused) {
        MsgBox(refused.Reason(), MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Error"));
    } catch (const db::DbError& error) {
        MsgBox(db::ExplainFailure(kvlDb(), error, "checking the log"), MsgButtons::OK, MsgIcon::Critical,
               QStringLiteral("Error"));
    }
    return false;
}

bool LogRefusesWrites()
{
    try {
        CheckOpenLog();
        return false;
    } catch (const db::WriteRefused&) {
        return true;
    } catch (const db::DbError&) {
        return false;
    }
}

QString WriteFailureText(const QString& logPath, const db::DbError& error)
{
    if (error.Number() == SQLITE_CORRUPT || error.Number() == SQLITE_NOTADB)
        return DamagedLogText(logPath);
    return db::DiverText(error);
}

} // namespace kvl
