// The main window's text exports: the dive-details export through its dialog, and the
// current dive's profile and DL7 files.

#include "shell/MDI_MainFrm.h"

#include "forms/ModalForms.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/folders/Folders.h"
#include "reports/DelimiterOption.h"
#include "reports/core/ExportDL7.h"
#include "reports/core/ExportProfile.h"
#include "shell/core/Global_Vars.h"

namespace kvl {

namespace {

// "No dive data to export." when the browsed list holds no dive.
bool NoDiveToExport()
{
    if (!DiveListAtEnd())
        return false;
    MsgBox("No dive data to export.", MsgButtons::OK, MsgIcon::Exclamation, "Export Dive Data");
    return true;
}

} // namespace

void MDI_MainFrm::ExportData()
{
    if (NoDiveToExport())
        return;
    DelimiterOption delimiter(this);
    ShowModal(delimiter);
}

void MDI_MainFrm::ExportDiveDetails()
{
    if (NoDiveToExport())
        return;
    const QString path = CurrentDialogs().SaveFile({QString(), ProgramFolder(), QString(), "Text files|*.txt"});
    if (path.isEmpty())
        return;
    ExportDelimiter.clear();
    DelimiterOption delimiter(this, DelimiterOption::DelimiterOnly);
    ShowModal(delimiter);
    if (ExportDelimiter.isEmpty())
        return;
    ShowExportOutcome(ExportProfileFile(path, ExportDelimiter));
}

void MDI_MainFrm::ExportDL7Level1()
{
    if (NoDiveToExport())
        return;
    const QString path = CurrentDialogs().SaveFile({QString(), ProgramFolder(), DL7FileName(), "ZXU files|*.ZXU"});
    if (path.isEmpty())
        return;
    const int seqNo = NextExportSeqNo();
    const ExportOutcome outcome = ExportDL7File(path, seqNo);
    ShowExportOutcome(outcome);
    if (outcome.status == ExportOutcome::Done)
        SaveExportSeqNo(seqNo);
}

} // namespace kvl
