#pragma once
// Dive logs for tests and benchmarks: a fresh log from the build's template, and
// a generator that fills a log with many dives and their profile samples.

#include "platform/db/Db.h"

#include <QString>

#include <memory>

namespace kvl::test {

// Writes a fresh, empty log to path: the build's template unscrambled, or the
// log schema itself while the build has made no template. Empty on success,
// else what failed.
QString MakeFreshLog(const QString& path);

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

// A fresh log at path filled by AddDives, opened.
std::unique_ptr<db::Database> MakeBigLog(const QString& path, const BigLogSpec& spec);

} // namespace kvl::test
