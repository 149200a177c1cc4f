#include "shell/core/Units.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/runtime/Runtime.h"

#include <cmath>

namespace kvl {

namespace {

constexpr double kBarPerPsi = 0.07;
constexpr double kLitresPerCubicFoot = 28.31684;

// A conversion's argument: a number, or a text read as the number it begins with.
double Number(const db::Value& value)
{
    if (value.IsNull())
        throw NullValueError();
    return value.IsText() ? Val(value.ToString()) : value.ToDouble();
}

// Rounds to one decimal, halves upward (also below zero): the single is scaled
// in single precision and the half added in double, as the stored values expect.
float RoundOneDecimal(float value)
{
    const float scaled = value * 10.0f;
    return CSng(std::floor(double(scaled) + 0.5) / 10.0);
}

double RoundOneDecimal(double value)
{
    return std::floor(value * 10.0 + 0.5) / 10.0;
}

QString TwoDigits(double number)
{
    const qint64 n = RoundHalfEven(number);
    return n < 0 ? "-" + QString::number(-n).rightJustified(2, '0') : QString::number(n).rightJustified(2, '0');
}

// The parts of "hh:mm" or "hh:mm:ss"; false for any other length.
struct ClockText {
    double hours = 0;
    double minutes = 0;
    QString seconds;   // two characters, or empty
};

bool ParseClock(const QString& time, ClockText& clock)
{
    if (time.size() != 5 && time.size() != 8)
        return false;
    clock.hours = Val(time.mid(0, 2));
    clock.minutes = Val(time.mid(3, 2));
    clock.seconds = time.size() == 8 ? TwoDigits(Val(time.mid(6, 2))) : QString();
    return true;
}

QString ClockToText(double hours, const ClockText& clock)
{
    QString text = TwoDigits(hours) + ":" + TwoDigits(clock.minutes);
    if (!clock.seconds.isEmpty())
        text += ":" + clock.seconds;
    return text;
}

void TimeWarning(const QString& text)
{
    MsgBox(text, MsgButtons::OK, MsgIcon::Critical, "Warning");
}

} // namespace

float FtToM(const db::Value& value)
{
    return CSng(Number(value) * 0.3048);
}

float MToFt(const db::Value& value)
{
    const float feet = CSng(Number(value) / 0.3048);
    const float whole = std::floor(feet);
    const float fraction = std::fabs(feet - whole);
    return fraction < 0.5f ? whole : feet;
}

float CuFtToLiter(const db::Value& value)
{
    return CSng(Number(value) * kLitresPerCubicFoot);
}

float PsiToBar(const db::Value& value)
{
    return RoundOneDecimal(CSng(Number(value) * kBarPerPsi));
}

float FToC(const db::Value& value)
{
    return RoundOneDecimal(CSng((Number(value) - 32) * 5 / 9));
}

float CToF(const db::Value& value)
{
    return RoundOneDecimal(CSng(Number(value) * 9 / 5 + 32));
}

float KgToLb(const db::Value& value)
{
    return CSng(RoundOneDecimal(Number(value) * 2.2046));
}

float LbToKg(const db::Value& value)
{
    return CSng(RoundOneDecimal(Number(value) / 2.2046));
}

namespace {
float ToDisplay(quint8 flag, const db::Value& value, float (*convert)(const db::Value&))
{
    return flag == 1 ? CSng(Number(value)) : convert(value);
}
} // namespace

float DepthToDisplay(const db::Value& value) { return ToDisplay(gv.UnitDepth, value, FtToM); }
float DepthFromDisplay(const db::Value& value) { return ToDisplay(gv.UnitDepth, value, MToFt); }
float TempToDisplay(const db::Value& value) { return ToDisplay(gv.UnitTemp, value, FToC); }
float PressureToDisplay(const db::Value& value) { return ToDisplay(gv.UnitPressure, value, PsiToBar); }
float WeightToDisplay(const db::Value& value) { return ToDisplay(gv.UnitWeight, value, LbToKg); }
float CylinderToDisplay(const db::Value& value) { return ToDisplay(gv.UnitCylinder, value, CuFtToLiter); }

double PressureFromDisplay(double shown, quint8 unitPressure)
{
    return unitPressure == 0 ? shown / kBarPerPsi : shown;
}

double CylinderFromDisplay(double shown, quint8 unitCylinder)
{
    return unitCylinder == 0 ? shown / kLitresPerCubicFoot : shown;
}

double ParseDecimal(QString& text)
{
    text.replace(',', '.');
    return Val(text);
}

QString FormatDBDate(const QString& dbDate)
{
    const QString year = dbDate.left(4);
    const QString month = dbDate.mid(5, 2);
    const QString day = dbDate.right(2);
    return gv.UnitDate != 0 ? month + "/" + day + "/" + year : day + "/" + month + "/" + year;
}

QString FormatTimeByMode(const QString& time, int mode)
{
    return mode == 0 ? time : TimeTo12Hour(time);
}

QString TimeTo12Hour(const QString& time)
{
    ClockText clock;
    if (!ParseClock(time, clock))
        return time;
    if (clock.hours < 12)
        return ClockToText(clock.hours, clock) + " AM";
    return ClockToText(clock.hours > 12 ? clock.hours - 12 : clock.hours, clock) + " PM";
}

QString TimeTo24Hour(const QString& time, const QString& amPm)
{
    ClockText clock;
    if (!ParseClock(time, clock))
        return time;
    if (amPm.toUpper() == "AM")
        return clock.hours == 12 ? ClockToText(0, clock) : time;   // 12:15 AM is a quarter past midnight
    return clock.hours < 12 ? ClockToText(clock.hours + 12, clock) : time;
}

QString AddMinutesToTime(const QString& time, const db::Value& minutes)
{
    const double hours = Val(time.mid(0, 2));
    const double total = Val(time.mid(3, 2)) + Number(minutes);
    double newHours = hours + IntDiv(total, 60);
    if (newHours > 23)
        newHours = IntMod(newHours, 24);
    return TwoDigits(newHours) + ":" + TwoDigits(IntMod(total, 60));
}

QStringList TimeTextRefusals(const QString& text, int mode)
{
    if (text.contains('_'))
        return {QStringLiteral("Invalid time. Please enter time as hh:mm.")};
    QStringList refusals;
    const double hours = Val(text.left(2));
    const double minutes = Val(text.right(2));
    const int maxHour = mode == 1 ? 12 : 23;
    if (hours < 0 || hours > maxHour)
        refusals << (mode == 1 ? QStringLiteral("Invalid time. Please enter value 00-12 for hour.")
                               : QStringLiteral("Invalid time. Please enter value 00-23 for hour."));
    if (minutes < 0 || minutes > 59)
        refusals << QStringLiteral("Invalid time. Please enter value 00-59 for minute.");
    return refusals;
}

bool IsValidTimeText(const QString& text, int mode)
{
    const QStringList refusals = TimeTextRefusals(text, mode);
    for (const QString& refusal : refusals)
        TimeWarning(refusal);
    return refusals.isEmpty();
}

namespace {
// Hours, minutes and seconds of a navigation-leg time "h:mm:ss".
struct LegTime {
    int colons = 0;
    double hours = 0;
    double minutes = 0;
    double seconds = 0;
};

LegTime ParseLegTime(const QString& text)
{
    LegTime leg;
    const qsizetype first = text.indexOf(':');
    const qsizetype last = text.lastIndexOf(':');
    leg.colons = int(text.count(':'));
    if (first < 0) {
        leg.seconds = Val(text.mid(1));
        return leg;
    }
    leg.hours = Val(text.left(first));
    if (leg.colons >= 2) {
        const qsizetype second = text.indexOf(':', first + 1);
        leg.minutes = Val(text.mid(first + 1, second - first - 1));
    }
    leg.seconds = Val(text.mid(last + 1));
    return leg;
}
} // namespace

bool IsValidCDTText(const QString& text)
{
    const LegTime leg = ParseLegTime(text);
    return leg.colons >= 2 && leg.hours >= 0 && leg.hours <= 9 && leg.minutes >= 0 && leg.minutes <= 59
        && leg.seconds >= 0 && leg.seconds <= 59;
}

qint32 CDTTextToSeconds(const QString& text)
{
    const LegTime leg = ParseLegTime(text);
    return qint32(RoundHalfEven(leg.hours * 3600 + leg.minutes * 60 + leg.seconds));
}

} // namespace kvl
