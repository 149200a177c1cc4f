#include "analysis/core/Extremes.h"

#include "platform/runtime/Runtime.h"
#include "shell/core/Units.h"

namespace kvl {

namespace {

constexpr std::array<ExtremeInfo, kExtremeCount> kExtremes{{
    {"Deepest:", "MAXDEPTH", "MDEPTH", "Deepest"},
    {"Longest (hr:min):", "MAXBTIME", "BTIME", "Longest"},
    {"Shortest (hr:min):", "MINBTIME", "BTIME", "Shortest"},
    {"Warmest:", "MAXTEMP", "TEMP", "Warmest"},
    {"Coldest:", "MINIMUMTEMP", "TEMP", "Coldest"},
    {"Best Visibility:", "GOODVISIBLE", "VISIBILITY", "Best"},
    {"Worst Visibility:", "BADVISIBLE", "VISIBILITY", "Worst"},
}};

bool IsTime(Extreme extreme)
{
    return extreme == Extreme::Longest || extreme == Extreme::Shortest;
}

bool IsTemperature(Extreme extreme)
{
    return extreme == Extreme::Warmest || extreme == Extreme::Coldest;
}

QString TimeText(const db::Value& minutes)
{
    if (minutes.IsNull())
        return QStringLiteral(":");
    return Format(static_cast<double>(IntDiv(minutes.ToDouble(), 60)), "00") + QLatin1Char(':') +
           Format(static_cast<double>(IntMod(minutes.ToDouble(), 60)), "00");
}

} // namespace

const ExtremeInfo& InfoOf(Extreme extreme)
{
    return kExtremes[static_cast<size_t>(extreme)];
}

std::unique_ptr<db::Recordset> OpenExtremes(db::Database& db)
{
    return db.OpenRecordset(QString::fromLatin1(kExtremesSQL));
}

ExtremeValues ReadExtremes(const db::Recordset& extremes)
{
    ExtremeValues values;
    if (extremes.EOF())
        return values;
    for (int i = 0; i < kExtremeCount; ++i)
        values[static_cast<size_t>(i)] = extremes.Field(QString::fromLatin1(InfoOf(ExtremeAt(i)).aggregate));
    return values;
}

QString RecordText(Extreme extreme, const db::Value& value, int unitDepth, int unitTemp)
{
    if (IsTime(extreme))
        return TimeText(value);
    if (IsTemperature(extreme)) {
        if (unitTemp == 1)
            return value.ToString() + QStringLiteral(" F");
        return (value.IsNull() ? QString() : Format(FToC(value), "###")) + QStringLiteral(" C");
    }
    if (unitDepth == 1)
        return value.ToString() + QStringLiteral(" FT");
    return (value.IsNull() ? QString() : Format(FtToM(value), "####.0")) + QStringLiteral(" M");
}

std::optional<qint32> RecordDiveId(db::Database& db, Extreme extreme)
{
    auto extremes = OpenExtremes(db);
    const db::Value record = ReadExtremes(*extremes)[static_cast<size_t>(extreme)];
    if (record.IsNull())
        return std::nullopt;
    auto dive = db.OpenRecordset(QStringLiteral("Select * from DIVEDATA where ") +
                                     QString::fromLatin1(InfoOf(extreme).column) +
                                     QStringLiteral(" = ? ORDER BY LIFETIMEDIVENO ;"),
                                 {record});
    if (dive->EOF() || dive->Field("LIFETIMEDIVENO").IsNull())
        return std::nullopt;
    return static_cast<qint32>(dive->Field("DIVEID").ToLong());
}

} // namespace kvl
