#include "people/core/Companions.h"

#include <QStringList>

namespace kvl::people {

namespace {

const std::array<CompanionKind, 3> kKinds{{
    {CaptainType, "CAPTAIN", "Captain:", "CAPTAIN", "CAPID",
     "Select * from USERINFO where USERTYPE = 2 order by NAME ;", "Select CAPID from CAPTAIN where DIVEID = ?; "},
    {CrewType, "CREW", "Crew:", "CREWS", "CREWID", "Select * from USERINFO where USERTYPE = 3 order by NAME ;",
     "Select CREWID from CREWS where DIVEID = ? ;"},
    {BuddyType, "BUDDY", "Buddy:", "BUDDIES", "BUDDYID", "Select * from USERINFO where USERTYPE = 4 order by NAME ;",
     "Select BUDDYID from BUDDIES where DIVEID = ? ;"},
}};

} // namespace

const std::array<CompanionKind, 3>& CompanionKinds()
{
    return kKinds;
}

const CompanionKind* CompanionKindOf(int personKind)
{
    for (const CompanionKind& kind : kKinds)
        if (kind.type == personKind)
            return &kind;
    return nullptr;
}

std::vector<ListedPerson> ListPeople(db::Database& db, const CompanionKind& kind)
{
    std::vector<ListedPerson> people;
    auto rows = db.OpenSnapshot(QString::fromLatin1(kind.listSql));
    people.reserve(rows->RecordCount());
    for (; !rows->EOF(); rows->MoveNext())
        people.push_back({rows->Field(QStringLiteral("USERID")).ToLong(), rows->Field(QStringLiteral("NAME")).ToString()});
    return people;
}

QSet<qint64> LoadTicks(db::Database& db, const CompanionKind& kind, qint32 diveId)
{
    QSet<qint64> ids;
    if (diveId < 1)
        return ids;
    auto rows = db.OpenSnapshot(QString::fromLatin1(kind.ticksSql), {diveId});
    const QString idField = QString::fromLatin1(kind.idField);
    for (; !rows->EOF(); rows->MoveNext())
        ids.insert(rows->Field(idField).ToLong());
    return ids;
}

bool StoreTicks(db::Database& db, const CompanionKind& kind, qint32 diveId, const std::vector<qint64>& ids)
{
    if (diveId < 1)
        return false;
    const QString table = QString::fromLatin1(kind.linkTable);
    db::Transaction transaction(db);
    db.Execute(QStringLiteral("Delete * from %1 where DIVEID = ? ;").arg(table), {diveId});
    const QString insert =
        QStringLiteral("Insert into %1 (DIVEID, %2) values (?, ?) ;").arg(table, QString::fromLatin1(kind.idField));
    for (qint64 id : ids)
        db.Execute(insert, {diveId, id});
    transaction.Commit();
    return true;
}

qint64 AddPerson(db::Database& db, const CompanionKind& kind, const QString& name)
{
    return InsertPerson(db, kind.type, {{QStringLiteral("NAME"), name}});
}

void DeletePerson(db::Database& db, const CompanionKind& kind, qint64 userId)
{
    db::Transaction transaction(db);
    db.Execute(QStringLiteral("Delete * from USERINFO where USERID = ? ;"), {userId});
    db.Execute(QStringLiteral("Delete * from %1 where %2 = ? ;").arg(QString::fromLatin1(kind.linkTable),
                                                                   QString::fromLatin1(kind.idField)),
               {userId});
    transaction.Commit();
}

} // namespace kvl::people
