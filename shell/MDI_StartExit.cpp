// The start-up road, the exit road, and the menu commands for help, about and print.
#include "shell/MDI_MainFrm.h"

#include "forms/ChildForm.h"
#include "forms/HelpWindow.h"
#include "forms/ModalForms.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/runtime/Logging.h"
#include "platform/folders/Folders.h"
#include "platform/widgets/ContextMenuKey.h"
#include "platform/widgets/SmartSideBar.h"
#include "reports/Reports.h"
#include "reports/core/GaugeSettings.h"
#include "shell/core/DiveRows.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/LogStore.h"
#include "shell/core/Lookups.h"
#include "shell/core/MDI_Commands.h"
#include "shell/core/StateCodes.h"
#include "shell/core/SystemServices.h"
#include "shell/core/Units.h"
#include "shell/frmAbout.h"

#include <QCloseEvent>

#include <exception>

namespace kvl {

namespace {

bool AskYesNo(const QString& question, const QString& title, MsgIcon icon)
{
    return MsgBox(question, MsgButtons::YesNo, icon, title) == MsgAnswer::Yes;
}

} // namespace

bool MDI_MainFrm::MDIForm_Load()
{
    InstallContextMenuKey();
    gv.SortOrder = "LIFETIMEDIVENO ASC";
    gv.HelpFile = ProgramFolder() + "/" + HelpFileName;
    if (!FileExists(gv.HelpFile)
        && !AskYesNo("Could not find the help file '" + QString(HelpFileName) + "'. Do you want to continue?",
                     "Warning", MsgIcon::Exclamation)) {
        EndProgram();
        return false;
    }
    ResetDiveList();
    LogOpened = false;
    gv.DBIsOpen = false;
    RunLogged(kvlUi(), "reading the last log", [this] { GetLastUser(); });

    if (FileExists(gv.LogFilePath)) {
        RunLogged(kvlUi(), "opening the log", [this] { LoadDatabase(); });
        if (ended_)
            return false;
        RunLogged(kvlUi(), "reading the unit flags", [] { InitUnitFlags(); });
        bool valid = false;
        RunLogged(kvlUi(), "checking the log", [this, &valid] { valid = IsValidDiveData(); });
        if (valid) {
            RunLogged(kvlUi(), "renumbering the dives", [] { RenumberLifeTimeDives(); });
            RunLogged(kvlUi(), "showing the current dive", [] { ShowCurrentLTD(); });
            DisableDiveButtons();
            SmartBar->Items("Personal").SetSelected(true);
            UpdateNavButtons();
        } else if (AskYesNo(lockRefused_ ? "Do you want to open another data file?"
                                         : "Invalid data file. Do you want to open another data file?",
                            "Opening Data File", MsgIcon::Critical)) {
            OpenDiveLog();
        } else {
            CloseLogDatabase();
            OfferNewLog();
        }
    } else if (AskYesNo("Could not find your last viewed Data File. Do you want to open another Data File?",
                        "Opening Log File", MsgIcon::Exclamation)) {
        OpenDiveLog();
    } else {
        OfferNewLog();
    }
    if (ended_)
        return false;
    if (!LogOpened) {
        MsgBox("Program terminated.", MsgButtons::OK, MsgIcon::Information, QString::fromUtf8(ProgramTitle));
        EndProgram();
        return false;
    }
    return true;
}

// The last question of a start-up without a log: No ends the program.
void MDI_MainFrm::OfferNewLog()
{
    if (AskYesNo("Do you want to create a new data file?", "Creating New Data File", MsgIcon::Information))
        CreateNewDiveLog();
    else
        EndProgram();
}

void MDI_MainFrm::MDIForm_Unload()
{
    CloseLogDatabase();
}

bool MDI_MainFrm::mnuExit_Click()
{
    if (!SaveFormsOnExit())
        return false;
    exiting_ = true;
    CloseLogDatabase();
    RunLogged(kvlUi(), "the backup", [this] { BackUpDiveLog(); });
    EndProgram();
    return true;
}

// Saves the open child form's changes before the program ends; false when the
// form keeps edits it could not write and the program must stay open. The other forms
// save as closing them would, so the diver's and the companions' edits are kept.
bool MDI_MainFrm::SaveFormsOnExit()
{
    const int code = gv.ActiveFormID;
    if (code != FormCode::Dive)
        return SaveOpenForm(SaveOccasion::Closing, code);
    if (gv.CurrentDiveID <= 0)
        return true;
    // As on leaving the dive for another: No to a dive just added takes it out again.
    CommitDiveRecordEdit();
    return LeaveOpenDive() != LeaveResult::Refused;
}

void MDI_MainFrm::closeEvent(QCloseEvent* event)
{
    // The title bar's close goes the exit road's way.
    if (exiting_ || mnuExit_Click()) {
        MDIForm_Unload();
        event->accept();
    } else {
        event->ignore();
    }
}

void MDI_MainFrm::mnuContent_Click()
{
    ShowHelp(gv.HelpFile, HelpContents);
}

void MDI_MainFrm::mnuTech_Click()
{
    ShowHelp(gv.HelpFile, HelpTechnicalSupport);
}

void MDI_MainFrm::mnuAbout_Click()
{
    frmAbout about(this);
    ShowModal(about);
}

void MDI_MainFrm::PrintLog()
{
    PrintOption choice(this);
    ShowModal(choice);
    if (gv.PrintChoice == kPrintNone)
        return;
    PrintChosenReport();
}

namespace {

// The precondition of the chosen report, then its print step.
void DispatchPrintChoice()
{
    auto stop = [](const QString& text) { MsgBox(text, MsgButtons::OK, MsgIcon::Exclamation, "Print"); };
    const bool noDive = DiveListAtEnd();
    const bool manualDive = !noDive && gv.rsDiveData->Field("DATATYPE").ToLong() == 0;
    switch (gv.PrintChoice) {
    case kPrintLogbookPage:
        if (noDive)
            return stop("No dive data to print.");
        if (manualDive)
            stop("There will be no graph printing for Manual Entry Dive.");
        // A dive without its set points is refused before the preview, which would be empty.
        if (LogbookPageReady())
            RunPrintStep(LogbookPageJob());
        return;
    case kPrintDiveDetails:
        if (noDive)
            return stop("No dive data to print.");
        if (manualDive)
            return stop("There is no details printing for Manual Entry Dive.");
        return RunPrintStep(DiveDetailsJob());
    case kPrintDivesList:
        if (noDive)
            return stop("No dive data to print.");
        return RunPrintStep(DivesListJob());
    case kPrintPersonalInfo:
        return RunPrintStep(PersonalInfoJob());
    case kPrintGaugeSettings:
        if (gv.SelectedModelID != kServedModel || gv.SelectedSerialNo < 1)
            return stop("There is no Radarar Edeze settings to print.");
        // A unit without stored settings is refused before the preview, which would be empty.
        if (GaugeSettingsReady(gv.SelectedModelID, gv.SelectedSerialNo))
            RunPrintStep(GaugeSettingsJob(gv.SelectedModelID, gv.SelectedSerialNo));
        return;
    default:
        return;
    }
}

} // namespace

void MDI_MainFrm::PrintChosenReport()
{
    if (!SaveChildFormChanges(gv.ActiveFormID))
        return;
    try {
        DispatchPrintChoice();
    } catch (const std::exception& e) {
        SayReportFailed(e, QStringLiteral("printing the report"));
    }
}

} // namespace kvl
