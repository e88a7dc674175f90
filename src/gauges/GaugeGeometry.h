// SPDX-License-Identifier: MIT
// Where things go on a round gauge dial, with no drawing involved: how the largest square dial
// fits into a rectangle, the dial unit in which every radius is given (90 units is the edge),
// the direction of an angle (degrees clockwise from 12 o'clock, screen y growing downward) and
// the pixel at an angle and radius. All four gauges share these so that their dials, ticks
// and pointers land on the same pixels; every conversion to a pixel truncates toward zero.
// Standard library only.
#pragma once

#include "platform/Rect.h"

// The dial laid into a rectangle: its square, its centre and its radius in pixels.
struct DialGeometry {
    CRect square;
    double dCentreY = 0.0;
    double dCentreX = 0.0;
    double dRadius = 0.0;

    int Side() const { return square.right - square.left; }
    // Pixels per dial unit; 90 units reach the edge.
    double Unit() const;

    friend bool operator==(const DialGeometry&, const DialGeometry&) = default;
};

// The largest square dial inside rect, one pixel clear of each edge, centred on the longer
// side.
DialGeometry FitDial(const CRect& rect);

struct GaugeVector {
    double dx = 0.0;
    double dy = 0.0;
};

// The unit vector of dAngle degrees clockwise from straight up.
GaugeVector GaugeDirection(double dAngle);

// The pixel dRadius dial units from the centre at dAngle.
CPoint PolarPoint(const DialGeometry& dial, double dAngle, double dRadius);

// The centre as a pixel, as hubs, readouts and titles are placed.
CPoint DialCentre(const DialGeometry& dial);

// A pen width of side / nDivisor pixels, never thinner than one pixel.
int DialPenWidth(int nSide, int nDivisor);
