#pragma once
// Large dive logs for tests and benchmarks: many dives with their profile samples.

#include "platform/db/Db.h"

#include <QString>

#include <memory>

namespace kvl::test {

struct BigLogSpec {
    int dives = 0;
    int samplesPerDive = 0;
    qint32 firstLTD = 1;
    // true: the dives carry the numbers that renumbering gives them (firstLTD on);
    // false: every dive carries 0, so renumbering rewrites them all.
    bool numbered = true;
};

// Adds spec.dives manual-looking dives (two a day from 2000/01/01, each with a
// DIVE_DC_SETTINGS row and spec.samplesPerDive DIVEDETAILS rows), in one transaction.
void AddDives(db::Database& db, const BigLogSpec& spec);

// A fresh log from the template at path, filled by AddDives and opened.
std::unique_ptr<db::Database> MakeBigLog(const QString& path, const BigLogSpec& spec);

} // namespace kvl::test
