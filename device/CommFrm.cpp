#include "device/CommFrm.h"

#include "device/CommBar.h"
#include "device/core/DiveConversion.h"
#include "device/core/DownloadArchive.h"
#include "device/core/FamilyA.h"
#include "device/core/SettingsWriter.h"
#include "forms/HelpWindow.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/folders/Folders.h"
#include "platform/serial/qt/QtSerialPort.h"
#include "platform/widgets/CheckList.h"
#include "settings/core/UnitSettings.h"
#include "shell/core/DiveRows.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/LogCheck.h"
#include "shell/core/Lookups.h"
#include "shell/core/MDI_Rules.h"
#include "shell/core/SystemServices.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace kvl {

namespace {

constexpr int HighPriorityClass = 128;
constexpr int TimerMs = 1000;
constexpr int FirstFamily = 1;
// Keys at or above this belong to status lines.
constexpr int FirstStatusKey = StatusKeyOffset;
constexpr double RUThereWindow = 1.0;

const QString DiveListInstructions = QStringLiteral(
    "1. To select dives from the Dive Listing:\r\n"
    "   - Click on Select button then select your desired option, or\r\n"
    "   - Click on your desired dives from the Dive Listing (boxes should be checked).\r\n\r\n"
    "2. To save the selected dives, click on Save Dives button");

// The colour a Windows colour number (0x00BBGGRR) stands for.
QColor ColorOf(int bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int KeyOf(const QString& key)
{
    return key.toInt();
}

} // namespace

CommFrm::CommFrm(QWidget* parent) : QDialog(parent), mode_(gv.CommMode)
{
    InstallQtPortLister();
    ownPort_ = std::make_unique<QtSerialPort>();
    ownClock_ = std::make_unique<SteadyClock>();
    MSComm1 = ownPort_.get();
    clock_ = ownClock_.get();
    Build();
    Form_Load();
}

CommFrm::CommFrm(SerialPort& port, LinkClock& clock, QWidget* parent)
    : QDialog(parent), MSComm1(&port), mode_(gv.CommMode), clock_(&clock)
{
    Build();
    Form_Load();
}

CommFrm::~CommFrm()
{
    Unload();
    Link.reset();   // before the port it listens to
}

void CommFrm::DiveStored(qint64 diveId)
{
    if (mode_ != DownloadMode)
        return;
    gv.DivesAdded = true;
    storedDives_.push_back(diveId);
}

// --- the window ------------------------------------------------------------

void CommFrm::Build()
{
    setModal(true);
    Link = std::make_unique<CommLink>(M, *this, *clock_, this);
    Link->SetPort(MSComm1);

    auto* layout = new QVBoxLayout(this);
    BuildMenus();
    Cmd = new CommBar(this);
    Cmd->AddButton(CmdKey::Start, "Start");
    Cmd->AddButton(CmdKey::TestVavedaver, "Test");
    Cmd->AddDropDown(CmdKey::SelectOpt, "Select");
    Cmd->AddChoice(CmdKey::SelectAll, "All Dives");
    Cmd->AddChoice(CmdKey::SelectNew, "New Dives");
    Cmd->AddChoice(CmdKey::SelectNone, "Unselect All");
    Cmd->AddButton(CmdKey::SaveDives, "Save Dives");
    Cmd->AddButton(CmdKey::Help, "Help");
    Cmd->AddButton(CmdKey::Close, "Close");
    Cmd->AddMessage(CmdKey::Message);
    Cmd->AddProgress(CmdKey::Progress);
    connect(Cmd, &CommBar::ItemClick, this, &CommFrm::Cmd_ItemClick);
    layout->addWidget(Cmd);

    Frame1 = new QGroupBox(this);
    auto* steps = new QLabel("1. Connect the interface cable to the computer and to the Radarar Edeze.\n"
                             "2. Click Start and wait until the transfer has finished.",
                             Frame1);
    (new QVBoxLayout(Frame1))->addWidget(steps);
    layout->addWidget(Frame1);

    Frame2 = new QGroupBox("Dive Listing", this);
    SaveLbl = new QLabel(Frame2);
    DivesList = new CheckList(Frame2);
    DivesList->setMinimumSize(520, 260);
    auto* listLayout = new QVBoxLayout(Frame2);
    listLayout->addWidget(SaveLbl);
    listLayout->addWidget(DivesList);
    layout->addWidget(Frame2, 1);
    Frame2->hide();
    connect(DivesList, &CheckList::ItemClick, this, &CommFrm::DivesList_ItemClick);

    CloseTimer = new QTimer(this);
    CloseTimer->setInterval(TimerMs);
    connect(CloseTimer, &QTimer::timeout, this, &CommFrm::CloseTimer_Timer);
    SetAwakeTimer = new QTimer(this);
    SetAwakeTimer->setInterval(TimerMs);
    connect(SetAwakeTimer, &QTimer::timeout, this, &CommFrm::SetAwakeTimer_Timer);
    ShowSelection(false);
}

void CommFrm::BuildMenus()
{
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    mnuFile = bar->addMenu("&File");
    mnuStart = mnuFile->addAction("Start", this, [this] { RunRoutine([this] { mnuStart_Click(); }); });
    mnuTestVavedaver = mnuFile->addAction("Test Vavedaver", this, [this] { RunRoutine([this] { mnuTestVavedaver_Click(); }); });
    mnuSaveDives = mnuFile->addAction("Save Dives", this, [this] { RunRoutine([this] { mnuSaveDives_Click(); }); });
    mnuSleep = mnuFile->addAction("Sleep", this, [this] { RunRoutine([this] { mnuSleep_Click(); }); });
    mnuRUThere = mnuFile->addAction("Are You There?", this, [this] { RunRoutine([this] { mnuRUThere_Click(); }); });
    mnuFile->addSeparator();
    mnuClose = mnuFile->addAction("Close", this, &CommFrm::mnuClose_Click);
    mnuSelect = bar->addMenu("&Select");
    mnuAllDives = mnuSelect->addAction("All Dives", this, &CommFrm::mnuAllDives_Click);
    mnuNewDives = mnuSelect->addAction("New Dives", this, &CommFrm::mnuNewDives_Click);
    mnuUnSelect = mnuSelect->addAction("Unselect All", this, &CommFrm::mnuUnSelect_Click);
    mnuHelp = bar->addAction("&Help", this, &CommFrm::mnuHelp_Click);
}

void CommFrm::SetCaptions()
{
    const QString m = gv.ModelName;
    QString caption, start, frame;
    switch (mode_) {
    case ReadSettingsMode:
        caption = "Read " + m + " Setting";
        start = "Start Read " + m + " Setting";
        frame = "Read " + m + " Setting Instructions";
        break;
    case WriteSettingsMode:
        caption = "Save " + m + " Setting";
        start = "Start Save " + m + " Setting";
        frame = "Save " + m + " Setting Instructions";
        break;
    case DownloadMode:
        caption = "Download VURO Dive Data from " + m;
        start = "Start Download";
        frame = "Download Instructions";
        break;
    default:
        return;
    }
    setWindowTitle(caption);
    mnuStart->setText(start);
    Cmd->Items(CmdKey::Start).SetText(start);
    Frame1->setTitle(frame);
}

void CommFrm::ShowSelection(bool visible)
{
    mnuSaveDives->setVisible(visible);
    mnuSelect->menuAction()->setVisible(visible);
    Cmd->Items(CmdKey::SaveDives).SetVisible(visible);
    Cmd->Items(CmdKey::SelectOpt).SetVisible(visible);
}

// While a routine runs only Close and Help answer: a command inside a wait would
// otherwise close the port, change the awaited reply or nest a second transfer.
void CommFrm::RunRoutine(const std::function<void()>& routine)
{
    if (running_ > 0 || unloaded_)
        return;
    ++running_;
    UpdateCommands();
    routine();
    --running_;
    UpdateCommands();
}

void CommFrm::UpdateCommands()
{
    const bool idle = running_ == 0;
    for (const QString& key : {CmdKey::Start, CmdKey::TestVavedaver, CmdKey::SelectOpt, CmdKey::SaveDives})
        Cmd->Items(key).SetEnabled(idle);
    for (QAction* a : {mnuStart, mnuTestVavedaver, mnuSaveDives, mnuSleep, mnuRUThere, mnuAllDives, mnuNewDives,
                       mnuUnSelect})
        a->setEnabled(idle);
}

// Sized to what it shows, in the middle of the screen.
void CommFrm::CenterOnScreen()
{
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void CommFrm::PutOnTop()
{
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void CommFrm::UnDoPutOnTop()
{
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
}

// --- load, close, unload ---------------------------------------------------

void CommFrm::Form_Load()
{
    SetProcessPriority(0, 0, HighPriorityClass);
    PutOnTop();
    M.DeviceModelText.clear();
    M.LastPageNo = LastDevicePage;
    M.Busy = false;
    M.VavedaverFound = false;
    M.CloseRequested = false;
    Link->Link.PortIsOpen = MSComm1->IsOpen();
    Link->Link.DataSeen = false;
    Link->Link.CurrentCommand = CmdIdle;
    CenterOnScreen();
    SetCaptions();
    QString model = gv.ModelName;
    gv.SelectedModelID = ModelCodeToId(model);
    gv.DeviceFamily = MapModelId(gv.SelectedModelID);
    Link->TestVavedaver();
    Link->Qor_Sleep();
}

void CommFrm::mnuClose_Click()
{
    SetAwakeTimer->stop();
    M.CloseRequested = true;
    Link->RequestClose();
    CloseTimer->start();
}

void CommFrm::CloseTimer_Timer()
{
    if (M.Busy || running_ > 0 || Link->IsWaiting() || closeQueued_)
        return;
    CloseTimer->stop();
    Link->Qor_Sleep();
    // Unloads after this handler has returned, never under a running routine.
    closeQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        Unload();
        QDialog::done(QDialog::Accepted);
    });
}

void CommFrm::Form_Unload()
{
    MSComm1->Close();
    if (!DownloadFilePath.isEmpty())
        QFile::remove(DownloadFilePath);
}

void CommFrm::Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    CloseTimer->stop();
    SetAwakeTimer->stop();
    Form_Unload();
}

