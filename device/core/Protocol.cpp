// Interface discovery and test, the wake and identity handshake, sleep, the
// device clock and the page-read exchange.
#include "device/core/CommLink.h"

#include "device/core/TransferMode.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/serial/SerialPort.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Lookups.h"

#include <QStringList>

namespace kvl {
namespace {

constexpr qint32 ServedModelId = 6774;
const QString ServedModelCode = QStringLiteral("QX07");

} // namespace

bool CommLink::VerifyUSBPort()
{
    m_.ComPortNumber = FindVavedaverPort();
    return !m_.ComPortNumber.isEmpty();
}

void CommLink::TestVavedaver()
{
    if (Link.PortIsOpen && port_)
        port_->Close();
    bool found = VerifyUSBPort();
    if (found && !Link.PortIsOpen) {
        // An interface that is listed but cannot be opened is not found.
        found = port_ && port_->Open(m_.ComPortNumber);
        if (found) {
            Link.PortIsOpen = true;
            const bool pulse[] = {true, false, true};
            Delay(LinkTiming::LinePause);
            for (bool on : pulse) {
                port_->SetLineState(on);
                Delay(LinkTiming::LinePause);
            }
            Link.ReplyPending = true;
            Link.RxExpected = TestReplySize;
            Link.RxCount = 0;
            Link.ReplyDone = false;
            m_.TestReplyText.clear();
            m_.TimerStart = clock_.Now();
            const int command = gv.DeviceFamily == 1 ? CmdTestFamilyA : CmdTest;
            Link.CurrentCommand = command;
            Link.CmdBuffer[0] = command;
            SendBytes(1);
        } else {
            qCWarning(lcDevice) << "cannot open" << m_.ComPortNumber << (port_ ? port_->ErrorText() : QString());
        }
    }
    m_.VavedaverFound = found;
    surface_.SetMessageColor(found ? MessageBlack : MessageRed);
    surface_.SetMessage(found ? QStringLiteral("USB Vavedaver FOUND.") : QStringLiteral("USB Vavedaver NOT FOUND."));
}

void CommLink::SetWakeState(int command, int expected)
{
    Link.ReplyPending = true;
    Link.ExpectZ = true;
    Link.RxExpected = expected;
    Link.RxCount = 0;
    Link.ReplyDone = false;
    Link.ReplyBuffer.fill(0);
    Link.CurrentCommand = command;
    Link.CmdBuffer[0] = command;
}

QString CommLink::IdentityText() const
{
    QString text;
    for (int i = 1; i <= PageDataSize; ++i)
        text += QChar(Link.ReplyBuffer[size_t(i)]);
    return text;
}

bool CommLink::Qor_WakeUpRead()
{
    if (waiting_)
        return false;
    ScopedFlag waiting(waiting_);
    ShowStatus(QStringLiteral("Starting Handshake..."));
    const int command = gv.CommMode == WriteSettingsMode ? CmdWakeForWrite : CmdWake;
    Link.DataSeen = true;
    // Late bytes of an earlier reply (the interface test's) must not pass for the identity.
    if (port_)
        port_->DiscardInput();
    SetWakeState(command, WakeReplySize);
    SendCommand(1);
    const WaitEnd end = WaitReply(LinkTiming::WakeWindow, [&] {
        SetWakeState(command, ShortWakeReplySize);
        SendCommand(1);
    });
    if (end == WaitEnd::Closed)
        return false;
    if (end == WaitEnd::TimedOut) {
        ShowStatus(QStringLiteral("Time Out."));
        return false;
    }
    m_.DeviceIDText = IdentityText().toUpper();
    const QStringList tokens = m_.DeviceIDText.split(QLatin1Char(' '));
    if (!m_.DeviceIDText.contains(QLatin1String("TARQX07")) && !m_.DeviceIDText.contains(QLatin1String("VIZADOV"))) {
        Qor_Sleep();
        MsgBox(QStringLiteral("Invalid product or handshake failed."), MsgButtons::OK, MsgIcon::Critical,
               QStringLiteral("Error"));
        ShowStatus(QString());
        return false;
    }
    m_.DeviceModelText = ServedModelCode;
    m_.DeviceModelID = ServedModelId;
    if (GetModelNameLocal(ServedModelId).toUpper() != gv.SelectedModel.toUpper()) {
        MsgBox(QStringLiteral("This Radarar Edeze does not match with your pre-selected Radarar Edeze."),
               MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Warning"));
        Qor_Sleep();
        ShowStatus(QString());
        return false;
    }
    ShowStatus(QStringLiteral("Handshake Completed"));
    gv.DCVersion = tokens.size() >= 3 ? tokens[1].right(2).leftJustified(2, QLatin1Char(' ')) : QStringLiteral("1A");
    return true;
}

void CommLink::SendSleepFrame(int command)
{
    Link.CurrentCommand = command;
    Link.ReplyPending = false;
    Link.RxExpected = 0;
    Link.RxCount = 0;
    Link.AckReceived = false;
    Link.CmdBuffer[0] = command;
    SendCommand(1);
}

void CommLink::Qor_Sleep()
{
    SendSleepFrame(CmdSleep);
    Delay(LinkTiming::SleepPause);
    SendSleepFrame(Link.CurrentCommand);
}

void CommLink::SendKeepAwake()
{
    if (gv.DeviceFamily == 1) {
        SendQuery();
        return;
    }
    Link.CurrentCommand = CmdKeepAwake;
    Link.CmdBuffer[0] = CmdKeepAwake;
    Link.CmdBuffer[1] = 0;
    Link.CmdBuffer[2] = 0;
    Link.ReplyPending = false;
    Link.RxExpected = 0;
    Link.RxCount = 0;
    Link.AckReceived = false;
    SendCommand(3);
}

void CommLink::Qor_SetDateTime()
{
    std::fill_n(Link.CmdBuffer.begin(), 21, 0);
    const std::vector<int> frame = ClockFrame(gv.DCDateText, gv.DCTimeText);
    Link.CurrentCommand = CmdSetClock;
    std::copy(frame.begin(), frame.end(), Link.CmdBuffer.begin());
    SendBytes(int(frame.size()));
}

void CommLink::SetPageReadState(int page)
{
    Link.ReplyPending = true;
    Link.RxExpected = PageReplySize;
    Link.RxCount = 0;
    Link.PackageCount = 0;
    Link.ReplyDone = false;
    Link.ExpectZ = true;
    Link.CurrentCommand = CmdReadPage;
    const std::vector<int> frame = PageReadFrame(page);
    std::copy(frame.begin(), frame.end(), Link.CmdBuffer.begin());
}

void CommLink::ReadPage(int pageNo)
{
    SetPageReadState(pageNo);
    SendCommand(5);
}

void CommLink::ReadPageAhead(int page)
{
    if (page < 0 || page > LastDevicePage || waiting_)
        return;
    ReadPage(page);
    pageAhead_ = page;
}

void CommLink::DropPageAhead(double window)
{
    if (pageAhead_ < 0)
        return;
    pageAhead_ = -1;
    m_.SendTime = clock_.Now();
    WaitReply(window, [] {}, LinkTiming::MaxResends - 1);
}

PageReadResult CommLink::ReadPageExchange(int page, double window)
{
    if (page < 0 || page > LastDevicePage)
        return PageReadResult::TimedOut;
    if (pageAhead_ == page) {
        // Its reply may have waited in the port while the host was busy: the window starts now.
        pageAhead_ = -1;
        m_.SendTime = clock_.Now();
    } else {
        DropPageAhead(window);
        ReadPage(page);
    }
    int checksumRetries = 0;
    int resendsSoFar = 0;
    PageReadResult result = PageReadResult::Good;
    for (;;) {
        const WaitEnd end = WaitReply(window, [&] { ReadPage(page); }, resendsSoFar);
        if (end != WaitEnd::Done) {
            result = end == WaitEnd::Closed ? PageReadResult::Closed : PageReadResult::TimedOut;
            break;
        }
        if (!IsCheckSumError()) {
            StorePage(Link.RxBuffer, page, Link.Package);
            break;
        }
        if (++checksumRetries > LinkTiming::MaxChecksumRetries) {
            result = PageReadResult::ChecksumFailed;
            break;
        }
        ReadPage(page);
        resendsSoFar = 1;
    }
    return result;
}

} // namespace kvl
