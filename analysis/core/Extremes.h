#pragma once
// The log's record dives: deepest, longest, shortest, warmest, coldest, best and
// worst visibility, taken over every dive of the log (never over a filtered list).
// One aggregate statement gives all seven; the history form shows them, a click on
// one finds its dive, and the query form's extreme criteria compare against them.

#include "platform/db/Db.h"

#include <QString>

#include <array>
#include <memory>
#include <optional>

namespace kvl {

enum class Extreme { Deepest, Longest, Shortest, Warmest, Coldest, BestVisibility, WorstVisibility };
inline constexpr int kExtremeCount = 7;

// What each extreme is: its caption on the history form, the aggregate's name in
// the extremes statement, the DIVEDATA column it is taken from, and its criterion
// key in the query form.
struct ExtremeInfo {
    const char* caption;
    const char* aggregate;
    const char* column;
    const char* criterionKey;
};
const ExtremeInfo& InfoOf(Extreme extreme);
inline Extreme ExtremeAt(int index) { return static_cast<Extreme>(index); }

// The one extremes statement: a single row of the seven aggregates (Null where no
// dive has a value, as in an empty log). A visibility of 0 or "" was never recorded
// (a downloaded dive has none), so the worst visibility leaves it out.
inline constexpr char kExtremesSQL[] =
    "Select MAX(MDEPTH) as MAXDEPTH, MAX(BTIME) as MAXBTIME, MIN(BTIME) as MINBTIME, MAX(TEMP) as MAXTEMP, "
    "MIN(TEMP) as MINIMUMTEMP, MAX(VISIBILITY) as GOODVISIBLE, MIN(NULLIF(NULLIF(VISIBILITY, 0), '')) as BADVISIBLE "
    "from DIVEDATA ;";
std::unique_ptr<db::Recordset> OpenExtremes(db::Database& db);

// The seven values of an opened extremes set, by Extreme; all Null when it has no row.
using ExtremeValues = std::array<db::Value, kExtremeCount>;
ExtremeValues ReadExtremes(const db::Recordset& extremes);

// The record as the history form shows it: depth and visibility in metres
// ("####.0" + " M") or as stored + " FT"; times "00" + ":" + "00"; temperatures in
// Celsius ("###" + " C") or as stored + " F". A missing record shows the unit alone.
QString RecordText(Extreme extreme, const db::Value& value, int unitDepth, int unitTemp);

// The dive that holds the record, looked up by the record's value as a number; of
// dives that tie, the one with the lowest lifetime number. None when the record is
// missing or the dive has no lifetime number.
std::optional<qint32> RecordDiveId(db::Database& db, Extreme extreme);

} // namespace kvl
