#pragma once
// Building the simulator's memory from a fixture (a JSON file) with the device's
// own layout: identity, serial number, settings block, navigation legs, the dive
// index ring and the dives' profile pages.
//
// {
//   "identity": "TARQX07 V2B 0001",        or "firmware": "2B"
//   "serial": 10203,
//   "settings": {"MAXDEPTH": 130, "EDT": 45, ...}   or "settingsBytes": [16 bytes]
//   "legs": [{"heading": 360, "cdt": 7530, "audible": false, "light": true}],
//   "indexStart": {"page": 64, "offset": 0},
//   "ringStart": 114,
//   "dives": [{"date": "2009-06-04", "time": "14:30", "number": 7, "mode": 0,
//              "o2": 32, "sampleRate": 15, "interval": "01:25",
//              "samples": [[seconds, depthFeet, temperature], ...]
//              or "profile": {"duration": 2700, "maxDepth": 100}}],
//   "pages": {"70": [16 bytes]}
// }

#include "tools/devsim/sim/Device.h"

#include <QJsonObject>
#include <QString>

namespace devsim {

// Where one dive of the fixture landed.
struct PlacedDive {
    int number = 0;
    int indexPage = 0;
    int indexOffset = 0;
    int startPage = 0;   // SA: the settings copy
    int endPage = 0;     // EA: the summary
};

struct BuiltFixture {
    std::vector<PlacedDive> dives;
};

// Lays the fixture out in the device's memory and identity. False, with an
// error text, when the fixture cannot be read or does not fit.
bool LoadFixture(const QString& path, Device& device, BuiltFixture* built = nullptr, QString* error = nullptr);
bool BuildFixture(const QJsonObject& fixture, Device& device, BuiltFixture* built = nullptr, QString* error = nullptr);

// The folder of the shipped fixtures (for tests and benchmarks).
QString FixturesDir();

} // namespace devsim
