#pragma once
// The current dive, dive rows and lifetime dive numbers: loading the current
// dive, adding a manual dive, deleting dives, and keeping LIFETIMEDIVENO dense
// and in date/time order. All work on the application state (gv).

#include <QString>

#include <optional>

namespace kvl {

// Copies the row rsDiveData stands on into gv.CurrentDive, with the location
// and dive-site names looked up; a Null column or a missing name leaves the
// member empty. Never throws; without a current row nothing changes.
void LoadCurrentDive();
// How many times LoadCurrentDive has read a row since the program started (tests
// count the loads of one move with it).
quint64 CurrentDiveLoads();

// Adds a manual dive numbered gv.NewDiveLTD with its DIVE_DC_SETTINGS row (whose
// UNITS and HOUR follow the unit flags), marks it new and returns its DIVEID. Shows
// "Could not initial new manual dive." and returns 0, adding nothing and leaving no
// dive marked new, on failure.
qint32 InitialNewDive();
// The dive just added by hand, until it is saved or left: only that dive can be
// discarded by No to "Do you want to save the changes?".
void MarkNewDive(qint32 diveId);
void ForgetNewDive();
// True when the current dive is the one just added by hand.
bool CurrentDiveIsNew();
// Deletes the dive and every row it owns; shows "Deleting dive error #n." and
// returns false (deleting nothing) on failure.
bool DeleteDiveInfo(qint32 diveId);
// What became of a request to delete every dive.
enum class DeleteAllResult { Declined, Deleted, Failed };
// Asks, then empties the dive tables and shows the diver's form. When the deletion
// cannot be committed nothing changes, and `error` (if given) receives the cause
// for the caller to show.
DeleteAllResult DeleteAllDives(QString* error = nullptr);
// Sets gv.FirstLTD and gv.LastLTD from the numbers above 0.
void GetFirstLastDiveNo();
// Closes the gap that the deleted dive numbered n left; when it was the first,
// the others start at its number. Database errors go to the caller.
void ReIndexLTD(qint32 n);
// Numbers every dive from gv.BaseLTD in date, time, model and serial order;
// dives with the same date and time share a number. Database errors go to the caller.
void RenumberLifeTimeDives();
// Makes room for a new dive: adds 1 to the number of every dive numbered
// fromLTD or above (of every dive when fromLTD is empty), in one statement.
void ShiftLifeTimeDivesUp(std::optional<qint32> fromLTD = std::nullopt);
// Re-opens gv.rsDiveData from gv.DiveListSQL, stands on the current dive (on
// the first, which gv.CurrentDiveID then names, when the current one is not
// listed), shows its caption and loads it. An empty list sets CurrentDiveID -1.
void ShowCurrentLTD();
// The number of the "LTD" entry whose text equals text; 0 when none.
qint32 GetLTD(const QString& text);

} // namespace kvl
