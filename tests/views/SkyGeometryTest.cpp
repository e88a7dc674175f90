// SPDX-License-Identifier: MIT
// The plot's layout and the pixel of a sky position: the fixed truncation and operand order
// decide on which pixel every ring, spoke, marker and trail point lands (the sky plot's kept
// pictures show them all).
#include "views/SkyGeometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const SkyGeometry k240x200 = SkyGeometry::FromClientRect({0, 0, 240, 200});

TEST(SkyGeometry, LaysTheDiscOutInTheWindowLessTheFrame) {
    EXPECT_EQ(k240x200.dCx, 120.0);
    EXPECT_EQ(k240x200.dCy, 100.0);
    EXPECT_EQ(k240x200.dRadius, 98.0);
    // 45 x k comes out a hair above 49, so the 45-degree ring is 48, not 49.
    EXPECT_EQ(k240x200.RingRadius(45), 48);
    EXPECT_EQ(k240x200.RingBox(45), (CRect{72, 52, 168, 148}));

    // Odd sizes keep their halves; the smaller side sets the radius.
    const SkyGeometry odd = SkyGeometry::FromClientRect({10, 20, 10 + 201, 20 + 305});
    EXPECT_EQ(odd.dCx, 12 + 197 / 2.0);
    EXPECT_EQ(odd.dCy, 22 + 301 / 2.0);
    EXPECT_EQ(odd.dRadius, 98.5);
}

TEST(SkyGeometry, SkyPointPutsTheZenithInTheCentreAndNorthUp) {
    struct Case {
        int nAzimuth, nElevation;
        CPoint expected;
    } const cases[] = {
        {0, 90, {120, 100}},  {123, 90, {120, 100}}, {0, 0, {120, 2}},   {90, 0, {218, 100}},
        {180, 0, {120, 198}}, {270, 0, {22, 100}},   {0, 15, {120, 19}}, {90, 15, {201, 100}},
        {45, 0, {189, 31}},   {45, 15, {177, 43}},   {360, 0, {120, 2}}, {30, 0, {169, 16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nAzimuth << "/" << c.nElevation);
        const CPoint pt = k240x200.SkyPoint(c.nAzimuth, c.nElevation);
        EXPECT_EQ(pt.x, c.expected.x);
        EXPECT_EQ(pt.y, c.expected.y);
    }
}

TEST(SkyGeometry, AbsurdElevationsSaturateInsteadOfOverflowing) {
    const CPoint far = k240x200.SkyPoint(180, INT_MIN);
    EXPECT_EQ(far.x, 120);
    EXPECT_EQ(far.y, INT_MAX);
}

} // namespace
