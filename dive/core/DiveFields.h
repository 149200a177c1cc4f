#pragma once
// How the dive record's boxes and lists map to the stored columns and back:
// date and time texts, the gas and ascent-rate lists, the data-type bits. Plain
// functions of their arguments; the form applies them to its controls.

#include "shell/core/Global_Vars.h"

#include <QString>
#include <QStringList>

#include <array>

namespace kvl {

// DATATYPE bits.
constexpr quint8 DataTypeDownloaded = 0x01;
constexpr quint8 DataTypeModified = 0x02;
constexpr quint8 DataTypeNavigation = 0x10;

// What the dive record shows for a DATATYPE: the dive mode, the three data-type
// boxes ("Manual Entry", "Radarar Edeze", "Radarar Edeze Modified") and whether the
// device-recorded fields are locked.
struct DataTypeView {
    bool navigation = false;
    bool manual = false;
    bool downloaded = false;
    bool modified = false;
    bool locked = false;
};
DataTypeView ViewOfDataType(quint8 dataType);
// The data type after an edit of a device-recorded field: a downloaded dive
// (bit 0x01) becomes downloaded-then-modified (0x02); other bits stay.
quint8 EditedDataType(quint8 dataType);

// The gas list: "AIR", then "21%" to "50%".
QStringList GasList();
// The list position of a stored FO2: below 21 is "AIR" (0), 21..50 is FO2 - 20;
// -1 (nothing shown) for Null or above 50.
int GasListIndex(const db::Value& fo2);
// The FO2 stored for a list position: "AIR" stores 20.
int FO2OfGasListIndex(int index);

// The six ascent-rate bands, in feet when unitDepth is 1, else metres.
QStringList VariList(int unitDepth);
// The list position of a stored VARI (0..5); -1 for Null or any other value.
int VariListIndex(const db::Value& vari);

// A date as shown ("dd/mm/yyyy", or "mm/dd/yyyy" when unitDate is 1) as stored "yyyy/mm/dd".
QString DateToDB(const QString& shown, int unitDate);
// The time-in box made a clean "hh:mm": minutes outside 0..59 become 00; on the
// 12-hour clock (unitTime 1) hours above 12 wrap by 12, on the 24-hour clock
// hours above 23 wrap by 24.
QString NormalizeTimeIn(const QString& text, int unitTime);
// The prior surface interval made a clean "hh:mm": minutes outside 0..59 become 00;
// hours above 24 become 24:00 when the minutes are 00, else 23.
QString NormalizeSurfaceInterval(const QString& text);

// A transmitter id as six digits, or "" when it is not above 0.
QString TidText(qint32 tid);
// A stored number as text when it is above 0, else "".
QString PositiveText(const db::Value& value);

// One tank's pressures as the caller reads them, and whether the tank counts.
struct TankPressures {
    double start = 0;
    double end = 0;
    bool counted = true;
};
// The pressure a dive used: each counted tank's start less its end, summed.
double PressureUsed(const std::array<TankPressures, 3>& tanks);

} // namespace kvl
