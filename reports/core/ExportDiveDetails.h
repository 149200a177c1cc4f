#pragma once
// The dive-details text export: the diver's title line, one block per chosen dive
// (head lines and the delimited sample table) and the closing dashes.

#include "reports/core/ExportFile.h"
#include "shell/core/Lookups.h"

#include <array>
#include <map>
#include <memory>

namespace kvl::db {
class Statement;
}

namespace kvl {

// A dive of the export: found by its DIVEID, printed with its lifetime number.
struct ExportDive {
    qint64 diveId = 0;
    qint64 ltd = 0;
};

// Called after each dive with the count written and the total; false cancels.
using ExportProgress = std::function<bool(int done, int total)>;

inline constexpr char DiveDetailsHeader[] = "Elapsed Dive Time(hh:mm)";

class DiveDetailsBlocks {
public:
    DiveDetailsBlocks(db::Database& db, QString delimiter);
    ~DiveDetailsBlocks();
    // Appends the dive's block. False when a read error cut it short: the lines already
    // written stay. A dive that is not in the log writes nothing.
    bool Write(ExportFile& file, const ExportDive& dive);

private:
    void WriteBlock(ExportFile& file, const ExportDive& dive);
    void WriteSamples(ExportFile& file, qint64 diveId, AscentScale scale);
    QString ModelName(const db::Value& modelId);

    db::Database& db_;
    QString delimiter_;
    std::map<qint64, QString> models_;
    ExportTextMemo depths_, temps_, alarms_;
    std::array<ExportTextMemo, 2> rates_;   // by AscentScale
    // Prepared once, bound per dive.
    std::unique_ptr<db::Statement> dives_;
    std::unique_ptr<db::Statement> samples_;
};

// The file's first line: the diver's name and " - Dives Details".
QString DiveDetailsTitle();

// A dive-details export file, open while the dives are appended one by one: the title
// line on opening, a block per Append, the closing dashes and the file put in place by
// Finish. A failure stops it (later Appends do nothing); dropping it without Finish
// leaves the target as it was.
class DiveDetailsExport {
public:
    DiveDetailsExport(const QString& path, QString delimiter);
    // Appends the dive's block; a block cut short by a read error is noted as incomplete.
    void Append(const ExportDive& dive);
    void Cancel() { session_.Cancel(); }
    bool Stopped() const { return session_.Stopped(); }
    ExportOutcome Finish();

private:
    DiveDetailsBlocks blocks_;
    ExportSession session_;
};

// Writes the file: the title line, the blocks of dives in the order given and the
// closing dashes.
ExportOutcome ExportDiveDetailsFile(const QString& path, const std::vector<ExportDive>& dives,
                                    const QString& delimiter, const ExportProgress& progress = {});

} // namespace kvl
