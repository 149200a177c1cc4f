#pragma once
// Large dive logs for tests and benchmarks: many dives with their profile samples.

#include "platform/db/Db.h"

#include <QString>

#include <memory>

namespace kvl::test {

struct BigLogShape {
    int dives = 0;
    int samplesPerDive = 0;
    qint32 firstLTD = 1;
    // true: the dives carry the numbers that renumbering gives them (firstLTD on);
    // false: every dive carries 0, so renumbering rewrites them all.
    bool numbered = true;
    // true: downloaded dives of the served model (data type 1, serial 20511) whose
    // samples take 2 seconds each and are shaped like a dive: a descent, the bottom
    // and an ascent, with fast-ascent stretches (ascent band 5) and a few alarm bits;
    // false: dives entered by hand with plain saw-tooth samples.
    bool downloaded = false;
    // Captains, crew and buddies: this many of each. Each new dive gets one captain, one
    // crew member and two buddies, taken in turn.
    int peoplePerKind = 0;
    // Names in each catalog (locations, sites, dive types, gear sets) and operators on
    // the dives; each dive gets one of each, in turn. Every seventh name holds an
    // apostrophe ("O'Site 0007"). 0: no names.
    int names = 0;

    // The location form's catalogs: this many names in each of RESORTS, OPERATORS,
    // DIVEBOATS and GPSS (every seventh with an apostrophe), and siteTypes dive types
    // in DIVETYPEDATA. Each new dive gets a resort, operator, boat and GPS, two types,
    // conditions from each scale and site values (visibility, altitude, temperatures,
    // speed, heights, texts), taken in turn. 0: none.
    int siteNames = 0;
    int siteTypes = 0;
    // Gear: gearNames names in each of the twelve item catalogs and as many gear sets
    // ("Set nnnn", each with the items of its number and its weights), accessories
    // names in ACCESSORYDATA with accessoriesPerSet links per set; each dive gets a set
    // in turn, with the set's items and weights. Every seventh name holds an
    // apostrophe. 0: no gear.
    int gearNames = 0;
    int accessories = 0;
    int accessoriesPerSet = 0;
};

// Adds shape.dives dives (two a day from 2000/01/01, each with a DIVE_DC_SETTINGS row
// and shape.samplesPerDive DIVEDETAILS rows), the companions of shape.peoplePerKind,
// the names of shape.names, the site catalogs of shape.siteNames and siteTypes and the
// gear of shape.gearNames, in one transaction.
void AddDives(db::Database& db, const BigLogShape& shape);

// A fresh log from the template at path, filled by AddDives and opened.
std::unique_ptr<db::Database> MakeBigLog(const QString& path, const BigLogShape& shape);

} // namespace kvl::test
