#include "site_gear/core/Location.h"

#include "platform/runtime/Runtime.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Units.h"
#include "site_gear/core/LocationDiveTypes.h"
#include "site_gear/core/LocationLists.h"

namespace kvl::site {

namespace {

enum UnitBox { kDepthUnit = 0, kSpeedUnit = 2, kTempUnit = 7 };

constexpr const char* kWholePicture = "####0";
constexpr const char* kTenthsPicture = "###.0";

// A Null or empty value shows nothing; anything else is read as a number.
bool Blank(const db::Value& value) { return value.IsNull() || (value.IsText() && value.ToString().isEmpty()); }

float Single(const db::Value& value) { return CSng(value.ToDouble()); }

} // namespace

const std::array<LocationField, kLocationTextCount>& LocationFields()
{
    static const std::array<LocationField, kLocationTextCount> fields{{
        {LocationText::Visibility, "VISIBILITY", ValueRule::Length, 0, false},
        {LocationText::Altitude, "ALTITUDE", ValueRule::Length, 1, true},
        {LocationText::Air, "AIR", ValueRule::Temperature, 7, true},
        {LocationText::Surface, "SURFACE", ValueRule::Temperature, 8, true},
        {LocationText::Minimum, "MINIMUM", ValueRule::Temperature, 9, true},
        {LocationText::CurrentSpeed, "CURRENT_FT", ValueRule::Speed, 2, false},
        {LocationText::SurgeHeight, "SURGE_FT", ValueRule::Length, 3, false},
        {LocationText::SwellHeight, "SWELL_FT", ValueRule::Length, 4, false},
        {LocationText::SurfHeight, "SURF_FT", ValueRule::Length, 5, false},
        {LocationText::TideHeight, "TIDE_FT", ValueRule::Length, 6, true},
        {LocationText::Highlights, "HIGHLIGHTS", ValueRule::Text, -1, false},
        {LocationText::Directions, "DIRECTIONS", ValueRule::Text, -1, false},
    }};
    return fields;
}

const LocationField& FieldOf(LocationText box) { return LocationFields()[static_cast<size_t>(box)]; }

const std::array<LocationList, kLocationComboCount>& LocationLists()
{
    static const std::array<LocationList, kLocationComboCount> lists{{
        {LocationCombo::Current, "Current:", "CURRENTS", "CURRENT", "CURRENT", false},
        {LocationCombo::Surge, "Surge:", "SURGES", "SURGE", "SURGE", false},
        {LocationCombo::Swell, "Swell:", "SWELLS", "SWELL", "SWELL", false},
        {LocationCombo::Surf, "Surf:", "SURFS", "SURF", "SURF", false},
        {LocationCombo::Tide, "Tide:", "TIDES", "TIDE", "TIDE", false},
        {LocationCombo::Resort, "Resort:", "RESORTS", "NAME", "RESORT", true},
        {LocationCombo::Operator, "Operator:", "OPERATORS", "NAME", "OPERATOR", true},
        {LocationCombo::DiveBoat, "Dive Boat:", "DIVEBOATS", "NAME", "DIVEBOAT", true},
        {LocationCombo::GPS, "GPS:", "GPSS", "NAME", "GPS", true},
    }};
    return lists;
}

const LocationList& ListOf(LocationCombo combo) { return LocationLists()[static_cast<size_t>(combo)]; }

QString ListLabel(const LocationList& list) { return QString::fromLatin1(list.caption).section(QLatin1Char(':'), 0, 0); }

QString ShownLocationText(LocationText box, const db::Value& stored)
{
    if (Blank(stored))
        return {};
    switch (FieldOf(box).rule) {
    case ValueRule::Length:
        if (gv.UnitDepth == 1)
            return Format(stored.ToDouble(), kWholePicture);
        return Format(FtToM(stored), kTenthsPicture);
    case ValueRule::Temperature:
        return Format(gv.UnitTemp == 1 ? stored.ToDouble() : static_cast<double>(FToC(stored)), kTenthsPicture);
    case ValueRule::Speed:
    case ValueRule::Text: break;
    }
    return stored.ToString();
}

QStringList UnitBoxItems(int unitBox)
{
    if (unitBox == kSpeedUnit)
        return {QStringLiteral("KNOTS"), QStringLiteral("KNOTS")};
    if (unitBox >= kTempUnit)
        return {QStringLiteral("C"), QStringLiteral("F")};
    return {QStringLiteral("M"), QStringLiteral("FT")};
}

int UnitBoxIndex(int unitBox) { return unitBox >= kTempUnit ? gv.UnitTemp : gv.UnitDepth; }

std::optional<LocationRow> LoadLocationRow(db::Database& db, qint64 diveId)
{
    auto rs = db.OpenSnapshot(QStringLiteral("SELECT * FROM DIVEDATA WHERE DIVEID = ? ;"), {diveId});
    if (rs->EOF())
        return std::nullopt;
    LocationRow row;
    const auto read = [&rs](const char* column) {
        const QString name = QString::fromLatin1(column);
        return rs->HasField(name) ? rs->Field(name) : db::Value();
    };
    for (const LocationField& field : LocationFields())
        row.texts[static_cast<size_t>(field.box)] = read(field.field);
    for (const LocationList& list : LocationLists())
        row.lists[static_cast<size_t>(list.combo)] = read(list.diveField);
    return row;
}

db::Value SingleValue(float value) { return QString::number(value, 'g', 7).toDouble(); }

namespace {

// Adds the writes of one changed box, by its rule.
void AddFieldWrites(const LocationField& field, QString typed, const db::Value& stored, QStringList& sets,
                    db::Params& params)
{
    const auto set = [&](const char* column, const db::Value& value) {
        sets << QString::fromLatin1(column) + QStringLiteral(" = ?");
        params.push_back(value);
    };
    switch (field.rule) {
    case ValueRule::Length:
    case ValueRule::Speed: {
        const double number = ParseDecimal(typed);
        const float value = field.rule == ValueRule::Length ? DepthFromDisplay(number) : CSng(number);
        if (stored.IsNull() || value != Single(stored))
            set(field.field, SingleValue(value));
        return;
    }
    case ValueRule::Temperature: {
        const double number = ParseDecimal(typed);
        const db::Value value = gv.UnitTemp == 1 ? db::Value(number) : SingleValue(CToF(number));
        set(field.field, value);
        if (field.box == LocationText::Minimum)
            set("TEMP", value);   // the dive's temperature is its minimum
        return;
    }
    case ValueRule::Text: set(field.field, typed); return;
    }
}

} // namespace

void SaveLocation(db::Database& db, qint64 diveId, const LocationEdits& edits)
{
    if (edits.Empty())
        return;
    db::Transaction tx(db);
    if (edits.typeIds)
        StoreDiveTypeTicks(db, diveId, *edits.typeIds);
    QStringList sets;
    db::Params params;
    for (const auto& [combo, text] : edits.lists) {
        const LocationList& list = ListOf(combo);
        if (list.named) {
            sets << QString::fromLatin1(list.diveField) + QStringLiteral(" = ?");
            params.push_back(text);
        } else {
            WriteCondition(db, list, diveId, text);
        }
    }
    if (!edits.texts.empty()) {
        const std::optional<LocationRow> row = LoadLocationRow(db, diveId);
        for (const auto& [box, text] : edits.texts)
            AddFieldWrites(FieldOf(box), text, row ? row->texts[static_cast<size_t>(box)] : db::Value(), sets, params);
    }
    if (!sets.isEmpty()) {
        params.push_back(diveId);
        db.Execute(QStringLiteral("UPDATE DIVEDATA SET ") + sets.join(QStringLiteral(", ")) +
                       QStringLiteral(" WHERE DIVEID = ? ;"),
                   params);
    }
    tx.Commit();
}

} // namespace kvl::site
