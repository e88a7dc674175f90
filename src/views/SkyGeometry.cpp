// SPDX-License-Identifier: MIT
// The sky plot's pixel arithmetic, in the fixed operand order its redraws depend on.
#include "views/SkyGeometry.h"

#include "platform/Truncate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Sums of a truncated centre and a truncated offset; clamped so that positions far off the
// plot (absurd elevations handed in by a caller) cannot overflow.
int AddPixels(int nBase, int nOffset) {
    const int64_t nSum = int64_t{nBase} + nOffset;
    return static_cast<int>(std::clamp<int64_t>(nSum, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

} // namespace

SkyGeometry SkyGeometry::FromClientRect(const CRect& client) {
    CRect plot = client;
    plot.Deflate(kSkyPlotMargin, kSkyPlotMargin);
    const int w = plot.Width();
    const int h = plot.Height();
    SkyGeometry geometry;
    geometry.dCx = plot.left + w / 2.0;
    geometry.dCy = plot.top + h / 2.0;
    geometry.dRadius = std::min(w, h) / 2.0;
    return geometry;
}

CPoint SkyGeometry::Centre() const {
    return {TruncToInt(dCx), TruncToInt(dCy)};
}

CPoint SkyGeometry::SkyPoint(int nAzimuth, int nElevation) const {
    const double k = Scale();
    const double a = nAzimuth * kSkyDegreesToRadians;
    // In double, so that no elevation a caller hands in can overflow.
    const double dFromZenith = 90.0 - nElevation;
    return {AddPixels(TruncToInt(dCx), TruncToInt((dFromZenith * k) * std::sin(a))),
            AddPixels(TruncToInt(dCy), TruncToInt(((-std::cos(a)) * dFromZenith) * k))};
}

int SkyGeometry::RingRadius(int nElevation) const {
    return TruncToInt(dRadius - nElevation * Scale());
}

CRect SkyGeometry::RingBox(int nElevation) const {
    const int r = RingRadius(nElevation);
    return {TruncToInt(dCx - r), TruncToInt(dCy - r), TruncToInt(dCx + r), TruncToInt(dCy + r)};
}

CPoint SkyGeometry::SpokeEnd(int nAzimuth) const {
    const double k = Scale();
    const double a = nAzimuth * kSkyDegreesToRadians;
    return {TruncToInt(dCx) - TruncToInt((k * std::sin(a)) * (-90)),
            TruncToInt(dCy) - TruncToInt(((-std::cos(a)) * k) * (-90))};
}