void CommFrm::closeEvent(QCloseEvent* event)
{
    if (unloaded_) {
        event->accept();
        return;
    }
    event->ignore();
    mnuClose_Click();
}

void CommFrm::reject()
{
    if (unloaded_)
        QDialog::reject();
    else
        mnuClose_Click();
}

// --- commands --------------------------------------------------------------

void CommFrm::Cmd_ItemClick(const QString& key)
{
    if (key == CmdKey::Close)
        mnuClose_Click();
    else if (key == CmdKey::TestVavedaver)
        RunRoutine([this] { Link->TestVavedaver(); });
    else if (key == CmdKey::Start)
        RunRoutine([this] { mnuStart_Click(); });
    else if (key == CmdKey::SelectAll)
        mnuAllDives_Click();
    else if (key == CmdKey::SaveDives)
        RunRoutine([this] { mnuSaveDives_Click(); });
    else if (key == CmdKey::SelectNew)
        mnuNewDives_Click();
    else if (key == CmdKey::SelectNone)
        mnuUnSelect_Click();
    else if (key == CmdKey::Help)
        mnuHelp_Click();
}

void CommFrm::mnuStart_Click()
{
    mnuStart->setVisible(false);
    Link->Link.DataSeen = true;
    if (!M.VavedaverFound) {
        MsgBox("USB Vavedaver NOT FOUND. Process is terminated.", MsgButtons::OK, MsgIcon::Critical, "Warning");
        return;
    }
    // Every transfer stores what it reads: a log that takes no writes is said so before the device is read.
    if (!LogTakesWrites())
        return;
    if (mode_ == ReadSettingsMode || mode_ == WriteSettingsMode)
        ReadDCSettings();
    else if (mode_ == DownloadMode)
        Download();
}

