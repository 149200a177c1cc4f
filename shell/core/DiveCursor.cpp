#include "shell/core/DiveCursor.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/runtime/Logging.h"
#include "shell/core/DiveRows.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/LogStore.h"
#include "shell/core/FormCode.h"
#include "shell/core/FormTable.h"
#include "shell/core/MDI_Commands.h"
#include "shell/core/MainWindowHooks.h"
#include "shell/core/StateCodes.h"
#include "shell/core/Units.h"

namespace kvl {

namespace {

// Takes the dive just added by hand out of the log again: its rows go and the later
// lifetime numbers close up, in one transaction. A failure leaves the log as it was.
void DiscardNewDive()
{
    const qint32 id = gv.NewDiveID;
    try {
        db::Transaction tx(*gv.DB);
        const db::Value ltd = gv.DB->Scalar("SELECT LIFETIMEDIVENO FROM DIVEDATA WHERE DIVEID = ? ;", {id});
        gv.DB->Execute("DELETE FROM DIVEDATA WHERE DIVEID = ? ;", {id});
        gv.DB->Execute("DELETE FROM DIVE_DC_SETTINGS WHERE DIVEID = ? ;", {id});
        if (!ltd.IsNull())
            ReIndexLTD(static_cast<qint32>(ltd.ToLong()));
        tx.Commit();
    } catch (const db::DbError& error) {
        // The dive stays; it is no longer treated as new.
        qCWarning(kvlDb, "taking the new dive %d out again failed: %s", id, error.what());
    }
    ForgetNewDive();
    ShowCurrentLTD();
}

} // namespace

bool AskToSaveChanges()
{
    // No throws the typed edits away, so Escape must not answer it.
    return MsgBox(QStringLiteral("Do you want to save the changes?"), MsgButtons::YesNo, MsgIcon::Critical,
                  QStringLiteral("Warning"), MsgDefault::First, MsgEscape::None) == MsgAnswer::Yes;
}

bool DiveRecordChanged()
{
    ChildFormInterface* record = FormOf(FormCode::Dive);
    return record && record->HasChanges();
}

bool SaveDiveRecord()
{
    return SaveFormChanges(FormCode::Dive);
}

void CommitDiveRecordEdit()
{
    if (ChildFormInterface* record = ExistingForm(FormCode::Dive))
        record->CommitPendingEdit();
}

QString DiveCaption()
{
    const db::Recordset& rs = *gv.rsDiveData;
    return QStringLiteral("#") + rs.Field("LIFETIMEDIVENO").ToString() + QLatin1Char(' ') +
           FormatDBDate(rs.Field("DIVEDATE").ToString()) + QLatin1Char(' ') +
           FormatTimeByMode(rs.Field("DIVETIME").ToString(), gv.UnitTime);
}

void ShowDiveCaption()
{
    gv.CurrentDiveCaption = DiveCaption();
    CurrentMainWindowHooks().SetLTDText(gv.CurrentDiveCaption);
}

namespace {

// Every move ends by showing the current dive in the open form (UpdateMDIInfo), and
// the dive record on screen loads the dive itself then: loading it on the move too
// would read the row twice.
bool DiveRecordLoadsOnShow()
{
    const ChildFormInterface* record = ExistingForm(FormCode::Dive);
    return gv.ActiveFormID == FormCode::Dive && record && record->OnScreen();
}

} // namespace

void MakeRowCurrent(int pos)
{
    gv.rsDiveData->SetAbsolutePosition(pos);
    gv.CurrentDiveID = static_cast<qint32>(gv.rsDiveData->Field("DIVEID").ToLong());
    ShowDiveCaption();
    if (!DiveRecordLoadsOnShow())
        LoadCurrentDive();
}

bool MakeDiveCurrent(qint32 diveId)
{
    db::Recordset* rs = gv.rsDiveData.get();
    if (!rs || diveId < 1)
        return false;
    const int before = rs->AbsolutePosition();
    if (!rs->FindFirst(QStringLiteral("DIVEID"), diveId)) {
        if (before >= 0)
            rs->SetAbsolutePosition(before);
        return false;
    }
    MakeRowCurrent(rs->AbsolutePosition());
    return true;
}

LeaveResult LeaveOpenDive()
{
    if (gv.ActiveFormID != FormCode::Dive)
        return LeaveResult::Stayed;
    if (DiveRecordChanged() || CurrentDiveIsNew()) {
        if (AskToSaveChanges()) {
            if (!SaveDiveRecord())
                return LeaveResult::Refused;
        } else if (CurrentDiveIsNew()) {
            DiscardNewDive();
            return LeaveResult::Discarded;
        }
    }
    return gv.DiveChanged == kDiveRefused ? LeaveResult::Refused : LeaveResult::Stayed;
}

namespace {

// A dive outside a query's list: the list goes back to every dive, on that dive.
bool MakeDiveCurrentInWholeLog(qint32 diveId)
{
    if (!DiveListFiltered() || diveId < 1 || gv.DB->Scalar("SELECT DIVEID FROM DIVEDATA WHERE DIVEID = ? ;", {diveId}).IsNull())
        return false;
    ResetDiveList();
    gv.rsDiveData = gv.DB->OpenRecordset(gv.DiveListSQL, gv.DiveListParams);
    return MakeDiveCurrent(diveId);
}

} // namespace

bool SaveOpenSiteForm()
{
    const bool siteForm = gv.ActiveFormID == FormCode::Location || gv.ActiveFormID == FormCode::Gear;
    return !siteForm || SaveFormChanges(gv.ActiveFormID);
}

bool PickDive(qint32 diveId)
{
    CommitDiveRecordEdit();
    const LeaveResult left = LeaveOpenDive();
    if (left == LeaveResult::Refused || !SaveOpenSiteForm())
        return false;
    const bool picked = MakeDiveCurrent(diveId) || MakeDiveCurrentInWholeLog(diveId);
    // A discarded new dive took the list to another dive, which the form must show
    // even when the dive picked was the discarded one.
    if (!picked && left != LeaveResult::Discarded)
        return false;
    CurrentMainWindowHooks().UpdateMDIInfo(false);
    return picked;
}

} // namespace kvl
