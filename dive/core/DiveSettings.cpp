#include "dive/core/DiveSettings.h"

#include "platform/dialogs/Dialogs.h"
#include "shell/core/Lookups.h"

#include <algorithm>

namespace kvl {

const std::vector<SettingsGridRow>& DownloadedSettingsRows()
{
    static const std::vector<SettingsGridRow> rows{
        {"Group1", "Utilities Settings", "", ""},
        {"Units", "Units of Measure", "UNITS", "UNITS"},
        {"Time", "Time Format", "HOUR", "HOUR"},
        {"Water Contact", "Water Contact", "WATER", "WATER"},
        {"AscentScale", "Ascent Scale", "ALTTIME", "ASCENTSCALE"},
        {"Ascent", "Ascent Mode", "ASCENT", "ASCENT"},
        {"Chrono", "Chrono Mode", "CHRONO", "CHRONO"},
        {"A-C", "Ascent-Chrono", "CHRONO_ASCENT_ON_OFF", "CHRONO_ASCENT_ON_OFF"},
        {"NAV", "NAV Mode", "NAVDIVE", "NAVDIVE"},
        {"NAVLITE", "NAV Back Light", "NAVBACKLIGHT", "NAVBACKLIGHT"},
        {"BACKLITE", "Back Light Duration", "BACKLIGHT", "BACKLIGHT"},
        {"Sample", "Dive Sampling Rate", "DIVESAMPLE", ""},
        {"Group2", "Alarms Settings", "", ""},
        {"AUDIBLE", "Audible Alarm", "AUDIBLEALARM", "AUDIBLEALARM"},
        {"MAXDEPTH", "Max Depth", "MAXDEPTH", "MAXDEPTH"},
        {"EDT", "Elapsed Dive Time (Hr:Min)", "EDT", "EDT"},
        {"PO2", "Max PO2 (ATA)", "PO2", "PO2"},
    };
    return rows;
}

db::Value EffectiveUnits(const db::Value& units)
{
    return units.IsNull() ? db::Value(gv.UnitSystem == 1 ? 0 : 1) : units;
}

db::Value EffectiveHour(const db::Value& hour)
{
    return hour.IsNull() ? db::Value(gv.UnitTime == 1 ? 0 : 1) : hour;
}

QString SettingsValueText(const SettingsGridRow& gridRow, const db::Recordset& row)
{
    db::Value value = row.Field(gridRow.column);
    if (gridRow.textField.isEmpty())
        return SampleRateText(value);
    if (gridRow.column == QLatin1String("UNITS"))
        value = EffectiveUnits(value);
    else if (gridRow.column == QLatin1String("HOUR"))
        value = EffectiveHour(value);
    return DCSettingsText(gridRow.textField, value, EffectiveUnits(row.Field("UNITS")));
}

void ApplySettingsUnits(const db::Value& units, const db::Value& hour)
{
    if (!units.IsNull()) {
        gv.UnitSystem = InvertBit(units);
        gv.UnitDate = gv.UnitSystem;
    }
    if (!hour.IsNull())
        gv.UnitTime = InvertBit(hour);
}

namespace {

constexpr qint64 kFirstBuiltInModel = 6001;

// The id a new hand-made model takes: one above the highest id below 6001, else
// the lowest free id; 0 when every id below 6001 is used.
qint64 NextFreeModelId()
{
    const db::Value top = gv.DB->Scalar(
        QStringLiteral("Select MAX(MODELID) as MAXID from DC_PROPERTIES where MODELID < ? ;"),
        {db::Value(kFirstBuiltInModel)});
    const qint64 next = top.IsNull() ? 1 : std::max<qint64>(top.ToLong() + 1, 1);
    if (next < kFirstBuiltInModel)
        return next;
    if (gv.DB->Scalar(QStringLiteral("Select MODELID from DC_PROPERTIES where MODELID = 1 ;")).IsNull())
        return 1;
    const db::Value gap = gv.DB->Scalar(QStringLiteral(
        "Select MIN(MODELID) + 1 from DC_PROPERTIES p where MODELID >= 1 and MODELID < ? - 1 and "
        "not exists (Select 1 from DC_PROPERTIES q where q.MODELID = p.MODELID + 1) ;"),
        {db::Value(kFirstBuiltInModel)});
    return gap.IsNull() ? 0 : gap.ToLong();
}

} // namespace

std::optional<DCModel> CheckDCModel(const QString& name)
{
    if (name.trimmed().isEmpty() || name == QLatin1String("N/A"))
        return DCModel{};
    const db::Value known =
        gv.DB->Scalar(QStringLiteral("Select MODELID from DC_PROPERTIES where MODELNAME = ? ;"), {name});
    if (!known.IsNull())
        return DCModel{static_cast<qint32>(known.ToLong()), {}};
    const qint64 id = NextFreeModelId();
    if (id == 0) {
        MsgBox(QStringLiteral("No more dive computer models can be added."), MsgButtons::OK,
               MsgIcon::Exclamation, QStringLiteral("Warning"));
        return std::nullopt;
    }
    return DCModel{static_cast<qint32>(id), name};
}

void AddDCModel(const DCModel& model)
{
    if (!model.newName.isEmpty())
        gv.DB->Execute(QStringLiteral("Insert into DC_PROPERTIES (MODELID, MODELNAME) values (?, ?) ;"),
                       {db::Value(model.id), model.newName});
}

} // namespace kvl
