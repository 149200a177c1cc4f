#include "shell/core/DiveRows.h"

#include "platform/runtime/Runtime.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/NameLookup.h"

#include <cmath>
#include <initializer_list>

namespace kvl {

namespace {

// A column of the current row; Null when it cannot be read.
db::Value Read(const db::Recordset& rs, const char* column)
{
    try {
        return rs.Field(column);
    } catch (const std::exception&) {
        return {};
    }
}

QString ToText(const db::Value& v)
{
    return v.IsNull() ? QString() : v.ToString();
}

qint32 ToLong(const db::Value& v)
{
    const double d = v.ToDouble();
    return std::fabs(d) < 2147483647.5 ? qint32(RoundHalfEven(d)) : 0;
}

quint8 ToByte(const db::Value& v)
{
    const qint32 n = ToLong(v);
    return n >= 0 && n <= 255 ? quint8(n) : 0;
}

template <class T>
struct Member {
    const char* column;
    T DiveDataRec::*member;
};

const std::initializer_list<Member<db::Value>> valueMembers{
    {"LIFETIMEDIVENO", &DiveDataRec::LIFETIMEDIVENO}, {"LOCID", &DiveDataRec::LOCID},
    {"SITEID", &DiveDataRec::SITEID}, {"DIVENO", &DiveDataRec::DIVENO}, {"BTIME", &DiveDataRec::BTIME},
    {"MDEPTH", &DiveDataRec::MDEPTH}, {"VARI", &DiveDataRec::VARI}, {"FO2", &DiveDataRec::FO2},
    {"FO2GAS2", &DiveDataRec::FO2GAS2}, {"FO2GAS3", &DiveDataRec::FO2GAS3},
    {"CYLINDERSIZE", &DiveDataRec::CYLINDERSIZE}, {"CYLINDERSIZE2", &DiveDataRec::CYLINDERSIZE2},
    {"CYLINDERSIZE3", &DiveDataRec::CYLINDERSIZE3}, {"SPSI", &DiveDataRec::SPSI}, {"EPSI", &DiveDataRec::EPSI},
    {"SPSI2", &DiveDataRec::SPSI2}, {"EPSI2", &DiveDataRec::EPSI2}, {"SPSI3", &DiveDataRec::SPSI3},
    {"EPSI3", &DiveDataRec::EPSI3}, {"TEMP", &DiveDataRec::TEMP}, {"MODELSERNO", &DiveDataRec::MODELSERNO},
    {"VISIBILITY", &DiveDataRec::VISIBILITY}, {"ALTITUDE", &DiveDataRec::ALTITUDE}, {"AIR", &DiveDataRec::AIR},
    {"SURFACE", &DiveDataRec::SURFACE}, {"MINIMUM", &DiveDataRec::MINIMUM}, {"SURGE_FT", &DiveDataRec::SURGE_FT},
    {"SURF_FT", &DiveDataRec::SURF_FT}, {"TIDE_FT", &DiveDataRec::TIDE_FT}, {"SWELL_FT", &DiveDataRec::SWELL_FT},
    {"CURRENT_FT", &DiveDataRec::CURRENT_FT}, {"CURRENT", &DiveDataRec::CURRENT}, {"SURF", &DiveDataRec::SURF},
    {"SURGE", &DiveDataRec::SURGE}, {"TIDE", &DiveDataRec::TIDE}, {"SWELL", &DiveDataRec::SWELL},
    {"GEAR", &DiveDataRec::GEAR},
};

const std::initializer_list<Member<QString>> textMembers{
    {"DIVEDATE", &DiveDataRec::DIVEDATE}, {"DIVETIME", &DiveDataRec::DIVETIME}, {"STIME", &DiveDataRec::STIME},
    {"RESORT", &DiveDataRec::RESORT}, {"GPS", &DiveDataRec::GPS}, {"DIVEBOAT", &DiveDataRec::DIVEBOAT},
    {"OPERATOR", &DiveDataRec::OPERATOR}, {"MEMO", &DiveDataRec::MEMO}, {"HIGHLIGHTS", &DiveDataRec::HIGHLIGHTS},
    {"DIRECTIONS", &DiveDataRec::DIRECTIONS},
};

const std::initializer_list<Member<qint32>> longMembers{
    {"BTIME", &DiveDataRec::BTimeNum}, {"TID1", &DiveDataRec::TID1}, {"TID2", &DiveDataRec::TID2},
    {"TID3", &DiveDataRec::TID3}, {"MODELID", &DiveDataRec::MODELID},
};

const std::initializer_list<Member<quint8>> byteMembers{
    {"AIRCONSUMP", &DiveDataRec::AIRCONSUMP}, {"DECOMDIVE", &DiveDataRec::DECOMDIVE},
    {"VIOLATION", &DiveDataRec::VIOLATION}, {"DATATYPE", &DiveDataRec::DATATYPE},
    {"SNAPSHOT", &DiveDataRec::SNAPSHOT},
};

const std::initializer_list<Member<bool>> booleanMembers{
    {"TANK1ON", &DiveDataRec::TANK1ON}, {"TANK2ON", &DiveDataRec::TANK2ON}, {"TANK3ON", &DiveDataRec::TANK3ON},
    {"RECVON", &DiveDataRec::RECVON}, {"GAUGEDIVE", &DiveDataRec::GAUGEDIVE},
};

// The profile's sample rate as the dive record shows it; "" for an unknown code.
QString SnapshotText(const db::Value& snapshot)
{
    if (snapshot.IsNull())
        return {};
    const bool feet = gv.UnitDepth == 1;
    switch (ToLong(snapshot)) {
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

// Every member is set from this row: a Null or unreadable column gives the
// member's empty value, so nothing of the previously loaded dive survives.
void LoadCurrentDive()
{
    if (!gv.rsDiveData || gv.rsDiveData->EOF() || gv.rsDiveData->BOF())
        return;
    const db::Recordset& rs = *gv.rsDiveData;
    DiveDataRec& dive = gv.CurrentDive;

    for (const auto& m : valueMembers)
        dive.*m.member = Read(rs, m.column);
    for (const auto& m : textMembers)
        dive.*m.member = ToText(Read(rs, m.column));
    for (const auto& m : longMembers)
        dive.*m.member = ToLong(Read(rs, m.column));
    for (const auto& m : byteMembers)
        dive.*m.member = ToByte(Read(rs, m.column));
    for (const auto& m : booleanMembers)
        dive.*m.member = Read(rs, m.column).ToBool();
    dive.AVGDEPTH = CSng(Read(rs, "AVGDEPTH").ToDouble());
    dive.SnapshotText = SnapshotText(Read(rs, "SNAPSHOT"));

    dive.LOCATIONNAME = CatalogName("Select * from LOCATIONS where LOCID = ? ;", dive.LOCID, "LOCATIONNAME");
    dive.DIVESITE = CatalogName("Select * from DIVESITES where SITEID = ? ;", dive.SITEID, "DIVESITE");
}

} // namespace kvl
