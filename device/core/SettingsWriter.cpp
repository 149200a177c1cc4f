#include "device/core/SettingsWriter.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/serial/SerialPort.h"
#include "settings/core/UnitSettings.h"
#include "shell/core/Global_Vars.h"

namespace kvl {

namespace {

using settings::WritePage;

void ShowError(const QString& text)
{
    MsgBox(text, MsgButtons::OK, MsgIcon::Critical, "Error");
}

// Sends the write frame until the device acknowledges it; false when it never does
// (or Close is asked).
bool WriteAcknowledged(CommLink& link, const QByteArray& frame)
{
    LinkState& s = link.Link;
    for (int send = 0; send <= WriteTiming::MaxResends; ++send) {
        s.CurrentCommand = CmdWritePage;
        for (int i = 0; i < frame.size(); ++i)
            s.CmdBuffer[static_cast<size_t>(i)] = static_cast<quint8>(frame[i]);
        s.ReplyPending = false;
        s.RxExpected = 0;
        s.RxCount = 0;
        s.AckReceived = false;
        link.SendCommand(static_cast<int>(frame.size()));
        if (link.WaitUntil(WriteTiming::AckWindow, [&s] { return s.AckReceived; }))
            return true;
        if (!link.Port() || !link.Port()->IsOpen())
            return false;
    }
    return false;
}

enum class ReadBack { Done, TimedOut, Closed };

ReadBack ReadPageBack(CommLink& link, CommMembers& m, int page)
{
    LinkState& s = link.Link;
    for (int send = 0; send <= WriteTiming::MaxResends; ++send) {
        link.ReadPage(page);
        if (link.WaitUntil(WriteTiming::ReadBackWindow, [&s] { return s.ReplyDone; }))
            return ReadBack::Done;
        if (m.CloseRequested)
            return ReadBack::Closed;
    }
    return ReadBack::TimedOut;
}

bool SameData(const LinkState& s, const QByteArray& data)
{
    for (int k = 0; k < data.size(); ++k) {
        if (s.Package[static_cast<size_t>(k + 1)] != static_cast<quint8>(data[k]))
            return false;
    }
    return true;
}

// Writes and verifies one page.
SettingsWriteEnd WritePageVerified(CommLink& link, CommMembers& m, const WritePage& p)
{
    if (!WriteAcknowledged(link, WriteFrame(p.page, p.data))) {
        if (m.CloseRequested)
            return SettingsWriteEnd::Closed;
        ShowError("Error Writing Setting to " + gv.ModelName);
        return SettingsWriteEnd::NoAcknowledge;
    }
    if (link.Port())
        link.Port()->DiscardInput();
    switch (ReadPageBack(link, m, p.page)) {
    case ReadBack::Closed: return SettingsWriteEnd::Closed;
    case ReadBack::TimedOut:
        ShowError("Reading back time out.");
        return SettingsWriteEnd::ReadBackTimeOut;
    case ReadBack::Done: break;
    }
    if (link.IsCheckSumError()) {
        ShowError("Reading back error.");
        link.Qor_Sleep();
        return SettingsWriteEnd::ReadBackError;
    }
    if (!SameData(link.Link, p.data)) {
        ShowError("Read/Write data error.");
        return SettingsWriteEnd::Mismatch;
    }
    // The image follows the unit: the rows stored after the write are decoded from it.
    StorePage(link.Link.RxBuffer, p.page, link.Link.Package);
    return SettingsWriteEnd::Written;
}

// Stores the unit's rows from the image once every page was verified; false
// (having said so) when the log could not keep them.
bool StoreUnitRows(const CommMembers& m, const Image& image, const settings::SettingsValues& edited)
{
    try {
        settings::StoreWrittenSettings(LogDB(), gv.SelectedModelID, m.UnitSerialNo, edited,
                                       PageBytes(image, DevicePage::Settings),
                                       settings::DecodeLegs(LegPageBytes(image)), gv.DCVersion);
        return true;
    } catch (const db::DbError& e) {
        qCWarning(lcDevice) << "storing the written settings failed:" << e.Message();
        ShowError(gv.ModelName + " holds the new settings, but the log could not keep them.");
        return false;
    }
}

} // namespace

QByteArray WriteFrame(int page, const QByteArray& data)
{
    QByteArray frame;
    frame.append(static_cast<char>(CmdWritePage));
    frame.append(static_cast<char>(page % 256));
    frame.append(static_cast<char>(page / 256));
    int sum = 0;
    for (char c : data) {
        frame.append(c);
        sum += static_cast<quint8>(c);
    }
    frame.append(static_cast<char>(sum % 256));
    return frame;
}

SettingsWriteEnd Qor_WriteDCSettings(CommLink& link, CommMembers& m, CommSurface& surface)
{
    if (m.CloseRequested)
        return SettingsWriteEnd::Closed;
    std::optional<settings::EditedSet> edited;
    try {
        edited = settings::ReadEditedSet(LogDB(), gv.SelectedModelID);
    } catch (const db::DbError& e) {
        qCWarning(lcDevice) << "reading the edited settings failed:" << e.Message();
        ShowError("Could not save the dive computer settings.");
        link.Qor_Sleep();
        surface.RequestClose();
        return SettingsWriteEnd::DatabaseError;
    }
    if (!edited) {
        ShowError(gv.ModelName + " Settings data is missing. Process is terminated.");
        surface.RequestClose();
        return SettingsWriteEnd::EditedSetMissing;
    }
    QString refusal = settings::CheckSettingsValues(edited->row);
    if (refusal.isEmpty())
        refusal = settings::CheckLegs(edited->legs);
    if (!refusal.isEmpty()) {
        ShowError(refusal);
        return SettingsWriteEnd::Refused;
    }
    const bool setClock = settings::ValueOf(edited->row, "SYSTEMCLOCK").ToLong() == settings::SetDeviceClock;
    const QByteArray block = PageBytes(link.Link.RxBuffer, DevicePage::Settings);

    link.ShowStatus("Writing Setting to " + gv.ModelName + " ...");
    {
        ScopedFlag busy(m.Busy);
        for (const WritePage& p : settings::BuildWritePages(block, edited->row, edited->legs)) {
            const SettingsWriteEnd end = WritePageVerified(link, m, p);
            if (end != SettingsWriteEnd::Written)
                return end;
        }
    }
    if (!StoreUnitRows(m, link.Link.RxBuffer, edited->row))
        return SettingsWriteEnd::DatabaseError;
    if (setClock)
        link.Qor_SetDateTime();
    link.ShowStatus("Writing Setting to " + gv.ModelName + "...Completed!");
    gv.SelectedSerialNo = m.UnitSerialNo;
    surface.RequestClose();
    return SettingsWriteEnd::Written;
}

} // namespace kvl
