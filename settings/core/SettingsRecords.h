#pragma once
// The dive computer's settings rows in the log: DC_SETTINGS (one row per model
// and serial number) and DC_NAV (its navigation legs), with the codes their
// columns hold. DCSERIALNO 0 is the factory set, -1 the edited set waiting to be
// written, and a positive number one unit's last settings.

#include "platform/db/Db.h"
#include "settings/core/SettingsImage.h"

#include <QString>

#include <optional>
#include <vector>

namespace kvl::settings {

enum SettingsSerial : qint32 { FactorySerial = 0, EditedSerial = -1 };

// Codes of the settings columns (note UNITS: 1 is metric, the opposite of the
// program's own unit flags).
enum UnitsCode : int { UnitsImperial = 0, UnitsMetric = 1 };
enum HourCode : int { Hour12 = 0, Hour24 = 1 };
enum ReceiverCode : int { ReceiverOn = 0, ReceiverOff = 1 };
enum NavBacklightCode : int { NavBacklightConstant = 0, NavBacklightTimeOut = 1 };
enum AltTimeCode : int { AscentScaleVelk = 0, AscentScaleStandard = 1 };
enum SystemClockCode : int { KeepDeviceClock = 0, SetDeviceClock = 1 };
// Back-light duration: code -> seconds shown.
inline constexpr int BacklightSeconds[] = {0, 5, 10};
// Dive sample rate: code -> caption (metric depth captions for the depth codes).
inline constexpr const char* SampleRateCaptions[] = {"2  Secs", "15 Secs", "30 Secs", "60 Secs",
                                                      "2  FT", "5  FT", "10 FT"};
inline constexpr const char* SampleRateMetricCaptions[] = {"2  Secs", "15 Secs", "30 Secs", "60 Secs",
                                                            "0.5 M", "1.5 M", "3.0 M"};

struct SettingsKey {
    qint32 dcid = 0;
    qint32 serial = 0;
};

// One DC_NAV row, the values as stored.
struct NavLegRow {
    db::Value LEGNO;
    db::Value HEADING;
    db::Value CDT;
    db::Value AUDIBLEALARM;
    db::Value LIGHTALARM;
    bool operator==(const NavLegRow&) const = default;
};

// The row of the key, or nothing when there is none.
std::optional<SettingsValues> ReadSettingsRow(db::Database& db, const SettingsKey& key);
// Edits the row of the key when there is one and adds it otherwise; only the given
// columns change. Throws db::DbError.
void WriteSettingsRow(db::Database& db, const SettingsKey& key, const SettingsValues& values);

// The legs of the key in LEGNO order.
std::vector<NavLegRow> ReadLegs(db::Database& db, const SettingsKey& key);
// Replaces every leg of the key (and no other set's) with `legs`. Throws db::DbError.
void ReplaceLegs(db::Database& db, const SettingsKey& key, const std::vector<NavLegRow>& legs);

// Device legs as rows numbered 1, 2, 3 ... and back (an empty alarm counts as off).
std::vector<NavLegRow> LegRows(const std::vector<DCNavLeg>& legs);
std::vector<DCNavLeg> DeviceLegs(const std::vector<NavLegRow>& rows);

} // namespace kvl::settings
