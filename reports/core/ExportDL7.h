#pragma once
// The DL7 export of the current dive: the FSH, ZRH, ZAR and ZDH lines, the samples
// between "ZDP{" and "ZDP}", the ZDT line, and the export's sequence number kept in
// the registry value "LastExportSeqNo".

#include "reports/core/ExportFile.h"

#include <optional>

namespace kvl {

inline constexpr char ExportSeqKey[] = "SOFTWARE\\Tarvik\\KVL\\";
inline constexpr char ExportSeqValue[] = "LastExportSeqNo";

// The name the Save As dialog proposes: "VORN_<serial>_<yyyymmddhhmm>_<dive no>.ZXU".
QString DL7FileName();
// The next sequence number: the last one + 1, 1 after 99 or when none was kept.
int NextExportSeqNo();
// Keeps seqNo as "LastExportSeqNo" (text, with the blank of its sign).
void SaveExportSeqNo(int seqNo);

// The gas field of a sample: the switched-to gas, or the starting gas on the first row.
QString DL7GasText(bool firstRow, bool switched, qint64 tankNo);
// The whole temperature of a row's TEMP; no reading (Null, 0 or below) gives nullopt.
std::optional<qint64> DL7Reading(const db::Value& temp);
// The end date and time "yyyymmddhhmm" of a dive starting at date (yyyymmdd) and
// time ("hh:mm") that lasts minutes; past midnight the date is the next day's.
QString DL7EndStamp(const QString& date, const QString& time, const db::Value& minutes);

// Writes the current dive's DL7 file with sequence number seqNo.
ExportOutcome ExportDL7File(const QString& path, int seqNo);

} // namespace kvl
