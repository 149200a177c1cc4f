#include "dive/core/DiveValidators.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/runtime/Runtime.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Units.h"

#include <QDate>

#include <algorithm>

namespace kvl {

void FieldWarning(const QString& text)
{
    MsgBox(text, MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Warning"));
}

namespace {

QString IncompleteDate()
{
    return gv.UnitDate == 1 ? QStringLiteral("Invalid date. Please enter date as mm/dd/yyyy.")
                            : QStringLiteral("Invalid date. Please enter date as dd/mm/yyyy.");
}

QString OutOfRange(double value, double top, const QString& message)
{
    return value >= 0 && value <= top ? QString() : message;
}

// Shows the refusal, if any: whether the value is taken.
bool Told(const QString& refusal)
{
    if (refusal.isEmpty())
        return true;
    FieldWarning(refusal);
    return false;
}

} // namespace

bool IsValidDate(const QString& text) { return Told(DateRefusal(text)); }

QString DateRefusal(const QString& text)
{
    if (text.contains(QLatin1Char('_')))
        return IncompleteDate();
    const qint64 year = RoundHalfEven(Val(text.right(4)));
    const qint64 first = RoundHalfEven(Val(text.mid(0, 2)));
    const qint64 second = RoundHalfEven(Val(text.mid(3, 2)));
    const qint64 month = gv.UnitDate == 1 ? first : second;
    const qint64 day = gv.UnitDate == 1 ? second : first;
    if (month < 1 || month > 12)
        return QStringLiteral("Invalid month. Please re-enter date with a valid month.");
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int length = month == 2 && year % 4 == 0 ? 29 : lengths[month - 1];
    if (day < 1 || day > length)
        return QStringLiteral("Invalid day. Please re-enter date with a valid day.");
    // The calendar has the last word (1900 was no leap year); years before 100 are not dates.
    if (year < 100 || year > 9999 || !QDate::isValid(static_cast<int>(year), static_cast<int>(month),
                                                     static_cast<int>(day)))
        return IncompleteDate();
    return {};
}

bool IsValidPressure(double value) { return Told(PressureRefusal(value)); }

QString PressureRefusal(double value)
{
    return gv.UnitPressure == 1
        ? OutOfRange(value, 32700, QStringLiteral("Please enter pressure value between 0 and 32700"))
        : OutOfRange(value, 2289, QStringLiteral("Please enter pressure value between 0 and 2289"));
}

namespace {
constexpr int kTopSacPsi = 255;   // one byte
double SacPsi(double shown) { return PressureFromDisplay(shown, gv.UnitPressure); }
} // namespace

// The top as the box shows it (17.9 bar): a typed top stores the byte's top.
bool IsValidSacRate(double shown) { return Told(SacRateRefusal(shown)); }

QString SacRateRefusal(double shown)
{
    const float top = PressureToDisplay(kTopSacPsi);
    if (shown >= 0 && static_cast<float>(shown) <= top)
        return {};
    return "Please enter SAC rate value between 0 and " + SingleToText(top);
}

quint8 SacRateToStore(double shown)
{
    return static_cast<quint8>(std::min<qint64>(RoundHalfEven(SacPsi(shown)), kTopSacPsi));
}

bool IsValidCylinderSize(double value)
{
    return gv.UnitCylinder == 1
        ? Told(OutOfRange(value, 1155, QStringLiteral("Please enter pressure value between 0 and 1155")))
        : Told(OutOfRange(value, 32700, QStringLiteral("Please enter pressure value between 0 and 32700")));
}

bool IsValid_DiveNo(double value)
{
    if (value > 0 && value < 2000000)
        return true;
    FieldWarning(QStringLiteral("Invalid dive number. Re-enter you desired dive number (between 0 and 2000000)."));
    return false;
}

bool IsValid_LifeTimeDiveNo(double) { return false; }

} // namespace kvl
