#include "shell/core/DiveRows.h"

#include "shell/core/DiveColumns.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Lookups.h"
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
    dive.SnapshotText = DiveSampleRateText(Read(rs, "SNAPSHOT"), dive.MODELID, dive.DATATYPE == 0);

    dive.LOCATIONNAME = CatalogName("Select * from LOCATIONS where LOCID = ? ;", dive.LOCID, "LOCATIONNAME");
    dive.DIVESITE = CatalogName("Select * from DIVESITES where SITEID = ? ;", dive.SITEID, "DIVESITE");
}

} // namespace kvl
