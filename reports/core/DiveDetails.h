#pragma once
// The dive details report: the current dive's samples as a ruled table over numbered
// landscape pages, under a header block of the dive's facts on the first page.

#include "platform/db/Db.h"
#include "platform/printer/Printer.h"

#include <QString>

namespace kvl {

// Prints the whole report and ends the document.
void PrintDiveDetails(Printer& printer);

// The table's cells of one sample, in the user's units.
QString DetailsTimeText(double seconds);                 // "01:02:05"
QString DetailsDepthText(const db::Value& feet);          // "330 FT", "--- FT", "30.5 M"
QString DetailsTempText(const db::Value& fahrenheit);     // "78 F", "25.6 C"

} // namespace kvl
