#pragma once
// Making a dive of the browsed list (gv.rsDiveData) the current one: the list's
// position, gv.CurrentDiveID and gv.CurrentDive always move together.

#include <QString>
#include <QtGlobal>

namespace kvl {

// "#", the lifetime number, the date and the entry time of the row the list stands
// on, as the tool bar's "LTD" item shows them.
QString DiveCaption();
// Writes the caption of the list's row into the "LTD" item and gv.CurrentDiveCaption.
void ShowDiveCaption();
// Stands the list on row `pos` and makes that dive current. With the dive record on
// screen, gv.CurrentDive is loaded when the record shows the dive (UpdateMDIInfo),
// which every move ends with; otherwise here.
void MakeRowCurrent(int pos);
// Stands the list on the dive with this id and makes it current; false (nothing
// changed) when the list does not hold it.
bool MakeDiveCurrent(qint32 diveId);
// The location and gear forms keep the user's edits until they are saved: before any
// move to another dive, the one on screen saves them. False when the log refused
// the write: the move must not go on.
bool SaveOpenSiteForm();
// A dive picked in another window (the dives listing, the history, the queries):
// the open dive record's edits are offered for saving first, and the location or gear
// form's edits are saved; a refused record or write keeps the user where he is. A
// dive that a query's list does not hold is found in the whole log: the list goes
// back to every dive first. A dive no longer in the log is ignored. Otherwise the
// dive becomes current and the open child form shows it; true then.
bool PickDive(qint32 diveId);

} // namespace kvl