void CommFrm::mnuTestVavedaver_Click()
{
    Link->TestVavedaver();
}

void CommFrm::mnuSleep_Click()
{
    Link->Qor_Sleep();
}

void CommFrm::mnuRUThere_Click()
{
    const bool awake = RUThere();
    MsgBox(awake ? "Unit is awake!" : "Unit is OFF!", MsgButtons::OK, MsgIcon::Information, "RUTHere");
}

void CommFrm::mnuHelp_Click()
{
    switch (mode_) {
    case ReadSettingsMode: ShowHelp(gv.HelpFile, HelpReadSettings); break;
    case WriteSettingsMode: ShowHelp(gv.HelpFile, HelpWriteSettings); break;
    case DownloadMode: ShowHelp(gv.HelpFile, HelpDownload); break;
    default: break;
    }
}

// The keep-awake frame; the window never waits for its reply.
void CommFrm::SetAwakeTimer_Timer()
{
    if (M.Busy || running_ > 0 || Link->IsWaiting())
        return;
    ScopedFlag busy(M.Busy);
    Link->SendKeepAwake();
}

// The keep-awake frame with the usual windows: the unit is awake when any reply
// byte comes back.
bool CommFrm::RUThere()
{
    if (gv.DeviceFamily == FirstFamily)
        return Link->RUThere();
    LinkState& s = Link->Link;
    ScopedFlag busy(M.Busy);
    bool seen = false;
    for (int send = 0; send <= LinkTiming::MaxResends && !seen && !M.CloseRequested; ++send) {
        s.CurrentCommand = CmdKeepAwake;
        s.CmdBuffer[0] = CmdKeepAwake;
        s.CmdBuffer[1] = 0;
        s.CmdBuffer[2] = 0;
        s.ReplyPending = true;
        s.RxExpected = KeepAwakeReplySize;
        s.RxCount = 0;
        s.ReplyDone = false;
        s.DataSeen = false;
        Link->SendCommand(3);
        seen = Link->WaitUntil(RUThereWindow, [&s] { return s.DataSeen; });
    }
    s.DataSeen = true;
    return seen;
}

