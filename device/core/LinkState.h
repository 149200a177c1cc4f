#pragma once
// The link state shared by the senders and the receive handler: the command
// buffer, the awaited command, the host copy of the device memory and the flags
// by which a sender learns that its reply is complete.

#include <QtGlobal>

#include <array>
#include <vector>

namespace kvl {

// Command bytes of the dive computer (the second device family).
enum DeviceCommand : int {
    CmdIdle = -1,
    CmdReadPage = 0x20,
    CmdWritePage = 0x40,
    CmdTest = 0x55,
    CmdWake = 0x90,
    CmdKeepAwake = 0x91,
    CmdSleepAlt = 0x92,
    CmdSetClock = 0x94,
    CmdWakeForWrite = 0x95,
    CmdSleep = 0x98,
    CmdTestFamilyA = 0xAA,
};

inline constexpr int CmdBufferSize = 33;
inline constexpr int RxBufferSize = 70001;
inline constexpr int PackageSize = 21;
inline constexpr int PageReplySize = 18;   // 'Z', 16 data bytes, checksum
inline constexpr quint8 PageLead = 0x5A;   // 'Z'
inline constexpr int PageDataSize = 16;
inline constexpr int PageSlotSize = 17;    // 16 data bytes and the checksum
inline constexpr int DevicePageCount = 4096;
inline constexpr int LastDevicePage = 4095;
inline constexpr int ReplyBufferSize = 64;
inline constexpr int WakeReplySize = 17;
inline constexpr int ShortWakeReplySize = 10;
inline constexpr int TestReplySize = 12;
inline constexpr int KeepAwakeReplySize = 2;
// ClearPackage empties 2048 page slots and one byte more.
inline constexpr int ClearedImageBytes = 34817;

struct LinkState {
    std::array<int, CmdBufferSize> CmdBuffer{};
    int CurrentCommand = CmdIdle;
    // The host copy of the device memory (DCMemoryImage): data byte k of page p
    // at p * 17 + k, the page's checksum at p * 17 + 16.
    std::vector<quint8> RxBuffer = std::vector<quint8>(RxBufferSize, 0);
    // Replies that are not page data (wake, keep-awake, write acknowledgement):
    // kept apart so that they never overwrite the memory image.
    std::array<quint8, ReplyBufferSize> ReplyBuffer{};
    qint32 RxCount = 0;
    qint32 RxExpected = 0;
    std::array<quint8, PackageSize> Package{};
    int PackageCount = 0;
    bool ExpectZ = false;
    bool DataSeen = false;
    bool ReplyDone = false;
    bool ReplyPending = false;
    bool AckReceived = false;
    bool MarkerSeen = false;
    bool PortIsOpen = false;
};

} // namespace kvl
