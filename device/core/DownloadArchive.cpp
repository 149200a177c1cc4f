#include "device/core/DownloadArchive.h"

#include "platform/db/Db.h"
#include "shell/core/Scramble.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringList>

#include <algorithm>

Q_LOGGING_CATEGORY(lcArchive, "kvl.device")

namespace kvl::device {

namespace {

constexpr int RowsPerInsert = 500;

QString NamePart(qint32 serial, const QDateTime& when)
{
    return QString::number(serial).rightJustified(6, '0') + when.toString("yyMMddHHmm") + ".dat";
}

void RemoveWorkFiles(const QString& folder)
{
    QDir dir(folder);
    for (const QString& name : dir.entryList({"*.dec"}, QDir::Files))
        dir.remove(name);
}

int SlotByte(const Image& image, int i)
{
    return i < static_cast<int>(image.size()) ? image[static_cast<size_t>(i)] : 0;
}

void WriteData(db::Database& db, const Image& image)
{
    const QString head = QStringLiteral("Insert into DATA values ");
    const QString marks = "(" + QStringList(PageSlotSize + 1, "?").join(',') + ")";
    for (int first = 0; first < ArchivePages; first += RowsPerInsert) {
        const int last = std::min(ArchivePages, first + RowsPerInsert);
        QStringList tuples;
        db::Params params;
        params.reserve((last - first) * (PageSlotSize + 1));
        for (int page = first; page < last; ++page) {
            tuples << marks;
            params.emplace_back(page);
            for (int k = 0; k < PageSlotSize; ++k)
                params.emplace_back(SlotByte(image, page * PageSlotSize + k));
        }
        db.Execute(head + tuples.join(','), params);
    }
}

void WriteContent(db::Database& db, std::unique_ptr<db::Recordset>& divesIndex, const ArchiveContent& c)
{
    db::Transaction tx(db);
    db.Execute("Insert into DCInfo (DCName, DCCode, DCSerialNo) values (?, ?, ?)", {c.modelName, c.modelId, c.serial});
    WriteData(db, c.image);
    divesIndex = db.OpenTable("DivesIndex");
    for (const DiveListRecord& r : c.dives) {
        if (r.DiveNo <= 0)
            continue;
        divesIndex->AddNew();
        divesIndex->SetField("DiveNo", r.DiveNo);
        divesIndex->SetField("DiveDate", r.DiveDate);
        divesIndex->SetField("DiveTime", r.DiveTime);
        divesIndex->SetField("SA", r.SA);
        divesIndex->SetField("EA", r.EA);
        divesIndex->SetField("DiveMode", static_cast<int>(r.DiveMode));
        divesIndex->SetField("IsSaved", r.IsSaved);
        divesIndex->Update();
    }
    tx.Commit();
}

void ReadContent(db::Database& file, ArchiveContent& content)
{
    auto info = file.OpenRecordset("Select * from DCInfo ;");
    if (info->EOF()) {
        content.modelName = "Unknown";
    } else {
        content.modelName = info->Field("DCName").ToString();
        content.modelId = static_cast<qint32>(info->Field("DCCode").ToLong());
        content.serial = static_cast<qint32>(info->Field("DCSerialNo").ToLong());
    }
    content.image.assign(RxBufferSize, 0);
    auto data = file.OpenRecordset("Select * from DATA ORDER BY PAGE ASC ;");
    const QStringList columns = data->FieldNames();
    for (int slot = 0; !data->EOF() && slot < ArchivePages; data->MoveNext(), ++slot) {
        for (int k = 0; k < PageSlotSize && k + 1 < columns.size(); ++k)
            content.image[static_cast<size_t>(slot * PageSlotSize + k)] =
                static_cast<quint8>(data->Field(columns[k + 1]).ToLong());
    }
}

// Closes the archive database (and its set) when the step that opened it ends.
class ArchiveClose {
public:
    explicit ArchiveClose(ArchiveHandles h) : h_(h) {}
    ~ArchiveClose()
    {
        h_.rsDownloadIndex.reset();
        if (h_.DownloadFileDB)
            h_.DownloadFileDB->Close();
        h_.DownloadFileDB.reset();
    }
    ArchiveClose(const ArchiveClose&) = delete;
    ArchiveClose& operator=(const ArchiveClose&) = delete;

private:
    ArchiveHandles h_;
};

} // namespace

QString ArchiveFileName(const QString& modelName, qint32 serial, const QDateTime& when)
{
    return QString(modelName).replace(' ', '_') + NamePart(serial, when);
}

QString PlainImageFileName(const QString& modelName, qint32 serial, const QDateTime& when)
{
    return modelName + NamePart(serial, when);
}

QString SaveArchive(const QString& path, const QString& templatePath, const ArchiveContent& content)
{
    std::unique_ptr<db::Database> fileDb;
    std::unique_ptr<db::Recordset> divesIndex;
    return SaveArchive(path, templatePath, content, {fileDb, divesIndex});
}

QString SaveArchive(const QString& path, const QString& templatePath, const ArchiveContent& content,
                    ArchiveHandles handles)
{
    const QString work = path + ".dec";
    if (ScrambleFile(templatePath, work, ScrambleKey) == 0)
        return "Error saving dive data.";
    QString error;
    {
        ArchiveClose closing(handles);
        try {
            handles.DownloadFileDB = db::Database::Open(work);
            try {
                WriteContent(*handles.DownloadFileDB, handles.rsDownloadIndex, content);
            } catch (const db::DbError& e) {
                qCWarning(lcArchive) << "writing the archive failed:" << e.Message();
                error = "Could not save the dive computer information.";
            }
        } catch (const db::DbError& e) {
            qCWarning(lcArchive) << "opening the archive's work copy failed:" << e.Message();
            error = "Could not open dive data file.";
        }
    }
    if (error.isEmpty() && ScrambleFile(work, path, ScrambleKey) == 0)
        qCWarning(lcArchive) << "scrambling the archive failed:" << path;
    if (error.isEmpty())
        RemoveWorkFiles(QFileInfo(path).absolutePath());
    return error;
}

bool SavePlainImage(const QString& path, const Image& image)
{
    QByteArray records(ArchivePages * PageSlotSize, '\0');
    for (int i = 0; i < records.size(); ++i)
        records[i] = static_cast<char>(SlotByte(image, i));
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(records) == records.size();
}

QString LoadPlainArchive(const QString& path, ArchiveContent& content)
{
    std::unique_ptr<db::Database> fileDb;
    std::unique_ptr<db::Recordset> divesIndex;
    return LoadPlainArchive(path, content, {fileDb, divesIndex});
}

QString LoadPlainArchive(const QString& path, ArchiveContent& content, ArchiveHandles handles)
{
    QString error;
    {
        ArchiveClose closing(handles);
        try {
            handles.DownloadFileDB = db::Database::Open(path);
            ReadContent(*handles.DownloadFileDB, content);
        } catch (const db::DbError& e) {
            qCWarning(lcArchive) << "reading the archive failed:" << e.Message();
            error = "Could not open dive data file.";
        }
    }
    QFile::remove(path);
    return error;
}

bool UnscrambleArchive(const QString& storedPath, const QString& plainPath)
{
    return ScrambleFile(storedPath, plainPath, ScrambleKey) == 1;
}

} // namespace kvl::device