// --- transfers -------------------------------------------------------------

// Wakes the device for a transfer; false (having said why, or closed) when the
// transfer cannot go on.
bool CommFrm::WakeForTransfer()
{
    const bool ok = Link->Qor_WakeUpRead();
    if (M.CloseRequested)
        return false;
    if (!ok) {
        if (M.DeviceModelText.compare(gv.SelectedModel, Qt::CaseInsensitive) != 0) {
            mnuClose_Click();
        } else {
            ShowBarItem(CmdKey::Progress, false);
            ShowStatus("Could not communicate with the Radarar Edeze.");
        }
    }
    return ok;
}

void CommFrm::ReadDCSettings()
{
    Link->ClearPackage();
    SetAwakeTimer->stop();
    if (!WakeForTransfer())
        return;
    Link->Qor_ReadLog();
    if (M.CloseRequested || !M.ReadOK)
        return;
    SaveSettings();
    if (mode_ == ReadSettingsMode) {
        mnuClose_Click();
        return;
    }
    if (M.CloseRequested)
        return;
    Qor_WriteDCSettings();
}

void CommFrm::Download()
{
    Link->ClearPackage();
    SetAwakeTimer->stop();
    M.AbortSession = false;
    if (!WakeForTransfer())
        return;
    Link->Qor_ReadLog();
    if (M.CloseRequested)
        return;
    if (M.AbortSession || !M.ReadOK) {
        ShowBarItem(CmdKey::Progress, false);
        SetMessage(QString());
        return;
    }
    SaveSettings();
    if (M.CloseRequested)
        return;
    Link->Qor_Decoding();
    Link->Qor_ReadDivesIndex();
    M.Busy = false;
    if (M.CloseRequested || !M.ReadOK)
        return;
    Qor_LoadDivesList();
    Cmd->Items(CmdKey::Start).SetVisible(false);
    SetMessage(QString());
    SetAwakeTimer->start();
}

// --- the dive list ---------------------------------------------------------

void CommFrm::Qor_LoadDivesList()
{
    Frame1->hide();
    SaveLbl->setText(DiveListInstructions);
    Frame2->show();
    ShowSelection(true);
    // The list makes the window taller: keep all of it on the screen.
    CenterOnScreen();
    DivesList->ClearItems();
    device::ResetDiveList(DiveList, QStringLiteral("01/01/2007"));
    const device::IndexWalk walk =
        device::WalkIndex({M.FirstIndexPage, M.FirstEntryOffset, M.EndIndexPage, M.EndEntryOffset});
    if (walk.noDive) {
        MsgBox("No dive profile.", MsgButtons::OK, MsgIcon::Information, "Download from " + gv.ModelName);
        Frame1->show();
        return;
    }
    int n = 0;
    for (int position : walk.positions)
        Qor_AddToDivesList(position, ++n);
}

void CommFrm::Qor_AddToDivesList(int offset, int n)
{
    if (n < 1 || n > device::DiveListSize)
        return;
    AddListLine(n, device::DecodeListEntry(Link->Link.RxBuffer, offset, gv.UnitDate, gv.UnitTime, DiveList[n - 1]));
}

void CommFrm::AddToDivesList(int offset, int n)
{
    if (n < 1 || n > device::DiveListSize)
        return;
    AddListLine(n, FamilyAListEntry(Link->Link.RxBuffer, offset, gv.UnitDate, gv.UnitTime, DiveList[n - 1]));
}

