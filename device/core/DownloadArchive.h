#pragma once
// The download archive: the raw memory image of a download, the unit's identity
// and its dive list, kept in "data" as a scrambled database made from the
// template Tpls/dat.tpl, and the way back from such a file to an image.

#include "device/core/DiveList.h"
#include "platform/db/Db.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>

namespace kvl::device {

inline constexpr int ArchivePages = 4096;

// model (blanks as "_") + serial as 6 digits + yymmdd + hhmm + ".dat".
QString ArchiveFileName(const QString& modelName, qint32 serial, const QDateTime& when);
// The plain image file's name: the same with the model's blanks kept.
QString PlainImageFileName(const QString& modelName, qint32 serial, const QDateTime& when);

struct ArchiveContent {
    QString modelName;
    qint32 modelId = 0;
    qint32 serial = 0;
    Image image;               // 4096 slots of 17 bytes
    DiveListArray dives;       // rows with DiveNo above 0 are stored
};

// The archive database while a save or a reload has it open, and its DivesIndex
// set while the save adds rows: members of the download window. Both are closed
// and reset on every way out.
struct ArchiveHandles {
    std::unique_ptr<db::Database>& DownloadFileDB;
    std::unique_ptr<db::Recordset>& rsDownloadIndex;
};

// Writes `content` to `path`: the template is unscrambled into path + ".dec",
// filled, and scrambled into path; every ".dec" file of path's folder is removed
// at the end. Returns "" or the message for the user ("Error saving dive data.",
// "Could not open dive data file.", "Could not save the dive computer information.").
QString SaveArchive(const QString& path, const QString& templatePath, const ArchiveContent& content);
QString SaveArchive(const QString& path, const QString& templatePath, const ArchiveContent& content,
                    ArchiveHandles handles);

// Writes the image alone as 4096 records of 17 bytes; false when the file cannot be written.
bool SavePlainImage(const QString& path, const Image& image);

// Reads a plain (unscrambled) archive database back: identity ("Unknown" as the
// model when it has none) and image, by page order. The file is closed and deleted
// on every way out. Returns "" or "Could not open dive data file.".
QString LoadPlainArchive(const QString& path, ArchiveContent& content);
QString LoadPlainArchive(const QString& path, ArchiveContent& content, ArchiveHandles handles);

// Turns a stored archive into the plain copy LoadPlainArchive reads.
bool UnscrambleArchive(const QString& storedPath, const QString& plainPath);

} // namespace kvl::device
