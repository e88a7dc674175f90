// SPDX-License-Identifier: MIT
// The scales of the four gauges: which value each label shows and at which angle each
// pointer stands, in degrees clockwise from 12 o'clock. The odd-looking factors are the
// doubles the dials have always used; they decide on which side of an integer a label or a
// pointer pixel falls, so they are kept to the last bit. Standard library only.
#pragma once

// A pointer angle that is not a number (a value of NaN or infinity, or 0 / 0) points straight
// up rather than at a pixel no dial contains.
double FinitePointerAngle(double dAngle);

// Speedometer: 0 at the top, once round clockwise to the full scale.
// The label at major tick i (0, 5 ... 45): the full scale times i / 50, rounded down.
int SpeedometerLabel(double dFullScale, int nTick);
// speed / full scale of a turn, the speed held within the full scale either way (the needle
// stops on it rather than going round again); straight up when the full scale is 0.
double SpeedometerNeedleAngle(double dSpeed, double dFullScale);

// Altimeter: a long hand once round per 1 000, a short hand per 10 000 and a marker disc per
// 100 000. The long hand keeps the altitude's fraction and sign; the other two use the
// altitude truncated to an integer.
struct AltimeterHands {
    double dLong = 0.0;
    double dShort = 0.0;
    double dMarker = 0.0;
};
AltimeterHands AltimeterHandAngles(double dAltitude);

// Compass: where card mark or bearing nDegrees stands on screen when the card is turned so
// that nCourse is at the top (one turn added to a negative difference). Worked in 64 bits:
// a course read from a garbled sentence may be anywhere in the int range.
double CompassScreenAngle(int nDegrees, int nCourse);

// Vertical-speed indicator: zero at 270 (9 o'clock), the scale 150 degrees either way.
// The value between two labelled ticks: hundreds for a scale of 2000, a quarter of a small
// scale.
double VerticalSpeedLabelStep(double dScale);
// The needle angle for dValue; dValue is clamped to the scale first (the gauge keeps the
// clamped value). A scale of 0 is not divided by: the needle points up, the value untouched.
double VerticalSpeedNeedleAngle(double& dValue, double dScale);
