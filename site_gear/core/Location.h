#pragma once
// The site side of a dive (DIVEDATA): the location form's twelve boxes with their
// unit rules, its nine lists, and the save that writes only what the user changed.
// Stored values are feet, deg F and knots; the unit flags (gv.UnitDepth, gv.UnitTemp)
// choose what a box shows.
//
//   LocationEdits edits;
//   edits.texts[LocationText::Minimum] = "26";           // deg C in metric
//   edits.lists[LocationCombo::Operator] = "Skipper's";
//   SaveLocation(*gv.DB, diveId, edits);                 // one transaction

#include "platform/db/Db.h"

#include <QString>
#include <QStringList>

#include <array>
#include <map>
#include <optional>
#include <vector>

namespace kvl::site {

// The boxes Text4(0..11), by index.
enum class LocationText {
    Visibility, Altitude, Air, Surface, Minimum, CurrentSpeed,
    SurgeHeight, SwellHeight, SurfHeight, TideHeight, Highlights, Directions,
};
constexpr int kLocationTextCount = 12;

// The lists Combo(0..8), by index: five condition scales, then four named lists.
enum class LocationCombo { Current, Surge, Swell, Surf, Tide, Resort, Operator, DiveBoat, GPS };
constexpr int kLocationComboCount = 9;

// How a box's text turns into the stored value and back.
enum class ValueRule {
    Length,        // feet; metres shown when UnitDepth is not 1; written only if different
    Temperature,   // deg F; deg C shown when UnitTemp is not 1
    Speed,         // knots in both systems; written only if different
    Text,          // as typed
};

struct LocationField {
    LocationText box;
    const char* field;      // the DIVEDATA column
    ValueRule rule;
    int unitBox;            // the Units_Opt index beside the box, -1 for none
    bool mayBeNegative;     // below 0 is a real value: a temperature, an altitude, a low tide
};
// In box order (Text4(0..11)).
const std::array<LocationField, kLocationTextCount>& LocationFields();
const LocationField& FieldOf(LocationText box);

struct LocationList {
    LocationCombo combo;
    const char* caption;    // the label above the list: "Current:", "Dive Boat:"
    const char* table;      // CURRENTS ... TIDES, RESORTS ... GPSS
    const char* nameField;  // the scale's name column, NAME for the named lists
    const char* diveField;  // the DIVEDATA column: a scale's id or the name itself
    bool named;             // the user grows it (Add/Delete)
};
// In list order (Combo(0..8)).
const std::array<LocationList, kLocationComboCount>& LocationLists();
const LocationList& ListOf(LocationCombo combo);
// The caption without its ":" ("Dive Boat"): the word the prompts use.
QString ListLabel(const LocationList& list);

// What a box shows for a stored value in the current units; "" for Null.
QString ShownLocationText(LocationText box, const db::Value& stored);
// The two texts of a unit box ("M"/"FT", "C"/"F", "KNOTS"/"KNOTS") and the entry shown.
QStringList UnitBoxItems(int unitBox);
int UnitBoxIndex(int unitBox);

// The site-side columns of one dive, read by DIVEID (Null for a column it lacks).
struct LocationRow {
    std::array<db::Value, kLocationTextCount> texts;   // by LocationText
    std::array<db::Value, kLocationComboCount> lists;  // by LocationCombo: scale id or name
};
std::optional<LocationRow> LoadLocationRow(db::Database& db, qint64 diveId);

// What the user changed on the form since it loaded the dive.
struct LocationEdits {
    std::map<LocationText, QString> texts;             // each changed box's text
    std::map<LocationCombo, QString> lists;            // each changed list's text ("" none)
    std::optional<std::vector<qint64>> typeIds;        // the ticked dive types, when changed
    bool Empty() const { return texts.empty() && lists.empty() && !typeIds; }
};

// Writes the edits into the dive with this id, in one transaction: the dive types
// first, then the conditions (a name missing from its scale leaves the id), then the
// fields by their rules. Throws db::DbError, and nothing is written, when the log
// refuses a write. Untouched boxes and lists are not written at all.
void SaveLocation(db::Database& db, qint64 diveId, const LocationEdits& edits);

// The single the rules compute, stored as the double that reads back as that single
// (26 C stores 78.8, not 78.80000305).
db::Value SingleValue(float value);

} // namespace kvl::site
