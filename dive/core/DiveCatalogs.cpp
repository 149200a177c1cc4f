#include "dive/core/DiveCatalogs.h"

namespace kvl {

const CatalogSide& LocationSide()
{
    static const CatalogSide side{
        "LOCATIONS", "LOCID", "LOCATIONNAME", "LOCATION", &DiveDataRec::LOCID,
        "Enter location:", "Add new location", "Location name should not be more then 50 characters.",
        "Location is already existed.", "Are you sure to want to delete location '", "Delete location",
        "Error deleting location.", "Could not update Location."};
    return side;
}

const CatalogSide& DiveSiteSide()
{
    static const CatalogSide side{
        "DIVESITES", "SITEID", "DIVESITE", "DIVE SITE", &DiveDataRec::SITEID,
        "Enter dive site:", "Add new dive site", "Site name should not be more then 50 characters.",
        "Dive site is already existed.", "Are you sure to want to delete dive site '", "Delete dive site",
        "Error deleting Dive Site.", "Could not update Dive Site."};
    return side;
}

std::vector<CatalogEntry> CatalogEntries(const CatalogSide& side)
{
    std::vector<CatalogEntry> entries;
    auto rs = gv.DB->OpenRecordset(
        QStringLiteral("Select * from %1 order by %2 ASC ;").arg(side.table, side.nameColumn));
    for (; !rs->EOF(); rs->MoveNext())
        entries.push_back({rs->Field(side.idColumn).ToLong(), rs->Field(side.nameColumn).ToString()});
    return entries;
}

qint64 FindCatalogName(const CatalogSide& side, const QString& name)
{
    const db::Value id = gv.DB->Scalar(
        QStringLiteral("Select %1 from %2 where %3 = ? COLLATE NOCASE ;").arg(side.idColumn, side.table, side.nameColumn),
        {name});
    return id.IsNull() ? 0 : id.ToLong();
}

qint64 AddCatalogName(const CatalogSide& side, const QString& name)
{
    auto rs = gv.DB->OpenRecordset(QStringLiteral("Select * from %1 where 0 ;").arg(side.table));
    rs->AddNew();
    rs->SetField(side.nameColumn, name);
    return rs->Update();
}

void LinkDiveToCatalogEntry(const CatalogSide& side, qint64 diveId, qint64 id)
{
    gv.DB->Execute(QStringLiteral("UPDATE DIVEDATA SET %1 = ? Where DIVEID = ? ;").arg(side.idColumn),
                   {db::Value(id), db::Value(diveId)});
}

void DeleteCatalogEntry(const CatalogSide& side, qint64 id)
{
    db::Transaction tx(*gv.DB);
    gv.DB->Execute(QStringLiteral("Delete from %1 where %2 = ? ;").arg(side.table, side.idColumn), {db::Value(id)});
    gv.DB->Execute(QStringLiteral("Update DIVEDATA Set %1 = 0 where %1 = ? ;").arg(side.idColumn), {db::Value(id)});
    tx.Commit();
}

} // namespace kvl
