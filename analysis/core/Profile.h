#pragma once
// A dive's depth profile without any widget: its samples read from DIVEDETAILS, the
// alarm state of each sample, the depth clip, the spreading of equal time stamps, the
// axis scales and the line segments of the graph, and the cursor's point. The profile
// view, the printed logbook page and the dive-details report share these; each caller
// passes its own drawing rules (red threshold, depth cap) as parameters.

#include "platform/db/Db.h"
#include "shell/core/Lookups.h"

#include <QString>

#include <vector>

namespace kvl::profile {

// The alarm bits of a sample's ALARM byte.
enum AlarmBit : quint8 {
    Passed400 = 0x01,
    MaxDepthBit = 0x02,
    NavLegOver = 0x04,
    MaxPO2 = 0x08,
    AscentRateBit = 0x10,
    EdtBit = 0x20,
};

// RECORDTYPE bit of a row that the download keeps but that is no sample.
constexpr qint64 OtherRecord = 0x40;

// Whether the DIVEDETAILS row a set stands on is a sample: it has a time and a depth
// and is no other record.
bool IsSample(const db::Recordset& rs);
bool IsSample(const db::Value& time, const db::Value& depth, const db::Value& recordType);

// One kept sample, as stored (feet, degrees F).
struct ProfileSample {
    qint64 rowId = 0;
    qint32 time = 0;          // BTIME, seconds from the start
    double depth = 0;         // DEPTH, feet
    double tdepth = 0;        // TDEPTH, added to DEPTH for the grid's text
    quint8 vari = 0;          // ascent-rate band
    db::Value temp;           // TEMP, Null when missing
    db::Value po2;            // PO2 in hundredths of an atmosphere, Null when missing
    quint8 alarm = 0;         // ALARM bits
};

struct ProfileRows {
    int sampleRows = 0;                 // rows that are samples, kept or not
    std::vector<ProfileSample> kept;    // ORDNO order, none earlier than the one before
};

// Whether the row (with BTIME, DEPTH and RECORDTYPE) is a sample: time and depth set,
// not an other record.
bool IsSampleRow(const db::Recordset& rs);

// The fewest sample rows that make a profile.
constexpr int MinSampleRows = 3;

// The dive's samples in ORDNO order. A row without time or depth, or an other record,
// is no sample; a sample earlier than the last one kept is left out. With fewer than
// MinSampleRows sample rows nothing is kept. A log without DIVEDETAILS has no rows.
// Throws db::DbError when the log cannot be read.
ProfileRows LoadProfileSamples(db::Database& db, qint32 diveId);

// Writes maxDepth into DEPTH of every kept sample deeper than it, in one transaction,
// and into the kept copies; returns how many were clipped.
int ClipSampleDepths(db::Database& db, ProfileRows& rows, double maxDepth);

// The alarms a sample shows. EDT shows for 10 seconds from the first sample that
// raises it and never again in the dive; Max Depth shows for 10 seconds and again only
// after a sample shallower than the dive's alarm depth; Passed 400, Max PO2 and Ascent
// Rate show on every sample that has them; NAV Leg Over never shows.
struct AlarmState {
    quint8 AlarmStatus = 0;
    quint8 AlarmLatch = 0;
    qint32 EdtStart = 0;
    qint32 MaxDepthStart = 0;

    // alarm: the sample's ALARM bits; depth and maxDepthAlarm in the same display unit.
    void Next(quint8 alarm, qint32 time, float depth, float maxDepthAlarm);
};

// Spreads each run of equal times over the gap to the next different time
// (0, 2, 2, 2, 4 gives 0, 2, 2, 3, 4); a run at the end stays.
void ResamplingTime(std::vector<qint32>& times, int count);

// The step of an axis of v whole units: 1 up to 10, 2 up to 20, 5 up to 50, 10 up to
// 100, 20 up to 200, else the fallback.
int AxisStep(int v, int fallback);

struct AxisScale {
    int step = 1;
    int ticks = 1;
    int Length() const { return step * ticks; }
};

// The time axis in minutes for a dive of btimeMinutes (Null or 0 or less: one minute).
AxisScale TimeAxis(const db::Value& btimeMinutes);
// The depth axis in display units for a maximum depth already in display units.
AxisScale DepthAxis(double displayDepth);

// One stroke of the profile line, in seconds and display units.
struct ProfileSegment {
    double t0 = 0, d0 = 0, t1 = 0, d1 = 0;
    bool fastAscent = false;
};

// The line from the surface at time 0 to the first sample and on through every sample.
// A stroke is a fast ascent when its first sample's ascent band is above redAbove and
// the next sample is shallower.
std::vector<ProfileSegment> BuildSegments(const std::vector<qint32>& times, const std::vector<float>& depths,
                                          const std::vector<quint8>& bands, int count, int redAbove);

// Where a cursor put at time x stands.
struct CursorPoint {
    bool drawn = false;      // false: x lies after the last sample, nothing changes
    int index = -1;          // the sample that becomes current; -1 leaves the cursor
    double x = 0;            // the time and depth the cross-hair marks
    double y = 0;
};

// At a sample's time: that sample. Between two samples: the earlier one, with the
// depth interpolated at x. Before the first sample: the first sample's point, the
// cursor unchanged.
CursorPoint PointAtTime(const std::vector<qint32>& times, const std::vector<float>& depths, int count, double x);

// The texts of the sample grid's cells.
QString ElapsedTimeText(qint32 seconds);                                     // "hh:mm:ss"
QString SampleDepthText(const ProfileSample& sample, bool feet);            // "45 FT", "10.1 M", "--- FT"
QString SampleTempText(const db::Value& temp, bool fahrenheit);             // "72 F", "22.2 C"
QString SamplePO2Text(const db::Value& po2);                                 // "1.28"
// The grid row of sample index, cells joined by Tab: index, time, depth, ascent rate,
// temperature, PO2, "ON" and the alarm names when alarmStatus holds any, in the
// user's units; the ascent band by the dive's recorded scale.
QString SampleGridRow(int index, const ProfileSample& sample, quint8 alarmStatus, AscentScale scale);

} // namespace kvl::profile
