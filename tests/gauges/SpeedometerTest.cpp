// SPDX-License-Identifier: MIT
// The speedometer read back from its pixels: labels for several full scales, the needle's
// angle (held at the full scale), the centred readout and the title, and what a full scale of 0
// does.
#include "GaugeTestSupport.h"

#include "gauges/SpeedometerWnd.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

namespace {

const CRect kRect{0, 0, 400, 400}; // dial centre (200, 200), side 398

QImage Render(const CSpeedometerWnd& gauge, const CRect& rect = kRect) {
    Canvas canvas(rect.right, rect.bottom);
    gauge.Draw(&canvas.dc, rect);
    return canvas.Image();
}

TEST(Speedometer, LabelsTenthsOfTheFullScaleRoundedDown) {
    const struct {
        double dFullScale;
        std::vector<QString> labels; // at 0, 36, 72 ... 324 degrees
    } cases[] = {
        {150, {"0", "15", "30", "45", "60", "75", "90", "105", "120", "135"}},
        {10, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {20, {"0", "2", "4", "6", "8", "10", "12", "14", "16", "18"}},
        {500, {"0", "50", "100", "150", "200", "250", "300", "350", "400", "450"}},
        // Not a multiple of ten: 25 x i / 50 rounded down.
        {25, {"0", "2", "5", "7", "10", "12", "15", "17", "20", "22"}},
    };
    const DialGeometry dial = FitDial(kRect);
    const CFont labelFont = CSpeedometerWnd::ObjectsForSide(dial.Side(), Colours()).labelFont;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dFullScale);
        CSpeedometerWnd gauge;
        gauge.SetFullScale(c.dFullScale);
        // The needle between two labels, clear of both.
        gauge.SetSpeed(c.dFullScale / 20, QStringLiteral("MPH"), false);
        const QImage image = Render(gauge);
        for (std::size_t k = 0; k < c.labels.size(); ++k)
            EXPECT_TRUE(ShowsTextCentredOn(image, labelFont, c.labels[k], Colours().text,
                                           PolarPoint(dial, 36.0 * static_cast<double>(k), 63)))
                << c.labels[k].toStdString() << " at " << 36 * k << " degrees";
    }
}

TEST(Speedometer, NeedleTurnsOnceRoundPerFullScale) {
    const struct {
        const char* pszLegend;
        double dSpeed;
        double dFullScale;
        double dAngle;
    } cases[] = {
        {"half scale points down", 75, 150, 180},
        {"quarter scale points right", 37.5, 150, 90},
        {"standing still points up", 0, 150, 0},
        {"full scale points up again", 150, 150, 0},
        {"beyond the full scale stays on it", 225, 150, 0},
        {"far beyond a small full scale stays on it", 45, 7, 0},
        {"reversing turns counter-clockwise", -37.5, 150, 270},
        {"reversing beyond the full scale stops on it", -200, 150, 0},
        {"full scale 0 points up", 12, 0, 0},
        {"speed not a number points up", std::nan(""), 150, 0},
        {"infinite speed points up", std::numeric_limits<double>::infinity(), 150, 0},
        {"a stored negative read back as unsigned", 60, 4294967295.0, 0},
    };
    const DialGeometry dial = FitDial(kRect);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLegend);
        CSpeedometerWnd gauge;
        gauge.SetFullScale(c.dFullScale);
        gauge.SetSpeed(c.dSpeed, QStringLiteral("KT"), false);
        const QImage image = Render(gauge);
        // The needle's head reaches from 50 to 65 units, its shaft from the centre to 40.
        for (const double dRadius : {30.0, 57.0}) {
            const auto angles = AnglesOfColourAt(image, dial, dRadius, Colours().highlight);
            ASSERT_EQ(angles.size(), 1u) << "radius " << dRadius;
            EXPECT_TRUE(HasAngleNear(angles, c.dAngle)) << angles[0];
        }
        EXPECT_TRUE(AnglesOfColourAt(image, dial, 70, Colours().highlight).empty());
    }
}

TEST(Speedometer, ReadoutIsCentredUnderTheHubAndTheTitleAbove) {
    const DialGeometry dial = FitDial(kRect);
    const CFont readoutFont = CSpeedometerWnd::ObjectsForSide(dial.Side(), Colours()).readoutFont;
    const CRect below{0, 200, 400, 400};
    const CRect above{0, 0, 400, 200};
    for (const auto& [dSpeed, strUnit, strReadout] :
         {std::tuple{12.5, "KT", "12.50 KT"}, std::tuple{0.0, "MPH", "0.00 MPH"},
          std::tuple{-3.456, "Km/h", "-3.46 Km/h"}}) {
        SCOPED_TRACE(strReadout);
        CSpeedometerWnd gauge;
        gauge.SetSpeed(dSpeed, QString::fromLatin1(strUnit), false);
        gauge.SetFullScale(150);
        const QImage image = Render(gauge);
        const auto at =
            FindText(image, readoutFont, QString::fromLatin1(strReadout), Colours().text, below);
        ASSERT_TRUE(at.has_value());
        const int nWidth = QFontMetrics(readoutFont.QtFont()).horizontalAdvance(strReadout);
        EXPECT_NEAR(at->x + nWidth / 2, 200, 1);
        EXPECT_TRUE(FindText(image, readoutFont, QStringLiteral("SPEED"), Colours().text, above));
    }
}

TEST(Speedometer, RedrawsIntoItsOwnWindowOnlyWhenAskedTo) {
    CSurfaceWnd window;
    window.resize(200, 200);
    window.UpdateSurface();
    CSpeedometerWnd gauge;
    gauge.SetSpeed(10, QStringLiteral("KT"), true); // no window yet: nothing to draw on
    gauge.SetWindow(&window);
    gauge.SetSpeed(20, QStringLiteral("KT"), false);
    EXPECT_EQ(CountColour(window.Surface(), Colours().highlight), 0);
    gauge.SetSpeed(30, QStringLiteral("KT"), true);
    // The whole gauge, as it draws itself into the window's client area.
    Canvas expected(200, 200);
    expected.dc.FillSolidRect({0, 0, 200, 200}, window.Surface().pixelColor(0, 0));
    gauge.Draw(&expected.dc, {0, 0, 200, 200});
    EXPECT_EQ(window.Surface(), expected.Image().convertToFormat(window.Surface().format()));
}

} // namespace
