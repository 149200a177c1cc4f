#pragma once
// The first device family: its frames, clock registers and the decoding of its
// identity page, log pointers and dive index entries. The link routines that
// send these frames are CommLink's family-A members.

#include "device/core/DeviceImage.h"
#include "device/core/DiveList.h"

#include <QString>

#include <vector>

namespace kvl {

// Command bytes of the first device family.
enum FamilyACommand : int {
    CmdAQuery = 0x08,
    CmdACalibrate = 0x18,
    CmdATest = 0x20,
    CmdAReadPage = 0x34,
    CmdACount = 0x62,
    CmdARegister = 0x6A,
    CmdAMarked1 = 0x72,
    CmdAMarked2 = 0x7A,
    CmdABlock1 = 0x80,
    CmdABlock2 = 0x88,
};

// Second bytes of the register frames (after CmdARegister).
enum FamilyARegisterOp : int { RegWriteRam = 0x02, RegQuery = 0x08, RegWriteEep = 0x0A, RegWriteClock = 0x0D };

namespace FamilyA {
inline constexpr int ClockRegisterCount = 16;
inline constexpr int LogFirstPage = 0;
inline constexpr int LogLastPage = 6;
inline constexpr int IndexFirstPage = 36;
inline constexpr int IndexLastPage = 67;
inline constexpr int IdentityPage = 0;
inline constexpr int PointerPage = 4;
inline constexpr int TestReplySize = 10;
inline constexpr int CalibrateReplySize = 2;
inline constexpr quint8 Ack = 0x5A;      // 'Z'
inline constexpr quint8 Marker = 0xA5;
inline constexpr double Window = 1.0;
inline constexpr double ClockWindow = 0.5;
inline constexpr double CalibrateWait = 60.0;
inline constexpr double RegisterPause = 0.1;
inline constexpr int QueryResends = 3;
inline constexpr int ClockResends = 3;
} // namespace FamilyA

// Frames, without the link's trailing 0x00.
std::vector<int> Write256RamFrame(int address, int data);
std::vector<int> WriteClockFrame();
std::vector<int> WriteEEP256Frame(int address);
std::vector<int> QueryFrame();
std::vector<int> FamilyAPageFrame(int page);

// The 4-bit value of clock register `ind` for the date "mm/dd/yy" and time "hh:mm".
quint8 wrData(int ind, const QString& dateText, const QString& timeText);

int Bcd(quint8 b);
// The unit serial of the identity page (three BCD bytes at 10..12).
qint32 FamilyASerialNo(const Image& image);
// The log pointers of page 4.
device::IndexPointers FamilyAPointers(const Image& image);

// Fills `record` from the index entry at image position `offset` and returns its
// list line; "" when its SA or EA is 0 (only the dive number is then stored).
QString FamilyAListEntry(const Image& image, int offset, quint8 unitDate, quint8 unitTime,
                         device::DiveListRecord& record);

} // namespace kvl
