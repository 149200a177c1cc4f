#include "shell/core/MDI_Commands.h"

#include "shell/core/DiveRows.h"
#include "shell/core/FormCode.h"
#include "shell/core/FormTable.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/StateCodes.h"

namespace kvl {

void SaveOpenForm(SaveOccasion occasion, int code)
{
    switch (SaveRuleOf(occasion, code)) {
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
        if (gv.CurrentDiveID == -1)
            return;
        // The change check is what reads the boxes back into the record: it runs for
        // a new dive too, or the dive would be written without what was typed.
        if (!DiveRecordChanged() && !CurrentDiveIsNew())
            return;
        break;
    }
    SaveFormChanges(code);
}

bool DiveRecordRefused()
{
    return gv.ActiveFormID == FormCode::Dive && gv.DiveChanged == kDiveRefused;
}

bool DiveRecordRefusesToClose()
{
    if (gv.ActiveFormID != FormCode::Dive)
        return false;
    SaveOpenForm(SaveOccasion::Closing, FormCode::Dive);
    return DiveRecordRefused();
}

} // namespace kvl
