#include "shell/core/Lookups.h"

#include "shell/core/NameLookup.h"
#include "shell/core/Units.h"

namespace kvl {

QString LookupName(std::unique_ptr<db::Recordset>& rs, const QString& sql, const db::Value& id, const char* column,
                   const QString& notFound)
{
    gv.SQLText = sql;
    rs = LogDB().OpenRecordset(sql, {id});
    if (rs->EOF())
        return notFound;
    const db::Value name = rs->Field(column);
    if (name.IsNull())
        throw NullValueError();
    return name.ToString();
}

namespace {

QString ScaleName(const char* table, const char* column, const db::Value& id)
{
    return LookupName(gv.rsTemp, QString("Select * from %1 where ID = ? ;").arg(table), id, column, QString());
}

const char* const modelSql = "Select * from DC_PROPERTIES where MODELID = ? ;";

} // namespace

QString GetModelName(const db::Value& modelId)
{
    return LookupName(gv.rsTemp, modelSql, modelId, "MODELNAME", "N/A");
}

QString GetModelNameLocal(const db::Value& modelId)
{
    std::unique_ptr<db::Recordset> own;
    return LookupName(own, modelSql, modelId, "MODELNAME", "N/A");
}

QString GetCurrentName(const db::Value& id) { return ScaleName("CURRENTS", "CURRENT", id); }
QString GetSurgeName(const db::Value& id) { return ScaleName("SURGES", "SURGE", id); }
QString GetSurfName(const db::Value& id) { return ScaleName("SURFS", "SURF", id); }
QString GetSwellName(const db::Value& id) { return ScaleName("SWELLS", "SWELL", id); }
QString GetTideName(const db::Value& id) { return ScaleName("TIDES", "TIDE", id); }

} // namespace kvl
