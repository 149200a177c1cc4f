#pragma once
// The current dive's facts as the dive reports print them, in the user's units.

#include "platform/db/Db.h"

#include <QStringList>
#include <QStringView>

namespace kvl {

// A depth stored in feet, in the user's unit: from 330 ft on "--- FT" or "--- M"; else
// feetText's number and " FT", or the metres by metricPicture and " M". Null gives "".
QString LimitedDepthText(const db::Value& feet, QString (*feetText)(const db::Value&), QStringView metricPicture);
// A temperature stored in degrees F, in the user's unit: the stored number and " F", or
// the degrees C by celsiusPicture and " C". Null gives "".
QString UnitTempText(const db::Value& fahrenheit, QStringView celsiusPicture);

// Indices of DiveFactValues.
enum DiveFact {
    DiverFact, ComputerFact, LifetimeNoFact, DateTimeFact, DiveNoFact, LocationFact, SiteFact, ElapsedFact,
    SurfaceFact, MaxDepthFact, MinTempFact, SamplingFact, DataTypeFact, kDiveFacts
};

// The diver, the dive computer (name, ", S/N: ", serial), the numbers, date and time,
// place, elapsed minutes, surface interval, maximum depth ("--- FT" from 330 ft on),
// minimum temperature, sampling rate and data type. A Null field gives "".
QStringList DiveFactValues();

// The conditions block's values for its rows Visibility to GPS: visibility, altitude,
// a Null for the "Temperature" heading, air, surface, minimum, a Null for the blank
// row, current, surge, swell, surf, tide, a Null, operator, dive boat and GPS.
QStringList ConditionValues();

} // namespace kvl
