#include "dive/core/DiveSave.h"

#include <QStringList>

#include <utility>
#include <vector>

namespace kvl {

namespace {

using Columns = std::vector<std::pair<const char*, db::Value>>;

Columns SavedColumns(const DiveDataRec& d)
{
    Columns c{
        {"LIFETIMEDIVENO", d.LIFETIMEDIVENO}, {"DIVEDATE", d.DIVEDATE}, {"DIVENO", d.DIVENO},
        {"DIVETIME", d.DIVETIME}, {"BTIME", d.BTIME}, {"STIME", d.STIME}, {"MDEPTH", d.MDEPTH},
        {"AVGDEPTH", d.AVGDEPTH}, {"FO2", d.FO2}, {"CYLINDERSIZE", d.CYLINDERSIZE},
        {"CYLINDERSIZE2", d.CYLINDERSIZE2}, {"CYLINDERSIZE3", d.CYLINDERSIZE3}, {"SPSI", d.SPSI},
        {"FO2GAS2", d.FO2GAS2}, {"FO2GAS3", d.FO2GAS3},
        {"EPSI", d.EPSI}, {"SPSI2", d.SPSI2}, {"EPSI2", d.EPSI2}, {"SPSI3", d.SPSI3}, {"EPSI3", d.EPSI3},
        {"AIRCONSUMP", static_cast<int>(d.AIRCONSUMP)}, {"VARI", d.VARI},
        {"DATATYPE", static_cast<int>(d.DATATYPE)}, {"VIOLATION", static_cast<int>(d.VIOLATION)},
        {"DECOMDIVE", static_cast<int>(d.DECOMDIVE)}, {"MEMO", d.MEMO}, {"LOCID", d.LOCID},
        {"SITEID", d.SITEID}, {"TID1", d.TID1}, {"TID2", d.TID2}, {"TID3", d.TID3},
        {"TANK1ON", d.TANK1ON}, {"TANK2ON", d.TANK2ON}, {"TANK3ON", d.TANK3ON}, {"RECVON", d.RECVON},
    };
    if (d.DATATYPE == 0) {
        c.push_back({"MODELID", d.MODELID});
        c.push_back({"MODELSERNO", d.MODELSERNO});
    }
    c.push_back({"TEMP", d.TEMP});
    c.push_back({"MINIMUM", d.TEMP});
    c.push_back({"GAUGEDIVE", d.GAUGEDIVE});
    return c;
}

std::unique_ptr<db::Recordset> DiveRow(qint64 diveId)
{
    return gv.DB->OpenRecordset(QStringLiteral("Select * from DIVEDATA where DIVEID = ? ;"), {db::Value(diveId)});
}

bool IsNumber(const db::Value& v) { return v.IsInteger() || v.IsReal(); }

bool IsYesNo(const QString& column)
{
    static const QStringList yesNo{"TANK1ON", "TANK2ON", "TANK3ON", "RECVON", "GAUGEDIVE"};
    return yesNo.contains(column);
}

bool SameValue(const QString& column, const db::Value& a, const db::Value& b)
{
    if (IsYesNo(column))   // any non-zero is Yes
        return a.ToBool() == b.ToBool();
    if (a.IsNull() || b.IsNull())
        return a.IsNull() && b.IsNull();
    if (IsNumber(a) && IsNumber(b))   // single-precision members against the stored doubles
        return static_cast<float>(a.ToDouble()) == static_cast<float>(b.ToDouble());
    return a.ToString() == b.ToString();
}

} // namespace

bool WriteDiveRecord(qint64 diveId, const DiveDataRec& dive)
{
    auto row = DiveRow(diveId);
    if (row->EOF())
        return false;
    row->Edit();
    for (const auto& [column, value] : SavedColumns(dive))
        row->SetField(column, value);
    row->Update();
    return true;
}

bool DiveRecordDiffers(qint64 diveId, const DiveDataRec& dive)
{
    auto row = DiveRow(diveId);
    if (row->EOF())
        return false;
    for (const auto& [column, value] : SavedColumns(dive))
        if (QLatin1String(column) != QLatin1String("MINIMUM") && !SameValue(column, row->Field(column), value))
            return true;   // MINIMUM follows TEMP on a save; the location form edits it on its own
    return false;
}

} // namespace kvl
