#include "reports/core/DiveFacts.h"

#include "platform/runtime/Runtime.h"
#include "reports/core/ReportFrame.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Lookups.h"
#include "shell/core/Units.h"

namespace kvl {

namespace {

// Depths from this many feet on are out of the gauge's range.
constexpr double kDepthLimit = 330;

QString Leading(const db::Value& value)
{
    return value.IsNull() ? QString() : Str(value.ToDouble());
}

QString MaxDepthText(const db::Value& feet)
{
    return LimitedDepthText(feet, NumberJoined, u"###.0");
}

QString MinTempText(const db::Value& fahrenheit)
{
    return UnitTempText(fahrenheit, u"###.#");
}

QString DataTypeText(quint8 type)
{
    switch (type) {
    case 0: return QStringLiteral("Manual Entry");
    case 1: return QStringLiteral("DC");
    default: return QStringLiteral("DC Modified");
    }
}

bool Above(const db::Value& value, double limit)
{
    return !value.IsNull() && value.ToDouble() > limit;
}

QString Whole(const db::Value& value)
{
    return Format(value.ToDouble(), u"####0");
}

QString LengthText(const db::Value& feet)
{
    if (gv.UnitDepth == 1)
        return Whole(feet) + " FT";
    return Format(FtToM(feet), u"####0.0", Runtime::DecimalSeparator()) + " M";
}

QString TempText(const db::Value& fahrenheit)
{
    if (gv.UnitTemp == 1)
        return Format(fahrenheit.ToDouble(), u"##0") + " F";
    return Format(FToC(fahrenheit), u"##0.0", Runtime::DecimalSeparator()) + " C";
}

// A scale row's name and its height, when the id is above minId and the height above 0.
QString ScaleText(QString (*name)(const db::Value&), const db::Value& id, double minId, const db::Value& feet)
{
    if (!Above(id, minId) || !Above(feet, 0))
        return QString();
    return name(id) + ", " + LengthText(feet);
}

QString Named(const QString& text)
{
    return text.toUpper() == QLatin1String("NONE") ? QString() : text;
}

} // namespace

QString LimitedDepthText(const db::Value& feet, QString (*feetText)(const db::Value&), QStringView metricPicture)
{
    if (feet.IsNull())
        return QString();
    const bool inFeet = gv.UnitDepth == 1;
    if (feet.ToDouble() >= kDepthLimit)
        return inFeet ? QStringLiteral("--- FT") : QStringLiteral("--- M");
    if (inFeet)
        return feetText(feet) + " FT";
    return Format(FtToM(feet), metricPicture, Runtime::DecimalSeparator()) + " M";
}

QString UnitTempText(const db::Value& fahrenheit, QStringView celsiusPicture)
{
    if (fahrenheit.IsNull())
        return QString();
    if (gv.UnitTemp == 1)
        return NumberJoined(fahrenheit) + " F";
    return Format(FToC(fahrenheit), celsiusPicture, Runtime::DecimalSeparator()) + " C";
}

QStringList DiveFactValues()
{
    const DiveDataRec& dive = gv.CurrentDive;
    QStringList facts;
    facts << gv.DiverName;
    facts << GetModelName(dive.MODELID) + ", S/N: " + Leading(dive.MODELSERNO);
    facts << Leading(dive.LIFETIMEDIVENO);
    facts << FormatDBDate(dive.DIVEDATE) + ", " + (gv.UnitTime == 1 ? TimeTo12Hour(dive.DIVETIME) : dive.DIVETIME);
    facts << Leading(dive.DIVENO);
    facts << dive.LOCATIONNAME << dive.DIVESITE;
    facts << QString::number(dive.BTimeNum) + " Minutes";
    facts << dive.STIME;
    facts << MaxDepthText(dive.MDEPTH) << MinTempText(dive.TEMP);
    facts << dive.SnapshotText << DataTypeText(dive.DATATYPE);
    return facts;
}

QStringList ConditionValues()
{
    const DiveDataRec& dive = gv.CurrentDive;
    const bool metricTemp = gv.UnitTemp != 1;
    const bool surface = metricTemp ? !dive.SURFACE.IsNull() && dive.SURFACE.ToDouble() != 0 : Above(dive.SURFACE, 0);
    QStringList values;
    values << (Above(dive.VISIBILITY, 0) ? LengthText(dive.VISIBILITY) : QString());
    values << (Above(dive.ALTITUDE, 0) ? LengthText(dive.ALTITUDE) : QString());
    values << QString();
    values << (Above(dive.AIR, 0) ? TempText(dive.AIR) : QString());
    values << (surface ? TempText(dive.SURFACE) : QString());
    values << (Above(dive.MINIMUM, 0) ? TempText(dive.MINIMUM) : QString());
    values << QString();
    values << (Above(dive.CURRENT, 1) && Above(dive.CURRENT_FT, 0)
                   ? GetCurrentName(dive.CURRENT) + ", " + Whole(dive.CURRENT_FT) + " KNOTS"
                   : QString());
    values << ScaleText(GetSurgeName, dive.SURGE, 1, dive.SURGE_FT);
    values << ScaleText(GetSwellName, dive.SWELL, 1, dive.SWELL_FT);
    values << ScaleText(GetSurfName, dive.SURF, 1, dive.SURF_FT);
    values << ScaleText(GetTideName, dive.TIDE, 0, dive.TIDE_FT);
    values << QString();
    values << Named(dive.OPERATOR) << Named(dive.DIVEBOAT) << Named(dive.GPS);
    return values;
}

} // namespace kvl
