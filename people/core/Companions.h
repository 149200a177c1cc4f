#pragma once
// The companions of the dives: captains, crew and buddies in USERINFO, and the link
// tables CAPTAIN, CREWS and BUDDIES that say who was on which dive. Everything that
// differs between the three kinds stands in one table.

#include "people/core/PersonRecord.h"
#include "platform/db/Db.h"

#include <QSet>
#include <QString>

#include <array>
#include <vector>

namespace kvl::people {

struct CompanionKind {
    PersonType type;
    const char* word;        // "CAPTAIN", "CREW", "BUDDY": the prompts show it
    const char* label;       // the caption above the list
    const char* linkTable;
    const char* idField;
    const char* listSql;     // the kind's people, by name
    const char* ticksSql;    // the ids linked to one dive
};

// Captain, crew, buddy, in that order.
const std::array<CompanionKind, 3>& CompanionKinds();
// The kind of a PersonKind code (2, 3 or 4), or nullptr.
const CompanionKind* CompanionKindOf(int personKind);

struct ListedPerson {
    qint64 id = 0;
    QString name;
};
// The kind's people in name order (the log sorts names without regard to case).
std::vector<ListedPerson> ListPeople(db::Database& db, const CompanionKind& kind);

// The ids of the kind linked to the dive (each once).
QSet<qint64> LoadTicks(db::Database& db, const CompanionKind& kind, qint32 diveId);
// Replaces the dive's links of the kind by one row per id, in one transaction. A dive
// id below 1 (no current dive) stores nothing and returns false. Throws db::DbError,
// and the dive keeps its previous links, when the log refuses a write.
bool StoreTicks(db::Database& db, const CompanionKind& kind, qint32 diveId, const std::vector<qint64>& ids);

// Adds a person of the kind named as typed, with the record's other text fields empty;
// returns the new USERID. Throws db::DbError.
qint64 AddPerson(db::Database& db, const CompanionKind& kind, const QString& name);
// Deletes the person's row and his links of the kind in every dive, in one
// transaction. Throws db::DbError, and nothing is deleted, when the log refuses.
void DeletePerson(db::Database& db, const CompanionKind& kind, qint64 userId);

} // namespace kvl::people
