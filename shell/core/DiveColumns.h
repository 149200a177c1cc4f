#pragma once
// The DIVEDATA columns the current dive (DiveDataRec) holds, one row per column. The
// table drives loading the dive from the browsed list (LoadCurrentDive), writing the
// dive record back to its row and telling whether the record differs from the row,
// so a new column is one row here.

#include "shell/core/Global_Vars.h"

#include <span>
#include <variant>

namespace kvl {

// The member that holds the column; its type is the column's kind:
//   db::Value  as stored;
//   QString    a text, Null reads as "";
//   qint32     a whole number rounded half to even, out of range reads as 0;
//   quint8     a byte, outside 0..255 reads as 0;
//   bool       Yes/No, any non-zero is Yes;
//   float      a single-precision number.
using DiveMember = std::variant<db::Value DiveDataRec::*, QString DiveDataRec::*, qint32 DiveDataRec::*,
                                quint8 DiveDataRec::*, bool DiveDataRec::*, float DiveDataRec::*>;

// Whether the dive record writes the column back to its row.
enum class DiveColumnSave {
    No,               // loaded only: another form edits it, or nothing does
    Yes,
    WhenHandEntered,  // only for a dive entered by hand (DATATYPE 0)
    AsTemp,           // takes the record's TEMP; the location form edits it on its own,
                      // so it is left out of the comparison
};

struct DiveColumn {
    const char* column;
    DiveMember member;
    DiveColumnSave save;
};

// Every column, those the record writes first, in the order they are written.
std::span<const DiveColumn> DiveColumns();

// Sets the column's member from the stored value.
void LoadDiveColumn(DiveDataRec& dive, const DiveColumn& column, const db::Value& stored);
// A stored value as a whole-number member reads it.
qint32 ReadLong(const db::Value& stored);
// Whether the record writes this column for this dive.
bool WritesDiveColumn(const DiveColumn& column, const DiveDataRec& dive);
// The value the record writes into the column.
db::Value SavedDiveValue(const DiveColumn& column, const DiveDataRec& dive);
// Whether the stored value and the record's agree: numbers compare as numbers (at the
// record's single precision), texts as texts, Null only equals Null, Yes/No as such.
bool SameDiveValue(const DiveColumn& column, const db::Value& stored, const db::Value& record);

} // namespace kvl