void CommFrm::AddListLine(int n, const QString& line)
{
    if (line.isEmpty())
        return;
    const bool exists = IsDiveExisted(n - 1);
    CheckItem& item = DivesList->AddItem(CheckItemKind::Check, QString::number(n), line);
    item.SetValue(0);
    if (exists)
        item.SetEnabled(false);
}

bool CommFrm::IsDiveExisted(int index)
{
    if (index < 0 || index >= device::DiveListSize)
        return false;
    try {
        return device::IsDiveExisted(LogDB(), DiveList[index], gv.SelectedModelID, M.UnitSerialNo);
    } catch (const db::DbError& e) {
        qCWarning(lcDevice) << "looking the dive up failed:" << e.Message();
        return false;
    }
}

void CommFrm::DivesList_ItemClick(CheckItem* item)
{
    const int n = KeyOf(item->Key());
    if (n < 1 || n >= FirstStatusKey)
        return;
    const QString status = QString::number(n + StatusKeyOffset);
    DivesList->RemoveItem(status);
    if (item->Ticked()) {
        CheckItem& line = DivesList->AddItem(CheckItemKind::Label, status, "Status: In queue.", item);
        line.SetColor(ColorOf(StatusLineGreen));
    }
}

std::vector<CheckItem*> CommFrm::DiveLines() const
{
    std::vector<CheckItem*> lines;
    for (const auto& item : DivesList->AllItems()) {
        const int n = KeyOf(item->Key());
        if (n >= 1 && n < FirstStatusKey)
            lines.push_back(item.get());
    }
    return lines;
}

void CommFrm::TickDive(CheckItem& item, bool ticked)
{
    if (item.Ticked() == ticked)
        return;
    item.SetTicked(ticked);
    DivesList_ItemClick(&item);
}

void CommFrm::mnuUnSelect_Click()
{
    for (CheckItem* item : DiveLines()) {
        if (item->Enabled())
            TickDive(*item, false);
    }
}

void CommFrm::mnuAllDives_Click()
{
    mnuUnSelect_Click();
    for (CheckItem* item : DiveLines()) {
        if (item->Enabled())
            TickDive(*item, true);
    }
}

void CommFrm::mnuNewDives_Click()
{
    mnuUnSelect_Click();
    for (CheckItem* item : DiveLines()) {
        if (item->Enabled() && !IsDiveExisted(KeyOf(item->Key()) - 1))
            TickDive(*item, true);
    }
}

// --- saving dives ----------------------------------------------------------

void CommFrm::mnuSaveDives_Click()
{
    ShowSelection(false);
    SetAwakeTimer->stop();
    const std::vector<CheckItem*> lines = DiveLines();
    const bool anyTicked = std::any_of(lines.begin(), lines.end(), [](CheckItem* i) { return i->Ticked(); });
    if (!anyTicked) {
        MsgBox("No dive has been selected.", MsgButtons::OK, MsgIcon::Exclamation, "Save Dives");
    } else {
        SetMessage("Saving selected dives...");
        storeFailure_.clear();
        SaveLifetimeNo = gv.NewDiveLTD - 1;
        for (size_t i = 0; i < lines.size(); ++i) {
            CheckItem* item = lines[i];
            QCoreApplication::processEvents();
            if (M.CloseRequested) {
                M.Busy = false;
                return;
            }
            if (!item->Enabled() || !item->Ticked())
                continue;
            item->SetEnabled(false);
            const int n = KeyOf(item->Key());
            CurDiveNo = n;
            M.CurStatusKey = n + StatusKeyOffset;
            device::DiveListRecord& dive = DiveList[n - 1];
            if (dive.SA == 0)
                continue;
            if (!IsRingPage(dive.SA) || !IsRingPage(dive.EA)) {
                SetListItemText(M.CurStatusKey, "Invalid dive data!");
                SetListItemState(M.CurStatusKey, StatusLineQueued);
                continue;
            }
            Link->Qor_ReadProfile(dive.SA, dive.EA);
            if (M.ProfileReadFailed)
                continue;
            if (M.CloseRequested) {
                M.Busy = false;
                return;
            }
            // The next dive's first page comes over the line while this one is stored.
            Link->ReadPageAhead(NextDiveStart(lines, i + 1));
            ++SaveLifetimeNo;
            if (!Link->IsValidDive(dive.DiveDate, dive.DiveTime, n, dive.SA, dive.EA)) {
                SetListItemText(M.CurStatusKey, "Invalid dive data!");
                SetListItemState(M.CurStatusKey, StatusLineQueued);
                continue;
            }
            Qor_ConvertData(n - 1, dive.SA, dive.EA);
        }
        SaveData();
        SayHowTheSaveEnded();
        try {
            RenumberLifeTimeDives();
        } catch (const db::DbError& e) {
            qCWarning(lcDevice) << "renumbering the dives failed:" << e.Message();
        }
    }
    ShowSelection(true);
    SetAwakeTimer->start();
}

