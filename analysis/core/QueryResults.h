#pragma once
// The rows of the query result: one Tab-separated text per dive, in the columns
// of the result grid. Model names are read once for all rows.

#include "platform/db/Db.h"

#include <QString>
#include <QStringList>

#include <map>

namespace kvl {

// The result grid's columns, in order.
enum class ResultColumn { LTD, Date, Time, DiveNo, Model, MaxDepth, Duration, MinTemp, DiveMode, DiveStatus, DiveId };
inline constexpr int kResultColumnCount = 11;
// The column's caption: "LTD #", "Date", ..., "DIVEID".
QString ResultCaption(ResultColumn column);

// Every model's name by id, read once; "N/A" for an id the log does not know.
class ModelNames {
public:
    // A log without the models table gives "N/A" for every model.
    explicit ModelNames(db::Database& db);
    QString Name(const db::Value& modelId) const;

private:
    std::map<qint64, QString> names_;
};

// "Navigation" when the DATATYPE has the navigation bit, as the dive record reads it; else "Normal".
QString DiveModeText(const db::Value& dataType);
// "Gauge", else "Violation", else "Decompression", else "Normal".
QString DiveStatusText(const db::Value& gauge, const db::Value& violation, const db::Value& decompression);

// The query (which starts "Select * from DIVEDATA") reading only the columns the
// result rows show: the grid lists thousands of dives, and the browsed list keeps
// the whole query.
QString ResultSetSql(const QString& query);

// The cells of the row the set stands on, in the user's units (gv's unit flags).
QStringList QueryResultCells(const db::Recordset& dive, const ModelNames& models);
// The same joined by Tab, as the grid takes a row.
QString QueryResultRow(const db::Recordset& dive, const ModelNames& models);

} // namespace kvl
