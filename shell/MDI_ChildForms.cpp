// The side bar and the switching of child forms.
#include "shell/MDI_MainFrm.h"

#include "analysis/DetailsFrm.h"
#include "analysis/HistoryFrm.h"
#include "analysis/QueriesFrm.h"
#include "dive/DiveFrm.h"
#include "people/BuddiesFrm.h"
#include "people/PersonalFrm.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "settings/DCFrm.h"
#include "shell/core/DiveRows.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/MDI_Commands.h"
#include "site_gear/GearFrm.h"
#include "site_gear/LocationFrm.h"

namespace kvl {

namespace {

bool NoCurrentDive()
{
    return gv.CurrentDiveID == -1;
}

// The loaded child form with this code, or nullptr.
ChildForm* LoadedForm(int code)
{
    switch (code) {
    case FormCode::Personal: return PersonalFrm::Exists() ? &PersonalFrm::Instance() : nullptr;
    case FormCode::DiveComputer: return DCFrm::Exists() ? &DCFrm::Instance() : nullptr;
    case FormCode::Dive: return DiveFrm::Exists() ? &DiveFrm::Instance() : nullptr;
    case FormCode::Buddies: return BuddiesFrm::Exists() ? &BuddiesFrm::Instance() : nullptr;
    case FormCode::Location: return LocationFrm::Exists() ? &LocationFrm::Instance() : nullptr;
    case FormCode::Details: return DetailsFrm::Exists() ? &DetailsFrm::Instance() : nullptr;
    case FormCode::Gear: return GearFrm::Exists() ? &GearFrm::Instance() : nullptr;
    case FormCode::History: return HistoryFrm::Exists() ? &HistoryFrm::Instance() : nullptr;
    case FormCode::Queries: return QueriesFrm::Exists() ? &QueriesFrm::Instance() : nullptr;
    default: return nullptr;
    }
}

// The side bar marks the item of the form on screen, and only that one, however
// the form came or went (an item, a tool-bar command, a fall-back).
void MarkShownForm()
{
    for (int code = FormCode::Personal; code <= FormCode::Queries; ++code) {
        const ChildForm* form = LoadedForm(code);
        MainFrm().SmartBar->Items(SideBarKeyOfForm(code)).MarkSelected(form && form->Loaded() && !form->isHidden());
    }
}

// Shows the child form with this code, loading it when needed.
void ShowFormOnly(int code)
{
    switch (code) {
    case FormCode::Personal: PersonalFrm::Instance().Show(); break;
    case FormCode::DiveComputer: DCFrm::Instance().Show(); break;
    case FormCode::Dive: DiveFrm::Instance().Show(); break;
    case FormCode::Buddies: BuddiesFrm::Instance().Show(); break;
    case FormCode::Location: LocationFrm::Instance().Show(); break;
    case FormCode::Details: DetailsFrm::Instance().Show(); break;
    case FormCode::Gear: GearFrm::Instance().Show(); break;
    case FormCode::History: HistoryFrm::Instance().Show(); break;
    case FormCode::Queries: {
        // Closing only hides the query form (it keeps its criteria), so its load
        // does not run again: the code is written here, and the lists are read anew.
        gv.ActiveFormID = FormCode::Queries;
        QueriesFrm& queries = QueriesFrm::Instance();
        const bool shownAgain = queries.Loaded();
        queries.Show();
        if (shownAgain)
            queries.RefreshLists();
        break;
    }
    default: break;
    }
}

void ShowForm(int code)
{
    ShowFormOnly(code);
    MarkShownForm();
}

// Writes the pending changes of the form with this code when the rule asks for it.
void SaveForm(SaveRule rule, int code)
{
    switch (rule) {
    case SaveRule::Nothing: return;
    case SaveRule::Always: break;
    case SaveRule::IfPersonChanged:
        if (!gv.PersonChanged)
            return;
        break;
    case SaveRule::IfDiveChanged:
        if (!DiveRecordChanged())
            return;
        break;
    case SaveRule::IfDiveChangedOrNew:
        if (NoCurrentDive())
            return;
        // The change check is what reads the boxes back into the record: it runs for
        // a new dive too, or the dive would be written without what was typed.
        if (!DiveRecordChanged() && !CurrentDiveIsNew())
            return;
        break;
    }
    switch (code) {
    case FormCode::Personal: PersonalFrm::Instance().SaveInfo(); break;
    case FormCode::Dive: SaveDiveRecord(); break;
    case FormCode::Buddies: BuddiesFrm::Instance().SaveInfo(); break;
    case FormCode::Location: LocationFrm::Instance().LOCATION_Update_LocationData(); break;
    case FormCode::Gear: GearFrm::Instance().UpdateGearInfo(); break;
    default: break;
    }
}

} // namespace

bool DiveRecordRefused()
{
    return gv.ActiveFormID == FormCode::Dive && gv.DiveChanged == 3;
}

bool DiveRecordRefusesToClose()
{
    if (gv.ActiveFormID != FormCode::Dive)
        return false;
    SaveForm(SaveRuleOf(SaveOccasion::Closing, FormCode::Dive), FormCode::Dive);
    return DiveRecordRefused();
}

void RegisterChildForms()
{
    PersonalFrm::Register(FormCode::Personal);
    DCFrm::Register(FormCode::DiveComputer);
    DiveFrm::Register(FormCode::Dive);
    BuddiesFrm::Register(FormCode::Buddies);
    LocationFrm::Register(FormCode::Location);
    DetailsFrm::Register(FormCode::Details);
    GearFrm::Register(FormCode::Gear);
    HistoryFrm::Register(FormCode::History);
    QueriesFrm::Register(FormCode::Queries);
}

void SaveOpenForm(SaveOccasion occasion, int code)
{
    SaveForm(SaveRuleOf(occasion, code), code);
}

void MDI_MainFrm::SmartBar_ItemClick(const QString& key)
{
    if (key.isEmpty())
        return;   // a group header
    CommitDiveRecordEdit();
    if (!OpensWithoutDive(key) && NoCurrentDive()) {
        MsgBox(QStringLiteral("Please add new dive(s) before viewing further information."), MsgButtons::OK,
               MsgIcon::Information, QStringLiteral("Information"));
        const QString closedKey = SideBarKeyOfForm(gv.ActiveFormID);
        CloseChildForm(gv.ActiveFormID);
        if (DiveListAtEnd())
            DisableDiveButtons();
        SmartUI1->Items(QStringLiteral("AddDive")).SetSelected(true);
        SmartUI1->Items(QStringLiteral("AddDive")).SetSelected(false);
        // No dive was added: the form the user left comes back instead of an empty window.
        if (NoCurrentDive() && gv.ActiveFormID == FormCode::None && OpensWithoutDive(closedKey))
            SmartBar->Items(closedKey).SetSelected(true);
        return;
    }
    const int code = SelectedForm(key);
    if (code != gv.ActiveFormID) {
        if (DiveRecordRefusesToClose()) {
            MarkShownForm();   // the user stays on the record to mend it
            return;
        }
        CloseChildForm(gv.ActiveFormID);
    }
    if (code == -1 || code == gv.ActiveFormID)
        return;   // the logo, or the form already open

    switch (code) {
    case FormCode::Queries:
        if (NoCurrentDive())
            return;
        DisableDiveButtons();
        ShowForm(code);
        return;
    case FormCode::Personal:
        DisableDiveButtons();
        SmartUI1->Items(QStringLiteral("Print")).SetVisible(1);
        ShowForm(code);
        return;
    case FormCode::DiveComputer:
        DisableDiveButtons();
        SmartUI1->Items(QStringLiteral("PDCSettings")).SetVisible(1);
        ShowForm(code);
        return;
    case FormCode::History:
        if (DiveListAtEnd())
            return;
        DisableDiveButtons();
        ShowForm(code);
        return;
    case FormCode::Details:
        if (DiveListAtEnd())
            DisableDiveButtons();
        gv.ActiveFormID = FormCode::None;
        if (gv.CurrentDive.DATATYPE == 0 || gv.CurrentDive.MDEPTH.ToDouble() <= 0) {
            MsgBox(gv.CurrentDive.DATATYPE == 0
                       ? QStringLiteral("Dive Details is not available for Manual Entry Dive.")
                       : QStringLiteral("Dive Details is not available for dive with depth <=0."),
                   MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("Dive Details"));
            SmartBar->Items(QStringLiteral("Dive")).SetSelected(true);
            return;
        }
        if (!NoCurrentDive())
            ShowForm(code);
        return;
    default:   // the per-dive forms: dive record, companions, location, gear
        if (DiveListAtEnd())
            DisableDiveButtons();
        if (!NoCurrentDive())
            ShowForm(code);
        return;
    }
}

int MDI_MainFrm::SelectedForm(const QString& key) const
{
    return FormCodeOfKey(key);
}

void MDI_MainFrm::CloseChildForm(int formCode)
{
    const QString key = SideBarKeyOfForm(formCode);
    if (key.isEmpty()) {
        MarkShownForm();   // no form open, or a log was just opened
        return;
    }
    SaveOpenForm(SaveOccasion::Closing, formCode);
    DeselectSideBarItem(key);
    if (ChildForm* form = LoadedForm(formCode)) {
        if (formCode == FormCode::Queries)
            form->Hide();   // it keeps its criteria
        else
            form->Unload();
    }
    // Whichever form closed, none is open now, so its side-bar item opens it again.
    gv.ActiveFormID = FormCode::None;

    switch (formCode) {
    case FormCode::Personal:
        if (!DiveListAtEnd())
            EnableDiveButtons();
        break;
    case FormCode::DiveComputer:
        EnableDiveButtons();
        SetToolBarItemVisible(QStringLiteral("PDCSettings"), false);
        break;
    case FormCode::History:
    case FormCode::Queries:
        EnableDiveButtons();
        break;
    default:
        break;
    }
    MarkShownForm();
}

void MDI_MainFrm::OpenChildForm(int formCode)
{
    switch (formCode) {
    case FormCode::Personal:
    case FormCode::Buddies:
    case FormCode::History:
    case FormCode::Queries:
        DisableDiveButtons();
        ShowForm(formCode);
        break;
    case FormCode::DiveComputer:
        ShowForm(formCode);
        DisableDiveButtons();
        break;
    default:   // the dive record, location, profile and gear leave the tool bar alone
        ShowForm(formCode);
        break;
    }
}

void MDI_MainFrm::RefreshChildForms(int formCode)
{
    const auto fallBack = [this] {
        DeselectSideBarItem(QStringLiteral("Personal"));
        SmartBar->Items(QStringLiteral("Personal")).SetSelected(true);
    };
    switch (formCode) {
    case FormCode::Personal:
        fallBack();
        ShowForm(formCode);
        break;
    case FormCode::DiveComputer:
        if (DCFrm::Exists())
            DCFrm::Instance().Unload();
        MarkShownForm();
        EnableDiveButtons();
        SetToolBarItemVisible(QStringLiteral("PDCSettings"), false);
        break;
    case FormCode::Dive:
    case FormCode::Buddies:
    case FormCode::Location:
    case FormCode::Details:
    case FormCode::Gear:
    case FormCode::History:
    case FormCode::Queries:
        if (NoCurrentDive()) {
            fallBack();
            break;
        }
        if (formCode == FormCode::Dive && DiveFrm::Exists())
            SaveOpenForm(SaveOccasion::Closing, formCode);
        ShowForm(formCode);
        break;
    default:
        break;
    }
}

void MDI_MainFrm::SaveChildFormChanges(int formCode)
{
    SaveOpenForm(SaveOccasion::BeforePrint, formCode);
    if (DiveRecordRefused())
        return;   // reloading would drop the edits the record still holds
    LoadCurrentDive();
}

void MDI_MainFrm::UpdateMDIInfo(bool askToSave)
{
    if (askToSave && gv.ActiveFormID == FormCode::Dive) {
        if (DiveRecordChanged() && AskToSaveChanges())
            SaveDiveRecord();
        if (gv.DiveChanged == 3)
            return;   // the record was refused: it stays on screen
    }
    if (DiveListAtEnd())
        return;
    if (gv.ActiveFormID != FormCode::Dive)
        LoadCurrentDive();
    switch (gv.ActiveFormID) {
    case FormCode::Details: DetailsFrm::Instance().Detail_Initinfo(); break;
    case FormCode::Dive: DiveFrm::Instance().DIVE_InitDiveInfo(); break;
    case FormCode::Location: LocationFrm::Instance().LOCATION_Init_AllInfo(); break;
    case FormCode::Gear: GearFrm::Instance().LoadGearInfo(); break;
    case FormCode::Buddies: BuddiesFrm::Instance().Buddy_Init_AllInfo(); break;
    default: break;
    }
}

} // namespace kvl
