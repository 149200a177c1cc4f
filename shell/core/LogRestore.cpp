#include "shell/core/LogRestore.h"

#include "platform/db/Db.h"
#include "platform/folders/Folders.h"
#include "platform/runtime/Logging.h"
#include "shell/core/LogOpen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

namespace kvl {

namespace {

// The files beside a log in which the database keeps writes it has not finished.
const char* const kJournalSuffixes[] = {"-journal", "-wal", "-shm"};

// The journal files of the log at a path, taken out of the way of the backup that is
// to take the log's place.
class LeftJournals {
public:
    // A symbolic link as the log stands for the file it leads to, beside which the
    // database keeps the journal.
    explicit LeftJournals(const QString& log)
        : log_(QFileInfo(log).isSymLink() ? QFileInfo(log).symLinkTarget() : log)
    {
    }

    // Rolls the old log's unfinished writes back into it, as the database does when a
    // connection that may write first reads it, then sets aside the journal files
    // still there. "" when none is left, else why one could not be set aside (what was
    // set aside is then put back).
    QString Clear()
    {
        if (Present().empty())
            return {};
        RollBack();
        for (const QString& journal : Present()) {
            const QString aside = AsideName(journal);
            if (!Rename(journal, aside)) {
                const QString reason = QFileInfo(journal).absoluteFilePath() + QStringLiteral(": ")
                                       + QString::fromLocal8Bit(std::strerror(errno));
                PutBack();
                return reason;
            }
            setAside_.push_back({journal, aside});
        }
        return {};
    }

    // The backup is in place: what was set aside belongs to a log that is gone.
    void Drop()
    {
        for (const auto& entry : std::exchange(setAside_, {}))
            QFile::remove(entry.aside);
    }

    // The backup was not put in place: the old log gets its journal files back.
    void PutBack()
    {
        for (const auto& entry : std::exchange(setAside_, {})) {
            if (!Rename(entry.aside, entry.journal))
                qCWarning(kvlDb, "%s could not be put back as %s", qPrintable(entry.aside), qPrintable(entry.journal));
        }
    }

private:
    std::vector<QString> Present() const
    {
        std::vector<QString> present;
        for (const char* suffix : kJournalSuffixes) {
            const QString journal = log_ + QLatin1String(suffix);
            if (QFileInfo::exists(journal))
                present.push_back(journal);
        }
        return present;
    }

    void RollBack() const
    {
        try {
            db::Database::Open(log_, db::OpenMode::ReadWrite);
        } catch (const db::DbError& error) {
            qCInfo(kvlDb, "the journal of %s could not be rolled back: %s", qPrintable(log_), error.what());
        }
    }

    static bool Rename(const QString& from, const QString& to)
    {
        return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
    }

    static QString AsideName(const QString& journal)
    {
        const QFileInfo info(journal);
        return info.dir().filePath(QStringLiteral(".") + info.fileName() + QStringLiteral(".kvl-set-aside"));
    }

    struct SetAside {
        QString journal;
        QString aside;
    };
    QString log_;
    std::vector<SetAside> setAside_;
};

} // namespace

QString RestoreBackup(const QString& source, const QString& target, const AskToTake& ask)
{
    CheckLogFile(source, LogUse::Restore);
    const auto lock = LockLog(target, LogUse::Restore, ask);
    LeftJournals journals(target);
    QString error;
    if (CopyFileReplacing(source, target, {}, &error, [&journals] { return journals.Clear(); }) < 0) {
        journals.PutBack();
        return error;
    }
    journals.Drop();
    try {
        CheckLogFile(target, LogUse::Restore);
    } catch (const LogRefused& refusal) {
        qCWarning(kvlDb, "%s", qPrintable(refusal.Text()));
        return QFileInfo(target).absoluteFilePath() + QStringLiteral(": The restored file does not open as a dive log.");
    }
    return {};
}

} // namespace kvl
