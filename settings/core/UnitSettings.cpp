#include "settings/core/UnitSettings.h"

namespace kvl::settings {

int StoreUnitSettings(db::Database& db, qint32 modelId, qint32 serial, const QByteArray& block,
                      const std::vector<DCNavLeg>& legs, const QString& firmware)
{
    SettingsValues values{{"FIRMWAREREV", firmware}};
    for (auto& column : DecodeSettingsBlock(block, EdtForm::Plain))
        values.push_back(std::move(column));
    const SettingsKey key{modelId, serial};
    db::Transaction tx(db);
    WriteSettingsRow(db, key, values);
    ReplaceLegs(db, key, LegRows(legs));
    tx.Commit();
    return static_cast<int>(ValueOf(values, "HOUR").ToLong());
}

const QStringList& EditedColumns()
{
    static const QStringList columns{
        "MAXDEPTH", "EDT", "TURNPSI", "ENDPSI", "HOUR", "AUDIBLEALARM", "RECEIVER", "UNITS", "FO2",
        "GAUGE", "CONSERVE", "WATER", "CHRONO", "ASCENT", "CHRONO_ASCENT_ON_OFF", "NAVDIVE",
        "NAVBACKLIGHT", "ALTTIME", "MAXNIBG", "MAXATRBG", "DTR", "PO2", "BACKLIGHT", "SAFETYTIME",
        "SAFETYDEPTH", "DIVESAMPLE", "TID1", "TID2", "TID3", "TANK1ON", "TANK2ON", "TANK3ON", "SYSTEMCLOCK"};
    return columns;
}

CopyResult CopyEditedSet(db::Database& db, qint32 modelId, qint32 serial, const QString& firmware)
{
    const SettingsKey edited{modelId, EditedSerial};
    const auto editedRow = ReadSettingsRow(db, edited);
    if (!editedRow)
        return CopyResult::EditedSetMissing;
    const std::vector<NavLegRow> editedLegs = ReadLegs(db, edited);
    if (editedLegs.empty())
        return CopyResult::EditedSetMissing;
    std::vector<NavLegRow> legs;
    for (const NavLegRow& leg : editedLegs) {
        if (leg.LEGNO.ToLong() > 0)
            legs.push_back(leg);
    }

    SettingsValues values{{"FIRMWAREREV", firmware}};
    for (const QString& column : EditedColumns())
        values.emplace_back(column, ValueOf(*editedRow, column));
    const SettingsKey unit{modelId, serial};
    db::Transaction tx(db);
    WriteSettingsRow(db, unit, values);
    ReplaceLegs(db, unit, legs);
    tx.Commit();
    return CopyResult::Copied;
}

} // namespace kvl::settings
