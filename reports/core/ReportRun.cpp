#include "reports/core/ReportRun.h"

#include "platform/db/Db.h"
#include "platform/dialogs/Dialogs.h"
#include "reports/core/DivesList.h"
#include "reports/core/GaugeSettings.h"
#include "reports/core/PersonalInfo.h"

#include <QLoggingCategory>

#include <exception>

namespace kvl {

Q_LOGGING_CATEGORY(lcReports, "kvl.reports")

bool DrawReport(Printer& printer, const ReportJob& job)
{
    try {
        job.draw(printer);
        return true;
    } catch (const std::exception& e) {
        printer.AbortDoc();
        SayReportFailed(e, "printing " + job.title);
        return false;
    }
}

void SayReportFailed(const std::exception& error, const QString& what)
{
    const QString cause = db::ExplainFailure(lcReports(), error, qPrintable(what));
    MsgBox("Could not print the report.\n" + cause, MsgButtons::OK, MsgIcon::Critical, "Print");
}

ReportJob DivesListJob()
{
    return {DivesListTitle(), [](Printer& printer) { PrintDivesList(printer); }};
}

ReportJob PersonalInfoJob()
{
    return {PersonalInfoTitle(), [](Printer& printer) { PrintPersonalInfo(printer); }};
}

ReportJob GaugeSettingsJob(qint32 modelId, qint32 serialNo)
{
    return {GaugeSettingsTitle(),
            [modelId, serialNo](Printer& printer) { PrintGaugeSettings(printer, modelId, serialNo); }};
}

} // namespace kvl
