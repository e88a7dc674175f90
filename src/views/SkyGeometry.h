// SPDX-License-Identifier: MIT
// Where things go on the polar sky plot: the centre and radius laid out from a window, the
// pixel of a sky position (azimuth, elevation), the elevation rings and the spokes' horizon
// points. Every double is truncated toward zero separately and the products are formed in a
// fixed order, so the markers, trail pixels and grid land on exactly the same pixels on every
// redraw; the XOR removal of markers and trail pixels depends on that. Standard library only.
#pragma once

#include "platform/Rect.h"

// The double nearest 1/90: pixels per degree of elevation are R times this (a product, never
// R / 90, whose last bit can differ).
inline constexpr double kPerDegreeOfElevation = 0.011111111111111112;
// Degrees to radians with pi taken as 3.14159265359.
inline constexpr double kSkyDegreesToRadians = 0.017453292519944444;
// The window's edge, a sunken frame and a pixel of margin between it and the horizon.
inline constexpr int kSkyPlotMargin = 2;

struct SkyGeometry {
    double dCx = 0;
    double dCy = 0;
    double dRadius = 0;

    // A circle centred in the client rectangle whose diameter is its smaller side less twice
    // the margin; halves stay fractional.
    static SkyGeometry FromClientRect(const CRect& client);

    // Pixels per degree of elevation.
    double Scale() const { return dRadius * kPerDegreeOfElevation; }
    CPoint Centre() const;
    // Elevation 90 is the centre, 0 the horizon; azimuth 0 straight up, 90 to the right.
    CPoint SkyPoint(int nAzimuth, int nElevation) const;
    // The radius of the ring of elevation nElevation and the box the ring is drawn in (right
    // and bottom outside it).
    int RingRadius(int nElevation) const;
    CRect RingBox(int nElevation) const;
    // The end of the spoke of azimuth nAzimuth, on the horizon. Its products are formed in
    // another order than SkyPoint's, so it may differ from SkyPoint(nAzimuth, 0) by a pixel.
    CPoint SpokeEnd(int nAzimuth) const;
};
