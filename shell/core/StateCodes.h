#pragma once
// The meaning of the application state's codes (gv.DiveChanged, gv.PrintChoice);
// AddDiveModes, DatePickerCallers and the download window's TransferMode name the others.

#include <QtGlobal>

namespace kvl {

// gv.DiveChanged: where the dive record's edits stand.
enum DiveChangeState : quint8 {
    kDiveUnchanged = 0,   // loaded or saved
    kDiveEdited = 2,
    kDiveRefused = 3,     // the last save refused a value: leaving the dive is refused too
};
// gv.PrintChoice: the report chosen in the print dialog.
enum PrintChoices : quint8 {
    kPrintNone = 0,
    kPrintLogbookPage = 1,
    kPrintDiveDetails = 2,
    kPrintDivesList = 3,
    kPrintPersonalInfo = 4,
    kPrintGaugeSettings = 5,
};

} // namespace kvl
