#pragma once
// What the dive record form's sources share: the texts of stored values as the
// form shows them, and the roles of the tank boxes. Used only by DiveFrm*.cpp.

#include "dive/DiveControls.h"
#include "shell/core/Global_Vars.h"

#include <QLineEdit>
#include <QString>

#include <exception>

namespace kvl::divefrm {

// A display step that cannot be carried out (a Null where a number is needed)
// leaves its box empty rather than showing the previous dive's value.
template <class TextOf>
void ShowText(QLineEdit& box, TextOf textOf)
{
    try {
        box.setText(textOf());
    } catch (const std::exception&) {
        box.setText(QString());
    }
}

// Stored values as shown: "" for Null; converted to the user's units.
QString NumberText(const db::Value& v);
QString PressureText(const db::Value& v);
QString CylinderText(const db::Value& v);
QString TempText(const db::Value& v);
QString AirConsumptionText(quint8 psi);              // "" for 0
QString DepthText(const db::Value& feet);          // the maximum depth
QString AverageDepthText(float feet);
// The number a box's text begins with, a decimal comma read as the point.
double TextNumber(const QString& text);
// Whether a box says something else than the text shown for the stored value:
// compared on what the user sees, so a value shown rounded is not taken for an edit.
bool ShownDiffers(const QString& box, const QString& shown);

// One tank's controls and the record members behind them.
struct TankControls {
    DiveText cylinder, start, end;
    DiveUnit cylinderUnit, startUnit, endUnit;
    DiveList gas;
    DiveLabel tidCaption, gasCaption, cylinderCaption, startCaption, endCaption;
    db::Value DiveDataRec::*cylinderField;
    db::Value DiveDataRec::*startField;
    db::Value DiveDataRec::*endField;
    db::Value DiveDataRec::*gasField;
};
const TankControls& TankOf(Tank tank);
// The record member behind a tank box; nullptr for any other box.
db::Value DiveDataRec::*TankField(DiveText index);
// The gas of the tank whose list it is; nullptr for the ascent-rate list.
db::Value DiveDataRec::*GasField(DiveList list);
// The transmitter id of a tank.
qint32 DiveDataRec::*TidField(Tank tank);
bool IsStartPressure(DiveText index);
bool IsEndPressure(DiveText index);
// The other pressure box of the same tank.
DiveText PartnerPressure(DiveText index);

} // namespace kvl::divefrm
