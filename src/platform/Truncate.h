// SPDX-License-Identifier: MIT
// Every conversion of a drawing coordinate from double to integer truncates toward zero; the
// pixel positions of dials and plots depend on it. A plain cast is undefined for NaN and for
// values out of range, so these saturate instead (NaN gives 0), as the handheld's own
// conversion instruction does. Never use rounding helpers (qRound, QPointF::toPoint) for this.
#pragma once

#include <cstdint>
#include <limits>

constexpr int TruncToInt(double d) {
    if (!(d == d))
        return 0;
    if (d <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (d >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(d);
}

constexpr std::uint32_t TruncToUInt32(double d) {
    if (!(d > 0.0))
        return 0;
    if (d >= 4294967295.0)
        return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(d);
}
