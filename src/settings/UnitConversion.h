// SPDX-License-Identifier: MIT
// Unit conversions, unit names and coordinate texts for a given unit selection. The GPS
// state record holds knots, nautical miles, metres and metres per minute; the user reads
// statute, nautical or metric units and one of three coordinate formats. These take the
// selection as an argument so the core (the averaging) can use them without the settings
// store; settings/Units.h reads the selection from the store on every call.
// Texts are UTF-8.
#pragma once

#include <string>

// Conversion factors, exactly these doubles: the displayed digits depend on them.
inline constexpr double kKnotsToMph = 1.15077944802; // also nautical to statute miles
inline constexpr double kKnotsToKmh = 1.852;
inline constexpr double kMetresToFeet = 3.28083989501;
inline constexpr double kPerMinuteToPerSecond = 0.016666666666666666;
inline constexpr double kStatuteMilesToFeet = 5280.0;
inline constexpr double kStatuteToNauticalMiles = 0.868976241901;
inline constexpr double kStatuteMilesToMetres = 1609.344;
// The great-circle distance uses pi to ten digits; its last digits depend on that.
inline constexpr double kDistancePi = 3.141592654;
inline constexpr double kDistanceDegreesToRadians = kDistancePi / 180.0;
inline constexpr double kNauticalMilesPerRadian = 10800.0 / kDistancePi;

namespace units {

// Distance and speed selection: 0 statute, 1 nautical, 2 metric.
double ConvertSpeed(int nDistanceSpeedUnits, double dKnots); // 0.0 for other selections
const char* SpeedUnitName(int nDistanceSpeedUnits);          // "" for other selections
const char* DistanceUnitName(int nDistanceSpeedUnits);       // "" for other selections
// Statute miles to feet, nautical miles or metres; other selections pass it unchanged.
double ConvertSmallDistance(int nDistanceSpeedUnits, double dStatuteMiles);
const char* SmallDistanceUnitName(int nDistanceSpeedUnits); // "" for other selections

// Altitude selection: 0 feet, 1 metres.
double ConvertAltitude(int nAltitudeUnits, double dMetres); // -1.0 for other selections
const char* AltitudeUnitName(int nAltitudeUnits);           // "err" for other selections
// "%-8.02f %s     " of the converted altitude and its unit name.
std::string FormatAltitude(int nAltitudeUnits, double dMetres);
// Metres per minute to feet per minute or metres per second; -1.0 for other selections.
double ConvertVerticalSpeed(int nAltitudeUnits, double dMetresPerMinute);
const char* VerticalSpeedUnitName(int nAltitudeUnits); // "err" for other selections

// Position format: 0 "N 47° 30.0000", 1 "W 122° 05' 07.500", 2 "S 33.5000000000°";
// "ERROR" for other formats.
std::string FormatLatitude(int nPositionFormat, double dDegrees);
std::string FormatLongitude(int nPositionFormat, double dDegrees);

} // namespace units

// Distance in nautical miles between two positions in degrees, by the spherical law of
// cosines on a sphere where one minute of arc is one nautical mile. Identical positions give
// exactly 0.
double GreatCircleDistance(double dLatitude1, double dLongitude1, double dLatitude2,
                           double dLongitude2);
