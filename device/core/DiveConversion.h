#pragma once
// A downloaded dive into log rows: its summary and start pages, its profile
// samples and the settings copy the device keeps with it become one DIVEDATA row,
// its DIVEDETAILS rows and its DIVE_DC_SETTINGS row, written in one transaction.
// The decoding is plain: image pages in, row values out.

#include "device/core/DeviceImage.h"
#include "device/core/DiveList.h"
#include "platform/db/Db.h"
#include "settings/core/SettingsImage.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace kvl::device {

// The summary (page EA) and the surface interval of the start page (SA + 1).
struct DiveSummary {
    QString STIME;          // "hh:mm" from BCD bytes 14 (hours) and 13 (minutes)
    qint32 MDEPTH = 0;      // feet
    qint32 TDEPTH = 0;
    qint32 BTIME = 0;       // whole minutes, rounded up
    qint32 FO2 = 0;         // percent as the device keeps it
    qint32 MINIMUM = 0;     // temperature byte
};
DiveSummary DecodeSummary(const QByteArray& summaryPage, const QByteArray& startPage);

// One DIVEDETAILS row as the download writes it.
struct SampleRow {
    bool depthSample = true;   // false: another record, stored with its type only
    qint32 RECORDTYPE = 0;
    qint32 DEPTH = 0;          // feet, at most 401
    qint32 TDEPTH = 0;
    qint32 BTIME = 0;          // seconds from the start
    qint32 VARI = 0;           // 0..5
    qint32 TEMP = 0;
    qint32 ALARM = 0;
    double PO2 = 0;            // hundredths of an atmosphere
};

// The samples of pages SA + 2 up to the page before EA, following the ring.
struct DiveProfile {
    std::vector<SampleRow> rows;
    double depthSum = 0;    // over the stored depth samples
    int depthCount = 0;
    qint32 vari = 0;        // the highest VARI of the stored depth samples
};
// oxygenPercent is the summary's FO2; below 21 the samples get a PO2 of 0.
DiveProfile DecodeProfile(const Image& image, int sa, int ea, int oxygenPercent);

// The DIVE_DC_SETTINGS columns from the settings copy (page SA).
settings::SettingsValues DecodeDiveSettings(const QByteArray& settingsPage);

// What the conversion needs besides the image.
struct DiveToConvert {
    DiveListRecord record;
    qint32 lifetimeNo = 0;
    bool shiftLaterDives = false;   // insert before existing dives: later numbers move up by one
    qint32 modelId = 0;
    qint32 serial = 0;
    QString firmware;
};

// Writes the dive's rows in one transaction and returns its DIVEID. On failure
// nothing is left of it (the shift of later numbers included) and `error` holds
// the message for the user: "Error adding new dive.", "Error updating Life Time
// Dive No." or "Dive Data Error".
// `cause` names the database's failure in the diver's words (WriteFailureText).
struct ConvertResult {
    qint64 diveId = 0;
    QString error;
    QString cause;
};
ConvertResult ConvertDive(db::Database& db, const Image& image, const DiveToConvert& dive);

// Of the dives a download stored, the one with the lowest lifetime number (as
// renumbered after the download); 0 when none of them is in the log.
qint64 FirstDownloadedDive(db::Database& db, const std::vector<qint64>& diveIds);

} // namespace kvl::device