// Dives skipped as invalid leave the save "completed"; a dive the log would not take
// makes it "failed", and the first failure's cause is shown.
void CommFrm::SayHowTheSaveEnded()
{
    if (storeFailure_.isEmpty()) {
        SetMessage("Saving dives...completed.");
        return;
    }
    SetMessage("Saving dives...failed.");
    MsgBox(storeFailure_, MsgButtons::OK, MsgIcon::Critical, "Save Dives");
}

void CommFrm::NoteStoreFailure(const QString& cause)
{
    if (storeFailure_.isEmpty())
        storeFailure_ = cause;
}

int CommFrm::NextDiveStart(const std::vector<CheckItem*>& lines, size_t from) const
{
    for (size_t i = from; i < lines.size(); ++i) {
        if (!lines[i]->Enabled() || !lines[i]->Ticked())
            continue;
        const device::DiveListRecord& dive = DiveList[KeyOf(lines[i]->Key()) - 1];
        return dive.SA != 0 && IsRingPage(dive.SA) && IsRingPage(dive.EA) ? dive.SA : -1;
    }
    return -1;
}

void CommFrm::Qor_ConvertData(int index, int sa, int ea)
{
    device::DiveListRecord& record = DiveList[index];
    record.SA = sa;
    record.EA = ea;
    const device::DiveToConvert dive{record, SaveLifetimeNo, gv.AddDiveMode == kAddDownload + kAddAtBeginning || gv.AddDiveMode == kAddDownload + kAddAtTypedNumber,
                                     gv.SelectedModelID, M.UnitSerialNo, gv.DCVersion};
    qint64 diveId = 0;
    try {
        const device::ConvertResult result = device::ConvertDive(LogDB(), Link->Link.RxBuffer, dive);
        if (!result.error.isEmpty()) {
            const bool dataError = result.error == "Dive Data Error";
            MsgBox(result.error, MsgButtons::OK, MsgIcon::Critical, dataError ? "error" : "Error");
            NoteStoreFailure(result.cause);
            return;
        }
        diveId = result.diveId;
        gv.rsDiveData = LogDB().OpenRecordset("Select * from DIVEDATA where DIVEID = ? ;", {result.diveId});
        gv.rsDiveDCSettings = LogDB().OpenRecordset("Select * from DIVE_DC_SETTINGS Where DIVEID = ? ;", {result.diveId});
    } catch (const db::DbError& e) {
        qCWarning(lcDevice) << "storing the dive failed:" << e.Message();
        MsgBox("Error adding new dive.", MsgButtons::OK, MsgIcon::Critical, "Error");
        NoteStoreFailure(WriteFailureText(gv.DB ? gv.DB->Path() : QString(), e));
        return;
    }
    DiveStored(diveId);
    record.IsSaved = true;
}

// --- the download archive --------------------------------------------------

void CommFrm::SaveData()
{
    const QDateTime now = QDateTime::currentDateTime();
    DownloadFilePath = ProgramFolder() + "/data/" + device::ArchiveFileName(gv.ModelName, M.UnitSerialNo, now);
    DataTemplatePath = ProgramFolder() + "/Tpls/dat.tpl";
    DataWorkPath = DownloadFilePath + ".dec";
    device::ArchiveContent content{gv.ModelName, gv.SelectedModelID, M.UnitSerialNo, Link->Link.RxBuffer, DiveList};
    const QString error =
        device::SaveArchive(DownloadFilePath, DataTemplatePath, content, {DownloadFileDB, rsDownloadIndex});
    if (!error.isEmpty())
        MsgBox(error, MsgButtons::OK, MsgIcon::Critical, "Error");
}

