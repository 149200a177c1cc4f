#include "device/core/DeviceImage.h"

#include "platform/runtime/Runtime.h"

#include <algorithm>

namespace kvl {
namespace {

int TwoDigits(const QString& text, int from)
{
    return int(RoundHalfEven(Val(text.mid(std::max(0, from), 2))));
}

} // namespace

quint8 ImageByte(const Image& image, int page, int k)
{
    const qint64 at = qint64(page) * PageSlotSize + k;
    return at >= 0 && at < qint64(image.size()) ? image[size_t(at)] : 0;
}

std::array<quint8, PageDataSize> PageData(const Image& image, int page)
{
    std::array<quint8, PageDataSize> data{};
    for (int k = 0; k < PageDataSize; ++k)
        data[size_t(k)] = ImageByte(image, page, k);
    return data;
}

QByteArray PageBytes(const Image& image, int page)
{
    const auto data = PageData(image, page);
    return QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<int>(data.size()));
}

QByteArray LegPageBytes(const Image& image)
{
    QByteArray bytes;
    for (int page = DevicePage::FirstLeg; page <= DevicePage::LastLeg; ++page)
        bytes += PageBytes(image, page);
    return bytes;
}

void StorePage(Image& image, int page, const std::array<quint8, PackageSize>& package)
{
    if (page < 0 || page > LastDevicePage)
        return;
    const size_t base = size_t(page) * PageSlotSize;
    for (int k = 0; k < PageSlotSize && base + k < image.size(); ++k)
        image[base + k] = package[size_t(k + 1)];
}

std::vector<int> PageReadFrame(int page)
{
    const int lo = page % 256;
    const int hi = page / 256;
    return {CmdReadPage, lo, hi, lo, hi};
}

std::vector<int> ClockFrame(const QString& dateText, const QString& timeText)
{
    const QString t = timeText + QStringLiteral(":00");
    std::vector<int> frame(9, 0);
    frame[0] = CmdSetClock;
    frame[1] = TwoDigits(dateText, 0) & 0xFF;
    frame[2] = TwoDigits(dateText, 3) & 0xFF;
    frame[3] = TwoDigits(dateText, int(dateText.size()) - 2) & 0xFF;
    frame[4] = TwoDigits(t, 0) & 0xFF;
    frame[5] = TwoDigits(t, 3) & 0xFF;
    frame[6] = TwoDigits(t, int(t.size()) - 2) & 0xFF;
    int sum = 0;
    for (int i = 1; i <= 7; ++i)
        sum += frame[size_t(i)];
    frame[8] = sum % 256;
    return frame;
}

quint8 Checksum(const quint8* bytes, int count)
{
    unsigned sum = 0;
    for (int i = 0; i < count; ++i)
        sum += bytes[i];
    return quint8(sum % 256);
}

bool PageReplyChecksumOk(const std::array<quint8, PackageSize>& package)
{
    return Checksum(package.data() + 1, PageDataSize) == package[PageReplySize - 1];
}

qint32 DecodeSerialNo(quint8 b11, quint8 b12, quint8 b13)
{
    return qint32(b11) * 10000 + qint32(b12) * 100 + qint32(b13);
}

qint32 SerialNoOf(const Image& image)
{
    return DecodeSerialNo(ImageByte(image, DevicePage::Identity, 11), ImageByte(image, DevicePage::Identity, 12),
                          ImageByte(image, DevicePage::Identity, 13));
}

DCLogPointer DecodeLogPointer(quint8 lo, quint8 hi)
{
    DCLogPointer p;
    p.IndexPage = (hi & 15) * 16 + lo / 16;
    p.EntryOffset = lo & 15;
    p.EntryNo = (p.IndexPage - DevicePage::FirstIndex) * 2 + (p.EntryOffset != 0 ? 1 : 0);
    return p;
}

DCLogPointers DecodeLogPointers(const Image& image)
{
    auto at = [&](int k) { return ImageByte(image, DevicePage::LogPointers, k); };
    return {DecodeLogPointer(at(4), at(5)), DecodeLogPointer(at(6), at(7)), DecodeLogPointer(at(8), at(9)),
            DecodeLogPointer(at(10), at(11))};
}

DiveIndexEntry DecodeIndexEntry(const std::array<quint8, IndexEntrySize>& b)
{
    DiveIndexEntry e;
    e.DiveMode = b[0] / 128;
    e.DiveNo = (b[3] / 32) * 128 + (b[0] & 127);
    e.Day = b[1] & 31;
    e.Year = 2000 + (b[1] / 32) * 8 + b[5] / 16;
    e.Minute = b[2];
    e.Hour = b[3] & 31;
    e.SA = (b[5] & 15) * 256 + b[4];
    e.EA = (b[7] & 15) * 256 + b[6];
    e.Month = b[7] / 16;
    return e;
}

DiveIndexEntry IndexEntryAt(const Image& image, int offset)
{
    std::array<quint8, IndexEntrySize> b{};
    for (int k = 0; k < IndexEntrySize; ++k) {
        const qint64 at = qint64(offset) + k;
        b[size_t(k)] = at >= 0 && at < qint64(image.size()) ? image[size_t(at)] : 0;
    }
    return DecodeIndexEntry(b);
}

bool HasEndMarker(const Image& image, int endPage)
{
    const quint8 b12 = ImageByte(image, endPage, 12);
    const quint8 b13 = ImageByte(image, endPage, 13);
    const quint8 b14 = ImageByte(image, endPage, 14);
    return b12 == 0xAB || b13 == 0xCD || b14 == 0xEF || b14 == 0xEE;
}

int NextRingPage(int page)
{
    return page >= DevicePage::LastRing ? DevicePage::FirstRing : page + 1;
}

bool IsRingPage(int page)
{
    return page >= DevicePage::FirstRing && page <= DevicePage::LastRing;
}

int RingPageCount(int startPage, int endPage)
{
    if (!IsRingPage(startPage) || !IsRingPage(endPage))
        return 0;
    if (startPage <= endPage)
        return endPage - startPage + 1;
    return (DevicePage::LastRing - startPage + 1) + (endPage - DevicePage::FirstRing + 1);
}

} // namespace kvl
