#pragma once
// The person record grid shared by the diver's and the companions' forms: building
// its rows, showing a record in it and reading the record back.

#include "people/core/PersonRecord.h"

#include <QLoggingCategory>

namespace kvl {

Q_DECLARE_LOGGING_CATEGORY(lcPeople)

class PropertyGrid;

// Adds the 22 rows while the grid is empty; a grid that has rows is left alone. The
// phone and postal-code rows refuse a value their field does not take, and say so.
void PInfo_Build(PropertyGrid& grid, people::OwnPhoneCaption phone);
// Locks or unlocks the text rows' boxes (a locked box keeps the focus and can be copied).
void PInfo_SetReadOnly(PropertyGrid& grid, bool readOnly);
// Shows every text row from the record; a field the record lacks shows empty.
void PInfo_ShowRecord(PropertyGrid& grid, const people::PersonRecord& record);
// The 17 text rows' values as the user left them, by row key.
people::PersonRecord PInfo_StoreRecord(const PropertyGrid& grid);

} // namespace kvl

class QLabel;
class QVBoxLayout;

namespace kvl {

// The bold header label across the top of a people form, added to its layout.
QLabel* AddFormHeader(QVBoxLayout& layout, const QString& caption);

} // namespace kvl
