#pragma once
// Unit flags and conversions. The log stores feet, deg F, psi, pounds, cubic
// feet, "yyyy/mm/dd" and 24-hour "hh:mm"; a flag of 1 shows the stored form,
// anything else converts. Numeric arguments take a number or a text that reads
// as one; Null throws NullValueError.

#include "shell/core/Global_Vars.h"

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace kvl {

class NullValueError : public std::runtime_error {
public:
    NullValueError() : std::runtime_error("Invalid use of Null") {}
};

// Flag routines over UNITS_OF_MEASUREMENT (gv.rsUnits stays open on its row).
void InitUnitFlags();
void LoadUnits();
void UpdateUnitFlags();
// Writes the seven flags as they stand into the units row; no row is ever added.
void WriteUnitFlags();

float FtToM(const db::Value& value);
float MToFt(const db::Value& value);
float CuFtToLiter(const db::Value& value);
float PsiToBar(const db::Value& value);
float FToC(const db::Value& value);
float CToF(const db::Value& value);
float KgToLb(const db::Value& value);
float LbToKg(const db::Value& value);

float DepthToDisplay(const db::Value& value);
float DepthFromDisplay(const db::Value& value);
float TempToDisplay(const db::Value& value);
float PressureToDisplay(const db::Value& value);
float WeightToDisplay(const db::Value& value);
float CylinderToDisplay(const db::Value& value);

// What the log keeps for a number typed in the diver's units: psi for a pressure,
// cubic feet for a cylinder. A unit flag of 1 means the log's own unit.
double PressureFromDisplay(double shown, quint8 unitPressure);
double CylinderFromDisplay(double shown, quint8 unitCylinder);

// Replaces every "," of text by "." and returns the number the text begins with.
double ParseDecimal(QString& text);
QString FormatDBDate(const QString& dbDate);
QString FormatTimeByMode(const QString& time, int mode);
QString TimeTo12Hour(const QString& time);
QString TimeTo24Hour(const QString& time, const QString& amPm);
QString AddMinutesToTime(const QString& time, const db::Value& minutes);
// mode 1: 12-hour clock. Shows a "Warning" message for each fault found.
bool IsValidTimeText(const QString& text, int mode);
// The messages IsValidTimeText would show, none when it takes the time; nothing is shown.
QStringList TimeTextRefusals(const QString& text, int mode);
bool IsValidCDTText(const QString& text);
qint32 CDTTextToSeconds(const QString& text);

} // namespace kvl
