#include "shell/core/MDI_Commands.h"

#include "shell/core/DiveRows.h"
#include "shell/core/FormCode.h"
#include "shell/core/FormTable.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/LogCheck.h"
#include "shell/core/StateCodes.h"

namespace kvl {

namespace {

bool NeedsSaving(SaveOccasion occasion, int code)
{
    switch (SaveRuleOf(occasion, code)) {
    case SaveRule::Nothing: return false;
    case SaveRule::Always: return true;
    case SaveRule::IfPersonChanged: return gv.PersonChanged;
    case SaveRule::IfDiveChanged: return DiveRecordChanged();
    case SaveRule::IfDiveChangedOrNew:
        if (gv.CurrentDiveID == -1)
            return false;
        // The change check is what reads the boxes back into the record: it runs for
        // a new dive too, or the dive would be written without what was typed.
        return DiveRecordChanged() || CurrentDiveIsNew();
    }
    return false;
}

} // namespace

bool SaveOpenForm(SaveOccasion occasion, int code)
{
    // A form that saves whenever it is left (the diver's) would otherwise hold the diver
    // on it for good in a log that takes no writes: its save has said so, the diver goes on.
    if (NeedsSaving(occasion, code) && !SaveFormChanges(code) && !LogRefusesWrites())
        return false;
    // The record's change check refuses a bad value without anything to save.
    return !(code == FormCode::Dive && DiveRecordRefused());
}

bool DiveRecordRefused()
{
    return gv.ActiveFormID == FormCode::Dive && gv.DiveChanged == kDiveRefused;
}

bool DiveRecordRefusesToClose()
{
    return gv.ActiveFormID == FormCode::Dive && !SaveOpenForm(SaveOccasion::Closing, FormCode::Dive);
}

} // namespace kvl
