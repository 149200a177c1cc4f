#pragma once
// The location and dive-site catalogs (LOCATIONS, DIVESITES) that the dive record
// grows: listing, finding a name, adding, deleting with every dive's link, and
// linking a dive. One CatalogSide describes each catalog; the code is shared.
// All work on gv.DB; database failures throw db::DbError.

#include "shell/core/Global_Vars.h"

#include <QString>

#include <vector>

namespace kvl {

struct CatalogSide {
    QString table;            // "LOCATIONS"
    QString idColumn;         // "LOCID", also the DIVEDATA column that links a dive
    QString nameColumn;       // "LOCATIONNAME"
    QString listNameColumn;   // the list's name column: "LOCATION"
    db::Value DiveDataRec::*member;   // the CurrentDive member holding the dive's id
    // The user's texts.
    QString addPrompt, addTitle, tooLong, exists, deleteQuestion, deleteTitle, deleteError, updateError;
};

const CatalogSide& LocationSide();
const CatalogSide& DiveSiteSide();

struct CatalogEntry {
    qint64 id = 0;
    QString name;
};

// Every row of the catalog in name order.
std::vector<CatalogEntry> CatalogEntries(const CatalogSide& side);
// The id of the row holding name, compared without regard to letter case; 0 when none.
qint64 FindCatalogName(const CatalogSide& side, const QString& name);
// Adds a row with the name; returns its id.
qint64 AddCatalogName(const CatalogSide& side, const QString& name);
// Links the dive to the row (DIVEDATA's LOCID or SITEID).
void LinkDiveToCatalogEntry(const CatalogSide& side, qint64 diveId, qint64 id);
// Deletes the row and sets the link of every dive that named it to 0, together.
void DeleteCatalogEntry(const CatalogSide& side, qint64 id);

} // namespace kvl
