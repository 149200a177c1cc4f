#pragma once
// Dive types: the catalog DIVETYPEDATA (ID, TYPEDATA; names need not be unique) and
// the links DIVETYPES (DIVEID, TYPEID) that say which types a dive has.

#include "platform/db/Db.h"

#include <QSet>
#include <QString>

#include <vector>

namespace kvl::site {

struct DiveType {
    qint64 id = 0;
    QString name;
};
// The catalog in name order (duplicates included, each with its own id); empty when
// the log lacks the table.
std::vector<DiveType> LoadDiveTypes(db::Database& db);
// The type ids linked to the dive; empty when the log lacks the table.
QSet<qint64> LoadDiveTypeTicks(db::Database& db, qint64 diveId);
// Replaces the dive's links by one row per id, in one transaction (links to types no
// longer in the catalog go too). Throws db::DbError, and the links stay, on a refusal.
void StoreDiveTypeTicks(db::Database& db, qint64 diveId, const std::vector<qint64>& ids);
// Adds a type named as typed; returns its id. Throws db::DbError.
qint64 AddDiveType(db::Database& db, const QString& name);
// Deletes the type and its links in every dive, in one transaction. Throws
// db::DbError, and nothing is deleted, on a refusal.
void DeleteDiveType(db::Database& db, qint64 id);

} // namespace kvl::site
