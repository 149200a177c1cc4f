// The link layer: sending frames, the receive handler, the package check and the
// waits.
#include "device/core/CommLink.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/serial/SerialPort.h"
#include "shell/core/Global_Vars.h"

#include <algorithm>

namespace kvl {

Q_LOGGING_CATEGORY(lcDevice, "kvl.device")

CommLink::CommLink(CommMembers& members, CommSurface& surface, LinkClock& clock, QObject* parent)
    : QObject(parent), m_(members), surface_(surface), clock_(clock)
{
}

void CommLink::SetPort(SerialPort* port)
{
    if (port_)
        disconnect(port_, nullptr, this, nullptr);
    port_ = port;
    if (!port_)
        return;
    connect(port_, &SerialPort::DataReceived, this, &CommLink::MSComm1_DataReceived);
    connect(port_, &SerialPort::PortOpened, this, &CommLink::MSComm1_PortOpened);
    connect(port_, &SerialPort::PortClosed, this, &CommLink::MSComm1_PortClosed);
}

void CommLink::SendBytes(int count)
{
    if (Link.CurrentCommand == CmdIdle)
        return;
    Link.MarkerSeen = false;
    count = std::clamp(count, 0, CmdBufferSize);
    QByteArray frame(count + 1, '\0');
    for (int i = 0; i < count; ++i)
        frame[i] = char(Link.CmdBuffer[size_t(i)] & 0xFF);
    if (port_ && port_->IsOpen())
        port_->Write(frame);
}

void CommLink::SendCommand(int count)
{
    pageAhead_ = -1;   // any later frame changes the reply awaited
    m_.SendTime = clock_.Now();
    SendBytes(count);
}

void CommLink::Delay(double seconds)
{
    clock_.Delay(seconds);
}

void CommLink::ClearPackage()
{
    std::fill_n(Link.RxBuffer.begin(), ClearedImageBytes, quint8(0));
}

bool CommLink::IsCheckSumError()
{
    if (PageReplyChecksumOk(Link.Package))
        return false;
    Delay(LinkTiming::ChecksumPause);
    return true;
}

void CommLink::StoreReplyByte(int index, quint8 byte)
{
    if (index >= 0 && index < ReplyBufferSize)
        Link.ReplyBuffer[size_t(index)] = byte;
}

void CommLink::CompleteReply()
{
    Link.ReplyPending = false;
    Link.CurrentCommand = CmdIdle;
    Link.ReplyDone = true;
    clock_.Wake();
}

bool CommLink::CollectPageReply(const QByteArray& data)
{
    if (Link.ExpectZ) {
        if (Link.PackageCount == 0 && quint8(data[0]) != PageLead)
            return false;
        Link.ExpectZ = false;
    }
    for (char c : data) {
        if (Link.PackageCount >= PageReplySize)
            break;
        Link.Package[size_t(Link.PackageCount++)] = quint8(c);
    }
    return Link.PackageCount >= PageReplySize;
}

void CommLink::ShowQorData(const QByteArray& data)
{
    if (data.isEmpty())
        return;
    switch (Link.CurrentCommand) {
    case CmdReadPage:
        if (CollectPageReply(data)) {
            CompleteReply();
            if (port_)
                port_->DiscardInput();
        }
        break;
    case CmdWritePage:
        StoreReplyByte(0, quint8(data[0]));
        if (quint8(data[0]) == PageLead) {
            Link.AckReceived = true;
            clock_.Wake();
            if (port_)
                port_->DiscardInput();
        }
        break;
    case CmdTest:
        Link.DataSeen = true;
        for (char c : data) {
            m_.TestReplyText += QChar(quint8(c));
            ++Link.RxCount;
        }
        if (Link.RxCount > 0) {
            Link.ReplyPending = false;
            Link.ReplyDone = true;
            clock_.Wake();
        }
        break;
    case CmdWake:
    case CmdWakeForWrite:
        Link.DataSeen = true;
        for (char c : data)
            StoreReplyByte(Link.RxCount++, quint8(c));
        if (Link.RxCount >= Link.RxExpected)
            CompleteReply();
        break;
    case CmdKeepAwake:
        Link.DataSeen = true;
        for (int i = 1; i < data.size(); ++i) {
            StoreReplyByte(i, quint8(data[i]));
            ++Link.RxCount;
        }
        if (Link.RxCount >= KeepAwakeReplySize)
            CompleteReply();
        break;
    case CmdSleepAlt:
    case CmdSleep:
        Link.ReplyDone = true;
        break;
    default:
        break;
    }
}

void CommLink::MSComm1_DataReceived(const QByteArray& data)
{
    const QByteArray chunk = data;
    if (gv.DeviceFamily == 1)
        ShowData(chunk);
    else
        ShowQorData(chunk);
}

void CommLink::MSComm1_PortOpened()
{
    Link.PortIsOpen = true;
}

void CommLink::MSComm1_PortClosed()
{
    Link.PortIsOpen = false;
    qCInfo(lcDevice) << "port closed";
    clock_.Wake();
}

void CommLink::RequestClose()
{
    m_.CloseRequested = true;
    clock_.Wake();
}

bool CommLink::WaitUntil(double seconds, const std::function<bool()>& done)
{
    if (waiting_)
        return false;
    ScopedFlag waiting(waiting_);
    for (;;) {
        if (done() || m_.CloseRequested || !Link.PortIsOpen)
            break;
        const double elapsed = clock_.Now() - m_.SendTime;
        if (elapsed > seconds)
            break;
        clock_.Wait(seconds - elapsed);
    }
    return done();
}

CommLink::WaitEnd CommLink::WaitReply(double window, const std::function<void()>& resend, int resends)
{
    for (;;) {
        if (m_.CloseRequested)
            return WaitEnd::Closed;
        if (Link.ReplyDone)
            return WaitEnd::Done;
        // A pulled cable ends the wait as a time-out.
        if (resends >= LinkTiming::MaxResends || !Link.PortIsOpen)
            return WaitEnd::TimedOut;
        const double elapsed = clock_.Now() - m_.SendTime;
        if (elapsed <= window) {
            clock_.Wait(window - elapsed);
            continue;
        }
        resend();
        ++resends;
    }
}

void CommLink::MessageError(const QString& text)
{
    MsgBox(text, MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Error"));
}

} // namespace kvl
