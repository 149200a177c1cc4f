#include "analysis/core/Profile.h"

#include "platform/runtime/Runtime.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Lookups.h"
#include "shell/core/Units.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kvl::profile {

bool IsSample(const db::Recordset& rs)
{
    return IsSample(rs.Field("BTIME"), rs.Field("DEPTH"), rs.Field("RECORDTYPE"));
}

bool IsSample(const db::Value& time, const db::Value& depth, const db::Value& recordType)
{
    return !time.IsNull() && !depth.IsNull() && (recordType.ToLong() & OtherRecord) == 0;
}

namespace {

quint8 ByteOf(const db::Value& value)
{
    return static_cast<quint8>(std::clamp<qint64>(value.ToLong(), 0, 255));
}

QString PlainNumber(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

ProfileSample ReadSample(const db::Recordset& rs)
{
    ProfileSample s;
    s.rowId = rs.Field(QStringLiteral("ROWNO")).ToLong();
    s.time = static_cast<qint32>(rs.Field(QStringLiteral("BTIME")).ToLong());
    s.depth = rs.Field(QStringLiteral("DEPTH")).ToDouble();
    s.tdepth = rs.Field(QStringLiteral("TDEPTH")).ToDouble();
    s.vari = ByteOf(rs.Field(QStringLiteral("VARI")));
    s.temp = rs.Field(QStringLiteral("TEMP"));
    s.po2 = rs.Field(QStringLiteral("PO2"));
    s.alarm = ByteOf(rs.Field(QStringLiteral("ALARM")));
    return s;
}

// Shows the bit while the sample raises it, for 10 seconds from its start; then the
// latch holds it off.
void TimedAlarm(quint8 bit, quint8 alarm, qint32 time, qint32& start, quint8& status, quint8& latch)
{
    if ((latch & bit) || !(alarm & bit)) {
        status &= ~bit;
    } else if (status & bit) {
        if (std::abs(time - start) >= 10) {
            status &= ~bit;
            latch |= bit;
        }
    } else {
        status |= bit;
        start = time;
    }
}

} // namespace

bool IsSampleRow(const db::Recordset& rs)
{
    return !rs.Field(QStringLiteral("BTIME")).IsNull() && !rs.Field(QStringLiteral("DEPTH")).IsNull()
           && (rs.Field(QStringLiteral("RECORDTYPE")).ToLong() & OtherRecord) == 0;
}

ProfileRows LoadProfileSamples(db::Database& db, qint32 diveId)
{
    ProfileRows rows;
    if (!db.TableExists(QStringLiteral("DIVEDETAILS")))
        return rows;
    // A column named by alias makes a set that reads all its rows at once.
    auto rs = db.OpenRecordset(QStringLiteral("SELECT rowid AS ROWNO, BTIME, DEPTH, TDEPTH, VARI, TEMP, PO2, ALARM, "
                                              "RECORDTYPE FROM DIVEDETAILS WHERE DIVEID = ? ORDER BY ORDNO ASC ;"),
                               {diveId});
    rows.kept.reserve(static_cast<size_t>(rs->RecordCount()));
    qint32 previous = 0;
    for (; !rs->EOF(); rs->MoveNext()) {
        if (!IsSampleRow(*rs))
            continue;
        ++rows.sampleRows;
        ProfileSample sample = ReadSample(*rs);
        if (previous > sample.time)
            continue;   // back in time
        previous = sample.time;
        rows.kept.push_back(std::move(sample));
    }
    if (rows.sampleRows < MinSampleRows)
        rows.kept.clear();
    return rows;
}

int ClipSampleDepths(db::Database& db, ProfileRows& rows, double maxDepth)
{
    const auto deeper = [maxDepth](const ProfileSample& s) { return s.depth > maxDepth; };
    if (std::none_of(rows.kept.begin(), rows.kept.end(), deeper))
        return 0;
    int clipped = 0;
    db::Transaction tx(db);
    for (ProfileSample& s : rows.kept) {
        if (!deeper(s))
            continue;
        db.Execute(QStringLiteral("UPDATE DIVEDETAILS SET DEPTH = ? WHERE rowid = ? ;"), {maxDepth, s.rowId});
        s.depth = maxDepth;
        ++clipped;
    }
    tx.Commit();
    return clipped;
}

void AlarmState::Next(quint8 alarm, qint32 time, float depth, float maxDepthAlarm)
{
    TimedAlarm(EdtBit, alarm, time, EdtStart, AlarmStatus, AlarmLatch);
    const bool maxDepthOff = (AlarmLatch & MaxDepthBit) || !(alarm & MaxDepthBit);
    TimedAlarm(MaxDepthBit, alarm, time, MaxDepthStart, AlarmStatus, AlarmLatch);
    if (maxDepthOff && depth < maxDepthAlarm)
        AlarmLatch &= ~MaxDepthBit;
    constexpr quint8 copied = Passed400 | MaxPO2 | AscentRateBit;
    AlarmStatus = static_cast<quint8>((AlarmStatus & ~copied) | (alarm & copied));
}

void ResamplingTime(std::vector<qint32>& times, int count)
{
    qint32 previous = 0;
    int repeats = 0;
    int runStart = 0;
    count = std::min(count, static_cast<int>(times.size()));
    for (int i = 0; i < count; ++i) {
        const qint32 current = times[static_cast<size_t>(i)];
        if (current == previous) {
            ++repeats;
            continue;
        }
        for (int m = runStart, j = 0; repeats > 0 && m < i; ++m, ++j)
            times[static_cast<size_t>(m)] += static_cast<qint32>((qint64(j) * (current - previous)) / repeats);
        repeats = 0;
        previous = current;
        runStart = i + 1;
    }
}

int AxisStep(int v, int fallback)
{
    struct Band {
        int upTo;
        int step;
    };
    static constexpr Band bands[] = {{10, 1}, {20, 2}, {50, 5}, {100, 10}, {200, 20}};
    if (v <= 0)
        return fallback;
    for (const Band& b : bands)
        if (v <= b.upTo)
            return b.step;
    return fallback;
}

namespace {

AxisScale ScaleOf(int v, int fallback)
{
    AxisScale axis;
    axis.step = AxisStep(v, fallback);
    axis.ticks = std::max(1, v / axis.step + (v % axis.step > 0 ? 1 : 0));
    return axis;
}

} // namespace

AxisScale TimeAxis(const db::Value& btimeMinutes)
{
    const qint64 seconds = RoundHalfEven(btimeMinutes.ToDouble() * 60);
    // A dive without a time, or shorter than a minute, gets the one-minute axis.
    const int minutes = static_cast<int>(std::clamp<qint64>(seconds / 60, 1, 1'000'000));
    return ScaleOf(minutes, 60);
}

AxisScale DepthAxis(double displayDepth)
{
    const double n = std::ceil(displayDepth);
    return ScaleOf(static_cast<int>(std::clamp(n, 0.0, 1'000'000.0)), 50);
}

std::vector<ProfileSegment> BuildSegments(const std::vector<qint32>& times, const std::vector<float>& depths,
                                          const std::vector<quint8>& bands, int count, int redAbove)
{
    std::vector<ProfileSegment> segments;
    if (count < 1)
        return segments;
    segments.reserve(static_cast<size_t>(count));
    segments.push_back({0, 0, double(times[0]), double(depths[0]), false});
    for (size_t i = 0; i + 1 < static_cast<size_t>(count); ++i) {
        const bool ascending = depths[i] > depths[i + 1];
        segments.push_back({double(times[i]), double(depths[i]), double(times[i + 1]), double(depths[i + 1]),
                            ascending && bands[i] > redAbove});
    }
    return segments;
}

CursorPoint PointAtTime(const std::vector<qint32>& times, const std::vector<float>& depths, int count, double x)
{
    CursorPoint point;
    int j = 0;
    while (j < count && times[static_cast<size_t>(j)] < x)
        ++j;
    if (j == count)
        return point;
    const auto at = static_cast<size_t>(j);
    point.drawn = true;
    point.x = x;
    if (times[at] == x) {
        point.y = depths[at];
        point.index = j;
    } else if (j == 0) {
        point.x = times[0];
        point.y = depths[0];
    } else {
        point.index = j - 1;
        const double t0 = times[at - 1], t1 = times[at];
        const double d0 = depths[at - 1], d1 = depths[at];
        point.y = d0 == d1 ? d0 : d0 + (x - t0) * (d1 - d0) / (t1 - t0);
    }
    return point;
}

QString ElapsedTimeText(qint32 seconds)
{
    const auto two = [](qint32 v) { return Format(v, QStringLiteral("00")); };
    return two(seconds / 3600) + ':' + two(seconds % 3600 / 60) + ':' + two(seconds % 60);
}

QString SampleDepthText(const ProfileSample& sample, bool feet)
{
    QString text;
    if (sample.depth > 400)
        text = QStringLiteral("---");
    else if (feet)
        text = PlainNumber(sample.depth + sample.tdepth);
    else
        text = Format(FtToM(sample.depth + sample.tdepth), QStringLiteral("###.0"));
    return text + (feet ? QStringLiteral(" FT") : QStringLiteral(" M"));
}

QString SampleTempText(const db::Value& temp, bool fahrenheit)
{
    if (temp.IsNull())
        return {};
    if (fahrenheit)
        return PlainNumber(temp.ToDouble()) + QStringLiteral(" F");
    return SingleToText(FToC(temp)) + QStringLiteral(" C");
}

QString SamplePO2Text(const db::Value& po2)
{
    if (po2.IsNull())
        return {};
    return Format(po2.ToDouble() / 100, QStringLiteral("0.00"));
}

QString SampleGridRow(int index, const ProfileSample& sample, quint8 alarmStatus, AscentScale scale)
{
    const bool alarmOn = alarmStatus != 0;
    return QStringList{QString::number(index),
                       ElapsedTimeText(sample.time),
                       SampleDepthText(sample, gv.UnitDepth == 1),
                       AscentRateText(sample.vari, gv.UnitDepth, sample.depth, scale),
                       SampleTempText(sample.temp, gv.UnitTemp == 1),
                       SamplePO2Text(sample.po2),
                       alarmOn ? QStringLiteral("ON") : QString(),
                       alarmOn ? AlarmListText(alarmStatus) : QString()}
        .join(QLatin1Char('\t'));
}

} // namespace kvl::profile
