#pragma once
// The connected unit's settings rows: filling them from the device's memory
// image after a read, and after a write from the pages the unit took. Each store
// runs in one transaction, so a unit never keeps half its legs.

#include "platform/db/Db.h"
#include "settings/core/SettingsRecords.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace kvl::settings {

// Stores the device's settings block and legs as the unit's rows (DCID modelId,
// DCSERIALNO serial): the row is edited or added, the unit's legs are replaced by
// the device's legs numbered from 1. FIRMWAREREV takes `firmware`. Returns the
// HOUR stored. Throws db::DbError, with nothing written.
int StoreUnitSettings(db::Database& db, qint32 modelId, qint32 serial, const QByteArray& block,
                      const std::vector<DCNavLeg>& legs, const QString& firmware);

// The set a settings write sends: the model's edited row (DCSERIALNO -1) and its
// legs numbered above 0, in LEGNO order. Nothing when the edited row is missing.
struct EditedSet {
    SettingsValues row;
    std::vector<DCNavLeg> legs;
};
std::optional<EditedSet> ReadEditedSet(db::Database& db, qint32 modelId);

// After a completed write: the unit's rows as the unit now holds them. The edited
// columns the block has no place for come from `edited`; every column the read
// decodes is decoded from `block` over them, and `legs` replace the unit's legs.
// Throws db::DbError, with nothing written.
void StoreWrittenSettings(db::Database& db, qint32 modelId, qint32 serial, const SettingsValues& edited,
                          const QByteArray& block, const std::vector<DCNavLeg>& legs, const QString& firmware);

} // namespace kvl::settings
