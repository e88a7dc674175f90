// SPDX-License-Identifier: MIT
// The compass read back from its pixels: the card turned course-up, the bearing arrow
// relative to the course, the waypoint and range lines.
#include "GaugeTestSupport.h"

#include "gauges/CompassWnd.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

const CRect kRect{0, 0, 400, 400}; // dial centre (200, 200), side 398

QImage Render(const CCompassWnd& gauge) {
    Canvas canvas(kRect.right, kRect.bottom);
    gauge.Draw(&canvas.dc, kRect);
    return canvas.Image();
}

CCompassWnd LaidOut() {
    CCompassWnd gauge;
    gauge.Layout(kRect);
    return gauge;
}

TEST(Compass, CardTurnsSoTheCourseIsAtTheTop) {
    const struct {
        int nCourse;
        std::vector<std::pair<QString, double>> marks; // text and its screen angle
    } cases[] = {
        {0, {{"N", 0}, {"E", 90}, {"S", 180}, {"W", 270}, {"30", 30}, {"60", 60}, {"330", 330}}},
        // Turned a quarter counter-clockwise.
        {90, {{"E", 0}, {"N", 270}, {"S", 90}, {"W", 180}, {"120", 30}}},
        // 359.9 reaches the card as 359: north one degree right of the top.
        {359, {{"N", 1}, {"E", 91}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nCourse);
        CCompassWnd gauge = LaidOut();
        gauge.SetData(c.nCourse, c.nCourse + 180, QString(), 0.0, false); // arrow down
        const QImage image = Render(gauge);
        for (const auto& [strText, dAngle] : c.marks) {
            // The lubber line runs through the mark at the top.
            const double dMaxStray = dAngle < 5 ? 1.0 : 0.2;
            EXPECT_TRUE(ShowsTextCentredOn(image, gauge.Objects()->cardFont, strText,
                                           Colours().text, PolarPoint(gauge.Dial(), dAngle, 70),
                                           dMaxStray))
                << strText.toStdString() << " at " << dAngle;
        }
        // Marks without text at 10 and 20 degrees past north.
        const CPoint blank = PolarPoint(gauge.Dial(), 10 - c.nCourse + 360, 70);
        EXPECT_EQ(CountColour(image, Colours().text,
                              {blank.x - 3, blank.y - 3, blank.x + 4, blank.y + 4}),
                  0);
    }
}

TEST(Compass, ArrowPointsAtTheBearingRelativeToTheCourseUnderAFixedLubberLine) {
    const struct {
        int nCourse;
        int nBearing;
        double dAngle;
    } cases[] = {{0, 45, 45}, {350, 10, 20}, {10, 350, 340}, {90, 90, 0}, {180, 0, 180}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nCourse << " -> " << c.nBearing);
        CCompassWnd gauge = LaidOut();
        gauge.SetData(c.nCourse, c.nBearing, QString(), 0.0, false);
        // Between the head's base at 40 units and its tip at 55, and along the shaft.
        for (const double dRadius : {30.0, 47.0}) {
            const auto angles =
                AnglesOfColourAt(Render(gauge), gauge.Dial(), dRadius, Colours().highlight);
            ASSERT_EQ(angles.size(), 1u);
            EXPECT_TRUE(HasAngleNear(angles, c.dAngle)) << angles[0];
        }
    }
}

TEST(Compass, WritesWaypointAndRangeUnderTheCentre) {
    CCompassWnd gauge = LaidOut();
    gauge.SetDistanceUnitName(QStringLiteral("nmi"));
    EXPECT_EQ(gauge.SetData(45, 45, QStringLiteral("004"), 3.04, false), 0);
    const QImage image = Render(gauge);
    const CFont& font = gauge.Objects()->cardFont;
    const int nHeight = QFontMetrics(font.QtFont()).height();
    const auto waypoint =
        FindText(image, font, QStringLiteral("004"), Colours().text, {0, 200, 400, 400});
    const auto range =
        FindText(image, font, QStringLiteral("3.0 nmi"), Colours().text, {0, 200, 400, 400});
    ASSERT_TRUE(waypoint && range);
    EXPECT_EQ(range->y - waypoint->y, nHeight); // one line under the other

    // No waypoint: its line stays empty (the arrow points up, away from it).
    EXPECT_EQ(gauge.SetData(0, 0, QString(), 3.04, false), 45);
    const QImage empty = Render(gauge);
    EXPECT_EQ(CountColour(empty, Colours().text, {100, waypoint->y, 300, waypoint->y + nHeight}),
              0);
    EXPECT_TRUE(
        FindText(empty, font, QStringLiteral("3.0 nmi"), Colours().text, {0, 200, 400, 400}));
}

} // namespace
