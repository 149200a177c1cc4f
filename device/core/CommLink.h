#pragma once
// The device link of the download window: the link layer (send, receive handler,
// package check, pauses), the device protocol (wake and identity, sleep, clock,
// page reads) and the reading of the log, the dive index and dive profiles. The
// routines keep the names the window's code calls them by; they work on the
// window's members (CommMembers), report through CommSurface and talk through
// a SerialPort.

#include "device/core/CommMembers.h"
#include "device/core/CommSurface.h"
#include "device/core/DeviceImage.h"
#include "device/core/LinkClock.h"
#include "device/core/LinkState.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QObject>

#include <functional>

namespace kvl {

Q_DECLARE_LOGGING_CATEGORY(lcDevice)

class SerialPort;

// Resend windows and fixed pauses, in seconds.
namespace LinkTiming {
inline constexpr double WakeWindow = 1.0;
inline constexpr double LogWindow = 2.0;
inline constexpr double ProfileWindow = 1.0;
inline constexpr double ChecksumPause = 1.0;
inline constexpr double LinePause = 0.2;
inline constexpr double SleepPause = 0.5;
inline constexpr double IndexPagePause = 0.1;
inline constexpr int MaxResends = 4;
inline constexpr int MaxChecksumRetries = 3;
} // namespace LinkTiming

// How one page read ended.
enum class PageReadResult { Good, TimedOut, Closed, ChecksumFailed };

// Sets a flag for a scope and clears it on every way out.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
};

class CommLink : public QObject {
    Q_OBJECT
public:
    CommLink(CommMembers& members, CommSurface& surface, LinkClock& clock, QObject* parent = nullptr);

    // The port in use (not owned); its signals drive the receive handler.
    void SetPort(SerialPort* port);
    SerialPort* Port() const { return port_; }

    LinkState Link;

    // Link layer.
    void SendBytes(int count);
    void Delay(double seconds);
    void ClearPackage();
    bool IsCheckSumError();
    void ShowQorData(const QByteArray& data);
    void MSComm1_DataReceived(const QByteArray& data);
    void MSComm1_PortOpened();
    void MSComm1_PortClosed();
    // The first device family's receive handler.
    void ShowData(const QByteArray& data);

    // Interface discovery and test.
    bool VerifyUSBPort();
    void TestVavedaver();

    // Device protocol.
    bool Qor_WakeUpRead();
    void Qor_Sleep();
    void Qor_SetDateTime();
    void ReadPage(int pageNo);

    // Log and index.
    void Qor_ReadLog();
    bool Qor_IsNewPDC();
    void Qor_Decoding();
    void Qor_ReadDivesIndex();

    // Profiles.
    void Qor_ReadProfile(int startPage, int endPage);
    void ShowDiveDownloadStatus(int done, int total);
    bool IsValidDive(QString& DDate, QString& DTime, int DNo, int SA, int EA);

    // The window's status and progress display.
    void ShowStatus(const QString& text);
    void ShowProgress(int done, int total);

    // The first device family (DeviceFamily 1).
    bool RUThere();
    void AutoCalibrate();
    void ReadLog();
    void ReadDivesIndex();
    bool IsNewPDC();
    void Decoding();
    void Write256Ram(int address, int data);
    void WriteClock();
    void WriteEEP256(int address);
    void SetDateTime();

    // The keep-awake send of the window's timer: 91 00 00, or the first family's
    // query 6A 08 00; its reply is not waited for.
    void SendKeepAwake();

    // The Close command: every wait stops at its next check.
    void RequestClose();

    // For the other transfer routines (the settings writer): set the frame in
    // CmdBuffer and the reply state first.
    void SendCommand(int count);
    // Reads one page into the image with the page-read exchange. A page read
    // ahead is taken as sent; a reply still due for another page is waited out
    // and dropped first, so it can never pass for this page's.
    PageReadResult ReadPageExchange(int page, double window);
    // Sends the read of a page before the host turns to other work (storing a
    // dive), so that its reply comes over the line meanwhile.
    void ReadPageAhead(int page);
    // Yields until `done` holds, Close is asked, the port closes, or more than
    // `seconds` passed since SendTime. False when `done` does not hold.
    bool WaitUntil(double seconds, const std::function<bool()>& done);
    // True while a routine of this link waits for a reply.
    bool IsWaiting() const { return waiting_; }

private:
    void SetPageReadState(int page);
    void DropPageAhead(double window);
    void SetWakeState(int command, int expected);
    void SendSleepFrame(int command);
    // Yields until the reply is done, Close, or resends run out; resend() repeats the frame.
    enum class WaitEnd { Done, Closed, TimedOut };
    WaitEnd WaitReply(double window, const std::function<void()>& resend, int resends = 0);
    void CompleteReply();
    // Collects a page reply into Package; true once it is complete.
    bool CollectPageReply(const QByteArray& data);
    void StoreReplyBytes(const QByteArray& data);
    void SendFrame(int command, const std::vector<int>& frame);
    void SendQuery();
    void SendFamilyAPage(int page);
    bool ReadFamilyAPages(int first, int last, bool logPages);
    void SendRegister(int i);
    void MessageError(const QString& text);
    void StoreReplyByte(int index, quint8 byte);
    QString IdentityText() const;

    CommMembers& m_;
    CommSurface& surface_;
    LinkClock& clock_;
    SerialPort* port_ = nullptr;
    bool queryLeadSeen_ = false;
    bool waiting_ = false;
    int pageAhead_ = -1;   // the page whose read went out ahead; -1 for none
};

} // namespace kvl
