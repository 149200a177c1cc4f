#pragma once
// Writing the dive record back to its DIVEDATA row, found by its DIVEID, and
// telling whether the record differs from what the row holds.

#include "shell/core/Global_Vars.h"

namespace kvl {

// Writes every column the dive record edits from the record into the dive's row
// (the columns DiveColumns() marks saved), the gases of the three tanks included.
// MODELID and MODELSERNO are written only for a dive entered by hand (DATATYPE 0);
// MINIMUM takes the value of TEMP. Returns false when the dive has no row.
// Database failures throw db::DbError.
bool WriteDiveRecord(qint64 diveId, const DiveDataRec& dive);
// Whether any column WriteDiveRecord would write (MINIMUM aside) differs from the row's value.
// Numbers compare as numbers, texts as texts, Null only equals Null.
bool DiveRecordDiffers(qint64 diveId, const DiveDataRec& dive);

} // namespace kvl
