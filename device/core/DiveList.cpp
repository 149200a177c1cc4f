#include "device/core/DiveList.h"

namespace kvl::device {

namespace {

QString TwoDigits(int n)
{
    return QString::number(n).rightJustified(2, '0');
}

QString DisplayTime(int hour, int minute, quint8 unitTime)
{
    if (unitTime != 1)
        return TwoDigits(hour) + ":" + TwoDigits(minute);
    if (hour > 12)
        return TwoDigits(hour - 12) + ":" + TwoDigits(minute) + " PM";
    if (hour == 12)
        return "12:" + TwoDigits(minute) + " PM";
    if (hour == 0)
        return "12:" + TwoDigits(minute) + " AM";
    return TwoDigits(hour) + ":" + TwoDigits(minute) + " AM";
}

} // namespace

void ResetDiveList(DiveListArray& list, const QString& date)
{
    for (DiveListRecord& r : list) {
        r.DiveDate = date;
        r.DiveTime = QStringLiteral("00:00");
        r.DiveNo = 0;
        r.SA = 0;
        r.EA = 0;
    }
}

IndexWalk WalkIndex(const IndexPointers& ptr)
{
    IndexWalk walk;
    const int p1 = ptr.firstPage, o1 = ptr.firstOffset, p2 = ptr.endPage, o2 = ptr.endOffset;
    auto list = [&walk](int page, int offset) {
        if (page >= DevicePage::FirstIndex && page <= DevicePage::LastIndex && walk.positions.size() < DiveListSize)
            walk.positions.push_back(page * PageSlotSize + offset);
    };
    // Lists the entries of pages first..last; the first page from `startOffset`.
    auto pages = [&list](int first, int startOffset, int last) {
        for (int p = first; p <= last; ++p) {
            if (p != first || startOffset == 0)
                list(p, 0);
            list(p, SecondEntryOffset);
        }
    };
    // The entries of the end page that lie before the end pointer.
    auto endPage = [&list, p2, o2]() {
        if (o2 == SecondEntryOffset)
            list(p2, 0);
    };

    if (p1 == p2 && o1 == 0 && o2 == 0) {
        walk.noDive = true;
    } else if (p1 == p2 && o1 < o2) {
        list(p1, 0);
    } else if (p1 > p2 || (p1 == p2 && o1 > o2)) {
        // The index ring has wrapped past its last page.
        pages(p1, o1, DevicePage::LastIndex);
        pages(DevicePage::FirstIndex, 0, p2 - 1);
        endPage();
    } else if (p1 < p2) {
        pages(p1, o1, p2 - 1);
        endPage();
    }
    return walk;
}

QString DecodeListEntry(const Image& image, int position, quint8 unitDate, quint8 unitTime,
                        DiveListRecord& record)
{
    const DiveIndexEntry e = IndexEntryAt(image, position);
    record.DiveMode = static_cast<quint8>(e.DiveMode);
    record.DiveNo = e.DiveNo;
    const int year = e.Year - 2000;
    const int day = e.Day;
    const int month = e.Month;
    const QString date = unitDate == 1 ? TwoDigits(month) + "/" + TwoDigits(day) + "/" + TwoDigits(year)
                                       : TwoDigits(day) + "/" + TwoDigits(month) + "/" + TwoDigits(year);
    record.DiveDate = QString::number(year + 2000).rightJustified(4, '0') + "/" + TwoDigits(month) + "/" +
                      TwoDigits(day);
    const int hour = e.Hour;
    const int minute = e.Minute;
    if (e.IsEmpty())
        return {};
    record.DiveTime = TwoDigits(hour) + ":" + TwoDigits(minute);
    record.SA = e.SA;
    record.EA = e.EA;
    return "Dive Date: " + date + ", Dive Time: " + DisplayTime(hour, minute, unitTime) +
           ", Dive No.: " + TwoDigits(record.DiveNo);
}

bool IsDiveExisted(db::Database& db, const DiveListRecord& record, qint32 modelId, qint32 serial)
{
    auto rs = db.OpenRecordset("Select * from DIVEDATA where DiveNo = ? and Divedate = ? and DiveTime = ? "
                               "and MODELID = ? and MODELSERNO = ? ;",
                               {record.DiveNo, record.DiveDate, record.DiveTime, modelId, serial});
    return !rs->EOF();
}

} // namespace kvl::device
