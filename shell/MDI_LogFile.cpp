// The dive-log file's lifecycle: remembering the last log, opening and checking a
// log, creating one from the template, adding its diver, backing up and restoring.
#include "shell/MDI_MainFrm.h"

#include "analysis/QueriesFrm.h"
#include "forms/ChildForm.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/folders/Folders.h"
#include "platform/runtime/Logging.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/core/DiveRows.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/LogOpen.h"
#include "shell/core/LogRestore.h"
#include "shell/core/LogStore.h"
#include "shell/core/MDI_Commands.h"
#include "shell/core/Scramble.h"
#include "shell/core/SystemServices.h"

#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

#include <memory>

namespace kvl {

namespace {

const char dataFilesFilter[] = "Data files|*.dlg";
const char backupFilesFilter[] = "Backup data files|*.bak";

QString LogsFolder()
{
    return ProgramFolder() + "/Logs";
}

QString BackupFolder()
{
    return ProgramFolder() + "/Backup";
}

void ShowError(const QString& text, const QString& title = "Error")
{
    MsgBox(text, MsgButtons::OK, MsgIcon::Critical, title);
}

// A refusal the diver chose by answering No has nothing more to say.
void ShowRefusal(const LogRefused& refusal, const QString& title = "Error")
{
    if (!refusal.Text().isEmpty())
        ShowError(refusal.Text(), title);
}

// Asks before a lock whose owner cannot be seen is taken; Enter answers No.
AskToTake AskToTakeLock(const QString& title)
{
    return [title](const QString& question) {
        return MsgBox(question, MsgButtons::YesNo, MsgIcon::Exclamation, title, MsgDefault::Second)
               == MsgAnswer::Yes;
    };
}

// A remembered value, written with its default when missing.
QString SettingOrDefault(const QString& valueName, const QString& defaultValue)
{
    const QString value = ReadKvlSetting(valueName);
    if (value != RegNotFound)
        return value;
    WriteKvlSetting(valueName, defaultValue);
    return defaultValue;
}

// Hands the keyboard back to the window when a log-file command returns, by whichever way.
class FocusBackOnReturn {
public:
    explicit FocusBackOnReturn(MDI_MainFrm& window) : window_(window) {}
    ~FocusBackOnReturn() { window_.FocusAfterLogCommand(); }
    FocusBackOnReturn(const FocusBackOnReturn&) = delete;
    FocusBackOnReturn& operator=(const FocusBackOnReturn&) = delete;

private:
    MDI_MainFrm& window_;
};

} // namespace

void MDI_MainFrm::GetLastUser()
{
    const QString logPath = SettingOrDefault("LastDiveLog", LogsFolder() + "/Sample Diver.dlg");
    gv.RegLastModel = SettingOrDefault("LastModel", "QX07");
    gv.RegLastModelData = SettingOrDefault("LastModelData", "QX07");
    gv.LogFilePath = logPath;
}

void MDI_MainFrm::LoadDatabase()
{
    if (!FileExists(gv.LogFilePath)) {
        ShowError("Database file is missing. Program terminated.");
        EndProgram();
        return;
    }
    // A file that cannot be used as a log is refused before the log in use is closed:
    // that one stays open, shown and usable. The log in use opened again keeps this
    // window's lock.
    const bool reopening = IsOpenLog(gv.LogFilePath);
    OpenedLog next;
    lockRefused_ = false;
    try {
        if (reopening) {
            next.db = OpenSoundLog(gv.LogFilePath, db::OpenMode::ReadWrite, LogUse::Open);
            next.lock = std::move(gv.LogLock);
        } else {
            next = OpenCheckedLog(gv.LogFilePath, AskToTakeLock("Opening Log File"));
        }
    } catch (const LogRefused& refusal) {
        ShowRefusal(refusal);
        lockRefused_ = refusal.Cause() == RefusalCause::Locked;
        LogOpened = false;
        if (gv.DB && gv.DB->IsOpen())
            gv.LogFilePath = gv.DB->Path();
        return;
    }
    if (gv.DBIsOpen) {
        CloseChildFormWithLog(gv.ActiveFormID);
        CloseLogDatabase();
        gv.ActiveFormID = FormCode::LogOpened;
        gv.DBIsOpen = false;
        gv.CurrentDiveID = -1;
        ForgetNewDive();   // the dive just added belongs to the log that closed
        // A query's filter belongs to the log it was made on.
        ResetDiveList();
        DisableDiveButtons();
        SmartUI1->Items("LTD").SetText(QString());
        SmartBar->Items("Personal").SetSelected(false);
    }
    gv.LogLock = std::move(next.lock);
    gv.DB = std::move(next.db);
    LogOpened = true;
    gv.DBIsOpen = true;
    ShowLogInStatusBar();
    // The hidden query form's result and its dive ids belong to the log before.
    if (QueriesFrm::Exists())
        QueriesFrm::Instance().ForgetResult();
    try {
        gv.SQLText = "Select MIN(LIFETIMEDIVENO) as MINLTDN from DIVEDATA ;";
        gv.rsTemp = gv.DB->OpenRecordset(gv.SQLText);
        if (gv.rsTemp->EOF()) {
            gv.BaseLTD = 1;
        } else if (gv.rsTemp->Field("MINLTDN").IsNull()) {
            gv.BaseLTD = 1;
            RenumberLifeTimeDives();
        } else {
            gv.BaseLTD = static_cast<qint32>(gv.rsTemp->Field("MINLTDN").ToLong());
        }
    } catch (const db::DbError& error) {
        qCWarning(kvlDb, "reading the first dive number of %s failed: %s", qPrintable(gv.LogFilePath), error.what());
        gv.BaseLTD = 1;
    }
}

bool MDI_MainFrm::IsValidDiveData()
{
    if (!gv.DB)
        throw db::DbError(21, "No data file is open.");
    return HasServedModel(*gv.DB);
}

void MDI_MainFrm::OpenDiveLog()
{
    const FocusBackOnReturn focusBack(*this);
    if (DiveRecordRefusesToClose())
        return;
    for (;;) {
        // A cancelled choice leaves the log that is open, and its path, as they are.
        const QString openPath = gv.DB && gv.DB->IsOpen() ? gv.DB->Path() : gv.LogFilePath;
        LogOpened = false;
        gv.LogFilePath.clear();
        const QString chosen = CurrentDialogs().OpenFile({QString(), LogsFolder(), QString(), dataFilesFilter});
        if (chosen.isEmpty()) {
            gv.LogFilePath = openPath;
            return;
        }
        try {
            gv.LogFilePath = chosen;
            LoadDatabase();
            if (ended_)
                return;
            if (!LogOpened)
                return;   // refused and said so; a log that was open stays open
            if (!IsValidDiveData()) {
                if (MsgBox("Invalid data file. Do you want to open another data file?", MsgButtons::YesNo,
                           MsgIcon::Critical, "Opening Log File") == MsgAnswer::Yes)
                    continue;
                CloseLogDatabase();
                EndProgram();
                return;
            }
            if (LogOpened)
                ShowOpenedLog();
        } catch (const db::DbError&) {
            ShowError("Error opening data file.");
        }
        return;
    }
}

void MDI_MainFrm::CreateNewDiveLog()
{
    const FocusBackOnReturn focusBack(*this);
    if (DiveRecordRefusesToClose())
        return;
    const QString typed = InputBox("Enter your desired Dive Log file name:", "Create New Dive Log", QString());
    if (typed.trimmed().isEmpty())
        return;
    const QString name = AcceptableLogName(typed);
    if (name.isEmpty()) {
        MsgBox("A Dive Log file name cannot hold \"/\", \"\\\" or control characters, nor be only dots. "
               "Please choose another file name.",
               MsgButtons::OK, MsgIcon::Exclamation, "Warning");
        return;
    }
    const QString path = LogsFolder() + "/" + name + ".dlg";
    if (FileExists(path)) {
        MsgBox("Dive Log is already existed. Please choose another file name.", MsgButtons::OK,
               MsgIcon::Exclamation, "Warning");
        return;
    }
    if (ScrambleFile(ProgramFolder() + "/Tpls/Dlg.tpl", path, ScrambleKey) == 0) {
        ShowError("Error creating Dive Log.");
        return;
    }
    gv.LogFilePath = path;
    LoadDatabase();
    if (ended_ || !LogOpened)
        return;
    gv.DiverName.clear();
    while (gv.DiverName.isEmpty())
        gv.DiverName = InputBox("Enter your full name:", "Add diver name to data file", QString()).trimmed();
    CreateNewUser();
    ShowOpenedLog();
}

void MDI_MainFrm::CreateNewUser()
{
    try {
        gv.rsUserInfo = gv.DB->OpenTable("USERINFO");
        gv.rsUserInfo->AddNew();
        gv.rsUserInfo->SetField("NAME", gv.DiverName);
        gv.rsUserInfo->SetField("USERTYPE", 1);
        for (const char* column : {"ADDRESS1", "ADDRESS2", "CITY", "STATE", "ZIPCODE", "COUNTRY", "HOME", "EMAIL",
                                   "CONTACTNAME", "CONTACTPHONE", "PHYSICIAN", "MEDPHONE", "INSURANCE", "POLICY",
                                   "BLOODTYPE", "ALLERGIES"})
            gv.rsUserInfo->SetField(column, " ");
        gv.rsUserInfo->Update();
    } catch (const db::DbError&) {
        ShowError("Could not add new diver.");
    }
}

namespace {

// A name typed without an extension gets the one its file dialog lists, so the file can
// be found again through that dialog's filter.
QString WithSuffix(const QString& path, const QString& suffix)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + '.' + suffix;
}

void RefuseLogInUse(const QString& text)
{
    MsgBox(text, MsgButtons::OK, MsgIcon::Critical, "Warning");
}

} // namespace

