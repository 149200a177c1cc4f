#include "settings/core/SettingsRecords.h"

namespace kvl::settings {

namespace {

const QString KeyWhere = QStringLiteral(" where DCID = ? and DCSERIALNO = ?");

db::Params KeyParams(const SettingsKey& key)
{
    return {key.dcid, key.serial};
}

} // namespace

std::optional<SettingsValues> ReadSettingsRow(db::Database& db, const SettingsKey& key)
{
    auto rs = db.OpenRecordset("Select * from DC_SETTINGS" + KeyWhere + " ;", KeyParams(key));
    if (rs->EOF())
        return std::nullopt;
    SettingsValues values;
    for (const QString& name : rs->FieldNames())
        values.emplace_back(name, rs->Field(name));
    return values;
}

void WriteSettingsRow(db::Database& db, const SettingsKey& key, const SettingsValues& values)
{
    auto rs = db.OpenRecordset("Select * from DC_SETTINGS" + KeyWhere + " ;", KeyParams(key));
    if (rs->EOF()) {
        rs->AddNew();
        rs->SetField("DCID", key.dcid);
        rs->SetField("DCSERIALNO", key.serial);
    } else {
        rs->Edit();
    }
    for (const auto& [column, value] : values)
        rs->SetField(column, value);
    rs->Update();
}

std::vector<NavLegRow> ReadLegs(db::Database& db, const SettingsKey& key)
{
    std::vector<NavLegRow> legs;
    auto rs = db.OpenRecordset("Select * from DC_NAV" + KeyWhere + " ORDER BY LEGNO ;", KeyParams(key));
    for (; !rs->EOF(); rs->MoveNext()) {
        legs.push_back({rs->Field("LEGNO"), rs->Field("HEADING"), rs->Field("CDT"), rs->Field("AUDIBLEALARM"),
                        rs->Field("LIGHTALARM")});
    }
    return legs;
}

void ReplaceLegs(db::Database& db, const SettingsKey& key, const std::vector<NavLegRow>& legs)
{
    db.Execute("Delete * from DC_NAV" + KeyWhere + " ;", KeyParams(key));
    for (const NavLegRow& leg : legs) {
        db.Execute("Insert into DC_NAV (DCID, DCSERIALNO, LEGNO, HEADING, CDT, AUDIBLEALARM, LIGHTALARM) "
                   "values (?, ?, ?, ?, ?, ?, ?)",
                   {key.dcid, key.serial, leg.LEGNO, leg.HEADING, leg.CDT, leg.AUDIBLEALARM, leg.LIGHTALARM});
    }
}

std::vector<NavLegRow> LegRows(const std::vector<DCNavLeg>& legs)
{
    std::vector<NavLegRow> rows;
    int legNo = 0;
    for (const DCNavLeg& leg : legs)
        rows.push_back({++legNo, leg.heading, leg.cdt, leg.audible, leg.light});
    return rows;
}

std::vector<DCNavLeg> DeviceLegs(const std::vector<NavLegRow>& rows)
{
    std::vector<DCNavLeg> legs;
    for (const NavLegRow& row : rows) {
        legs.push_back({static_cast<qint32>(row.HEADING.ToLong()), row.AUDIBLEALARM.ToLong() != 0,
                        row.LIGHTALARM.ToLong() != 0, static_cast<qint32>(row.CDT.ToLong())});
    }
    return legs;
}

} // namespace kvl::settings
