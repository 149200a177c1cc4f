#pragma once
// The gear of the dives: the thirteen gear kinds (the set itself and its twelve items)
// with their catalog tables, the dive's set, items and weights in DIVEDATA, the named
// sets in GEARS, and the accessory catalog with its links to the sets. Weights are
// stored in pounds; the texts here follow gv.UnitWeight. Names are always bound
// values, so any name (Skipper's) works. Every write that changes several rows runs
// in one transaction and throws db::DbError, leaving the log as it was, when refused.

#include "platform/db/Db.h"
#include "site_gear/core/EditedControls.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace kvl::gear {

// The index of a kind's list, Combo1(kind), and of its caption.
enum GearKind : int {
    kGear = 0,   // the set
    kRegulator,
    kAltAirSource,
    kBC,
    kGauges,
    kSuit,
    kBoots,
    kGloves,
    kHood,
    kMask,
    kSnorkel,
    kFins,
    kCylinder,
};
constexpr int kGearKindCount = 13;
constexpr int kFirstItem = kRegulator;
// The popup's index when the accessory list prepared it.
constexpr int kAccessoryPopup = 13;

// The weight boxes Text1(i).
enum WeightBox : int { kBeltWeight = 0, kIntWeight, kOtherWeight };
constexpr int kWeightCount = 3;

// The form's control arrays whose user changes are saved. SetWeight marks a weight box
// the chosen set filled in: the dive takes that weight as the set stores it.
enum class GearControl { Combo1, Text1, SetWeight };

struct GearKindInfo {
    const char* caption;   // GearKindCaption: the prompts and the strip show it
    const char* label;     // beside the list
    const char* table;     // the catalog
    const char* field;     // in DIVEDATA and GEARS
};
const std::array<GearKindInfo, kGearKindCount>& GearKinds();

struct WeightInfo {
    const char* label;
    const char* field;   // in DIVEDATA and GEARS
};
const std::array<WeightInfo, kWeightCount>& GearWeights();

// The reserved name meaning no choice.
inline const QString kNone = QStringLiteral("NONE");

// A kind's list: empty for an empty catalog, else "NONE" and then the catalog's
// distinct names in name order (empty names and rows named exactly "NONE" left out).
QStringList CatalogEntries(db::Database& db, int kind);
// A dive's GEAR names a set: not Null, not empty, not "NONE" in any case.
bool HasSet(const db::Value& gear);
// GEARS holds a set of that name (letters compared without regard to case).
bool SetExists(db::Database& db, const QString& name);

// A dive's gear: the set name (the first list's field), the items by kind (index 0 unused)
// and the weights in pounds, as stored.
struct StoredGear {
    db::Value set;
    std::array<db::Value, kGearKindCount> items;
    std::array<db::Value, kWeightCount> weights;
};
std::optional<StoredGear> ReadDiveGear(db::Database& db, qint32 diveId);
// The first GEARS row of that name; items[0] holds its name.
std::optional<StoredGear> ReadSet(db::Database& db, const QString& name);
// The GEAR the dive holds (Null when there is no such dive).
db::Value StoredSetName(db::Database& db, qint32 diveId);
// Choosing `chosen` loads its row into the window unless the dive already holds that
// set under its name in capital letters, or holds no name at all (Null).
bool SetNeedsLoading(const db::Value& storedGear, const QString& chosen);

// A stored weight as a loaded dive shows it: "###0.0" in the user's unit, "" for Null.
QString DiveWeightText(const db::Value& pounds);
// A set's stored weight as choosing the set shows it: its plain shortest text.
QString SetWeightText(const db::Value& pounds);
// The pounds a weight box's text stands for ("." is the decimal point; no number is 0):
// 12.5 kg is 27.6 lb, not the single's 27.600000381.
double WeightFromText(const QString& text);

// Writes one kind's choice into the dive (an empty choice is "NONE").
void WriteDiveItem(db::Database& db, qint32 diveId, int kind, const QString& choice);

// What the window shows: the choice of each list, the text of each weight box and the
// stored pounds behind that text (the dive's or the chosen set's; Null for none).
struct GearScreen {
    std::array<QString, kGearKindCount> choices;
    std::array<QString, kWeightCount> weights;
    std::array<db::Value, kWeightCount> pounds;
};
// Saves what the user changed (the controls marked in `edited`) in one transaction:
// into the dive, and into the set shown when it is a GEARS row. The set takes changed
// items that are not "NONE" and typed weights above 0; a new set (`newSet`) takes
// every such item and weight the window shows. A weight the user did not type is
// written as the pounds behind it, never read back from its rounded text.
void SaveGear(db::Database& db, qint32 diveId, const GearScreen& screen, const EditedControls& edited,
              bool newSet = false);

// Adds a catalog row named as typed.
void AddCatalogName(db::Database& db, int kind, const QString& name);
// Sets the dive's field of the kind to "NONE" and deletes every catalog row of the name.
void DeleteCatalogName(db::Database& db, int kind, const QString& name, qint32 diveId);

struct Accessory {
    qint64 id = 0;
    QString name;
};
// The accessory catalog in its stored order: a read-only set kept open by the form
// (Requery shows later changes), its rows, or both at once.
std::unique_ptr<db::Recordset> OpenAccessoryData(db::Database& db);
std::vector<Accessory> ReadAccessories(db::Recordset& accessoryData);
std::vector<Accessory> ListAccessories(db::Database& db);
// An accessory's key in the check list: its id with one leading blank (" 12").
QString AccessoryKey(qint64 id);
qint64 AccessoryIdOfKey(const QString& key);
// The accessories linked to the set.
QSet<qint64> SetAccessories(db::Database& db, const QString& set);
// Stores the name in capital letters unless the catalog holds it; true when added.
bool AddAccessory(db::Database& db, const QString& name);
// Deletes the accessory of that name and its links to every set.
void DeleteAccessory(db::Database& db, const QString& name);
// Replaces the set's links by one per id.
void StoreSetAccessories(db::Database& db, const QString& set, const std::vector<qint64>& ids);

} // namespace kvl::gear
