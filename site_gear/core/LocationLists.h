#pragma once
// The lists of the location form: the five condition scales (read only, stored in the
// dive by id) and the four named catalogs RESORTS, OPERATORS, DIVEBOATS and GPSS that
// the user grows (stored in the dive as the name). "NONE" stands for no choice. Names
// reach SQL only as bound values, so a name like Skipper's is handled like any other.

#include "site_gear/core/Location.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kvl::site {

struct ScaleEntry {
    qint64 id = 0;
    QString name;
};
// A scale's rows in ID order; empty when the log lacks the table.
std::vector<ScaleEntry> LoadScale(db::Database& db, const LocationList& scale);
// The position of the entry with this id, -1 when none.
int ScaleSelection(const std::vector<ScaleEntry>& entries, const db::Value& diveValue);
// The id of the scale row named exactly so, or none.
std::optional<qint64> ScaleId(db::Database& db, const LocationList& scale, const QString& name);

// Writes the id of the scale row named exactly so into the dive's field; false, and
// nothing written, when the scale has no such name (an empty one included). Throws
// db::DbError when the log refuses.
bool WriteCondition(db::Database& db, const LocationList& scale, qint64 diveId, const QString& name);

// A catalog's distinct names in alphabetical order; empty when the log lacks the table.
QStringList LoadNames(db::Database& db, const LocationList& catalog);
// The entry a dive's name selects: the one equal without regard to case, but none for
// "NONE" (the dive's no-choice) or a name the catalog lacks. -1 when none.
int NameSelection(const QStringList& names, const QString& diveValue);
// "NONE" in any case: the no-choice name, which is never added or deleted.
bool IsNoChoice(const QString& name);

// Adds a catalog row with the name as typed. Throws db::DbError when the log refuses.
void AddCatalogName(db::Database& db, const LocationList& catalog, const QString& name);
// Deletes every catalog row of the name and resets this dive's field to "NONE" (other
// dives keep the name), in one transaction. Throws db::DbError, and nothing changes,
// when the log refuses.
void DeleteCatalogName(db::Database& db, const LocationList& catalog, qint64 diveId, const QString& name);

} // namespace kvl::site
