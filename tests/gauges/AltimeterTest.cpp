// SPDX-License-Identifier: MIT
// The altimeter read back from its pixels: digits, the three pointers for altitudes across
// their turns and signs, the zero-padded left-aligned readout and the title.
#include "GaugeTestSupport.h"

#include "gauges/AltimeterWnd.h"

#include <gtest/gtest.h>

namespace {

const CRect kRect{0, 0, 400, 400}; // dial centre (200, 200), side 398

QImage Render(CAltimeterWnd& gauge, double dAltitude) {
    gauge.SetUnitName(QStringLiteral("ft"));
    gauge.SetAltitude(dAltitude, false);
    Canvas canvas(kRect.right, kRect.bottom);
    gauge.Draw(&canvas.dc, kRect);
    return canvas.Image();
}

TEST(Altimeter, DrawsNothingBeforeItsFirstLayout) {
    CAltimeterWnd gauge;
    Canvas canvas(100, 100);
    gauge.Draw(&canvas.dc, {0, 0, 100, 100});
    EXPECT_EQ(CountColour(canvas.Image(), Qt::white), 100 * 100);
}

TEST(Altimeter, DigitsZeroToNineEveryThirtySixDegrees) {
    CAltimeterWnd gauge;
    gauge.Layout(kRect);
    // 50 ft: the long hand at 18 degrees, between "0" and "1".
    const QImage image = Render(gauge, 50);
    for (int nDigit = 0; nDigit < 10; ++nDigit)
        EXPECT_TRUE(ShowsTextCentredOn(image, gauge.Objects()->digitFont, QString::number(nDigit),
                                       Colours().text, PolarPoint(gauge.Dial(), 36.0 * nDigit, 63)))
            << nDigit;
}

TEST(Altimeter, HandsTurnPerThousandTenThousandAndHundredThousand) {
    const struct {
        double dAltitude;
        double dLong;   // seen at radius 70, inside the long hand's head only
        double dShort;  // seen at radius 38, where the short hand is some 7 degrees wide
        double dMarker; // seen at radius 80, the disc
    } cases[] = {
        {0, 0, 0, 0},
        {1500, 180, 54, 5.4},
        // The short hand and the disc use 999, the long hand the fraction too.
        {999.9, 359.964, 35.964, 3.5964},
        // Below zero the hands turn counter-clockwise; -12.5 truncates to -12.
        {-12.5, 355.5, 359.568, 359.957},
        // The disc has gone round once: 444.44 degrees in all.
        {123456, 164.16, 124.416, 84.4416},
    };
    CAltimeterWnd gauge;
    gauge.Layout(kRect);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dAltitude);
        const QImage image = Render(gauge, c.dAltitude);
        const auto longAngles = AnglesOfColourAt(image, gauge.Dial(), 70, Colours().highlight);
        ASSERT_EQ(longAngles.size(), 1u);
        EXPECT_TRUE(HasAngleNear(longAngles, c.dLong)) << longAngles[0];
        // The long hand's shaft crosses this circle too and may run into the short hand.
        for (const double dOff : {-2.0, 0.0, 2.0})
            EXPECT_TRUE(HasColourAt(image, gauge.Dial(), c.dShort + dOff, 38, Colours().highlight))
                << c.dShort + dOff;
        const auto markerAngles = AnglesOfColourAt(image, gauge.Dial(), 80, Colours().highlight);
        ASSERT_EQ(markerAngles.size(), 1u);
        EXPECT_TRUE(HasAngleNear(markerAngles, c.dMarker)) << markerAngles[0];
    }
}

TEST(Altimeter, ReadoutIsZeroPaddedAndLeftAligned) {
    CAltimeterWnd gauge;
    gauge.Layout(kRect);
    const CFont& font = gauge.Objects()->readoutFont;
    const CRect below{0, 200, 400, 400};
    std::vector<int> lefts;
    for (const auto& [dAltitude, pszReadout] :
         {std::pair{0.0, "00000.00 ft"}, std::pair{-12.5, "-0012.50 ft"},
          std::pair{123456.0, "123456.00 ft"}}) {
        SCOPED_TRACE(pszReadout);
        const QImage image = Render(gauge, dAltitude);
        const auto at =
            FindText(image, font, QString::fromLatin1(pszReadout), Colours().text, below);
        ASSERT_TRUE(at.has_value());
        lefts.push_back(at->x);
        EXPECT_TRUE(FindText(image, font, QStringLiteral("ALT"), Colours().text, {0, 0, 400, 200}));
    }
    EXPECT_EQ(lefts[1], lefts[0]);
    EXPECT_EQ(lefts[2], lefts[0]);
}

} // namespace
