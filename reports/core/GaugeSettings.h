#pragma once
// The gauge settings report: the stored settings of one dive computer unit (model id
// and serial number) and its navigation legs as a ruled table, on portrait pages.

#include "platform/printer/Printer.h"

#include <QString>

namespace kvl {

// Whether the unit has a settings row to print. When not, shows the "Error" message
// and the report must not start.
bool GaugeSettingsReady(qint32 modelId, qint32 serialNo);
// Prints the settings and the legs and ends the document; with no settings row it
// draws nothing (no document).
void PrintGaugeSettings(Printer& printer, qint32 modelId, qint32 serialNo);
// The legs table from the cursor on; nothing at all when the unit has no legs.
void PrintNavigationLegs(Printer& printer, qint32 modelId, qint32 serialNo);
QString GaugeSettingsTitle();

} // namespace kvl
