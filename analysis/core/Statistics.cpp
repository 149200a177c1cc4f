#include "analysis/core/Statistics.h"

#include "platform/runtime/Runtime.h"
#include "shell/core/Units.h"

namespace kvl {

namespace {

// A month's place on one line of months: year * 12 + month.
int MonthNumber(int year, int month)
{
    return year * 12 + month;
}

void Add(SpanTotals& totals, const db::Recordset& month)
{
    totals.dives += static_cast<qint32>(month.Field("DIVES").ToLong());
    totals.minutes += month.Field("MINUTES").ToLong();
    totals.startPressure += month.Field("STARTPSI").ToDouble();
    totals.endPressure += month.Field("ENDPSI").ToDouble();
}

} // namespace

bool InStatisticSpan(StatisticSpan span, int year, int month, const QDate& today)
{
    const int monthsBack = span == StatisticSpan::SixMonths ? 6 : 12;
    const int current = MonthNumber(today.year(), today.month());
    const int dive = MonthNumber(year, month);
    // A month out of 1..12 never counts, as no calendar month matches it.
    return month >= 1 && month <= 12 && dive <= current && dive >= current - monthsBack;
}

qint64 CountDives(db::Database& db)
{
    return db.Scalar(QStringLiteral("Select COUNT(DIVEID) as TOT from DIVEDATA ;")).ToLong();
}

qint64 TotalBottomMinutes(db::Database& db)
{
    return db.Scalar(QStringLiteral("Select SUM(BTIME) as TOTTIME from DIVEDATA ;")).ToLong();
}

SpanStatistics WalkSpans(db::Database& db, const QDate& today)
{
    // One line per calendar month that has dives: the year and month are read from
    // the date's first four characters and the two from the sixth, as numbers.
    auto months = db.OpenRecordset(QStringLiteral(
        "Select CAST(substr(DIVEDATE, 1, 4) AS INTEGER) as YEARNO, CAST(substr(DIVEDATE, 6, 2) AS INTEGER) as MONTHNO, "
        "COUNT(*) as DIVES, SUM(IFNULL(BTIME, 0)) as MINUTES, "
        "SUM(IFNULL(SPSI, 0) + IFNULL(SPSI2, 0) + IFNULL(SPSI3, 0)) as STARTPSI, "
        "SUM(IFNULL(EPSI, 0) + IFNULL(EPSI2, 0) + IFNULL(EPSI3, 0)) as ENDPSI "
        "from DIVEDATA where IFNULL(DIVEDATE, '') <> '' GROUP BY YEARNO, MONTHNO ;"));
    SpanStatistics spans;
    for (; !months->EOF(); months->MoveNext()) {
        const int year = static_cast<int>(months->Field("YEARNO").ToLong());
        const int month = static_cast<int>(months->Field("MONTHNO").ToLong());
        if (InStatisticSpan(StatisticSpan::SixMonths, year, month, today))
            Add(spans.sixMonths, *months);
        if (InStatisticSpan(StatisticSpan::TwelveMonths, year, month, today))
            Add(spans.twelveMonths, *months);
    }
    return spans;
}

QString TotalTimeText(qint64 minutes)
{
    return Format(static_cast<double>(minutes / 60), "####0") + QLatin1Char(':') +
           Format(static_cast<double>(minutes % 60), "00");
}

QString GasConsumedText(double psi, int unitPressure)
{
    if (unitPressure == 1)
        return SingleToText(CSng(psi)) + QStringLiteral(" PSI");
    return Format(PsiToBar(psi), "####.0") + QStringLiteral(" BAR");
}

} // namespace kvl
