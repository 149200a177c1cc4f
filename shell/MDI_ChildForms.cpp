// The side bar and the switching of child forms.
#include "shell/MDI_MainFrm.h"

#include "analysis/QueriesFrm.h"
#include "forms/ChildForm.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/core/DiveRows.h"
#include "shell/core/FormTable.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/MDI_Commands.h"
#include "shell/core/StateCodes.h"

namespace kvl {

namespace {

bool NoCurrentDive()
{
    return gv.CurrentDiveID == -1;
}

// The side bar marks the item of the form on screen, and only that one, however
// the form came or went (an item, a tool-bar command, a fall-back).
void MarkShownForm()
{
    for (int code = FormCode::Personal; code <= FormCode::Queries; ++code) {
        const ChildFormInterface* form = ExistingForm(code);
        MainFrm().SmartBar->Items(SideBarKeyOfForm(code)).MarkSelected(form && form->OnScreen());
    }
}

// Shows the child form with this code, loading it when needed.
void ShowFormOnly(int code)
{
    // Closing only hides such a form, so its load, which writes the form code, does
    // not run again: the code is written here.
    if (HidesOnClose(code))
        gv.ActiveFormID = code;
    // The query form reads its name lists and records anew each time it comes back.
    const bool queriesShownAgain = code == FormCode::Queries && QueriesFrm::Exists() && QueriesFrm::Instance().Loaded();
    if (ChildFormInterface* form = FormOf(code))
        form->Show();
    if (queriesShownAgain)
        QueriesFrm::Instance().RefreshLists();
}

void ShowForm(int code)
{
    ShowFormOnly(code);
    MarkShownForm();
}

} // namespace

void MDI_MainFrm::SmartBar_ItemClick(const QString& key)
{
    if (key.isEmpty())
        return;   // a group header
    CommitDiveRecordEdit();
    if (!OpensWithoutDive(key) && NoCurrentDive()) {
        MarkShownForm();   // the item clicked opens nothing: it must not look chosen beside the form shown
        MsgBox(QStringLiteral("Please add new dive(s) before viewing further information."), MsgButtons::OK,
               MsgIcon::Information, QStringLiteral("Information"));
        const QString closedKey = SideBarKeyOfForm(gv.ActiveFormID);
        if (!CloseChildForm(gv.ActiveFormID))
            return;
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
    if (code != gv.ActiveFormID && !CloseChildForm(gv.ActiveFormID))
        return;   // the user stays on the form to mend it
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

bool MDI_MainFrm::CloseChildForm(int formCode)
{
    const QString key = SideBarKeyOfForm(formCode);
    if (key.isEmpty() || !SaveOpenForm(SaveOccasion::Closing, formCode)) {
        MarkShownForm();   // no form open, a log just opened, or a form that keeps its edits
        return key.isEmpty();
    }
    DeselectSideBarItem(key);
    if (ChildFormInterface* form = ExistingForm(formCode)) {
        if (HidesOnClose(formCode))
            form->Hide();
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
    return true;
}

void MDI_MainFrm::CloseChildFormWithLog(int formCode)
{
    if (CloseChildForm(formCode))
        return;
    // Kept, it would show the closed log's values and store the next edits nowhere.
    if (ChildFormInterface* form = ExistingForm(formCode))
        form->Unload();
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
        if (ChildFormInterface* form = ExistingForm(formCode))
            form->Unload();
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
        if (formCode == FormCode::Dive && ExistingForm(formCode))
            SaveOpenForm(SaveOccasion::Closing, formCode);
        ShowForm(formCode);
        break;
    default:
        break;
    }
}

bool MDI_MainFrm::SaveChildFormChanges(int formCode)
{
    if (!SaveOpenForm(SaveOccasion::BeforePrint, formCode))
        return false;   // reloading would drop the edits the form still holds
    LoadCurrentDive();
    return true;
}

void MDI_MainFrm::UpdateMDIInfo(bool askToSave)
{
    if (askToSave && gv.ActiveFormID == FormCode::Dive) {
        if (DiveRecordChanged() && AskToSaveChanges())
            SaveDiveRecord();
        if (gv.DiveChanged == kDiveRefused)
            return;   // the record or its write was refused: it stays on screen
    }
    if (DiveListAtEnd())
        return;
    // The move that came first loaded the dive, or left it to the dive record's refresh.
    RefreshForm(gv.ActiveFormID);
}

} // namespace kvl
