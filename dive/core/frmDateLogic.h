#pragma once
// The date picker's dates as its items show them: which order an item uses and
// the texts both ways.

#include <QDate>
#include <QString>

namespace kvl {

// Who opened the picker (gv.DatePickerCaller).
enum DatePickerCallers : int { kPickFromDate = 1, kPickToDate = 2, kPickSettingsDate = 3 };

// The date order of the item the picker serves: 1 month first ("mm/dd/yyyy"), anything
// else day first. The settings form's item follows its own order, the query form's
// items follow the diver's.
int PickerDateOrder(int caller, int dcDateFormat, int unitDate);
// The date as the item shows it, in the given order.
QString FormatPickedDate(const QDate& date, int order);
// The date an item's text names in the given order; `today` when it names none.
QDate ReadPickedDate(const QString& text, int order, const QDate& today = QDate::currentDate());

} // namespace kvl
