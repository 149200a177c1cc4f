#include "site_gear/core/LocationLists.h"

namespace kvl::site {

namespace {
const QString kNoChoice = QStringLiteral("NONE");

QString Table(const LocationList& list) { return QString::fromLatin1(list.table); }
} // namespace

std::vector<ScaleEntry> LoadScale(db::Database& db, const LocationList& scale)
{
    std::vector<ScaleEntry> entries;
    if (!db.TableExists(Table(scale)))
        return entries;
    auto rs = db.OpenSnapshot(QStringLiteral("SELECT ID, %1 FROM %2 ORDER BY ID ;").arg(scale.nameField, scale.table));
    for (; !rs->EOF(); rs->MoveNext())
        entries.push_back({rs->Field(QStringLiteral("ID")).ToLong(), rs->Field(QString::fromLatin1(scale.nameField)).ToString()});
    return entries;
}

int ScaleSelection(const std::vector<ScaleEntry>& entries, const db::Value& diveValue)
{
    if (diveValue.IsNull())
        return -1;
    const qint64 id = diveValue.ToLong();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].id == id)
            return static_cast<int>(i);
    return -1;
}

std::optional<qint64> ScaleId(db::Database& db, const LocationList& scale, const QString& name)
{
    if (name.isEmpty() || !db.TableExists(Table(scale)))
        return std::nullopt;
    // The scale's names compare without regard to case in the log; the pick is exact.
    auto rs = db.OpenSnapshot(QStringLiteral("SELECT ID, %1 FROM %2 WHERE %1 = ? ORDER BY ID ;").arg(scale.nameField, scale.table),
                              {name});
    for (; !rs->EOF(); rs->MoveNext())
        if (rs->Field(QString::fromLatin1(scale.nameField)).ToString() == name)
            return rs->Field(QStringLiteral("ID")).ToLong();
    return std::nullopt;
}

bool WriteCondition(db::Database& db, const LocationList& scale, qint64 diveId, const QString& name)
{
    const std::optional<qint64> id = ScaleId(db, scale, name);
    if (!id)
        return false;
    db.Execute(QStringLiteral("UPDATE DIVEDATA SET %1 = ? WHERE DIVEID = ? ;").arg(scale.diveField), {*id, diveId});
    return true;
}

QStringList LoadNames(db::Database& db, const LocationList& catalog)
{
    QStringList names;
    if (!db.TableExists(Table(catalog)))
        return names;
    auto rs = db.OpenSnapshot(QStringLiteral("SELECT DISTINCT NAME FROM %1 WHERE NAME IS NOT NULL ORDER BY NAME ;").arg(catalog.table));
    for (; !rs->EOF(); rs->MoveNext())
        names << rs->Field(QStringLiteral("NAME")).ToString();
    return names;
}

int NameSelection(const QStringList& names, const QString& diveValue)
{
    if (diveValue.isEmpty() || IsNoChoice(diveValue))
        return -1;
    for (int i = 0; i < names.size(); ++i)
        if (QString::compare(names[i], diveValue, Qt::CaseInsensitive) == 0)
            return names[i] == kNoChoice ? -1 : i;
    return -1;
}

bool IsNoChoice(const QString& name) { return QString::compare(name, kNoChoice, Qt::CaseInsensitive) == 0; }

void AddCatalogName(db::Database& db, const LocationList& catalog, const QString& name)
{
    db::Transaction tx(db);
    db.Execute(QStringLiteral("INSERT INTO %1 (NAME) VALUES (?) ;").arg(catalog.table), {name});
    tx.Commit();
}

void DeleteCatalogName(db::Database& db, const LocationList& catalog, qint64 diveId, const QString& name)
{
    db::Transaction tx(db);
    db.Execute(QStringLiteral("UPDATE DIVEDATA SET %1 = ? WHERE DIVEID = ? ;").arg(catalog.diveField), {kNoChoice, diveId});
    db.Execute(QStringLiteral("DELETE FROM %1 WHERE NAME = ? ;").arg(catalog.table), {name});
    tx.Commit();
}

} // namespace kvl::site
