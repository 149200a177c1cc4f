#include "platform/folders/Folders.h"

#include "platform/folders/OwnTemporaryFile.h"
#include "platform/folders/VerifiedFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace kvl {

namespace {

const char* const kSubfolders[] = {"Logs", "Backup", "Tpls", "data"};
const char* const kShareFiles[] = {"Tpls/Dlg.tpl", "Tpls/dat.tpl", "Logs/Sample Diver.dlg", "KVL.html"};

// Copies source to target through a temporary file beside the target, so that a
// failure never leaves half a file and an existing target is never replaced.
QString CopyNew(const QString& source, const QString& target)
{
    QFile in(source);
    OwnTemporaryFile out(target);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("Could not read \"%1\": %2").arg(source, in.errorString());
    if (!out.Open())
        return QStringLiteral("Could not write in \"%1\": %2").arg(QFileInfo(target).path(), out.errorString());
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        if (chunk.isEmpty() || out.write(chunk) != chunk.size())
            return QStringLiteral("Could not copy \"%1\" to \"%2\".").arg(source, target);
    }
    if (!out.flush() || !out.TakeTargetsPlace(false))
        return QStringLiteral("Could not copy \"%1\" to \"%2\".").arg(source, target);
    return {};
}

bool Exists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QString ProgramFolder()
{
    const QString home = qEnvironmentVariable("KVL_HOME");
    if (!home.isEmpty())
        return home;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString ShareFolder()
{
    const QString share = qEnvironmentVariable("KVL_SHARE_DIR");
    if (!share.isEmpty())
        return share;
    const QDir programDir(QCoreApplication::applicationDirPath());
    if (programDir.exists(QStringLiteral("share")))
        return programDir.filePath(QStringLiteral("share"));
    return QDir::cleanPath(programDir.filePath(QStringLiteral("../share/kvl")));
}

qint64 CopyFileReplacing(const QString& source, const QString& target, const ChunkTransform& transform,
                         QString* error, const BeforePlacing& beforePlacing)
{
    const auto failed = [error](const QString& path, const QString& reason) {
        if (error)
            *error = QFileInfo(path).absoluteFilePath() + QStringLiteral(": ") + reason;
        return qint64(-1);
    };
    constexpr qint64 ChunkSize = 1 << 20;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return failed(source, in.errorString());
    VerifiedFile out(target);
    if (!out.Open())
        return failed(target, out.errorString());
    QByteArray buffer(ChunkSize, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const qint64 n = in.read(buffer.data(), ChunkSize);
        if (n < 0)
            return failed(source, in.errorString());
        if (n == 0)
            break;
        if (transform)
            transform(buffer.data(), n, total);
        if (out.write(buffer.constData(), n) != n)
            return failed(target, out.errorString());
        total += n;
    }
    if (total != in.size())
        return failed(source, QStringLiteral("The file changed while it was copied."));
    if (beforePlacing) {
        const QString refusal = beforePlacing();
        if (!refusal.isEmpty()) {
            if (error)
                *error = refusal;
            return -1;
        }
    }
    return out.Commit() ? total : failed(target, out.errorString());
}

QString LayOutProgramFolder()
{
    const QDir home(ProgramFolder());
    for (const char* name : kSubfolders) {
        const QString path = home.filePath(QLatin1String(name));
        if (!QDir().mkpath(path))
            return QStringLiteral("Could not make the folder \"%1\".").arg(QDir::toNativeSeparators(path));
    }
    const QDir share(ShareFolder());
    QStringList errors;
    for (const char* name : kShareFiles) {
        const QString source = share.filePath(QLatin1String(name));
        const QString target = home.filePath(QLatin1String(name));
        if (!QFileInfo::exists(source) || Exists(target))
            continue;
        const QString error = CopyNew(source, target);
        if (!error.isEmpty())
            errors << error;
    }
    return errors.join(u'\n');
}

} // namespace kvl
