#pragma once
// The connected unit's settings rows: filling them from the device's memory
// image after a read, and copying the edited set over them before a write.
// Each runs in one transaction, so a unit never keeps half its legs.

#include "platform/db/Db.h"
#include "settings/core/SettingsRecords.h"

#include <QByteArray>
#include <QString>

namespace kvl::settings {

// Stores the device's settings block and legs as the unit's rows (DCID modelId,
// DCSERIALNO serial): the row is edited or added, the unit's legs are replaced by
// the device's legs numbered from 1. FIRMWAREREV takes `firmware`. Returns the
// HOUR stored. Throws db::DbError, with nothing written.
int StoreUnitSettings(db::Database& db, qint32 modelId, qint32 serial, const QByteArray& block,
                      const std::vector<DCNavLeg>& legs, const QString& firmware);

// Copies the edited set (DCSERIALNO -1) of the model over the unit's rows. Both
// the edited row and its legs must exist; when either is missing nothing is
// written. Throws db::DbError, with nothing written.
enum class CopyResult { Copied, EditedSetMissing };
CopyResult CopyEditedSet(db::Database& db, qint32 modelId, qint32 serial, const QString& firmware);

// The 33 columns the copy takes from the edited row, in order.
const QStringList& EditedColumns();

} // namespace kvl::settings
