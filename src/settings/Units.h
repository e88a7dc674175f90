// SPDX-License-Identifier: MIT
// Unit conversions, unit names and coordinate texts in the units the user chose. Each call
// reads its selection from the settings store (default 0 when absent), so a change made in
// the Units dialog shows at the next repaint of every page without any notification. The
// arithmetic is in settings/UnitConversion.h, which also provides GreatCircleDistance.
#pragma once

#include "settings/UnitConversion.h"

#include <QString>

// The selections themselves, for a caller that converts many values at once: one read of
// the store each instead of one per call, with the arithmetic of settings/UnitConversion.h.
int DistanceSpeedUnits();
int AltitudeUnits();
int PositionFormat();

double ConvertSpeed(double dKnots);
QString SpeedUnitName();
QString DistanceUnitName();
double ConvertSmallDistance(double dStatuteMiles);
QString SmallDistanceUnitName();
double ConvertAltitude(double dMetres);
QString AltitudeUnitName();
QString FormatAltitude(double dMetres);
double ConvertVerticalSpeed(double dMetresPerMinute);
QString VerticalSpeedUnitName();
QString FormatLatitude(double dDegrees);
QString FormatLongitude(double dDegrees);