void MDI_MainFrm::BackUpDiveLog()
{
    const QString title = "Backup PC Vavedaver Program Data";
    if (MsgBox("Do you want to backup your PC Vavedaver Program Data?", MsgButtons::YesNo, MsgIcon::Information,
               title) != MsgAnswer::Yes)
        return;
    const QString proposed = BackupFileName(gv.LogFilePath, QDateTime::currentDateTime());
    for (;;) {
        const QString target = WithSuffix(
            CurrentDialogs().SaveFile({"Save As", BackupFolder(), proposed, backupFilesFilter, "bak"}), "bak");
        if (target.isEmpty())
            return;
        // A copy put in the place of a log in use would leave its window writing into the
        // file it replaced: the log of this window, or one another window holds.
        if (IsOpenLog(target)) {
            RefuseLogInUse(InUseText(target));
            continue;
        }
        try {
            const auto lock = LockLog(target, LogUse::Backup, AskToTakeLock(title));
            QString error;
            if (CopyFileReplacing(gv.LogFilePath, target, {}, &error) < 0)
                ShowError("Could not back up data file.\n" + error, title);
            return;
        } catch (const LogRefused& refusal) {
            if (!refusal.Text().isEmpty())
                RefuseLogInUse(refusal.Text());
        }
    }
}

