#pragma once
// The checks of values typed into the dive record. Each judges the value in the
// unit the user sees (the unit flags of gv), shows its own "Warning" message when
// it refuses, and returns whether the value is acceptable.

#include <QString>
#include <QtGlobal>

namespace kvl {

// A complete, real date as typed in the masked box, in the order gv.UnitDate selects.
bool IsValidDate(const QString& text);
// What IsValidDate would say of the text, "" when it takes it; nothing is shown.
QString DateRefusal(const QString& text);
// A pressure in bar (0..2289) or psi (0..32700) as gv.UnitPressure selects.
bool IsValidPressure(double value);
// What IsValidPressure would say of the value, "" when it takes it; nothing is shown.
QString PressureRefusal(double value);
// A cylinder size in litres (0..32700) or cubic feet (0..1155) as gv.UnitCylinder selects.
bool IsValidCylinderSize(double value);
// A SAC rate in bar or psi a minute as gv.UnitPressure selects; the log keeps it as
// whole psi in one byte: 0..255 psi, 0..17.9 bar.
bool IsValidSacRate(double shown);
// What IsValidSacRate would say of the value, "" when it takes it; nothing is shown.
QString SacRateRefusal(double shown);
// The whole psi a minute the log keeps for a valid SAC rate.
quint8 SacRateToStore(double shown);
// A dive number above 0 and below 2000000.
bool IsValid_DiveNo(double value);
// Lifetime numbers come only from renumbering: a typed one is never accepted.
bool IsValid_LifeTimeDiveNo(double value);

// Shows a dive record field message: title "Warning", critical icon, OK.
void FieldWarning(const QString& text);

} // namespace kvl
