#pragma once
// The diver's units row (UNITS_OF_MEASUREMENT) as the diver's form loads it: the one
// field DEPTH decides the unit system of every flag.

#include "platform/db/Db.h"

#include <optional>

namespace kvl::people {

// 1 (imperial) when the row's DEPTH is yes, 0 (metric) when it is no or Null;
// nothing when the set stands on no row.
std::optional<quint8> UnitSystemOfRow(const db::Recordset& units);

} // namespace kvl::people
