#pragma once
// The device's frames and memory map, and the plain decoding of what the host
// reads: the unit serial number, the log pointers, the dive index entries and
// the dive end markers. Every reader takes the memory image and checks bounds,
// so any bytes at all may be decoded.

#include "device/core/LinkState.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

namespace kvl {

// Pages of the device memory.
namespace DevicePage {
inline constexpr int Identity = 0;
inline constexpr int LogPointers = 4;
inline constexpr int Settings = 5;
inline constexpr int FirstLeg = 48;
inline constexpr int LastLeg = 60;
inline constexpr int FirstIndex = 64;
inline constexpr int LastIndex = 113;
inline constexpr int FirstRing = 114;
inline constexpr int LastRing = 4095;
} // namespace DevicePage

inline constexpr int IndexEntrySize = 8;
inline constexpr int IndexEntryCount = 100;

using Image = std::vector<quint8>;

// Data byte k of page p of the image; 0 outside the image.
quint8 ImageByte(const Image& image, int page, int k);
// The 16 data bytes of page p.
std::array<quint8, PageDataSize> PageData(const Image& image, int page);
// The same bytes as the settings and dive decoders take them.
QByteArray PageBytes(const Image& image, int page);
// The data bytes of the navigation leg pages, in page order.
QByteArray LegPageBytes(const Image& image);
// Stores an 18-byte page reply's data and checksum in page p's slot.
void StorePage(Image& image, int page, const std::array<quint8, PackageSize>& package);

// Frames as the protocol builds them in the command buffer (without the link's 0x00).
std::vector<int> PageReadFrame(int page);
// 0x94, month, day, year, hour, minute, second, 0, checksum, from "mm/dd/yy" and "hh:mm".
std::vector<int> ClockFrame(const QString& dateText, const QString& timeText);
// Sum of the bytes mod 256.
quint8 Checksum(const quint8* bytes, int count);
// Whether an 18-byte page reply carries the sum of its data bytes.
bool PageReplyChecksumOk(const std::array<quint8, PackageSize>& package);

// Unit serial number from page 0 bytes 11..13: b11 * 10000 + b12 * 100 + b13.
qint32 DecodeSerialNo(quint8 b11, quint8 b12, quint8 b13);
qint32 SerialNoOf(const Image& image);

// One log pointer of page 4 (low byte first).
struct DCLogPointer {
    int IndexPage = 0;    // 64..113 on a sound device
    int EntryOffset = 0;  // 0 or 8
    int EntryNo = 0;
};
DCLogPointer DecodeLogPointer(quint8 lo, quint8 hi);

struct DCLogPointers {
    DCLogPointer First;
    DCLogPointer End;
    DCLogPointer Third;
    DCLogPointer Fourth;
};
DCLogPointers DecodeLogPointers(const Image& image);

// One entry of the dive index.
struct DiveIndexEntry {
    int DiveMode = 0;
    int DiveNo = 0;
    int Day = 0;
    int Month = 0;
    int Year = 0;
    int Hour = 0;
    int Minute = 0;
    int SA = 0;
    int EA = 0;
    bool IsEmpty() const { return Day == 0 && Minute == 0; }
};
DiveIndexEntry DecodeIndexEntry(const std::array<quint8, IndexEntrySize>& b);
// The entry at a byte offset of the image (p * 17 or p * 17 + 8).
DiveIndexEntry IndexEntryAt(const Image& image, int offset);

// Whether page EA carries one of the dive end markers.
bool HasEndMarker(const Image& image, int endPage);

// The next page of the profile ring: after 4095 comes 114.
int NextRingPage(int page);
bool IsRingPage(int page);
// Pages of a dive from SA to EA across the ring's wrap; 0 when either is off the ring.
int RingPageCount(int startPage, int endPage);

} // namespace kvl
