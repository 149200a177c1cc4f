#pragma once
// Logs damaged as a disk fault would leave them: a page of a table or index overwritten
// in the file, the rest of the file as it was.

#include <QString>

namespace kvl::test {

enum class PageDamage { Zeros, RandomBytes, Pattern };

// Damage that crosses pages, which no table's own check sees.
//
// Makes the first entry of the free list's first trunk page name the root page of the
// table or index name, as a bad sector in a trunk page would: that page is then both in
// use and free. The log must have free pages (rows deleted after it was filled).
void FreeListNames(const QString& path, const QString& name);
// Roots the schema entry name at ownerName's root page, as a flipped bit in the schema
// would: two entries then claim one tree.
void RootAt(const QString& path, const QString& name, const QString& ownerName);

// Overwrites the root page (the first page of the rows) of the table or index name in
// the log at path. The database must not be open in a connection that keeps its pages.
void DamageRootPage(const QString& path, const QString& name, PageDamage damage);

} // namespace kvl::test
