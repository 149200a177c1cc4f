#pragma once
// Shell steps that the side bar, the tool bar and the picks from other windows share.

#include "shell/core/MDI_Rules.h"

namespace kvl {

// Writes the pending changes of the child form with this code, as the occasion's
// rule asks (see SaveRuleOf). Asks nothing. False when the form keeps changes it
// could not write (a refused value, a refused write): the command that was to
// leave the form must stop, or what was typed would be lost.
bool SaveOpenForm(SaveOccasion occasion, int code);

// Before the dive record shows another dive: when it holds edits or a dive just
// added by hand, asks "Do you want to save the changes?". Yes saves; No discards
// a dive just added by hand, leaving the log as it was before the add.
enum class LeaveResult {
    Stayed,     // the current dive is still in the browsed list
    Discarded,  // the new dive was taken out; the list was re-opened
    Refused,    // the record refused its edits: the user stays on the dive
};
LeaveResult LeaveOpenDive();
// "Do you want to save the changes?"; true for Yes.
bool AskToSaveChanges();
// The dive record reports an edit (it checks its fields on the way).
bool DiveRecordChanged();
// Writes the dive record back to its dive's row; false when it was not written.
bool SaveDiveRecord();
// Saves the open dive record as closing it does. True when the record keeps edits it
// could not write (a bad date or time, a write the log refused): the command that
// was to close it must not go on, or those edits would be lost. False when the
// record is not open.
bool DiveRecordRefusesToClose();
// The open dive record refused its edits at the last save attempt.
bool DiveRecordRefused();
// Takes in the edit of the dive record's focused box, so that a command started
// from a bar or another window sees the typed value.
void CommitDiveRecordEdit();

} // namespace kvl

