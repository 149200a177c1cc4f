#include "shell/core/MDI_Commands.h"

#include "shell/core/FormCode.h"
#include "shell/core/FormTable.h"
#include "shell/core/Global_Vars.h"

namespace kvl {

void SaveOpenForm(SaveOccasion occasion, int code)
{
    switch (SaveRuleOf(occasion, code)) {
    case SaveRule::Nothing: return;
    case SaveRule::Always: break;
    case SaveRule::IfPersonChanged:
        if (!gv.PInfoChanged)
            return;
        break;
    case SaveRule::IfDiveChanged:
        if (!DiveRecordChanged())
            return;
        break;
    case SaveRule::IfDiveChangedOrNew:
        if (gv.CurrentDiveID == -1 || !(gv.IsNewDive || DiveRecordChanged()))
            return;
        break;
    }
    SaveFormChanges(code);
}

} // namespace kvl
