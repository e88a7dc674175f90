// SPDX-License-Identifier: MIT
// The vertical-speed indicator read back from its pixels: labels on both arcs for the feet
// and metre scales, the needle from 9 o'clock, clamping to the scale, and its texts.
#include "GaugeTestSupport.h"

#include "gauges/VerticalSpeedWnd.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const CRect kRect{0, 0, 400, 400}; // dial centre (200, 200), side 398

QImage Render(CVerticalSpeedWnd& gauge) {
    Canvas canvas(kRect.right, kRect.bottom);
    gauge.Draw(&canvas.dc, kRect);
    return canvas.Image();
}

TEST(VerticalSpeed, LabelsBothArcsFromZeroAtNineOClock) {
    const struct {
        const char* pszLegend;
        double dScale;
        std::vector<QString> labels; // at 0, 37.5, 75, 112.5 and 150 degrees from zero
    } cases[] = {
        {"feet: hundreds of feet per minute", 2000, {"0", "5", "10", "15", "20"}},
        // 2.5 is halfway; this formatting rounds it away from zero.
        {"metres per second", 5, {"0", "1", "3", "4", "5"}},
        {"a small scale other than 5", 2, {"0", "1", "1", "2", "2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLegend);
        CVerticalSpeedWnd gauge;
        gauge.Layout(kRect);
        gauge.SetScale(c.dScale, false);
        gauge.SetValue(0, false);
        const QImage image = Render(gauge);
        for (std::size_t k = 0; k < c.labels.size(); ++k)
            for (const double dSign : {1.0, -1.0}) {
                const double dAngle = 270 + dSign * 37.5 * static_cast<double>(k);
                EXPECT_TRUE(ShowsTextCentredOn(image, gauge.Objects()->labelFont, c.labels[k],
                                               Colours().text,
                                               PolarPoint(gauge.Dial(), dAngle, 63)))
                    << c.labels[k].toStdString() << " at " << dAngle;
            }
    }
}

TEST(VerticalSpeed, NeedleSwingsFromZeroAndStopsAtTheScale) {
    const struct {
        const char* pszLegend;
        double dScale;
        double dValue;
        double dAngle;
        double dKeptValue;
    } cases[] = {
        {"level flight points left", 2000, 0, 270, 0},
        {"climbing 1000 ft/min", 2000, 1000, 345, 1000},
        {"full climb", 2000, 2000, 60, 2000},
        {"full descent", 2000, -2000, 120, -2000},
        {"beyond the scale is clamped", 2000, 5000, 60, 2000},
        {"and below it too", 2000, -7000, 120, -2000},
        {"metres: 2.5 m/s", 5, 2.5, 345, 2.5},
        {"scale 0 points up and keeps the value", 0, 3, 0, 3},
        {"not a number points up", 2000, std::nan(""), 0, std::nan("")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLegend);
        CVerticalSpeedWnd gauge;
        gauge.Layout(kRect);
        gauge.SetScale(c.dScale, false);
        gauge.SetValue(c.dValue, false);
        const QImage image = Render(gauge);
        for (const double dRadius : {30.0, 57.0}) {
            const auto angles = AnglesOfColourAt(image, gauge.Dial(), dRadius, Colours().highlight);
            ASSERT_EQ(angles.size(), 1u) << dRadius;
            EXPECT_TRUE(HasAngleNear(angles, c.dAngle)) << angles[0];
        }
        if (std::isnan(c.dKeptValue))
            EXPECT_TRUE(std::isnan(gauge.Value()));
        else
            EXPECT_EQ(gauge.Value(), c.dKeptValue);
    }
}

TEST(VerticalSpeed, WritesTitleUnitAndDirections) {
    CVerticalSpeedWnd gauge;
    gauge.Layout(kRect);
    gauge.SetUnitName(QStringLiteral("m per sec"));
    gauge.SetValue(1000, false); // needle up and to the left, clear of the texts
    const QImage image = Render(gauge);
    const CFont& font = gauge.Objects()->textFont;
    EXPECT_TRUE(
        FindText(image, font, QStringLiteral("VERTICAL SPEED"), Colours().text, {0, 0, 400, 200}));
    // The unit name starts right of the centre, on its line.
    const auto unit =
        FindText(image, font, QStringLiteral("m per sec"), Colours().text, {200, 150, 400, 250});
    ASSERT_TRUE(unit.has_value());
    EXPECT_GT(unit->x, 200);
    // "Up" above the zero mark and "Dn" below it, both on the left half.
    const auto up = FindText(image, font, QStringLiteral("Up"), Colours().text, {0, 0, 200, 200});
    const auto down =
        FindText(image, font, QStringLiteral("Dn"), Colours().text, {0, 200, 200, 400});
    ASSERT_TRUE(up && down);
    EXPECT_NEAR(up->x, down->x, 1); // mirror images about the zero mark
}

} // namespace
