// SPDX-License-Identifier: MIT
// Dial fitting, directions, polar points and the sizing rules every gauge shares.
#include "gauges/GaugeDrawing.h"
#include "gauges/GaugeGeometry.h"
#include "platform/SystemMetrics.h"

#include <gtest/gtest.h>

namespace {

struct FitCase {
    const char* pszLegend;
    CRect rect;
    CRect square;
    double dCentreX;
    double dCentreY;
    double dRadius;
};

TEST(FitDial, TakesTheLargestSquareOneClearOfTheEdges) {
    const FitCase cases[] = {
        {"wide", {0, 0, 200, 100}, {51, 1, 149, 99}, 100.0, 50.0, 49.0},
        {"tall", {0, 0, 100, 200}, {1, 51, 99, 149}, 50.0, 100.0, 49.0},
        {"wide, offset", {30, 40, 230, 140}, {81, 41, 179, 139}, 130.0, 90.0, 49.0},
        {"tall, offset", {10, 20, 110, 220}, {11, 71, 109, 169}, 60.0, 120.0, 49.0},
        // Odd sizes put the centre on a half pixel; the square's edges truncate.
        {"quarter of 241 x 200", {121, 0, 241, 100}, {132, 1, 230, 99}, 181.0, 50.0, 49.0},
        {"120 x 125", {0, 0, 120, 125}, {1, 3, 119, 121}, 60.0, 62.5, 59.0},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.pszLegend);
        const DialGeometry dial = FitDial(c.rect);
        EXPECT_EQ(dial.square, c.square);
        EXPECT_DOUBLE_EQ(dial.dCentreX, c.dCentreX);
        EXPECT_DOUBLE_EQ(dial.dCentreY, c.dCentreY);
        EXPECT_DOUBLE_EQ(dial.dRadius, c.dRadius);
    }
    EXPECT_EQ(FitDial({0, 0, 200, 100}).Side(), 98);
    EXPECT_EQ(FitDial({0, 0, 120, 125}).Side(), 118);
}

TEST(PolarPoint, CountsNinetyUnitsToTheEdgeAndTruncatesTowardZero) {
    const DialGeometry dial = FitDial({0, 0, 200, 100}); // centre (100, 50), radius 49
    // The unit is a hair above 49 / 90 and pi has eleven decimals, so the edge points land
    // just short of whole pixels and truncate: the top is row 0, not 1, the right 149.
    const struct {
        double dAngle;
        double dRadius;
        CPoint expected;
    } cases[] = {{0, 90, {100, 0}},   {90, 90, {149, 50}}, {180, 90, {99, 99}},
                 {270, 90, {50, 49}}, {90, 45, {124, 50}}, {270, 45, {75, 49}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dAngle);
        EXPECT_EQ(PolarPoint(dial, c.dAngle, c.dRadius), c.expected);
    }
    // Left of x = 0 truncation goes toward zero, not down.
    DialGeometry offEdge = dial;
    offEdge.dCentreX = 0.0;
    EXPECT_EQ(PolarPoint(offEdge, 270, 45).x, -24);
    EXPECT_EQ(DialCentre(FitDial({0, 0, 120, 125})), (CPoint{60, 62}));
}

} // namespace
