#pragma once
// The personal page: the diver's own record (the USERINFO row of USERTYPE 1, whatever
// person the companions' form last showed) and the units in force, on one portrait page.

#include "platform/printer/Printer.h"

#include <QString>

namespace kvl {

// Prints the page and ends the document. Without a diver row the labels print with
// empty values.
void PrintPersonalInfo(Printer& printer);
QString PersonalInfoTitle();

} // namespace kvl