void MDI_MainFrm::RestoreDiveLog()
{
    const FocusBackOnReturn focusBack(*this);
    const QString title = "Restore Data";
    const QString source = CurrentDialogs().OpenFile(
        {"Restore data from a backup file", BackupFolder(), QString(), backupFilesFilter});
    if (source.isEmpty())
        return;
    QString target;
    for (;;) {
        // The program refuses the open log and the backup itself and replaces any other
        // log without asking, so the dialog asks nothing more.
        target = WithSuffix(
            CurrentDialogs().SaveFile({"Save As", LogsFolder(), QString(), dataFilesFilter, "dlg", false}), "dlg");
        if (target.isEmpty())
            return;
        if (IsOpenLog(target))
            RefuseLogInUse(InUseText(target));
        else if (SameFile(target, source))
            MsgBox(target + " is the backup file being restored. Please, choose a different file name.",
                   MsgButtons::OK, MsgIcon::Critical, "Warning");
        else
            break;
    }
    // The backup is checked as a log is at opening, and a log open in another window is
    // left alone, before anything is replaced.
    try {
        const QString error = RestoreBackup(source, target, AskToTakeLock(title));
        if (!error.isEmpty()) {
            ShowError("Could not restore data file.\n" + error, title);
            return;
        }
    } catch (const LogRefused& refusal) {
        ShowRefusal(refusal, title);
        return;
    }
    MsgBox("Your backup file has been restored to: " + target, MsgButtons::OK, MsgIcon::Information, title);
}

// Remembers the log just opened or created and shows it with the diver's form.
void MDI_MainFrm::ShowOpenedLog()
{
    WriteKvlSetting("LastDiveLog", gv.LogFilePath);
    ShowCurrentLTD();
    SmartBar->Items("Personal").SetSelected(true);
    UpdateNavButtons();
}

void MDI_MainFrm::ShowLogInStatusBar()
{
    statusLog_->setText(gv.LogFilePath);
}

} // namespace kvl
