// The tool bar's commands.
#include "shell/MDI_MainFrm.h"

#include "device/CommFrm.h"
#include "device/core/DiveConversion.h"
#include "dive/AddDiveOption.h"
#include "dive/DivesListingFrm.h"
#include "forms/ModalForms.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "settings/DCFrm.h"
#include "shell/core/DiveCursor.h"
#include "shell/core/DiveRows.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/LogCheck.h"
#include "shell/core/LogStore.h"
#include "shell/core/MDI_Commands.h"
#include "shell/core/MDI_Rules.h"
#include "shell/core/Units.h"

namespace kvl {

namespace {

// Re-opens the browsed list over every dive in the sort order. A query's filter is
// dropped with it, so that the dives listing walks the same dives as the buttons.
void ReopenDiveList()
{
    ResetDiveList();
    gv.SQLText = QStringLiteral("Select * from DIVEDATA order by ") + gv.SortOrder + QStringLiteral(" ;");
    gv.rsDiveData = gv.DB->OpenRecordset(gv.SQLText);
}

// After all dives went, the browsed list must not keep them: the dive items would
// come back with the next form and walk dives that are gone.
void DeleteEveryDive()
{
    QString error;
    if (DeleteAllDives(&error) == DeleteAllResult::Failed)
        MsgBox("Could not delete all dives: " + error, MsgButtons::OK, MsgIcon::Critical, "Delete all dives");
    if (gv.CurrentDiveID == -1)
        ReopenDiveList();
}

// Makes room and adds the dive by hand, all or nothing; its DIVEID, 0 on failure.
qint32 AddManualDive(AddDiveAction action)
{
    if (!LogTakesWrites())
        return 0;
    try {
        db::Transaction tx(*gv.DB);
        if (action == AddDiveAction::ShiftAllThenAdd)
            ShiftLifeTimeDivesUp();
        else if (action == AddDiveAction::ShiftFromThenAdd)
            ShiftLifeTimeDivesUp(gv.NewDiveLTD);
        const qint32 id = InitialNewDive();
        if (id)
            tx.Commit();
        return id;
    } catch (const db::DbError&) {
        // The room was not made or the add not committed: no dive was added.
        ForgetNewDive();
        MsgBox(QStringLiteral("Could not initial new manual dive."), MsgButtons::OK, MsgIcon::Critical,
               QStringLiteral("Error"));
        return 0;
    }
}

// Shows the download window in a transfer mode (TransferMode: read or write the
// settings, download dives) with the main window minimized meanwhile. Returns the
// DIVEIDs of the dives a download stored.
std::vector<qint64> RunCommFrm(MDI_MainFrm& frm, quint8 mode)
{
    gv.CommMode = mode;
    const qint32 shownSerial = gv.SelectedSerialNo;
    frm.setWindowState(Qt::WindowMinimized);
    CommFrm comm(&frm);
    ShowModal(comm);
    if (mode == WriteSettingsMode && !comm.SettingsWritten())
        gv.SelectedSerialNo = shownSerial;   // the form keeps the edits, for the next write to send
    else if (mode != DownloadMode)
        DCFrm::Instance().DC_InitAll();   // show the settings now stored
    frm.setWindowState(Qt::WindowMaximized);
    return comm.StoredDives();
}

// Of the dives a download stored, the one with the lowest lifetime number; 0 for none.
qint64 FirstDownloadedDive(const std::vector<qint64>& diveIds)
{
    try {
        return device::FirstDownloadedDive(*gv.DB, diveIds);
    } catch (const db::DbError& e) {
        qCWarning(lcDevice) << "finding the downloaded dives failed:" << e.Message();
        return 0;
    }
}

void AddDive(MDI_MainFrm& frm)
{
    const int noted = gv.ActiveFormID;
    if (!frm.CloseChildForm(noted))
        return;
    AddDiveOption::Run(&frm);
    const AddDiveAction action = AddDiveActionOf(gv.AddDiveMode);
    qint32 added = 0;
    std::vector<qint64> downloaded;
    switch (action) {
    case AddDiveAction::Cancelled:
        frm.RefreshChildForms(noted);
        return;
    case AddDiveAction::Nothing:
        return;
    case AddDiveAction::Download:
        gv.DivesAdded = false;
        downloaded = RunCommFrm(frm, DownloadMode);
        break;
    default:
        added = AddManualDive(action);
        break;
    }
    const qint32 before = gv.CurrentDiveID;
    ReopenDiveList();
    if (gv.rsDiveData->EOF())
        return;
    if (added) {
        MakeDiveCurrent(added);
    } else if (const qint64 first = FirstDownloadedDive(downloaded); first != 0) {
        // The renumbering by date moved the new dives: land on the earliest of them.
        MakeDiveCurrent(static_cast<qint32>(first));
    } else if (!MakeDiveCurrent(before)) {
        // Nothing was added: the dive that was current stays so, or the first one.
        MakeRowCurrent(0);
    }
    LoadUnits();
    frm.SmartBar_ItemClick(QStringLiteral("Dive"));
    frm.OpenChildForm(FormCode::Dive);
}

void NavigateDives(MDI_MainFrm& frm, const QString& key)
{
    if (!gv.rsDiveData)
        return;
    int pos = gv.rsDiveData->AbsolutePosition();
    const LeaveResult left = LeaveOpenDive();
    if (left == LeaveResult::Refused)
        return;
    if (left == LeaveResult::Stayed)
        pos = gv.rsDiveData->AbsolutePosition();   // a save may have re-ordered the list
    if (!SaveOpenSiteForm())
        return;

    const int count = gv.rsDiveData->RecordCount();
    const auto target = NavigationTarget(key, pos, count, left == LeaveResult::Discarded);
    if (!target) {
        if (count > 0)
            gv.rsDiveData->MoveFirst();
        return;
    }
    MakeRowCurrent(*target);
    frm.UpdateMDIInfo(false);
}

void DeleteDive(MDI_MainFrm& frm)
{
    if (gv.CurrentDiveID == -1 || gv.CurrentDive.LIFETIMEDIVENO.ToLong() == -1)
        return;
    if (MsgBox(QStringLiteral("Are you sure to want to delete dive #") + gv.CurrentDive.LIFETIMEDIVENO.ToString() +
                   QStringLiteral("?"),
               MsgButtons::YesNo, MsgIcon::Critical, QStringLiteral("Delete dive"), MsgDefault::Second) != MsgAnswer::Yes)
        return;
    if (!frm.CloseChildForm(gv.ActiveFormID))
        return;
    // Closing saves the record, which may have renumbered it.
    const qint32 id = gv.CurrentDiveID;
    const db::Value ltd = gv.DB->Scalar("SELECT LIFETIMEDIVENO FROM DIVEDATA WHERE DIVEID = ? ;", {id});
    if (DeleteDiveInfo(id)) {
        ForgetNewDive();
        if (!ltd.IsNull())
            ReIndexLTD(static_cast<qint32>(ltd.ToLong()));
    }
    ReopenDiveList();
    if (gv.rsDiveData->EOF()) {
        gv.CurrentDiveID = -1;
        gv.CurrentDive.LIFETIMEDIVENO = -1;
        frm.SetLTDText(QString());
        frm.SmartBar->Items(QStringLiteral("Personal")).SetSelected(true);
        return;
    }
    MakeRowCurrent(0);
    LoadUnits();
    frm.OpenChildForm(FormCode::Dive);
}


} // namespace

void MDI_MainFrm::SmartUI1_ItemClick(const QString& key)
{
    CommitDiveRecordEdit();
    switch (ToolCommandOfKey(key)) {
    case ToolCommand::Exit: mnuExit_Click(); break;
    case ToolCommand::Save: SaveOpenForm(SaveOccasion::SaveCommand, gv.ActiveFormID); break;
    case ToolCommand::AddDive: AddDive(*this); break;
    case ToolCommand::DeleteAllDives: DeleteEveryDive(); break;
    case ToolCommand::DeleteDive: DeleteDive(*this); break;
    case ToolCommand::Navigate: NavigateDives(*this, key); break;
    case ToolCommand::Print: PrintLog(); break;
    case ToolCommand::LastSettings: DCFrm::Instance().GetLastSetting(); break;
    case ToolCommand::Manufacturing: DCFrm::Instance().GetDefaultSetting(); break;
    case ToolCommand::ReadSettings: RunCommFrm(*this, ReadSettingsMode); break;
    case ToolCommand::WriteSettings:
        if (DCFrm::Instance().SaveSettings())   // nothing is written after a refused entry
            RunCommFrm(*this, WriteSettingsMode);
        break;
    case ToolCommand::OpenLog: OpenDiveLog(); break;
    case ToolCommand::NewLog: CreateNewDiveLog(); break;
    case ToolCommand::Export: ExportData(); break;
    case ToolCommand::Help: mnuContent_Click(); break;
    case ToolCommand::TechSupport: mnuTech_Click(); break;
    case ToolCommand::About: mnuAbout_Click(); break;
    case ToolCommand::RestoreLog: mnuRestoreLog_Click(); break;
    case ToolCommand::None: break;
    }
}




void MDI_MainFrm::SmartUI1_ItemTextChange(const QString& key, const QString& text)
{
    (void)text;
    if (DiveListAtEnd())
        return;
    const bool metric = key == QLatin1String("Metric");
    if (!metric && key != QLatin1String("Imperial"))
        return;
    if (!SmartUI1->Items(key).Checked())
        return;
    // The diver's and the companions' forms stay open through the switch; the
    // others save their edits in the old units, close and open again in the new ones.
    const int noted = gv.ActiveFormID;
    const bool reopen = noted != FormCode::Personal && noted != FormCode::Buddies;
    if (reopen && !CloseChildForm(noted)) {
        SmartUI1->Items(key).SetChecked(false);   // the units stay as they are
        return;
    }
    SmartUI1->Items(metric ? QStringLiteral("Imperial") : QStringLiteral("Metric")).SetChecked(false);
    try {
        gv.UnitSystem = metric ? 0 : 1;
        UpdateUnitFlags();
        ShowCurrentLTD();
    } catch (const db::DbError&) {
        // the switch goes on with the form as far as it got
    }
    if (reopen)
        OpenChildForm(noted);
}

QWidget* MDI_MainFrm::SmartUI1_ItemDropDown(const QString& key)
{
    if (key != QLatin1String("LTD"))
        return nullptr;
    DivesListingFrm& listing = DivesListingFrm::Instance();
    listing.Form_Load();
    return &listing;
}

} // namespace kvl
