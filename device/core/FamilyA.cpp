// The first device family: frames, clock registers, decoding, its receive
// handler and its routines.
#include "device/core/FamilyA.h"

#include "device/core/CommLink.h"
#include "device/core/TransferMode.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/serial/SerialPort.h"
#include "shell/core/Global_Vars.h"

namespace kvl {

std::vector<int> Write256RamFrame(int address, int data)
{
    return {CmdARegister, RegWriteRam, ((address * 16) & 0xF0) + (data & 0xFF)};
}

std::vector<int> WriteClockFrame()
{
    return {CmdARegister, RegWriteClock, 0};
}

std::vector<int> WriteEEP256Frame(int address)
{
    return {CmdARegister, RegWriteEep, ((address & 0x0F) << 4) | ((address >> 4) & 0x0F)};
}

std::vector<int> QueryFrame()
{
    return {CmdARegister, RegQuery, 0};
}

std::vector<int> FamilyAPageFrame(int page)
{
    const int hi = (page >> 8) & 0xFF;
    const int lo = page & 0xFF;
    return {CmdAReadPage, hi, lo, hi, lo};
}

quint8 wrData(int ind, const QString& dateText, const QString& timeText)
{
    const int year = dateText.right(2).toInt();
    const int day = dateText.mid(3, 2).toInt();
    const int month = dateText.left(2).toInt();
    const int minute = timeText.right(2).toInt();
    const int hour = timeText.left(2).toInt();
    switch (ind) {
    case 0: return quint8(year % 10);
    case 1: return quint8(year / 10);
    case 2: return quint8(day % 10);
    case 3: return quint8(day / 10);
    case 4: return quint8(month % 10);
    case 5: return quint8(month / 10);
    case 8: return quint8(minute % 10);
    case 9: return quint8(minute / 10);
    case 10: return quint8(hour > 12 ? (hour - 12) % 10 : hour % 10);
    case 11: return quint8(hour > 12 ? (hour - 12) / 10 + 8 : hour == 12 ? 9 : hour / 10);
    default: return 0;
    }
}

int Bcd(quint8 b)
{
    return (b >> 4) * 10 + (b & 15);
}

qint32 FamilyASerialNo(const Image& image)
{
    const auto page = PageData(image, FamilyA::IdentityPage);
    return Bcd(page[10]) * 10000 + Bcd(page[11]) * 100 + Bcd(page[12]);
}

device::IndexPointers FamilyAPointers(const Image& image)
{
    const auto b = PageData(image, FamilyA::PointerPage);
    device::IndexPointers p;
    p.firstPage = (b[5] & 15) * 16 + b[4] / 16;
    p.firstOffset = b[4] & 15;
    p.endPage = (b[7] & 15) * 16 + b[6] / 16;
    p.endOffset = b[6] & 15;
    return p;
}

namespace {

QString Two(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

quint8 ByteAt(const Image& image, int offset)
{
    return offset >= 0 && size_t(offset) < image.size() ? image[size_t(offset)] : 0;
}

} // namespace

QString FamilyAListEntry(const Image& image, int offset, quint8 unitDate, quint8 unitTime,
                         device::DiveListRecord& record)
{
    quint8 b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = ByteAt(image, offset + i);
    const int minute = Bcd(b[0]);
    int hour = ((b[1] / 16) & 7) * 10 + (b[1] & 15);
    const bool pm = b[1] / 128 != 0;
    int diveNo = Bcd(b[2]);
    if (diveNo == 31 || diveNo == 25)
        diveNo = 1;
    const int day = ((b[3] / 16) & 3) * 10 + (b[3] & 15);
    const int year = (b[3] / 64) * 10 + (b[4] & 15);
    const int month = b[4] / 16;
    const int sa = (b[6] & 15) * 256 + b[5];
    const int ea = b[7] * 16 + b[6] / 16;
    record.DiveNo = diveNo;
    if (sa == 0 || ea == 0)
        return QString();
    record.DiveDate = QStringLiteral("%1/%2/%3").arg(year + 2000, 4, 10, QLatin1Char('0')).arg(Two(month), Two(day));
    const QString date = unitDate == 1 ? Two(month) + '/' + Two(day) + '/' + Two(year)
                                       : Two(day) + '/' + Two(month) + '/' + Two(year);
    const int hour24 = pm && hour < 12 ? hour + 12 : hour;
    QString time;
    if (unitTime == 1) {
        time = Two(hour) + ':' + Two(minute) + (pm ? QStringLiteral(" PM") : QStringLiteral(" AM"));
    } else {
        hour = hour24;
        time = Two(hour) + ':' + Two(minute);
    }
    record.DiveTime = Two(hour24) + ':' + Two(minute);
    record.SA = sa;
    record.EA = ea;
    return QStringLiteral("Dive Date: ") + date + QStringLiteral(", Dive Time: ") + time
         + QStringLiteral(", Dive No.: ") + Two(diveNo);
}

// --- the receive handler ----------------------------------------------------

void CommLink::StoreReplyBytes(const QByteArray& data)
{
    for (char c : data)
        StoreReplyByte(Link.RxCount++, quint8(c));
}

void CommLink::ShowData(const QByteArray& data)
{
    if (data.isEmpty())
        return;
    switch (Link.CurrentCommand) {
    case CmdAQuery: {
        // The reply's first byte is the acknowledgement; the rest follow it.
        Link.DataSeen = true;
        int i = 0;
        if (!queryLeadSeen_) {
            StoreReplyByte(0, quint8(data[0]));
            queryLeadSeen_ = true;
            i = 1;
        }
        for (; i < data.size(); ++i)
            StoreReplyByte(1 + Link.RxCount++, quint8(data[i]));
        if (Link.RxCount >= 1) {
            if (Link.ReplyBuffer[0] == FamilyA::Ack)
                Link.AckReceived = true;
            CompleteReply();
        }
        break;
    }
    case CmdACalibrate:
        Link.DataSeen = true;
        StoreReplyBytes(data);
        if (Link.RxCount >= FamilyA::CalibrateReplySize)
            CompleteReply();
        break;
    case CmdATest:
    case CmdTestFamilyA:
        Link.DataSeen = true;
        for (char c : data) {
            m_.TestReplyText += QChar(quint8(c));
            ++Link.RxCount;
        }
        if (Link.RxCount >= FamilyA::TestReplySize) {
            Link.ReplyPending = false;
            Link.ReplyDone = true;
            clock_.Wake();
        }
        break;
    case CmdAReadPage:
        if (CollectPageReply(data))
            CompleteReply();
        break;
    case CmdACount:
        Link.RxCount += int(data.size()) - 1;
        if (Link.RxCount >= Link.RxExpected)
            Link.ReplyPending = false;
        break;
    case CmdARegister:
        Link.DataSeen = true;
        Link.AckReceived = true;
        Link.ReplyDone = true;
        StoreReplyBytes(data);
        clock_.Wake();
        break;
    case CmdAMarked1:
    case CmdAMarked2:
        Link.DataSeen = true;
        StoreReplyBytes(data);
        if (Link.ReplyBuffer[0] == FamilyA::Marker)
            Link.MarkerSeen = true;
        if (Link.RxCount >= Link.RxExpected) {
            Link.AckReceived = true;
            CompleteReply();
        }
        break;
    case CmdABlock1:
    case CmdABlock2:
        Link.DataSeen = true;
        StoreReplyBytes(data);
        if (Link.RxCount >= Link.RxExpected)
            CompleteReply();
        break;
    default:
        break;
    }
}

// --- senders ----------------------------------------------------------------

void CommLink::SendFrame(int command, const std::vector<int>& frame)
{
    Link.CurrentCommand = command;
    std::copy(frame.begin(), frame.end(), Link.CmdBuffer.begin());
    SendCommand(int(frame.size()));
}

void CommLink::SendQuery()
{
    Link.ReplyPending = false;
    Link.RxExpected = 0;
    Link.RxCount = 0;
    Link.AckReceived = false;
    queryLeadSeen_ = false;
    SendFrame(CmdAQuery, QueryFrame());
}

bool CommLink::RUThere()
{
    ScopedFlag busy(m_.Busy);
    SendQuery();
    int tries = 0;
    while (!Link.AckReceived && !m_.CloseRequested && Link.PortIsOpen) {
        const double elapsed = clock_.Now() - m_.SendTime;
        if (elapsed <= FamilyA::Window) {
            clock_.Wait(FamilyA::Window - elapsed);
            continue;
        }
        SendQuery();
        if (++tries >= FamilyA::QueryResends)
            break;
    }
    return Link.AckReceived;
}

void CommLink::AutoCalibrate()
{
    Link.ReplyDone = false;
    Link.ReplyPending = true;
    Link.RxCount = 0;
    Link.RxExpected = FamilyA::CalibrateReplySize;
    Link.DataSeen = false;
    m_.TimerStart = clock_.Now();
    SendFrame(CmdACalibrate, {CmdACalibrate});
    WaitUntil(FamilyA::CalibrateWait, [this] { return Link.ReplyDone; });
}

void CommLink::Write256Ram(int address, int data)
{
    SendFrame(CmdARegister, Write256RamFrame(address, data));
}

void CommLink::WriteClock()
{
    SendFrame(CmdARegister, WriteClockFrame());
}

void CommLink::WriteEEP256(int address)
{
    SendFrame(CmdARegister, WriteEEP256Frame(address));
}

void CommLink::Decoding()
{
    m_.UnitSerialNo = FamilyASerialNo(Link.RxBuffer);
    const device::IndexPointers p = FamilyAPointers(Link.RxBuffer);
    m_.FirstIndexPage = p.firstPage;
    m_.FirstEntryOffset = p.firstOffset;
    m_.EndIndexPage = p.endPage;
    m_.EndEntryOffset = p.endOffset;
}

bool CommLink::IsNewPDC()
{
    const device::IndexPointers p = FamilyAPointers(Link.RxBuffer);
    m_.FirstIndexPage = p.firstPage;
    m_.FirstEntryOffset = p.firstOffset;
    m_.EndIndexPage = p.endPage;
    m_.EndEntryOffset = p.endOffset;
    return p.firstPage == FamilyA::IndexLastPage && p.endPage == FamilyA::IndexLastPage;
}

void CommLink::SendFamilyAPage(int page)
{
    Link.ReplyPending = true;
    Link.RxExpected = PageReplySize;
    Link.RxCount = 0;
    Link.ExpectZ = true;
    Link.ReplyDone = false;
    Link.PackageCount = 0;
    SendFrame(CmdAReadPage, FamilyAPageFrame(page));
}

// Reads pages first..last; false when a page ran out of tries or Close was asked.
bool CommLink::ReadFamilyAPages(int first, int last, bool logPages)
{
    for (int page = first; page <= last; ++page) {
        ShowProgress(page - first, last - first + (logPages ? 0 : 1));
        SendFamilyAPage(page);
        const WaitEnd end = WaitReply(FamilyA::Window, [&] { SendFamilyAPage(page); });
        if (end != WaitEnd::Done)
            return false;
        if (!IsCheckSumError())
            StorePage(Link.RxBuffer, page, Link.Package);
        if (logPages && gv.CommMode == DownloadMode && page == FamilyA::PointerPage) {
            m_.AbortSession = IsNewPDC();
            if (m_.AbortSession) {
                MsgBox(QStringLiteral("No dive profile found."), MsgButtons::OK, MsgIcon::Information,
                       QStringLiteral("Download from ") + gv.ModelName);
                return false;
            }
        }
    }
    return true;
}

void CommLink::ReadLog()
{
    if (waiting_)
        return;
    ScopedFlag waiting(waiting_);
    ScopedFlag busy(m_.Busy);
    Link.DataSeen = true;
    const bool download = gv.CommMode == DownloadMode;
    ShowStatus(download ? QStringLiteral("Retrieving Dives Index Table...") : QStringLiteral("Retrieving DC Settings..."));
    surface_.ShowBarItem(BarKey::Progress, true);
    const bool ok = ReadFamilyAPages(FamilyA::LogFirstPage, FamilyA::LogLastPage, true);
    if (m_.CloseRequested)
        return;
    surface_.ShowBarItem(BarKey::Progress, false);
    if (ok)
        ShowStatus(download ? QStringLiteral("Retrieving Dive Index Table...COMPLETED.")
                            : QStringLiteral("Retrieving DC Settings...COMPLETED."));
    else
        ShowStatus(download ? QStringLiteral("Retrieving Dives Index Table...FAILED.")
                            : QStringLiteral("Retrieving DC Settings...FAILED."));
}

void CommLink::ReadDivesIndex()
{
    if (waiting_)
        return;
    ScopedFlag waiting(waiting_);
    ScopedFlag busy(m_.Busy);
    ShowStatus(QStringLiteral("Downloading Dives Index..."));
    surface_.ShowBarItem(BarKey::Progress, true);
    const bool ok = ReadFamilyAPages(FamilyA::IndexFirstPage, FamilyA::IndexLastPage, false);
    if (m_.CloseRequested)
        return;
    surface_.ShowBarItem(BarKey::Progress, false);
    ShowStatus(ok ? QStringLiteral("Downloading Dives Index...Completed.")
                  : QStringLiteral("Downloading Dives Index...FAILED."));
}

void CommLink::SendRegister(int i)
{
    Link.AckReceived = false;
    Write256Ram(i, wrData(i, gv.DCDateText, gv.DCTimeText) & 15);
    Delay(FamilyA::RegisterPause);
}

void CommLink::SetDateTime()
{
    ShowStatus(QStringLiteral("Set Date, Time..."));
    Link.RxCount = 0;
    // Each register is sent once the previous one is acknowledged; an unanswered
    // one is sent again every second until it is, or until Close.
    for (int i = 0; i < FamilyA::ClockRegisterCount; ++i) {
        SendRegister(i);
        while (!WaitUntil(FamilyA::Window, [this] { return Link.AckReceived; })) {
            if (m_.CloseRequested || !Link.PortIsOpen)
                return;
            SendRegister(i);
        }
    }
    Link.AckReceived = false;
    WriteClock();
    for (int tries = 0; tries <= FamilyA::ClockResends; ++tries) {
        if (WaitUntil(FamilyA::ClockWindow, [this] { return Link.AckReceived; }) || m_.CloseRequested)
            break;
        WriteClock();
    }
    ShowStatus(QStringLiteral("Set Date, Time...Completed!"));
}

} // namespace kvl
