// SPDX-License-Identifier: MIT
#include "gauges/GaugeScales.h"

#include "platform/Truncate.h"

#include <algorithm>
#include <cmath>

namespace {

// One step above the double nearest 0.02 (1/50 of a turn), so that a label that is a whole
// number in exact arithmetic can never come out a hair below it and truncate to the one
// below.
constexpr double kFiftieth = 0.020000000000000004;
constexpr double kDegreesPerTurn = 360.0;

constexpr double kLongHandTurn = 1000.0;
constexpr double kLongHandDegrees = 0.36;                  // per unit, 360 / 1 000
constexpr double kShortHandDegrees = 0.036000000000000004; // per unit, 360 / 10 000
constexpr double kMarkerDegrees = 0.0036000000000000003;   // per unit, 360 / 100 000

constexpr int kFullTurn = 360;

constexpr double kVsiZero = 270.0;
constexpr double kVsiSweep = 300.0;       // both arcs together, 150 degrees each
constexpr double kVsiHundredths = 0.0025; // a label every 500 of 2000: value / 100 / 4
constexpr double kVsiQuarter = 0.25;

} // namespace

double FinitePointerAngle(double dAngle) {
    return std::isfinite(dAngle) ? dAngle : 0.0;
}

int SpeedometerLabel(double dFullScale, int nTick) {
    return TruncToInt(dFullScale * nTick * kFiftieth);
}

double SpeedometerNeedleAngle(double dSpeed, double dFullScale) {
    if (dFullScale == 0.0)
        return 0.0;
    // Beyond the full scale the needle stays on it: going round again would show a speed above
    // the scale as a small one.
    const double dLimit = std::fabs(dFullScale);
    dSpeed = std::clamp(dSpeed, -dLimit, dLimit);
    return FinitePointerAngle(dSpeed / dFullScale * kDegreesPerTurn);
}

AltimeterHands AltimeterHandAngles(double dAltitude) {
    const int nWhole = TruncToInt(dAltitude);
    return {FinitePointerAngle(std::fmod(dAltitude, kLongHandTurn) * kLongHandDegrees),
            nWhole * kShortHandDegrees, nWhole * kMarkerDegrees};
}

double CompassScreenAngle(int nDegrees, int nCourse) {
    long long nAngle = static_cast<long long>(nDegrees) - nCourse;
    if (nAngle < 0)
        nAngle += kFullTurn;
    return static_cast<double>(nAngle);
}

double VerticalSpeedLabelStep(double dScale) {
    const double dStep = dScale * kVsiHundredths;
    return dStep < 1.0 ? dScale * kVsiQuarter : dStep;
}

double VerticalSpeedNeedleAngle(double& dValue, double dScale) {
    if (dScale == 0.0)
        return 0.0;
    if (dValue > dScale)
        dValue = dScale;
    if (dValue < -dScale)
        dValue = -dScale;
    return FinitePointerAngle(dValue * 0.5 * (kVsiSweep / dScale) + kVsiZero);
}
