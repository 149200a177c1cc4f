#include "device/core/DiveConversion.h"

#include "shell/core/LogCheck.h"

#include <QLoggingCategory>
#include <QStringList>

#include <algorithm>

Q_LOGGING_CATEGORY(lcConvert, "kvl.device")

namespace kvl::device {

namespace {

constexpr int SampleBytes = 8;
constexpr int MaxStoredDepth = 401;
constexpr int MaxVari = 5;
constexpr int MinutesWindow = 600;
constexpr int RingPages = DevicePage::LastRing - DevicePage::FirstRing + 1;
// Rows per insert statement when the samples are written.
constexpr int RowsPerInsert = 200;

int ByteAt(const QByteArray& bytes, int i)
{
    return i >= 0 && i < bytes.size() ? static_cast<quint8>(bytes[i]) : 0;
}

int FromBcd(int b)
{
    return (b / 16) * 10 + b % 16;
}

QString TwoDigits(int n)
{
    return QString::number(n).rightJustified(2, '0');
}

// Ring pages from `from` to `to`, both counted (from == to gives 1).
int RingSpan(int from, int to)
{
    return (to - from + RingPages) % RingPages + 1;
}

struct SampleOutcome {
    bool stored = false;
    SampleRow row;
};

SampleOutcome DecodeSample(const QByteArray& s, int oxygenPercent, int& lastMinute)
{
    int sum = 0;
    for (int k = 0; k < SampleBytes; ++k)
        sum += ByteAt(s, k);
    SampleOutcome out;
    if (sum == 0)
        return out;
    SampleRow& row = out.row;
    row.RECORDTYPE = ByteAt(s, 0);
    if (row.RECORDTYPE & 0x40) {
        row.depthSample = false;
        out.stored = true;
        return out;
    }
    row.DEPTH = std::min(ByteAt(s, 4) * 16 + ByteAt(s, 7) / 16, MaxStoredDepth);
    row.BTIME = (ByteAt(s, 0) & 63) * 3600 + ByteAt(s, 1) * 60 + ByteAt(s, 2);
    const int minute = row.BTIME / 60;
    if (minute > MinutesWindow || minute > lastMinute + MinutesWindow || minute < lastMinute)
        return out;
    lastMinute = minute;
    row.VARI = std::min(ByteAt(s, 3) / 32, MaxVari);
    row.TEMP = ByteAt(s, 6);
    if (row.TEMP == 0 || row.TEMP == 255)
        return out;
    row.ALARM = ByteAt(s, 5);
    const int f = oxygenPercent >= 21 ? oxygenPercent : 0;
    row.PO2 = f * (row.DEPTH + 33) / 33.0;
    out.stored = true;
    return out;
}

void InsertSamples(db::Database& db, qint64 diveId, const std::vector<SampleRow>& rows)
{
    static const QString head = QStringLiteral(
        "Insert into DIVEDETAILS (DIVEID, ORDNO, SWITCHED, TANKNO, LOSTLINK, RECORDTYPE, DEPTH, TDEPTH, BTIME, "
        "VARI, VSTATUS, NTIME, SDEPTH, TLBG, O2BG, TEMP, ATRM, ALARM, PO2) values ");
    static const QString marks = QStringLiteral("(?,?,0,0,0,?,?,?,?,?,0,0,0,0,0,?,0,?,?)");
    for (std::size_t first = 0; first < rows.size(); first += RowsPerInsert) {
        const std::size_t last = std::min(rows.size(), first + RowsPerInsert);
        QStringList tuples;
        db::Params params;
        params.reserve((last - first) * 10);
        for (std::size_t i = first; i < last; ++i) {
            const SampleRow& r = rows[i];
            tuples << marks;
            for (db::Value v : {db::Value(diveId), db::Value(static_cast<qint64>(i + 1)), db::Value(r.RECORDTYPE),
                                db::Value(r.DEPTH), db::Value(r.TDEPTH), db::Value(r.BTIME), db::Value(r.VARI),
                                db::Value(r.TEMP), db::Value(r.ALARM), db::Value(r.PO2)})
                params.push_back(std::move(v));
        }
        db.Execute(head + tuples.join(','), params);
    }
}

void WriteDiveSettings(db::Database& db, qint64 diveId, const settings::SettingsValues& values)
{
    auto rs = db.OpenRecordset("Select * from DIVE_DC_SETTINGS Where DIVEID = ? ;", {diveId});
    if (rs->EOF()) {
        rs->AddNew();
        rs->SetField("DIVEID", diveId);
    } else {
        rs->Edit();
    }
    for (const auto& [column, value] : values)
        rs->SetField(column, value);
    rs->Update();
}

void WriteSummary(db::Database& db, qint64 diveId, const DiveSummary& s, const DiveProfile& profile,
                  const db::Value& snapshot)
{
    const db::Value avg = profile.depthCount > 0 ? db::Value(profile.depthSum / profile.depthCount) : db::Value();
    db.Execute("Update DIVEDATA Set SNAPSHOT = ?, STIME = ?, MDEPTH = ?, TDEPTH = ?, BTIME = ?, FO2 = ?, "
               "FO2GAS2 = 0, FO2GAS3 = 0, MINIMUM = ?, TEMP = ?, GAUGEDIVE = 0, VIOLATION = 0, VARI = ?, "
               "RECVON = 0, EPSI = 0, EPSI2 = 0, EPSI3 = 0, RLOWBATT = 0, AIRCONSUMP = 0, XLOWBATT = 0, "
               "XLOWBATT2 = 0, XLOWBATT3 = 0, DECOMDIVE = 0, AVGDEPTH = coalesce(?, AVGDEPTH) "
               "Where DIVEID = ?",
               {snapshot, s.STIME, s.MDEPTH, s.TDEPTH, s.BTIME, s.FO2, s.MINIMUM, s.MINIMUM, profile.vari, avg,
                diveId});
}

} // namespace

DiveSummary DecodeSummary(const QByteArray& summaryPage, const QByteArray& startPage)
{
    const auto b = [&summaryPage](int i) { return ByteAt(summaryPage, i); };
    DiveSummary s;
    s.STIME = TwoDigits(FromBcd(ByteAt(startPage, 14))) + ":" + TwoDigits(FromBcd(ByteAt(startPage, 13)));
    s.MDEPTH = b(1) * 16 + b(0) / 16;
    s.TDEPTH = b(0) & 15;
    const int seconds = b(4) * 3600 + b(3) * 60 + b(5);
    s.BTIME = seconds / 60 + (seconds % 60 != 0 ? 1 : 0);
    s.FO2 = b(6);
    s.MINIMUM = b(7);
    return s;
}

DiveProfile DecodeProfile(const Image& image, int sa, int ea, int oxygenPercent)
{
    DiveProfile profile;
    if (!IsRingPage(sa) || !IsRingPage(ea))
        return profile;
    const int pages = RingSpan(sa, ea) - 3;   // less the settings copy, the start page and the summary
    int page = NextRingPage(NextRingPage(sa));
    int lastMinute = 0;
    for (int n = 0; n < pages; ++n, page = NextRingPage(page)) {
        const QByteArray data = PageBytes(image, page);
        for (int half = 0; half < 2; ++half) {
            SampleOutcome s = DecodeSample(data.mid(half * SampleBytes, SampleBytes), oxygenPercent, lastMinute);
            if (!s.stored)
                continue;
            if (s.row.depthSample) {
                profile.depthSum += s.row.DEPTH;
                ++profile.depthCount;
                profile.vari = std::max(profile.vari, s.row.VARI);
            }
            profile.rows.push_back(s.row);
        }
    }
    return profile;
}

settings::SettingsValues DecodeDiveSettings(const QByteArray& settingsPage)
{
    return settings::DecodeSettingsBlock(settingsPage, settings::EdtForm::Bcd);
}

ConvertResult ConvertDive(db::Database& db, const Image& image, const DiveToConvert& dive)
{
    ConvertResult result;
    const DiveListRecord& r = dive.record;
    db::Transaction tx(db);
    try {
        if (dive.shiftLaterDives) {
            db.Execute("Update DIVEDATA Set LIFETIMEDIVENO = LIFETIMEDIVENO + 1 Where LIFETIMEDIVENO >= ?",
                       {dive.lifetimeNo});
        }
        db.Execute("Insert into DIVEDATA (LIFETIMEDIVENO, DIVENO, MODELID, MODELSERNO, FIRMWAREREV, DIVEDATE, "
                   "DIVETIME, DATATYPE) values (?, ?, ?, ?, ?, ?, ?, ?)",
                   {dive.lifetimeNo, r.DiveNo, dive.modelId, dive.serial, dive.firmware, r.DiveDate, r.DiveTime,
                    r.DiveMode * 16 + 1});
        result.diveId = db.LastInsertId();
    } catch (const db::DbError& e) {
        qCWarning(lcConvert) << "adding dive" << r.DiveNo << "failed:" << e.Message();
        result.error = dive.shiftLaterDives ? "Error updating Life Time Dive No." : "Error adding new dive.";
        result.cause = WriteFailureText(db.Path(), e);
        result.diveId = 0;
        return result;
    }
    try {
        const settings::SettingsValues diveSettings = DecodeDiveSettings(PageBytes(image, r.SA));
        WriteDiveSettings(db, result.diveId, diveSettings);
        const DiveSummary summary = DecodeSummary(PageBytes(image, r.EA), PageBytes(image, NextRingPage(r.SA)));
        const DiveProfile profile = DecodeProfile(image, r.SA, r.EA, summary.FO2);
        WriteSummary(db, result.diveId, summary, profile, settings::ValueOf(diveSettings, "DIVESAMPLE"));
        InsertSamples(db, result.diveId, profile.rows);
        tx.Commit();
    } catch (const db::DbError& e) {
        qCWarning(lcConvert) << "storing dive" << r.DiveNo << "failed:" << e.Message();
        result.error = "Dive Data Error";
        result.cause = WriteFailureText(db.Path(), e);
        result.diveId = 0;
    }
    return result;
}

qint64 FirstDownloadedDive(db::Database& db, const std::vector<qint64>& diveIds)
{
    if (diveIds.empty())
        return 0;
    QStringList marks;
    db::Params params;
    for (qint64 id : diveIds) {
        marks << QStringLiteral("?");
        params.push_back(id);
    }
    const db::Value first = db.Scalar("Select DIVEID from DIVEDATA where DIVEID in (" + marks.join(',') +
                                          ") order by LIFETIMEDIVENO, DIVEID limit 1 ;",
                                      params);
    return first.IsNull() ? 0 : first.ToLong();
}

} // namespace kvl::device
