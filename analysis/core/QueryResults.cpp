#include "analysis/core/QueryResults.h"

#include "analysis/core/QueryBuilder.h"
#include "dive/core/DiveFields.h"
#include "platform/runtime/Runtime.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Units.h"

#include <QLoggingCategory>

#include <array>

namespace kvl {

namespace {

Q_LOGGING_CATEGORY(lcQuery, "kvl.query")

constexpr std::array<const char*, kResultColumnCount> kCaptions{
    "LTD #", "Date", "Time", "Dive #", "Radarar Edeze Model", "Max Depth", "Duration", "Min Temp",
    "Dive Mode", "Dive Status", "DIVEID"};

QString DepthText(const db::Value& feet)
{
    const bool metric = gv.UnitDepth != 1;
    const QString unit = metric ? QStringLiteral(" M") : QStringLiteral(" FT");
    if (feet.IsNull())
        return unit;
    return Format(DepthToDisplay(feet), metric ? "###.#" : "###") + unit;
}

QString TemperatureText(const db::Value& fahrenheit)
{
    const QString unit = gv.UnitTemp == 1 ? QStringLiteral(" F") : QStringLiteral(" C");
    if (fahrenheit.IsNull())
        return unit;
    return Format(TempToDisplay(fahrenheit), "###") + unit;
}

} // namespace

QString ResultCaption(ResultColumn column)
{
    return QString::fromLatin1(kCaptions[static_cast<size_t>(column)]);
}

ModelNames::ModelNames(db::Database& db)
{
    try {
        auto rs = db.OpenSnapshot(QStringLiteral("Select MODELID, MODELNAME from DC_PROPERTIES ;"));
        for (; !rs->EOF(); rs->MoveNext())
            names_.emplace(rs->Field("MODELID").ToLong(), rs->Field("MODELNAME").ToString());   // the first row wins
    } catch (const db::DbError& e) {
        qCWarning(lcQuery) << "model names not read:" << e.Message();
    }
}

QString ModelNames::Name(const db::Value& modelId) const
{
    const auto found = names_.find(modelId.ToLong());
    return found == names_.end() ? QStringLiteral("N/A") : found->second;
}

QString DiveModeText(const db::Value& dataType)
{
    const bool navigation = ViewOfDataType(static_cast<quint8>(dataType.ToLong())).navigation;
    return navigation ? QStringLiteral("Navigation") : QStringLiteral("Normal");
}

QString DiveStatusText(const db::Value& gauge, const db::Value& violation, const db::Value& decompression)
{
    if (gauge.ToBool())
        return QStringLiteral("Gauge");
    if (violation.ToLong() == 1)
        return QStringLiteral("Violation");
    if (decompression.ToLong() == 1)
        return QStringLiteral("Decompression");
    return QStringLiteral("Normal");
}

QStringList QueryResultCells(const db::Recordset& dive, const ModelNames& models)
{
    return {dive.Field("LIFETIMEDIVENO").ToString(),
            FormatDBDate(dive.Field("DIVEDATE").ToString()),
            FormatTimeByMode(dive.Field("DIVETIME").ToString(), gv.UnitTime),
            dive.Field("DIVENO").ToString(),
            models.Name(dive.Field("MODELID")),
            DepthText(dive.Field("MDEPTH")),
            dive.Field("BTIME").ToString() + QStringLiteral(" min."),
            TemperatureText(dive.Field("TEMP")),
            DiveModeText(dive.Field("DATATYPE")),
            DiveStatusText(dive.Field("GAUGEDIVE"), dive.Field("VIOLATION"), dive.Field("DECOMDIVE")),
            dive.Field("DIVEID").ToString()};
}

QString ResultSetSql(const QString& query)
{
    static const QString base = QString::fromLatin1(kQueryBase);
    Q_ASSERT(query.startsWith(base, Qt::CaseInsensitive));
    return QStringLiteral("Select LIFETIMEDIVENO, DIVEDATE, DIVETIME, DIVENO, MODELID, MDEPTH, BTIME, TEMP, DATATYPE, "
                          "GAUGEDIVE, VIOLATION, DECOMDIVE, DIVEID from DIVEDATA") +
           query.mid(base.size());
}

QString QueryResultRow(const db::Recordset& dive, const ModelNames& models)
{
    return QueryResultCells(dive, models).join(QLatin1Char('\t'));
}

} // namespace kvl