void CommFrm::SaveData1()
{
    DownloadFilePath = ProgramFolder() + "/data/" +
                       device::PlainImageFileName(gv.ModelName, M.UnitSerialNo, QDateTime::currentDateTime());
    if (!device::SavePlainImage(DownloadFilePath, Link->Link.RxBuffer))
        qCWarning(lcDevice) << "writing the image file failed:" << DownloadFilePath;
}

void CommFrm::Qor_Comm_LoadDivesList()
{
    device::ArchiveContent content;
    const QString error = device::LoadPlainArchive(DownloadFilePath, content, {DownloadFileDB, rsDownloadIndex});
    if (!error.isEmpty()) {
        MsgBox(error, MsgButtons::OK, MsgIcon::Critical, "Error");
        return;
    }
    gv.ModelName = content.modelName;
    gv.SelectedModelID = content.modelId;
    std::copy(content.image.begin(), content.image.end(), Link->Link.RxBuffer.begin());
    Link->Qor_Decoding();
    Qor_LoadDivesList();
}

// --- settings --------------------------------------------------------------

void CommFrm::FailSettings()
{
    MsgBox("Could not save the dive computer settings.", MsgButtons::OK, MsgIcon::Critical, "Error");
    Link->Qor_Sleep();
    mnuClose_Click();
}

void CommFrm::SaveSettings()
{
    const Image& image = Link->Link.RxBuffer;
    M.UnitSerialNo = SerialNoOf(image);
    if (M.UnitSerialNo == 0) {
        MsgBox("Invalid serial number. Access denied.", MsgButtons::OK, MsgIcon::Critical, "Error");
        Link->Qor_Sleep();
        mnuClose_Click();
        return;
    }
    gv.SelectedSerialNo = M.UnitSerialNo;
    try {
        const int hour = settings::StoreUnitSettings(LogDB(), gv.SelectedModelID, M.UnitSerialNo,
                                                     PageBytes(image, DevicePage::Settings),
                                                     settings::DecodeLegs(LegPageBytes(image)), gv.DCVersion);
        gv.UnitTime = InvertBit(hour);
    } catch (const db::DbError& e) {
        qCWarning(lcDevice) << "storing the unit's settings failed:" << e.Message();
        FailSettings();
    }
}

void CommFrm::Qor_WriteDCSettings()
{
    settingsWritten_ = ::kvl::Qor_WriteDCSettings(*Link, M, *this) == SettingsWriteEnd::Written;
}

// --- what the routines show ------------------------------------------------

void CommFrm::ShowStatus(const QString& s)
{
    SetMessage(s);
}

void CommFrm::ShowProgress(int done, int total)
{
    const int percent = total != 0 ? done * 100 / total : 0;
    SetProgress(percent, "Status: " + QString::number(percent) + "%");
}

void CommFrm::SetMessage(const QString& text)
{
    Cmd->Items(CmdKey::Message).SetText(text);
}

void CommFrm::SetMessageColor(int color)
{
    Cmd->SetMessageColor(ColorOf(color));
}

void CommFrm::SetProgress(int percent, const QString& caption)
{
    Cmd->Items(CmdKey::Progress).SetVisible(1);
    Cmd->SetProgress(percent, caption);
}

void CommFrm::ShowBarItem(const QString& key, bool visible)
{
    Cmd->Items(key).SetVisible(visible ? 1 : 0);
}

void CommFrm::SetBarItemText(const QString& key, const QString& text)
{
    Cmd->Items(key).SetText(text);
}

void CommFrm::SetListItemText(int key, const QString& text)
{
    if (CheckItem* item = DivesList->HasItem(QString::number(key)) ? &DivesList->Items(QString::number(key)) : nullptr)
        item->SetCaption(text);
}

// A status line's state shows as its mark: downloading, or done.
void CommFrm::SetListItemState(int key, int state)
{
    if (!DivesList->HasItem(QString::number(key)))
        return;
    CheckItem& item = DivesList->Items(QString::number(key));
    item.SetValue(state);
    if (state == StatusLineDownloading)
        item.SetColor(Qt::darkBlue);
    else
        item.SetColor(ColorOf(StatusLineGreen));
}

void CommFrm::SetListItemEnabled(int key, bool enabled)
{
    if (DivesList->HasItem(QString::number(key)))
        DivesList->Items(QString::number(key)).SetEnabled(enabled);
}

} // namespace kvl
