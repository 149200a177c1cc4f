#pragma once
// One printed report as the print step runs it: a title (shown by the preview and
// proposed as the PDF's name) and the drawing, which sets up its pages, draws them and
// ends the document on the printer it is handed. The same drawing serves the preview,
// the printer and a PDF.

#include "platform/printer/Printer.h"

#include <QString>

#include <exception>
#include <functional>

namespace kvl {

struct ReportJob {
    QString title;
    std::function<void(Printer&)> draw;
};

// Draws the job on printer. When the drawing fails part-way (a database or printer
// error), the document is aborted, so nothing reaches the printer, and the message
// "Could not print the report." with the reason on a second line is shown; false then.
bool DrawReport(Printer& printer, const ReportJob& job);
// Shows "Could not print the report." with the failure's reason in the diver's words
// on a second line; the whole failure goes to the reports' log category under what.
void SayReportFailed(const std::exception& error, const QString& what);

// The jobs of the dives list, the personal page and the gauge settings of a unit.
ReportJob DivesListJob();
ReportJob PersonalInfoJob();
ReportJob GaugeSettingsJob(qint32 modelId, qint32 serialNo);

} // namespace kvl
