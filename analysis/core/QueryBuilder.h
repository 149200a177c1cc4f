#pragma once
// Turns the query form's criteria into one statement over DIVEDATA. Each ticked
// criterion adds a clause, in a fixed order, joined by " And "; the dives come in
// date, time and dive-number order. Names typed or chosen by the user travel as
// bound values ("?"), in the order of their clauses; numbers the program writes
// itself (ids, converted ranges, dates read from the calendar) stay in the text.
// Ranges typed in the user's units are turned into the stored ones (feet, deg F).

#include "analysis/core/Extremes.h"
#include "platform/db/Db.h"

#include <QString>

#include <array>

namespace kvl {

// A from/to pair of texts as the user gave them.
struct RangeCriterion {
    bool ticked = false;
    QString from;
    QString to;
};

// A name chosen from a list.
struct NameCriterion {
    bool ticked = false;
    QString name;
};

// The criteria as the form's lists hold them.
struct QueryCriteria {
    bool all = false;
    bool model = false;
    QString modelText;                     // "QX07" for the model this program serves
    bool diveMode = false;
    bool modeNormal = false;               // FO2 up to 21
    bool modeNavigation = false;
    bool diveStatus = false;
    bool statusNormal = false;
    bool statusDeco = false;
    bool statusViolation = false;
    bool statusGauge = false;
    RangeCriterion diveDate;               // texts in the user's date order
    RangeCriterion maxDepth;               // in the user's depth unit
    RangeCriterion bottomTime;             // minutes
    RangeCriterion temperature;            // in the user's temperature unit
    std::array<bool, kExtremeCount> extremes{};   // by Extreme
    NameCriterion buddy;
    NameCriterion crew;
    NameCriterion captain;
    NameCriterion operatorName;
    NameCriterion location;
    NameCriterion site;
    NameCriterion diveType;
    NameCriterion gear;
};

// The unit flags the criteria were typed in (1 the stored form).
struct QueryUnits {
    int date = 0;    // 1 "mm/dd/yyyy", else "dd/mm/yyyy"
    int depth = 0;
    int temp = 0;
};

struct BuiltQuery {
    QString sql;          // "Select * from DIVEDATA" when nothing is asked
    db::Params params;    // the values of the "?" in sql, in order
    bool runs = false;    // false: no criterion was ticked, nothing is to run
};

inline constexpr char kQueryBase[] = "Select * from DIVEDATA";
inline constexpr char kQueryOrder[] = " ORDER BY DIVEDATE, DIVETIME, DIVENO ;";

// Looks up the people and the dive type by name (a name not found adds no clause).
// Lookup failures throw db::DbError.
BuiltQuery BuildQuery(db::Database& db, const QueryCriteria& criteria, const QueryUnits& units,
                      const ExtremeValues& extremes);

// A date item's text in the user's order as "yyyy/mm/dd"; "" when it names no date.
QString QueryDate(const QString& text, int unitDate);

} // namespace kvl
