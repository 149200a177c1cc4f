#include "reports/core/ExportDiveDetails.h"

#include "analysis/core/Profile.h"
#include "platform/db/DbInternal.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Lookups.h"
#include "shell/core/Units.h"

#include <QLoggingCategory>

namespace kvl {

namespace {

Q_LOGGING_CATEGORY(lcExport, "kvl.export")

QString DataTypeText(const db::Value& dataType)
{
    if (!dataType.IsNull() && dataType.ToLong() == 0)
        return "Manual Entry";
    if (dataType.ToLong() == 1)
        return "Radarar Edeze";
    return "Radarar Edeze Modified";
}

QString FO2Text(const db::Value& fo2)
{
    if (fo2.IsNull())
        return {};
    return fo2.ToDouble() < 21 ? QString("AIR") : PlainText(fo2) + "%";
}

// The columns a block reads of its dive.
const QStringList DiveColumns{"MODELID", "MODELSERNO", "DIVENO", "DIVEDATE", "DIVETIME", "STIME",
                              "MDEPTH",  "BTIME",      "TEMP",   "FO2",      "SNAPSHOT", "DATATYPE"};

// The columns of the samples statement, in its order.
enum SampleColumn { TimeColumn, DepthColumn, VariColumn, TempColumn, AlarmColumn, RecordTypeColumn };

} // namespace

DiveDetailsBlocks::DiveDetailsBlocks(db::Database& db, QString delimiter) : db_(db), delimiter_(std::move(delimiter))
{
}

DiveDetailsBlocks::~DiveDetailsBlocks() = default;

QString DiveDetailsBlocks::ModelName(const db::Value& modelId)
{
    const qint64 id = modelId.ToLong();
    auto at = models_.find(id);
    if (at == models_.end())
        at = models_.emplace(id, GetModelNameLocal(modelId)).first;
    return at->second;
}

bool DiveDetailsBlocks::Write(ExportFile& file, const ExportDive& dive)
{
    try {
        WriteBlock(file, dive);
        return true;
    } catch (const std::exception& e) {
        qCWarning(lcExport) << "dive" << dive.ltd << "cut short:" << e.what();
        return false;
    }
}

void DiveDetailsBlocks::WriteBlock(ExportFile& file, const ExportDive& dive)
{
    if (!dives_)
        dives_ = std::make_unique<db::Statement>(db_.Handle(), "Select " + DiveColumns.join(", ")
                                                                   + " from DIVEDATA Where DIVEID = ? ;");
    db::Statement& row = *dives_;
    row.Reset();
    row.BindAt(1, dive.diveId);
    if (!row.Step())
        return;
    const auto f = [&](const char* name) { return row.Column(static_cast<int>(DiveColumns.indexOf(name))); };
    const bool feet = gv.UnitDepth == 1;
    const bool fahrenheit = gv.UnitTemp == 1;
    const db::Value date = f("DIVEDATE");
    const db::Value minutes = f("BTIME");
    file.Line(ExportDashes);
    file.Line("Life Time Dive No.: " + QString::number(dive.ltd));
    file.Line("Radarar Edeze Model: " + ModelName(f("MODELID")));
    file.Line("Serial No.: " + PlainText(f("MODELSERNO")));
    file.Line("Radarar Edeze Dive No.: " + PlainText(f("DIVENO")));
    file.Line("Dive Date: " + (date.IsNull() ? QString() : FormatDBDate(date.ToString())));
    file.Line("Dive Time: " + PlainText(f("DIVETIME")));
    file.Line("Surface Interval: " + PlainText(f("STIME")));
    file.Line("Max. Depth: " + MaxDepthText(f("MDEPTH"), feet));
    file.Line("Elapsed Dive Time: " + (minutes.IsNull() ? QString() : PlainText(minutes) + " Minutes"));
    file.Line("Min Temp: " + MinTempText(f("TEMP"), fahrenheit));
    file.Line("FO2: " + FO2Text(f("FO2")));
    const db::Value dataType = f("DATATYPE");
    const bool enteredByHand = !dataType.IsNull() && dataType.ToLong() == 0;
    file.Line("Dive Sampling Rate: " + DiveSampleRateText(f("SNAPSHOT"), f("MODELID"), enteredByHand));
    file.Line("Dive Data Type: " + DataTypeText(dataType));
    file.Line(" ");
    if (enteredByHand) {
        file.Line("*** Dive details are not available for this dive. ***");
        return;
    }
    WriteSamples(file, dive.diveId, DiveAscentScale(db_, dive.diveId));
}

void DiveDetailsBlocks::WriteSamples(ExportFile& file, qint64 diveId, AscentScale scale)
{
    const bool feet = gv.UnitDepth == 1;
    const bool fahrenheit = gv.UnitTemp == 1;
    file.Line(QStringList{DiveDetailsHeader, "Depth", "Ascent Rate", "Temperature", "Alarms Events", "Alarms Details"}
                  .join(delimiter_));
    if (!samples_)
        samples_ = std::make_unique<db::Statement>(
            db_.Handle(), "Select BTIME, DEPTH, VARI, TEMP, ALARM, RECORDTYPE from DIVEDETAILS Where DIVEID = ? "
                          "order by ORDNO ASC ;");
    db::Statement& rows = *samples_;
    rows.Reset();
    rows.BindAt(1, diveId);
    const db::Value depthUnit(feet ? 1 : 0);
    ExportTextMemo& rates = rates_[static_cast<size_t>(scale)];
    static const QString On = QStringLiteral("ON");
    bool any = false;
    while (rows.Step()) {
        const db::Value depth = rows.Column(DepthColumn);
        if (!profile::IsSample(rows.Column(TimeColumn), depth, rows.Column(RecordTypeColumn)))
            continue;
        any = true;
        const db::Value vari = rows.Column(VariColumn);
        const db::Value temp = rows.Column(TempColumn);
        const db::Value alarm = rows.Column(AlarmColumn);
        file.Cells({ElapsedText(rows.Column(TimeColumn).ToLong()),
                    depths_.Get(depth, [&] { return SampleDepthText(depth, feet); }),
                    rates.Get(vari, depth, [&] { return AscentRateText(vari, depthUnit, depth, scale); }),
                    temps_.Get(temp, [&] { return SampleTempText(temp, fahrenheit); }),
                    alarm.ToLong() != 0 ? On : QString(), alarms_.Get(alarm, [&] { return AlarmListText(alarm); })},
                   delimiter_);
    }
    if (any)
        file.Line(" ");
}

QString DiveDetailsTitle()
{
    return gv.DiverName + " - Dives Details";
}

DiveDetailsExport::DiveDetailsExport(const QString& path, QString delimiter)
    : blocks_(LogDB(), std::move(delimiter)), session_(path)
{
    session_.Run([](ExportFile& file, ExportOutcome&) { file.Line(DiveDetailsTitle()); });
}

void DiveDetailsExport::Append(const ExportDive& dive)
{
    session_.Run([this, dive](ExportFile& file, ExportOutcome& outcome) {
        if (!blocks_.Write(file, dive))
            outcome.incomplete.push_back(dive.ltd);
    });
}

ExportOutcome DiveDetailsExport::Finish()
{
    session_.Run([](ExportFile& file, ExportOutcome&) { file.Line(ExportDashes); });
    return session_.Finish();
}

ExportOutcome ExportDiveDetailsFile(const QString& path, const std::vector<ExportDive>& dives,
                                    const QString& delimiter, const ExportProgress& progress)
{
    DiveDetailsExport file(path, delimiter);
    int done = 0;
    for (const ExportDive& dive : dives) {
        if (file.Stopped())
            break;
        file.Append(dive);
        if (progress && !progress(++done, static_cast<int>(dives.size())))
            file.Cancel();
    }
    return file.Finish();
}

} // namespace kvl
