#include "site_gear/core/LocationDiveTypes.h"

namespace kvl::site {

std::vector<DiveType> LoadDiveTypes(db::Database& db)
{
    std::vector<DiveType> types;
    if (!db.TableExists(QStringLiteral("DIVETYPEDATA")))
        return types;
    auto rs = db.OpenSnapshot(QStringLiteral("SELECT ID, TYPEDATA FROM DIVETYPEDATA ORDER BY TYPEDATA, ID ;"));
    for (; !rs->EOF(); rs->MoveNext())
        types.push_back({rs->Field(QStringLiteral("ID")).ToLong(), rs->Field(QStringLiteral("TYPEDATA")).ToString()});
    return types;
}

QSet<qint64> LoadDiveTypeTicks(db::Database& db, qint64 diveId)
{
    QSet<qint64> ticks;
    if (!db.TableExists(QStringLiteral("DIVETYPES")))
        return ticks;
    auto rs = db.OpenSnapshot(QStringLiteral("SELECT TYPEID FROM DIVETYPES WHERE DIVEID = ? ;"), {diveId});
    for (; !rs->EOF(); rs->MoveNext())
        ticks.insert(rs->Field(QStringLiteral("TYPEID")).ToLong());
    return ticks;
}

void StoreDiveTypeTicks(db::Database& db, qint64 diveId, const std::vector<qint64>& ids)
{
    db::Transaction tx(db);
    db.Execute(QStringLiteral("DELETE FROM DIVETYPES WHERE DIVEID = ? ;"), {diveId});
    for (qint64 id : ids)
        db.Execute(QStringLiteral("INSERT INTO DIVETYPES (DIVEID, TYPEID) VALUES (?, ?) ;"), {diveId, id});
    tx.Commit();
}

qint64 AddDiveType(db::Database& db, const QString& name)
{
    db::Transaction tx(db);
    db.Execute(QStringLiteral("INSERT INTO DIVETYPEDATA (TYPEDATA) VALUES (?) ;"), {name});
    const qint64 id = db.LastInsertId();
    tx.Commit();
    return id;
}

void DeleteDiveType(db::Database& db, qint64 id)
{
    db::Transaction tx(db);
    db.Execute(QStringLiteral("DELETE FROM DIVETYPEDATA WHERE ID = ? ;"), {id});
    db.Execute(QStringLiteral("DELETE FROM DIVETYPES WHERE TYPEID = ? ;"), {id});
    tx.Commit();
}

} // namespace kvl::site
