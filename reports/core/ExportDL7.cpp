#include "reports/core/ExportDL7.h"

#include "analysis/core/Profile.h"
#include "platform/runtime/Runtime.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/SystemServices.h"
#include "shell/core/Units.h"

#include <QDate>

namespace kvl {

namespace {

constexpr int MaxSeqNo = 99;

// DL7 readers take "." only, so the file's numbers ignore the regional decimal separator.
QString DL7Text(const db::Value& value)
{
    return value.ToString();
}

QString DL7Pictured(double value, const char* picture)
{
    return Format(value, QLatin1StringView(picture));
}

QString StartDate()
{
    const QString& d = gv.CurrentDive.DIVEDATE;
    return d.left(4) + d.mid(5, 2) + d.right(2);
}

QString StartTime()
{
    const QString& t = gv.CurrentDive.DIVETIME;
    return t.left(2) + t.right(2);
}

QString UnitTags()
{
    return QString(gv.UnitDepth == 1 ? "|FSWG|ThFt" : "|MSWG|ThM") + (gv.UnitTemp == 1 ? "|F" : "|C")
           + (gv.UnitPressure == 1 ? "|PSIA" : "|bar") + (gv.UnitCylinder == 1 ? "|CF" : "|L");
}

QString SamplingTag(quint8 snapshot)
{
    static const char* const tags[] = {"|Q2S", "|Q15S", "|Q30S", "|Q1M", "|D2f", "|D5f", "|D10f"};
    return snapshot < std::size(tags) ? QString(tags[snapshot]) : QString("|");
}

QString GasText(const db::Value& percent)
{
    return percent.ToDouble() < 21 ? QString("1") : "2." + DL7Pictured(percent.ToDouble(), "00");
}

QString TempText(double fahrenheit)
{
    return gv.UnitTemp == 1 ? DL7Text(db::Value(fahrenheit)) : DL7Pictured(FToC(fahrenheit), "###.0");
}

QString DepthText(const db::Value& feet)
{
    if (feet.IsNull())
        return {};
    return gv.UnitDepth == 1 ? DL7Text(feet) : DL7Pictured(FtToM(feet), "###0.0");
}

// The samples the file lists: the sample rows of the current dive in ORDNO order.
struct DL7Sample {
    db::Value time, depth, vari, vstatus, sdepth, temp;
    bool switched = false;
    qint64 tankNo = 0;
};

std::vector<DL7Sample> ReadSamples()
{
    std::vector<DL7Sample> samples;
    const auto rs = LogDB().OpenSnapshot("Select * from DIVEDETAILS Where DIVEID = ? order by ORDNO ASC ;",
                                         {gv.CurrentDiveID});
    for (; !rs->EOF(); rs->MoveNext()) {
        if (!profile::IsSample(*rs))
            continue;
        samples.push_back({rs->Field("BTIME"), rs->Field("DEPTH"), rs->Field("VARI"), rs->Field("VSTATUS"),
                           rs->Field("SDEPTH"), rs->Field("TEMP"), rs->Field("SWITCHED").ToBool(),
                           rs->Field("TANKNO").ToLong()});
    }
    return samples;
}

// The dive temperature: the first reading other than 0, else the dive's TEMP.
db::Value DiveTemperature(const std::vector<DL7Sample>& samples)
{
    for (const DL7Sample& s : samples)
        if (!s.temp.IsNull() && s.temp.ToDouble() != 0)
            return s.temp;
    return gv.CurrentDive.TEMP;
}

QString SampleLine(const DL7Sample& s, const QString& gas, qint64 temp)
{
    const QString stop = s.sdepth.IsNull() ? QString()
                         : gv.UnitDepth == 1 ? DL7Text(s.sdepth)
                                             : QString::number(IntDiv(s.sdepth.ToDouble() * 3, 10));
    const QStringList fields{DL7Pictured(s.time.ToDouble() / 60, "###0.00"),
                             DepthText(s.depth),
                             gas,
                             QString(),
                             s.vari.ToLong() >= 5 ? "T" : "",
                             (s.vstatus.ToLong() & 2) ? "T" : "",
                             stop,
                             TempText(static_cast<double>(temp))};
    return "|" + fields.join("|") + "|";
}

} // namespace

QString DL7FileName()
{
    return "VORN_" + DL7Text(gv.CurrentDive.MODELSERNO) + "_" + StartDate() + StartTime() + "_"
           + DL7Text(gv.CurrentDive.DIVENO) + ".ZXU";
}

int NextExportSeqNo()
{
    const int last = static_cast<int>(Val(GetRegSetting(HKEY_CURRENT_USER, ExportSeqKey, ExportSeqValue)));
    return last >= 1 && last < MaxSeqNo ? last + 1 : 1;
}

void SaveExportSeqNo(int seqNo)
{
    SaveRegSetting(HKEY_CURRENT_USER, ExportSeqKey, ExportSeqValue, REG_SZ, Str(seqNo));
}

QString DL7GasText(bool firstRow, bool switched, qint64 tankNo)
{
    const DiveDataRec& dive = gv.CurrentDive;
    if (switched) {
        switch (tankNo) {
        case 1:
            return GasText(dive.FO2);
        case 2:
            return GasText(dive.FO2GAS2);
        case 3:
            return GasText(dive.FO2GAS3);
        default:
            return {};
        }
    }
    return firstRow ? GasText(dive.FO2) : QString();
}

std::optional<qint64> DL7Reading(const db::Value& temp)
{
    if (temp.IsNull())
        return std::nullopt;
    const qint64 t = RoundHalfEven(temp.ToDouble());
    if (t <= 0)
        return std::nullopt;
    return t;
}

QString DL7EndStamp(const QString& date, const QString& time, const db::Value& minutes)
{
    const QString end = AddMinutesToTime(time, minutes);
    const qint64 startMinutes = Val(time.left(2)) * 60 + Val(time.right(2));
    const qint64 days = (startMinutes + RoundHalfEven(minutes.ToDouble())) / (24 * 60);
    QString endDate = date;
    const QDate start = QDate::fromString(date, "yyyyMMdd");
    if (days > 0 && start.isValid())
        endDate = start.addDays(days).toString("yyyyMMdd");
    return endDate + end.left(2) + end.right(2);
}

ExportOutcome ExportDL7File(const QString& path, int seqNo)
{
    return WriteExportFile(path, [&](ExportFile& file, ExportOutcome&) {
        const DiveDataRec& dive = gv.CurrentDive;
        const QString d = StartDate();
        const QString t = StartTime();
        const QString n = QString::number(seqNo);
        const QString diveNo = DL7Text(dive.DIVENO);
        file.Line("FSH|^~<>{}|822N^^|ZXU|" + d + t + "00|");
        file.Line("ZRH|^~<>{}|RUV100|" + DL7Text(dive.MODELSERNO) + UnitTags() + "|");
        file.Line("ZAR{}");
        const std::vector<DL7Sample> samples = ReadSamples();
        const db::Value diveTemp = DiveTemperature(samples);
        const QString diveTempText = diveTemp.IsNull() ? QString()
                                     : gv.UnitTemp == 1 ? DL7Text(diveTemp)
                                                        : DL7Pictured(FToC(diveTemp), "###.0");
        file.Line("ZDH|" + n + "|" + diveNo + (dive.DATATYPE != 0 ? "|I" : "|M") + SamplingTag(dive.SNAPSHOT) + "|"
                  + d + t + "|" + diveTempText + "|");
        file.Line("ZDP{");
        qint64 previous = RoundHalfEven(diveTemp.ToDouble());
        for (size_t i = 0; i < samples.size(); ++i) {
            const DL7Sample& s = samples[i];
            std::optional<qint64> temp = DL7Reading(s.temp);
            if (!temp)
                temp = i + 1 < samples.size() ? RoundHalfEven(samples[i + 1].temp.ToDouble()) : previous;
            file.Line(SampleLine(s, DL7GasText(i == 0, s.switched, s.tankNo), *temp));
            previous = *temp;
        }
        file.Line("ZDP}");
        const db::Value startTime = gv.rsDiveData && !gv.rsDiveData->EOF() ? gv.rsDiveData->Field("DIVETIME")
                                                                           : db::Value(dive.DIVETIME);
        const db::Value minutes = gv.rsDiveData && !gv.rsDiveData->EOF() ? gv.rsDiveData->Field("BTIME") : dive.BTIME;
        file.Line("ZDT|" + n + "|" + diveNo + "|" + DepthText(dive.MDEPTH) + "|"
                  + DL7EndStamp(d, startTime.ToString(), minutes) + "|");
    });
}

} // namespace kvl
