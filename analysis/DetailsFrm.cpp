#include "analysis/DetailsFrm.h"

#include "platform/dialogs/Dialogs.h"
#include "shell/core/Global_Vars.h"
#include "shell/MDI_MainFrm.h"

namespace kvl {

DetailsFrm::DetailsFrm() : ChildFormOf<DetailsFrm>(QStringLiteral("VURO Dive Details")) {}

void DetailsFrm::Form_Load()
{
    gv.ActiveFormID = FormCode::Details;
    MainFrm().EnableDiveButtons();
    Detail_Initinfo();
}

void DetailsFrm::Detail_Initinfo()
{
    SampleCount = 0;
    const auto refuse = [](const char* text) {
        MsgBox(QString::fromLatin1(text), MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("Dive Details"));
    };
    if (gv.CurrentDive.DATATYPE == 0)
        return refuse("There is no dive details available for Manual Entry Dive.");
    if (gv.CurrentDive.MDEPTH.ToDouble() <= 0)
        return refuse("Dive Details is not available for dive with depth<=0.");
    SampleCount = static_cast<int>(
        gv.DB->Scalar("SELECT COUNT(*) FROM DIVEDETAILS WHERE DIVEID = ? ;", {gv.CurrentDiveID}).ToLong());
}

} // namespace kvl
