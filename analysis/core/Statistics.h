#pragma once
// Lifetime statistics of a log: the number of dives and their bottom time over the
// whole log, the last six months and the last twelve months. The spans go by
// calendar months: "six months" is the current month and the six before it (seven
// in all), "twelve months" the current month and the twelve before it (thirteen).
// Days are never compared. Database failures throw db::DbError.

#include "platform/db/Db.h"

#include <QDate>
#include <QString>

namespace kvl {

enum class StatisticSpan { SixMonths, TwelveMonths };

// What one span adds up. A missing bottom time or pressure adds 0; the dive counts.
struct SpanTotals {
    qint32 dives = 0;
    qint64 minutes = 0;
    double startPressure = 0;   // psi, all three tanks
    double endPressure = 0;
};

struct SpanStatistics {
    SpanTotals sixMonths;
    SpanTotals twelveMonths;
};

// True when a dive of this year and month counts in the span that ends in today's month.
bool InStatisticSpan(StatisticSpan span, int year, int month, const QDate& today);

// The number of dives in the log.
qint64 CountDives(db::Database& db);
// The sum of every dive's bottom time in minutes (0 for an empty log).
qint64 TotalBottomMinutes(db::Database& db);
// Adds up the dives of both spans; dives without a date are left out.
SpanStatistics WalkSpans(db::Database& db, const QDate& today);

// Minutes as hours ("####0"), ":" and minutes ("00"): 130 gives "2:10".
QString TotalTimeText(qint64 minutes);
// The gas a span consumed (psi): "1000 PSI", or in bar "70.0 BAR".
QString GasConsumedText(double psi, int unitPressure);

} // namespace kvl
