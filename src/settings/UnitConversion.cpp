// SPDX-License-Identifier: MIT
#include "settings/UnitConversion.h"

#include "platform/Truncate.h"
#include "resources/StringTable.h"
#include "resources/resource.h"
#include "settings/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace units {

namespace {

constexpr char kDegreeSign[] = "\xC2\xB0"; // U+00B0

// Ten-thousandths of a minute in one degree.
constexpr double kTicksPerDegree = 600000.0;

enum class Axis { Latitude, Longitude };

std::string FormatCoordinate(Axis axis, int nPositionFormat, double dDegrees) {
    if (nPositionFormat < 0 || nPositionFormat > 2)
        return "ERROR";

    const bool bLatitude = axis == Axis::Latitude;
    const bool bNegative = dDegrees < 0.0;
    const char chLetter = bLatitude ? (bNegative ? 'S' : 'N') : (bNegative ? 'W' : 'E');
    // The magnitude also for -0.0, which would otherwise print as "-0.0000000000".
    const double dValue = std::fabs(dDegrees);
    const int nDegreeDigits = bLatitude ? 2 : 3;

    std::string text;
    text.reserve(24);
    text += chLetter;
    text += ' ';

    if (nPositionFormat == 2) {
        AppendFixed(text, dValue,
                    {.nPrecision = 10, .nWidth = nDegreeDigits + 11, .bZeroPad = true});
        text += kDegreeSign;
        return text;
    }

    // The half tick rounds the fraction of a degree only; minutes reaching 60 are not
    // carried into the degrees.
    const std::uint32_t nDegrees = TruncToUInt32(dValue);
    const double dFraction = dValue - nDegrees;
    const std::uint32_t nTicks = TruncToUInt32(dFraction * kTicksPerDegree + 0.5);

    AppendInteger(text, nDegrees, nDegreeDigits, true);
    text += kDegreeSign;
    text += ' ';
    if (nPositionFormat == 0) {
        AppendFixed(text, nTicks * 0.0001, {.nPrecision = 4, .nWidth = 7, .bZeroPad = true});
    } else {
        const std::uint32_t nMinutes = nTicks / 10000;
        const double dSeconds = (nTicks - nMinutes * 10000) * 0.0001 * 60.0;
        AppendInteger(text, nMinutes, 2, true);
        text += "' ";
        AppendFixed(text, dSeconds, {.nPrecision = 3, .nWidth = 6, .bZeroPad = true});
    }
    return text;
}

} // namespace

double ConvertSpeed(int nDistanceSpeedUnits, double dKnots) {
    switch (nDistanceSpeedUnits) {
        case 0: return dKnots * kKnotsToMph;
        case 1: return dKnots;
        case 2: return dKnots * kKnotsToKmh;
        default: return 0.0;
    }
}

const char* SpeedUnitName(int nDistanceSpeedUnits) {
    switch (nDistanceSpeedUnits) {
        case 0: return LoadStringUtf8(IDS_MPH);
        case 1: return LoadStringUtf8(IDS_KT);
        case 2: return LoadStringUtf8(IDS_KMH);
        default: return "";
    }
}

const char* DistanceUnitName(int nDistanceSpeedUnits) {
    switch (nDistanceSpeedUnits) {
        case 0: return LoadStringUtf8(IDS_MI);
        case 1: return LoadStringUtf8(IDS_NMI);
        case 2: return LoadStringUtf8(IDS_KM);
        default: return "";
    }
}

double ConvertSmallDistance(int nDistanceSpeedUnits, double dStatuteMiles) {
    switch (nDistanceSpeedUnits) {
        case 0: return dStatuteMiles * kStatuteMilesToFeet;
        case 1: return dStatuteMiles * kStatuteToNauticalMiles;
        case 2: return dStatuteMiles * kStatuteMilesToMetres;
        default: return dStatuteMiles;
    }
}

const char* SmallDistanceUnitName(int nDistanceSpeedUnits) {
    switch (nDistanceSpeedUnits) {
        case 0: return LoadStringUtf8(IDS_FT);
        case 1: return LoadStringUtf8(IDS_NMI);
        case 2: return LoadStringUtf8(IDS_M);
        default: return "";
    }
}

double ConvertAltitude(int nAltitudeUnits, double dMetres) {
    switch (nAltitudeUnits) {
        case 0: return dMetres * kMetresToFeet;
        case 1: return dMetres;
        default: return -1.0;
    }
}

const char* AltitudeUnitName(int nAltitudeUnits) {
    switch (nAltitudeUnits) {
        case 0: return LoadStringUtf8(IDS_FT);
        case 1: return LoadStringUtf8(IDS_M);
        default: return "err";
    }
}

std::string FormatAltitude(int nAltitudeUnits, double dMetres) {
    std::string text;
    AppendFixed(text, ConvertAltitude(nAltitudeUnits, dMetres),
                {.nPrecision = 2, .nWidth = 8, .bLeftJustify = true});
    text += ' ';
    text += AltitudeUnitName(nAltitudeUnits);
    text += "     ";
    return text;
}

double ConvertVerticalSpeed(int nAltitudeUnits, double dMetresPerMinute) {
    switch (nAltitudeUnits) {
        case 0: return dMetresPerMinute * kMetresToFeet;
        case 1: return dMetresPerMinute * kPerMinuteToPerSecond;
        default: return -1.0;
    }
}

const char* VerticalSpeedUnitName(int nAltitudeUnits) {
    switch (nAltitudeUnits) {
        case 0: return LoadStringUtf8(IDS_X100_FT_PER_MIN);
        case 1: return LoadStringUtf8(IDS_M_PER_SEC);
        default: return "err";
    }
}

std::string FormatLatitude(int nPositionFormat, double dDegrees) {
    return FormatCoordinate(Axis::Latitude, nPositionFormat, dDegrees);
}

std::string FormatLongitude(int nPositionFormat, double dDegrees) {
    return FormatCoordinate(Axis::Longitude, nPositionFormat, dDegrees);
}

} // namespace units

double GreatCircleDistance(double dLatitude1, double dLongitude1, double dLatitude2,
                           double dLongitude2) {
    // cos^2 + sin^2 of the same latitude often comes out one unit in the last place below 1,
    // which the arc cosine turns into some 5e-5 nautical miles; a position is no distance
    // from itself.
    if (dLatitude1 == dLatitude2 && dLongitude1 == dLongitude2)
        return 0.0;
    const double dPhi1 = dLatitude1 * kDistanceDegreesToRadians;
    const double dPhi2 = dLatitude2 * kDistanceDegreesToRadians;
    const double dLambda1 = dLongitude1 * kDistanceDegreesToRadians;
    const double dLambda2 = dLongitude2 * kDistanceDegreesToRadians;
    double dSum = std::cos(dLambda1 - dLambda2) * std::cos(dPhi2) * std::cos(dPhi1) +
                  std::sin(dPhi2) * std::sin(dPhi1);
    // Rounding can push the sum of nearly identical positions just past 1, where the arc
    // cosine is NaN.
    dSum = std::clamp(dSum, -1.0, 1.0);
    return std::acos(dSum) * kNauticalMilesPerRadian;
}
