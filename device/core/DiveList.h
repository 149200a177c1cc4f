#pragma once
// The device's dive list: the walk over the dive index from the first-entry
// pointer to the end pointer, one index entry as a list record and list line,
// and whether a dive is already in the log.

#include "device/core/DeviceImage.h"
#include "platform/db/Db.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

namespace kvl::device {

inline constexpr int SecondEntryOffset = 8;
inline constexpr int DiveListSize = 100;

// One dive of the device's list.
struct DiveListRecord {
    QString DiveDate = QStringLiteral("01/01/2007");   // "yyyy/mm/dd" once listed
    QString DiveTime = QStringLiteral("00:00");        // "hh:mm", 24-hour
    qint32 DiveNo = 0;
    qint32 SA = 0;        // first profile page (the settings copy)
    qint32 EA = 0;        // last profile page (the summary)
    quint8 DiveMode = 0;  // the entry's mode flag, 0 or 1
    bool IsSaved = false;
};
using DiveListArray = std::array<DiveListRecord, DiveListSize>;

// Empties the list's dates, times, numbers and pages; DiveMode and IsSaved stay.
void ResetDiveList(DiveListArray& list, const QString& date);

// Where the index walk starts and ends: page and offset (0 or 8) of the first
// entry and of the position after the last entry.
struct IndexPointers {
    int firstPage = DevicePage::FirstIndex;
    int firstOffset = 0;
    int endPage = DevicePage::FirstIndex;
    int endOffset = 0;
};

// The image positions (page * 17 + offset) of the listed entries, in list order,
// and whether the log holds no dive at all (both pointers at one page, offset 0).
// The end pointer is never listed; pages outside the index ring are not walked.
struct IndexWalk {
    bool noDive = false;
    std::vector<int> positions;
};
IndexWalk WalkIndex(const IndexPointers& pointers);

// Fills `record` from the entry at `position` of the image and returns the list
// line in the user's date order (unitDate 1: month first) and clock (unitTime 1:
// 12-hour). Returns "" for an empty entry, whose time and pages keep their values.
QString DecodeListEntry(const Image& image, int position, quint8 unitDate, quint8 unitTime,
                        DiveListRecord& record);

// Whether the log holds the dive: same number, date, time, model and unit serial.
bool IsDiveExisted(db::Database& db, const DiveListRecord& record, qint32 modelId, qint32 serial);

} // namespace kvl::device
