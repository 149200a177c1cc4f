#include "shell/core/DiveRows.h"

#include "shell/core/DiveColumns.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/NameLookup.h"

namespace kvl {

namespace {

quint64 loads = 0;

// A column of the current row; Null when it cannot be read.
db::Value Read(const db::Recordset& rs, const char* column)
{
    try {
        return rs.Field(column);
    } catch (const std::exception&) {
        return {};
    }
}

// The profile's sample rate as the dive record shows it; "" for an unknown code.
QString SnapshotText(const db::Value& snapshot)
{
    if (snapshot.IsNull())
        return {};
    const bool feet = gv.UnitDepth == 1;
    switch (ReadLong(snapshot)) {
    case 0: return "2 Secs";
    case 1: return "15 Secs";
    case 2: return "30 Secs";
    case 3: return "60 Secs";
    case 4: return feet ? "2 FT" : "0.5 M";
    case 5: return feet ? "5 FT" : "1.5 M";
    case 6: return feet ? "10 FT" : "3 M";
    default: return {};
    }
}

// The name of the catalog row keyed by id; "" when there is none.
QString CatalogName(const QString& sql, const db::Value& id, const char* column)
{
    try {
        return LookupName(gv.rsTemp, sql, id, column, QString());
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace

quint64 CurrentDiveLoads()
{
    return loads;
}

// Every member is set from this row: a Null or unreadable column gives the
// member's empty value, so nothing of the previously loaded dive survives.
void LoadCurrentDive()
{
    if (!gv.rsDiveData || gv.rsDiveData->EOF() || gv.rsDiveData->BOF())
        return;
    const db::Recordset& rs = *gv.rsDiveData;
    DiveDataRec& dive = gv.CurrentDive;
    ++loads;

    for (const DiveColumn& column : DiveColumns())
        LoadDiveColumn(dive, column, Read(rs, column.column));
    dive.SnapshotText = SnapshotText(Read(rs, "SNAPSHOT"));

    dive.LOCATIONNAME = CatalogName("Select * from LOCATIONS where LOCID = ? ;", dive.LOCID, "LOCATIONNAME");
    dive.DIVESITE = CatalogName("Select * from DIVESITES where SITEID = ? ;", dive.SITEID, "DIVESITE");
}

} // namespace kvl
