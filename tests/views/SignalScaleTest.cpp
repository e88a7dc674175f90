// SPDX-License-Identifier: MIT
// The relative scale of the signal bars: widened by every non-zero SNR, narrowed only by a
// reset, clamped, and defined when only one SNR has been seen.
#include "views/SignalScale.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

CSnrRange RangeOf(std::initializer_list<int> snrs) {
    CSnrRange range;
    for (const int n : snrs)
        range.Widen(n);
    return range;
}

TEST(SnrRange, FillsBarsInProportionBetweenTheSmallestAndLargestSnr) {
    struct Case {
        const char* legend;
        std::initializer_list<int> seen;
        int nBarHeight;
        int nSnr;
        int nExpected;
    } const cases[] = {
        {"at the maximum: full", {30, 40, 45}, 100, 45, 100},
        {"at the minimum: empty", {30, 40, 45}, 100, 30, 0},
        {"two thirds, truncated", {30, 40, 45}, 100, 40, 66},
        {"no signal: empty", {30, 40, 45}, 100, 0, 0},
        {"above the range: clamped to full", {30, 45}, 60, 50, 60},
        {"nothing seen: empty", {}, 60, 35, 0},
        {"nothing seen, no signal: empty", {}, 60, 0, 0},
        {"one SNR seen: full", {38}, 60, 38, 60},
        {"one SNR seen, no signal: empty", {38, 0}, 60, 0, 0},
        // Height over span first, then times the SNR's place: 45 / 33 x 11 is a hair below 15.
        {"the fixed operand order", {20, 53}, 45, 31, 14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.legend);
        EXPECT_EQ(RangeOf(c.seen).FilledHeight(c.nBarHeight, c.nSnr), c.nExpected);
    }
}

} // namespace
