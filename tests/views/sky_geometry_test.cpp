// SPDX-License-Identifier: MIT
// The plot's layout and the pixel of a sky position: the fixed truncation and operand order
// decide on which pixel every ring, spoke, marker and trail point lands.
#include "views/SkyGeometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const SkyGeometry k240x200 = SkyGeometry::FromClientRect({0, 0, 240, 200});

TEST(SkyGeometry, LaysTheDiscOutInTheWindowLessTheFrame) {
    EXPECT_EQ(k240x200.dCx, 120.0);
    EXPECT_EQ(k240x200.dCy, 100.0);
    EXPECT_EQ(k240x200.dRadius, 98.0);

    // Odd sizes keep their halves; the smaller side sets the radius.
    const SkyGeometry odd = SkyGeometry::FromClientRect({10, 20, 10 + 201, 20 + 305});
    EXPECT_EQ(odd.dCx, 12 + 197 / 2.0);
    EXPECT_EQ(odd.dCy, 22 + 301 / 2.0);
    EXPECT_EQ(odd.dRadius, 98.5);
}

TEST(SkyGeometry, RingsEveryFifteenDegreesHaveTheTruncatedRadii) {
    // 45 x k comes out a hair above 49, so the 45-degree ring is 48, not 49.
    const int expected[] = {98, 81, 65, 48, 32, 16};
    for (int i = 0; i < 6; ++i) {
        const int e = 15 * i;
        SCOPED_TRACE(e);
        EXPECT_EQ(k240x200.RingRadius(e), expected[i]);
        const int r = expected[i];
        EXPECT_EQ(k240x200.RingBox(e), (CRect{120 - r, 100 - r, 120 + r, 100 + r}));
    }
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

TEST(SkyGeometry, SpokesEndOnTheHorizon) {
    const CPoint expected[] = {{120, 2},   {169, 16}, {204, 52}, {218, 100}, {204, 149}, {168, 184},
                               {120, 198}, {71, 184}, {36, 148}, {22, 100},  {36, 51},   {72, 16}};
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(30 * i);
        EXPECT_EQ(k240x200.SpokeEnd(30 * i), expected[i]);
    }
}

TEST(SkyGeometry, AbsurdElevationsSaturateInsteadOfOverflowing) {
    const CPoint far = k240x200.SkyPoint(180, INT_MIN);
    EXPECT_EQ(far.x, 120);
    EXPECT_EQ(far.y, INT_MAX);
}

} // namespace
