#include "shell/core/DiveColumns.h"

#include "platform/runtime/Runtime.h"

#include <cmath>
#include <type_traits>

namespace kvl {

namespace {

using D = DiveDataRec;
using S = DiveColumnSave;

const DiveColumn kDiveColumns[] = {
    {"LIFETIMEDIVENO", &D::LIFETIMEDIVENO, S::Yes},
    {"DIVEDATE", &D::DIVEDATE, S::Yes},
    {"DIVENO", &D::DIVENO, S::Yes},
    {"DIVETIME", &D::DIVETIME, S::Yes},
    {"BTIME", &D::BTIME, S::Yes},
    {"STIME", &D::STIME, S::Yes},
    {"MDEPTH", &D::MDEPTH, S::Yes},
    {"AVGDEPTH", &D::AVGDEPTH, S::Yes},
    {"FO2", &D::FO2, S::Yes},
    {"CYLINDERSIZE", &D::CYLINDERSIZE, S::Yes},
    {"CYLINDERSIZE2", &D::CYLINDERSIZE2, S::Yes},
    {"CYLINDERSIZE3", &D::CYLINDERSIZE3, S::Yes},
    {"SPSI", &D::SPSI, S::Yes},
    {"FO2GAS2", &D::FO2GAS2, S::Yes},
    {"FO2GAS3", &D::FO2GAS3, S::Yes},
    {"EPSI", &D::EPSI, S::Yes},
    {"SPSI2", &D::SPSI2, S::Yes},
    {"EPSI2", &D::EPSI2, S::Yes},
    {"SPSI3", &D::SPSI3, S::Yes},
    {"EPSI3", &D::EPSI3, S::Yes},
    {"AIRCONSUMP", &D::AIRCONSUMP, S::Yes},
    {"VARI", &D::VARI, S::Yes},
    {"DATATYPE", &D::DATATYPE, S::Yes},
    {"VIOLATION", &D::VIOLATION, S::Yes},
    {"DECOMDIVE", &D::DECOMDIVE, S::Yes},
    {"MEMO", &D::MEMO, S::Yes},
    {"LOCID", &D::LOCID, S::Yes},
    {"SITEID", &D::SITEID, S::Yes},
    {"TID1", &D::TID1, S::Yes},
    {"TID2", &D::TID2, S::Yes},
    {"TID3", &D::TID3, S::Yes},
    {"TANK1ON", &D::TANK1ON, S::Yes},
    {"TANK2ON", &D::TANK2ON, S::Yes},
    {"TANK3ON", &D::TANK3ON, S::Yes},
    {"RECVON", &D::RECVON, S::Yes},
    {"MODELID", &D::MODELID, S::WhenHandEntered},
    {"MODELSERNO", &D::MODELSERNO, S::WhenHandEntered},
    {"TEMP", &D::TEMP, S::Yes},
    {"MINIMUM", &D::MINIMUM, S::AsTemp},
    {"GAUGEDIVE", &D::GAUGEDIVE, S::Yes},
    // Loaded only.
    {"BTIME", &D::BTimeNum, S::No},
    {"SNAPSHOT", &D::SNAPSHOT, S::No},
    {"VISIBILITY", &D::VISIBILITY, S::No},
    {"ALTITUDE", &D::ALTITUDE, S::No},
    {"AIR", &D::AIR, S::No},
    {"SURFACE", &D::SURFACE, S::No},
    {"SURGE_FT", &D::SURGE_FT, S::No},
    {"SURF_FT", &D::SURF_FT, S::No},
    {"TIDE_FT", &D::TIDE_FT, S::No},
    {"SWELL_FT", &D::SWELL_FT, S::No},
    {"CURRENT_FT", &D::CURRENT_FT, S::No},
    {"CURRENT", &D::CURRENT, S::No},
    {"SURF", &D::SURF, S::No},
    {"SURGE", &D::SURGE, S::No},
    {"TIDE", &D::TIDE, S::No},
    {"SWELL", &D::SWELL, S::No},
    {"GEAR", &D::GEAR, S::No},
    {"RESORT", &D::RESORT, S::No},
    {"GPS", &D::GPS, S::No},
    {"DIVEBOAT", &D::DIVEBOAT, S::No},
    {"OPERATOR", &D::OPERATOR, S::No},
    {"HIGHLIGHTS", &D::HIGHLIGHTS, S::No},
    {"DIRECTIONS", &D::DIRECTIONS, S::No},
};

quint8 ToByte(const db::Value& v)
{
    const qint32 n = ReadLong(v);
    return n >= 0 && n <= 255 ? quint8(n) : 0;
}

// A stored value read as a member of each kind.
struct Reader {
    const db::Value& stored;
    db::Value operator()(db::Value) const { return stored; }
    QString operator()(QString) const { return stored.IsNull() ? QString() : stored.ToString(); }
    qint32 operator()(qint32) const { return ReadLong(stored); }
    quint8 operator()(quint8) const { return ToByte(stored); }
    bool operator()(bool) const { return stored.ToBool(); }
    float operator()(float) const { return CSng(stored.ToDouble()); }
};

db::Value AsValue(const db::Value& v) { return v; }
db::Value AsValue(const QString& v) { return v; }
db::Value AsValue(qint32 v) { return v; }
db::Value AsValue(quint8 v) { return static_cast<int>(v); }
db::Value AsValue(bool v) { return v; }
db::Value AsValue(float v) { return v; }

bool IsNumber(const db::Value& v) { return v.IsInteger() || v.IsReal(); }

} // namespace

qint32 ReadLong(const db::Value& stored)
{
    const double d = stored.ToDouble();
    return std::fabs(d) < 2147483647.5 ? qint32(RoundHalfEven(d)) : 0;
}

std::span<const DiveColumn> DiveColumns()
{
    return kDiveColumns;
}

void LoadDiveColumn(DiveDataRec& dive, const DiveColumn& column, const db::Value& stored)
{
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(dive.*member)>;
            dive.*member = Reader{stored}(T{});
        },
        column.member);
}

bool WritesDiveColumn(const DiveColumn& column, const DiveDataRec& dive)
{
    switch (column.save) {
    case DiveColumnSave::No: return false;
    case DiveColumnSave::WhenHandEntered: return dive.DATATYPE == 0;
    case DiveColumnSave::Yes:
    case DiveColumnSave::AsTemp: return true;
    }
    return false;
}

db::Value SavedDiveValue(const DiveColumn& column, const DiveDataRec& dive)
{
    if (column.save == DiveColumnSave::AsTemp)
        return dive.TEMP;
    return std::visit([&](auto member) { return AsValue(dive.*member); }, column.member);
}

bool SameDiveValue(const DiveColumn& column, const db::Value& stored, const db::Value& record)
{
    if (std::holds_alternative<bool DiveDataRec::*>(column.member))
        return stored.ToBool() == record.ToBool();
    if (stored.IsNull() || record.IsNull())
        return stored.IsNull() && record.IsNull();
    if (IsNumber(stored) && IsNumber(record))   // single-precision members against the stored doubles
        return static_cast<float>(stored.ToDouble()) == static_cast<float>(record.ToDouble());
    return stored.ToString() == record.ToString();
}

} // namespace kvl
