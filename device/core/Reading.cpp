// Reading the log pages, the dive index and dive profiles into the memory image.
#include "device/core/CommLink.h"

#include "device/core/TransferMode.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/serial/SerialPort.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Units.h"

#include <QDate>

namespace kvl {
namespace {

constexpr int LogProgressTotal = 60;
constexpr int IndexPageCount = DevicePage::LastIndex - DevicePage::FirstIndex + 1;

bool Downloading()
{
    return gv.CommMode == DownloadMode;
}

// The log pages in reading order: 0..5, then the legs 48..60; -1 after the last.
int NextLogPage(int page)
{
    if (page == DevicePage::Settings)
        return DevicePage::FirstLeg;
    return page >= DevicePage::LastLeg ? -1 : page + 1;
}

} // namespace

void CommLink::ShowStatus(const QString& text)
{
    surface_.SetMessage(text);
}

void CommLink::ShowProgress(int done, int total)
{
    const int percent = total > 0 ? done * 100 / total : 0;
    surface_.SetProgress(percent, QStringLiteral("Status: %1%").arg(percent));
}

void CommLink::Qor_ReadLog()
{
    if (waiting_)
        return;
    ScopedFlag waiting(waiting_);
    ScopedFlag busy(m_.Busy);
    m_.ReadOK = false;
    if (port_)
        port_->DiscardInput();
    m_.CloseRequested = false;
    Link.DataSeen = true;
    const bool download = Downloading();
    ShowStatus(download ? QStringLiteral("Retrieving Dives Index Table...") : QStringLiteral("Retrieving DC Settings..."));
    surface_.ShowBarItem(BarKey::Progress, true);
    ShowProgress(0, LogProgressTotal);

    bool complete = false;
    for (int page = 0;;) {
        const PageReadResult r = ReadPageExchange(page, LinkTiming::LogWindow);
        if (r == PageReadResult::TimedOut)
            MessageError(QStringLiteral("Communication time out."));
        if (r == PageReadResult::TimedOut || r == PageReadResult::Closed)
            break;
        if (r == PageReadResult::ChecksumFailed) {
            MessageError(download ? QStringLiteral("Retrieving Dive Index Table Error.")
                                  : QStringLiteral("Retrieving DC Settings Error."));
            Qor_Sleep();
            m_.AbortSession = true;
            return;
        }
        if (download && page == DevicePage::LogPointers) {
            m_.AbortSession = Qor_IsNewPDC();
            if (m_.AbortSession) {
                MsgBox(QStringLiteral("No dive profile found."), MsgButtons::OK, MsgIcon::Information,
                       QStringLiteral("Download from ") + gv.ModelName);
                surface_.ShowBarItem(BarKey::Start, true);
                surface_.ShowBarItem(BarKey::SaveDives, false);
                surface_.ShowBarItem(BarKey::SelectOpt, false);
                m_.Busy = false;
                RequestClose();
                surface_.RequestClose();
                return;
            }
        }
        page = NextLogPage(page);
        if (page < 0) {
            complete = true;
            break;
        }
        ShowProgress(page, LogProgressTotal);
    }
    m_.Busy = false;
    if (m_.CloseRequested)
        return;
    surface_.ShowBarItem(BarKey::Progress, false);
    if (complete)
        ShowStatus(download ? QStringLiteral("Retrieving Dive Index Table...COMPLETED.")
                            : QStringLiteral("Retrieving DC Settings...COMPLETED."));
    else
        ShowStatus(download ? QStringLiteral("Retrieving Dives Index Table...FAILED.")
                            : QStringLiteral("Retrieving DC Settings...FAILED."));
    m_.ReadOK = complete;
}

bool CommLink::Qor_IsNewPDC()
{
    const DCLogPointers p = DecodeLogPointers(Link.RxBuffer);
    m_.FirstIndexPage = p.First.IndexPage;
    m_.FirstEntryOffset = p.First.EntryOffset;
    m_.FirstEntryNo = p.First.EntryNo;
    m_.EndIndexPage = p.End.IndexPage;
    m_.EndEntryOffset = p.End.EntryOffset;
    m_.EndEntryNo = p.End.EntryNo;
    return m_.FirstEntryOffset == 0 && m_.FirstIndexPage == m_.EndIndexPage && m_.EndEntryOffset == 0;
}

void CommLink::Qor_Decoding()
{
    m_.UnitSerialNo = SerialNoOf(Link.RxBuffer);
    Qor_IsNewPDC();
}

void CommLink::Qor_ReadDivesIndex()
{
    if (waiting_)
        return;
    ScopedFlag waiting(waiting_);
    ScopedFlag busy(m_.Busy);
    m_.ReadOK = false;
    Link.DataSeen = true;
    ShowStatus(QStringLiteral("Downloading Dives Index..."));
    surface_.ShowBarItem(BarKey::Progress, true);
    ShowProgress(0, IndexPageCount);

    int page = DevicePage::FirstIndex;
    while (page <= DevicePage::LastIndex) {
        const PageReadResult r = ReadPageExchange(page, LinkTiming::LogWindow);
        if (r == PageReadResult::TimedOut) {
            MessageError(QStringLiteral("Communication time out."));
            return;
        }
        if (r == PageReadResult::ChecksumFailed) {
            MessageError(QStringLiteral("Error Retrieving Dive Index."));
            Qor_Sleep();
            m_.AbortSession = true;
            return;
        }
        if (r == PageReadResult::Closed)
            break;
        Delay(LinkTiming::IndexPagePause);
        ++page;
        if (page <= DevicePage::LastIndex)
            ShowProgress(page - DevicePage::FirstIndex, IndexPageCount);
    }
    m_.Busy = false;
    if (m_.CloseRequested)
        return;
    surface_.ShowBarItem(BarKey::Progress, false);
    const bool complete = page > DevicePage::LastIndex;
    ShowStatus(complete ? QStringLiteral("Retrieving Dives Index...Completed.")
                        : QStringLiteral("Retrieving Dives Index...FAILED."));
    m_.ReadOK = complete;
}

void CommLink::Qor_ReadProfile(int startPage, int endPage)
{
    if (waiting_)
        return;
    ScopedFlag waiting(waiting_);
    ScopedFlag busy(m_.Busy);
    Link.DataSeen = true;
    m_.ReadOK = false;
    m_.ProfileReadFailed = false;

    // Only ring pages hold profiles: anything else is a failed read, and nothing is sent.
    const int total = RingPageCount(startPage, endPage);
    bool complete = false;
    if (total == 0) {
        qCWarning(lcDevice) << "profile pages off the ring" << startPage << endPage;
        m_.ProfileReadFailed = true;
    } else {
        ShowDiveDownloadStatus(0, total);
        int page = startPage;
        for (int done = 0;;) {
            const PageReadResult r = ReadPageExchange(page, LinkTiming::ProfileWindow);
            if (r == PageReadResult::Closed)
                return;
            if (r == PageReadResult::TimedOut) {
                MessageError(QStringLiteral("Retrieving data error."));
                RequestClose();
                return;
            }
            if (r == PageReadResult::ChecksumFailed) {
                m_.AbortSession = true;
                m_.ProfileReadFailed = true;
                break;
            }
            if (++done == total) {
                complete = true;
                break;
            }
            page = NextRingPage(page);
            ShowDiveDownloadStatus(done, total);
        }
    }
    m_.Busy = false;
    if (m_.CloseRequested)
        return;
    if (!complete) {
        surface_.SetListItemText(m_.CurStatusKey, QStringLiteral("Status: Download Failed!"));
        m_.ReadOK = false;
        return;
    }
    surface_.SetListItemText(m_.CurStatusKey, QStringLiteral("Status: Download Completed!"));
    surface_.SetListItemState(m_.CurStatusKey, StatusLineCompleted);
    surface_.SetListItemEnabled(m_.CurStatusKey - StatusKeyOffset, false);
    m_.ReadOK = true;
}

void CommLink::ShowDiveDownloadStatus(int done, int total)
{
    const int percent = total > 0 ? done * 100 / total : 0;
    surface_.SetListItemState(m_.CurStatusKey, StatusLineDownloading);
    surface_.SetListItemText(m_.CurStatusKey, QStringLiteral("Status: Downloading... %1%").arg(percent));
}

bool CommLink::IsValidDive(QString& DDate, QString& DTime, int DNo, int /*SA: not used*/, int EA)
{
    bool valid = HasEndMarker(Link.RxBuffer, EA);
    if (!QDate::fromString(DDate, QStringLiteral("yyyy/MM/dd")).isValid())
        valid = false;
    if (!IsValidTimeText(DTime, 0))
        valid = false;
    if (DNo < 1)
        valid = false;
    return valid;
}

} // namespace kvl
