// SPDX-License-Identifier: MIT
#include "gauges/GaugeGeometry.h"

#include "platform/Truncate.h"

#include <algorithm>
#include <cmath>

namespace {

// The double nearest 1/90: one dial unit per pixel of radius, 90 units to the edge.
constexpr double kUnitsPerRadius = 0.011111111111111112;
// Degrees to radians with pi taken to eleven decimals (3.14159265359 / 180), as the dials
// have always been drawn; full-precision pi moves some pointer pixels.
constexpr double kRadiansPerDegree = 0.017453292519944444;

} // namespace

double DialGeometry::Unit() const {
    return dRadius * kUnitsPerRadius;
}

DialGeometry FitDial(const CRect& rect) {
    DialGeometry dial;
    CRect box = rect;
    box.Deflate(1, 1);
    const int w = box.right - box.left;
    const int h = box.bottom - box.top;
    const double dHalfHeight = h * 0.5;
    const double dHalfWidth = w * 0.5;
    dial.dCentreY = box.top + dHalfHeight;
    dial.dCentreX = box.left + dHalfWidth;
    if (w >= h) {
        dial.dRadius = dHalfHeight;
        box.left = TruncToInt(dial.dCentreX - dHalfHeight);
        box.right = TruncToInt(dial.dCentreX + dHalfHeight);
    } else {
        dial.dRadius = dHalfWidth;
        box.top = TruncToInt(dial.dCentreY - dHalfWidth);
        box.bottom = TruncToInt(dial.dCentreY + dHalfWidth);
    }
    dial.square = box;
    return dial;
}

GaugeVector GaugeDirection(double dAngle) {
    return {std::sin(dAngle * kRadiansPerDegree), -std::cos(dAngle * kRadiansPerDegree)};
}

CPoint PolarPoint(const DialGeometry& dial, double dAngle, double dRadius) {
    const GaugeVector direction = GaugeDirection(dAngle);
    const double dUnit = dial.Unit();
    return {TruncToInt(dial.dCentreX + direction.dx * dUnit * dRadius),
            TruncToInt(dial.dCentreY + direction.dy * dUnit * dRadius)};
}

CPoint DialCentre(const DialGeometry& dial) {
    return {TruncToInt(dial.dCentreX), TruncToInt(dial.dCentreY)};
}

int DialPenWidth(int nSide, int nDivisor) {
    return std::max(nSide / nDivisor, 1);
}
