#pragma once
// The program's calendar date. Everything that asks for "today" asks here, so a
// test can stand the program on a date of its choosing.

#include <QDate>

namespace kvl {

// The system's date, or the date a test set.
QDate Today();
// Makes Today() give this date; an invalid date returns to the system's.
void SetToday(const QDate& date);

} // namespace kvl
