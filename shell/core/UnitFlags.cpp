#include "shell/core/Units.h"

#include <array>

namespace kvl {

namespace {

struct FlagColumn {
    const char* column;
    quint8 Global_Vars::*flag;
};

// Each unit flag and the column of the units row that stores it.
constexpr std::array<FlagColumn, 7> flagColumns{{
    {"DEPTH", &Global_Vars::UnitDepth},
    {"PRESSURE", &Global_Vars::UnitPressure},
    {"WEIGHT", &Global_Vars::UnitWeight},
    {"TEMP", &Global_Vars::UnitTemp},
    {"TIME", &Global_Vars::UnitTime},
    {"DATE", &Global_Vars::UnitDate},
    {"CYLINDER", &Global_Vars::UnitCylinder},
}};

void OpenUnits()
{
    gv.SQLText = "Select * from UNITS_OF_MEASUREMENT ;";
    gv.rsUnits = LogDB().OpenRecordset(gv.SQLText);
}

} // namespace

// Starting up reads the flags the same way: a missing row or a Null column
// stands for the stored (imperial) form instead of stopping the start.
void InitUnitFlags()
{
    LoadUnits();
}

void LoadUnits()
{
    OpenUnits();
    for (const FlagColumn& f : flagColumns)
        gv.*f.flag = 1;
    if (gv.rsUnits->EOF())
        return;
    for (const FlagColumn& f : flagColumns) {
        const db::Value v = gv.rsUnits->Field(f.column);
        if (!v.IsNull() && !v.ToBool())
            gv.*f.flag = 0;
    }
}

void UpdateUnitFlags()
{
    for (quint8 Global_Vars::*flag : {&Global_Vars::UnitDepth, &Global_Vars::UnitPressure, &Global_Vars::UnitWeight,
                                      &Global_Vars::UnitTemp, &Global_Vars::UnitDate, &Global_Vars::UnitCylinder})
        gv.*flag = gv.UnitSystem;
    WriteUnitFlags();
}

void WriteUnitFlags()
{
    if (!gv.rsUnits || gv.rsUnits->EOF())
        return;
    gv.rsUnits->Edit();
    for (const FlagColumn& f : flagColumns)
        gv.rsUnits->SetField(f.column, db::Value(gv.*f.flag == 1));
    gv.rsUnits->Update();
}

} // namespace kvl
