#pragma once
// The current dive, dive rows and lifetime dive numbers: loading the current
// dive, adding a manual dive, deleting dives, and keeping LIFETIMEDIVENO dense
// and in date/time order. All work on the application state (gv).

#include <QString>

#include <optional>

namespace kvl {

// Copies the row rsDiveData stands on into gv.CurrentDive, with the location
// and dive-site names looked up. Never throws; a failing step is skipped.
void LoadCurrentDive();

// Adds a manual dive numbered gv.NewDiveLTD with its DIVE_DC_SETTINGS row (whose
// UNITS and HOUR follow the unit flags) and returns its DIVEID. Shows
// "Could not initial new manual dive." and returns 0, adding nothing, on failure.
qint32 InitialNewDive();
// Deletes the dive and every row it owns; shows "Deleting dive error #n." and
// returns false (deleting nothing) on failure.
bool DeleteDiveInfo(qint32 diveId);
// Asks, then empties the dive tables and shows the diver's form.
void DeleteAllDives();
// Sets gv.FirstLTD and gv.LastLTD from the numbers above 0.
void GetFirstLastDiveNo();
// Closes the gap that the deleted dive numbered n left.
void ReIndexLTD(qint32 n);
// Numbers every dive from gv.BaseLTD in date, time, model and serial order.
void RenumberLifeTimeDives();
// Makes room for a new dive: adds 1 to the number of every dive numbered
// fromLTD or above (of every dive when fromLTD is empty), in one statement.
void ShiftLifeTimeDivesUp(std::optional<qint32> fromLTD = std::nullopt);
// Re-opens gv.rsDiveData from gv.DiveListSQL, stands on the current dive,
// shows its caption and loads it.
void ShowCurrentLTD();
// The number of the "LTD" entry whose text equals text; 0 when none.
qint32 GetLTD(const QString& text);

} // namespace kvl
