#pragma once
// The device settings stored with a dive (DIVE_DC_SETTINGS) as the dive record
// shows them, the unit flags they carry, and the catalog of dive computer models
// for dives entered by hand (DC_PROPERTIES). Work on gv; failures throw db::DbError.

#include "shell/core/Global_Vars.h"

#include <QString>

#include <optional>
#include <vector>

namespace kvl {

// One row of the settings grid for a downloaded dive.
struct SettingsGridRow {
    QString key;
    QString caption;      // without the trailing tab
    QString column;       // "" for a group heading
    QString textField;    // the name given to DCSettingsText; "" for the sample rate
};
// The grid of a downloaded dive, in order: two groups and fifteen values.
const std::vector<SettingsGridRow>& DownloadedSettingsRows();

// The value text of one row of a downloaded dive's settings.
QString SettingsValueText(const SettingsGridRow& gridRow, const db::Recordset& row);

// UNITS and HOUR of a settings row as the grid shows them: a Null column stands
// for the current flag (UNITS 0 is imperial, HOUR 0 the 12-hour clock).
db::Value EffectiveUnits(const db::Value& units);
db::Value EffectiveHour(const db::Value& hour);
// Sets gv.UnitSystem, gv.UnitDate and gv.UnitTime from a settings row; a Null
// column keeps its flag.
void ApplySettingsUnits(const db::Value& units, const db::Value& hour);

// The model a name typed for a dive entered by hand stands for: its id, and the name
// when it is not in DC_PROPERTIES yet (it is added, under that id, with the dive).
struct DCModel {
    qint32 id = 0;
    QString newName;
};
// Looks the name up without writing. An empty name or "N/A" stands for no model (0).
// A new model takes the next free id below 6001; when none is left the message
// "No more dive computer models can be added." refuses it and nullopt is returned.
std::optional<DCModel> CheckDCModel(const QString& name);
// Adds the model to DC_PROPERTIES when it is new. Database failures throw db::DbError.
void AddDCModel(const DCModel& model);

} // namespace kvl
