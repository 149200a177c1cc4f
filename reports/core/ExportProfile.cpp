#include "reports/core/ExportProfile.h"

#include "analysis/core/Profile.h"
#include "platform/runtime/Runtime.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Lookups.h"
#include "shell/core/Units.h"

namespace kvl {

namespace {

const QStringList ProfileHeader{"Elapsed Dive Time(hh:mm)", "Depth", "Nitrogen Bar Graph", "Oxygen Bar Graph",
                                "Ascent Rate", "Air Time Remaining", "Dive Time Remaining", "Deco Time",
                                "Stop Depth", "Temperature", "Link Status", "Dive Status"};

const QString NotAvailable = "N/A";

void WriteHead(ExportFile& file, const QString& delimiter, AscentScale scale)
{
    const DiveDataRec& dive = gv.CurrentDive;
    const bool feet = gv.UnitDepth == 1;
    const QString ltd = PlainText(dive.LIFETIMEDIVENO);
    const db::Value vari = gv.rsDiveData && !gv.rsDiveData->EOF() ? gv.rsDiveData->Field("VARI") : db::Value();
    file.Line(gv.DiverName + " - LTD #" + ltd + "'s Details");
    file.Line(" ");
    file.Line("Life Time Dive No.: " + ltd);
    file.Line("Dive No.:" + PlainText(dive.DIVENO));
    file.Line("Dive Date: " + (dive.DIVEDATE.isEmpty() ? QString() : FormatDBDate(dive.DIVEDATE)));
    file.Line("Dive Time: " + dive.DIVETIME);
    file.Line("Max. Depth: " + MaxDepthText(dive.MDEPTH, feet));
    file.Line("Elapsed Dive Time: " + QString::number(dive.BTimeNum) + " Minutes");
    file.Line("Max Ascent Rate: " + AscentRateText(vari, db::Value(feet ? 1 : 0), dive.MDEPTH, scale));
    file.Line("Min Temp: " + MinTempText(dive.TEMP, gv.UnitTemp == 1));
    file.Line("Dive Sampling Rate: " + dive.SnapshotText);
    file.Line(" ");
    file.Line(ProfileHeader.join(delimiter));
}

} // namespace

QString RemainingTimeText(qint64 seconds)
{
    return QString::number(seconds / 600) + QString::number((seconds / 60) % 10) + ":"
           + QString::number((seconds % 60) / 10) + QString::number(seconds % 60 % 10);
}

QString StopDepthText(const db::Value& feet, bool feetUnits)
{
    if (feet.IsNull())
        return {};
    return feetUnits ? PlainText(feet) + " FT" : QString::number(IntDiv(feet.ToDouble() * 3, 10)) + " M";
}

ExportOutcome ExportProfileFile(const QString& path, const QString& delimiter)
{
    return WriteExportFile(path, [&](ExportFile& file, ExportOutcome&) {
        const DiveDataRec& dive = gv.CurrentDive;
        const bool feet = gv.UnitDepth == 1;
        const bool receiver = dive.RECVON && (dive.TANK1ON || dive.TANK2ON || dive.TANK3ON);
        const AscentScale scale = DiveAscentScale(LogDB(), gv.CurrentDiveID);
        WriteHead(file, delimiter, scale);
        const auto rs = LogDB().OpenSnapshot("Select * from DIVEDETAILS Where DIVEID = ? order by ORDNO ASC ;",
                                             {gv.CurrentDiveID});
        qint64 previousTank = 1;
        for (; !rs->EOF(); rs->MoveNext()) {
            if (!profile::IsSample(*rs))
                continue;
            const auto f = [&](const char* name) { return rs->Field(name); };
            const db::Value depth = f("DEPTH");
            QStringList cells{ElapsedText(f("BTIME").ToLong()), SampleDepthText(depth, feet)};
            if (dive.GAUGEDIVE)
                cells << NotAvailable << NotAvailable;
            else
                cells << Pictured(f("TLBG").ToDouble(), "#0") << Pictured(f("O2BG").ToDouble(), "#0");
            cells << AscentRateText(f("VARI"), db::Value(feet ? 1 : 0), depth, scale)
                  << (receiver ? DurationBandText(f("ATRM")) : NotAvailable);
            if (dive.GAUGEDIVE) {
                cells << NotAvailable << NotAvailable << NotAvailable;
            } else {
                const QString remaining = f("NTIME").IsNull() ? QString() : RemainingTimeText(f("NTIME").ToLong());
                const QString stop = StopDepthText(f("SDEPTH"), feet);
                if (f("SDEPTH").ToDouble() == 0)
                    cells << remaining << "0:00" << stop;
                else
                    cells << "0:00" << remaining << stop;
            }
            cells << SampleTempText(f("TEMP"), gv.UnitTemp == 1)
                  << (receiver ? (f("LOSTLINK").ToBool() ? "Lost" : "Linked") : NotAvailable);
            if (f("SWITCHED").ToBool() && f("BTIME").ToLong() > 0) {
                const qint64 tank = f("TANKNO").ToLong();
                cells << "Switch Tank#" + QString::number(previousTank) + " to Tank#" + QString::number(tank);
                previousTank = tank;
            } else {
                cells << ViolationText(f("VSTATUS"));
            }
            file.Line(DelimitedLine(cells, delimiter));
        }
    });
}

} // namespace kvl
