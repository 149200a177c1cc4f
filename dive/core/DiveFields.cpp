#include "dive/core/DiveFields.h"

#include "platform/runtime/Runtime.h"

#include <cmath>

namespace kvl {

DataTypeView ViewOfDataType(quint8 dataType)
{
    DataTypeView view;
    view.navigation = (dataType & DataTypeNavigation) != 0;
    view.locked = (dataType & DataTypeDownloaded) != 0;
    if (dataType == 0)
        view.manual = true;
    else if (view.locked)
        view.downloaded = true;
    else
        view.downloaded = view.modified = true;
    return view;
}

quint8 EditedDataType(quint8 dataType)
{
    if (!(dataType & DataTypeDownloaded))
        return dataType;
    return static_cast<quint8>((dataType & ~DataTypeDownloaded) | DataTypeModified);
}

QStringList GasList()
{
    QStringList items{QStringLiteral("AIR")};
    for (int n = 21; n <= 50; ++n)
        items << QString::number(n) + QLatin1Char('%');
    return items;
}

int GasListIndex(const db::Value& fo2)
{
    if (fo2.IsNull())
        return -1;
    const qint64 percent = fo2.ToLong();
    if (percent < 21)
        return 0;
    return percent <= 50 ? static_cast<int>(percent - 20) : -1;
}

int FO2OfGasListIndex(int index) { return index + 20; }

QStringList VariList(int unitDepth)
{
    if (unitDepth == 1)
        return {"0-20FT/Min", "20-30FT/Min", "30-40FT/Min", "40-50FT/Min", "50-60FT/Min", ">60FT/Min"};
    return {"0-6M/Min", "6-9M/Min", "9-12M/Min", "12-15M/Min", "15-18M/Min", ">18M/Min"};
}

int VariListIndex(const db::Value& vari)
{
    if (vari.IsNull())
        return -1;
    const qint64 band = vari.ToLong();
    return band >= 0 && band <= 5 ? static_cast<int>(band) : -1;
}

QString DateToDB(const QString& shown, int unitDate)
{
    const QString first = shown.mid(0, 2);
    const QString second = shown.mid(3, 2);
    const QString& month = unitDate == 1 ? first : second;
    const QString& day = unitDate == 1 ? second : first;
    return shown.right(4) + QLatin1Char('/') + month + QLatin1Char('/') + day;
}

namespace {

struct HourMinute {
    qint64 hours;
    qint64 minutes;
};

HourMinute SplitTime(const QString& text)
{
    HourMinute t{RoundHalfEven(Val(text.left(2))), RoundHalfEven(Val(text.right(2)))};
    if (t.minutes > 59 || t.minutes < 0)
        t.minutes = 0;
    return t;
}

QString JoinTime(qint64 hours, qint64 minutes)
{
    return QStringLiteral("%1:%2").arg(hours, 2, 10, QLatin1Char('0')).arg(minutes, 2, 10, QLatin1Char('0'));
}

} // namespace

QString NormalizeTimeIn(const QString& text, int unitTime)
{
    HourMinute t = SplitTime(text);
    const qint64 top = unitTime == 1 ? 12 : 23;
    if (t.hours > top)
        t.hours = IntMod(static_cast<double>(t.hours), unitTime == 1 ? 12 : 24);
    if (t.hours < 0)
        t.hours = 0;
    return JoinTime(t.hours, t.minutes);
}

QString NormalizeSurfaceInterval(const QString& text)
{
    HourMinute t = SplitTime(text);
    if (t.hours > 24)
        t.hours = t.minutes == 0 ? 24 : 23;
    if (t.hours < 0)
        t.hours = 0;
    return JoinTime(t.hours, t.minutes);
}

QString TidText(qint32 tid)
{
    return tid > 0 ? QStringLiteral("%1").arg(tid, 6, 10, QLatin1Char('0')) : QString();
}

QString PositiveText(const db::Value& value)
{
    return !value.IsNull() && value.ToDouble() > 0 ? value.ToString() : QString();
}

double PressureUsed(const std::array<TankPressures, 3>& tanks)
{
    double used = 0;
    for (const TankPressures& tank : tanks)
        if (tank.counted)
            used += tank.start - tank.end;
    return used;
}

} // namespace kvl
