#include "settings/core/UnitSettings.h"

#include "settings/core/NavLegs.h"

#include <algorithm>

namespace kvl::settings {

namespace {

// Sets each column of `over` in `values`, replacing a column of the same name.
void SetOver(SettingsValues& values, const SettingsValues& over)
{
    for (const auto& [column, value] : over) {
        auto same = std::find_if(values.begin(), values.end(), [&column](const auto& v) {
            return v.first.compare(column, Qt::CaseInsensitive) == 0;
        });
        if (same != values.end())
            same->second = value;
        else
            values.emplace_back(column, value);
    }
}

// Writes `values` with the decoded block over them and the legs; returns the HOUR stored.
int StoreDecoded(db::Database& db, const SettingsKey& key, SettingsValues values, const QByteArray& block,
                 const std::vector<DCNavLeg>& legs)
{
    SetOver(values, DecodeSettingsBlock(block, EdtForm::Plain));
    db::Transaction tx(db);
    WriteSettingsRow(db, key, values);
    ReplaceLegs(db, key, LegRows(legs));
    tx.Commit();
    return static_cast<int>(ValueOf(values, "HOUR").ToLong());
}

// The columns the unit's row takes from the edited row, in order.
const QStringList& EditedColumns()
{
    static const QStringList columns{
        "MAXDEPTH", "EDT", "TURNPSI", "ENDPSI", "HOUR", "AUDIBLEALARM", "RECEIVER", "UNITS", "FO2",
        "GAUGE", "CONSERVE", "WATER", "CHRONO", "ASCENT", "CHRONO_ASCENT_ON_OFF", "NAVDIVE",
        "NAVBACKLIGHT", "ALTTIME", "MAXNIBG", "MAXATRBG", "DTR", "PO2", "BACKLIGHT", "SAFETYTIME",
        "SAFETYDEPTH", "DIVESAMPLE", "TID1", "TID2", "TID3", "TANK1ON", "TANK2ON", "TANK3ON", "SYSTEMCLOCK"};
    return columns;
}

} // namespace

int StoreUnitSettings(db::Database& db, qint32 modelId, qint32 serial, const QByteArray& block,
                      const std::vector<DCNavLeg>& legs, const QString& firmware)
{
    return StoreDecoded(db, {modelId, serial}, {{"FIRMWAREREV", firmware}}, block, legs);
}

std::optional<EditedSet> ReadEditedSet(db::Database& db, qint32 modelId)
{
    auto row = ReadSettingsRow(db, {modelId, EditedSerial});
    if (!row)
        return std::nullopt;
    return EditedSet{std::move(*row), DeviceLegs(EditedLegs(db, modelId))};
}

void StoreWrittenSettings(db::Database& db, qint32 modelId, qint32 serial, const SettingsValues& edited,
                          const QByteArray& block, const std::vector<DCNavLeg>& legs, const QString& firmware)
{
    SettingsValues values{{"FIRMWAREREV", firmware}};
    for (const QString& column : EditedColumns())
        values.emplace_back(column, ValueOf(edited, column));
    StoreDecoded(db, {modelId, serial}, values, block, legs);
}

} // namespace kvl::settings
