#pragma once
// The profile text export of the current dive: twelve head lines, the header and one
// twelve-cell line per sample with the bar graphs, remaining times, stop depth, link
// state and dive status.

#include "reports/core/ExportFile.h"

namespace kvl {

// "mm:ss" of a remaining time in seconds, digit by digit (6000 gives 100:00).
QString RemainingTimeText(qint64 seconds);
// A stop depth: feet as stored, or whole metres ((feet * 3) \ 10), with its unit.
QString StopDepthText(const db::Value& feet, bool feetUnits);

// Writes the current dive's profile file with the delimiter given.
ExportOutcome ExportProfileFile(const QString& path, const QString& delimiter);

} // namespace kvl
