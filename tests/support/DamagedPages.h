#pragma once
// Logs damaged as a disk fault would leave them: a page of a table or index overwritten
// in the file, the rest of the file as it was.

#include <QString>

namespace kvl::test {

enum class PageDamage { Zeros, RandomBytes, Pattern };

// Overwrites the root page (the first page of the rows) of the table or index name in
// the log at path. The database must not be open in a connection that keeps its pages.
void DamageRootPage(const QString& path, const QString& name, PageDamage damage);

} // namespace kvl::test
