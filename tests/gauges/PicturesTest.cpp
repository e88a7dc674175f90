// SPDX-License-Identifier: MIT
// Each gauge drawn whole as the kept pictures show it: faces, ticks and labels for several
// scales (labels rounded down), pointers across their turns and signs, held at the ends of
// their scales and pointing up for values that are not numbers, the readouts and titles.
// Before its first layout a gauge that keeps one draws nothing. Every gauge draws on a context
// holding another drawing's pen, brush, font and colours and hands it back as it found it,
// except for the background mode: the compass writes on whatever mode the context has, the
// others switch it to transparent. (Every tick, label and pointer stands where the dial's
// fitting and polar points put it.)
#include "GaugeTestSupport.h"

#include "common/Golden.h"
#include "gauges/AltimeterWnd.h"
#include "gauges/CompassWnd.h"
#include "gauges/SpeedometerWnd.h"
#include "gauges/VerticalSpeedWnd.h"

#include <QtNumeric>

#include <tuple>

namespace {

// Neither square nor even: the dial's centre falls on a half pixel and its square truncates.
const CRect kRect{0, 0, 211, 197};

const QImage& Blank() {
    static const Canvas blank(kRect.right, kRect.bottom);
    return blank.Image();
}

// The gauge drawn on a context in background mode nMode, which it leaves in nModeAfter.
template <typename Gauge>
QImage Drawn(Gauge& gauge, int nMode = OPAQUE, int nModeAfter = TRANSPARENT) {
    Canvas canvas(kRect.right, kRect.bottom);
    CDrawContext& dc = canvas.dc;
    const CPen pen(PS_SOLID, 3, Qt::red);
    const CBrush brush(Qt::green);
    const CFont font = GaugeFont(123);
    dc.SelectPen(pen), dc.SelectBrush(brush), dc.SelectFont(font);
    dc.SetTextColor(Qt::magenta), dc.SetBkColor(Qt::cyan), dc.SetBkMode(nMode);
    gauge.Draw(dc, kRect);
    EXPECT_TRUE(dc.GetPen() == pen && dc.GetBrush() == brush &&
                dc.GetFont().GetLogFont() == font.GetLogFont());
    EXPECT_TRUE(dc.GetTextColor() == Qt::magenta && dc.GetBkColor() == Qt::cyan);
    EXPECT_EQ(dc.GetBkMode(), nModeAfter);
    return canvas.Image();
}

TEST(GaugePictures, SpeedometerAtSpeedsAndFullScales) {
    using Case = std::tuple<double, const char*, double>;
    int n = 0;
    for (const auto& [dSpeed, pszUnit, dFullScale] :
         {Case{12.5, "KT", 150}, Case{225, "MPH", 150}, Case{-3.456, "Km/h", 150},
          Case{-200, "KT", 150}, Case{5, "MPH", 25}, Case{12, "KT", 0}, Case{qQNaN(), "KT", 150},
          Case{qInf(), "KT", 150}, Case{60, "KT", 4294967295.0}}) {
        CSpeedometerWnd gauge;
        gauge.SetFullScale(dFullScale);
        gauge.SetSpeed(dSpeed, QString::fromLatin1(pszUnit));
        EXPECT_TRUE(MatchesPicture(Drawn(gauge), QStringLiteral("speedometer-%1").arg(++n)));
    }
}

TEST(GaugePictures, AltimeterAtAltitudes) {
    CAltimeterWnd gauge;
    gauge.SetUnitName(QStringLiteral("ft"));
    EXPECT_EQ(Drawn(gauge, OPAQUE, OPAQUE), Blank());
    gauge.Layout(kRect);
    int n = 0;
    for (const double dAltitude : {0.0, 1500.0, 999.9, -12.5, 123456.0, qQNaN()}) {
        gauge.SetAltitude(dAltitude);
        EXPECT_TRUE(MatchesPicture(Drawn(gauge), QStringLiteral("altimeter-%1").arg(++n)));
    }
}

TEST(GaugePictures, CompassAtCoursesBearingsAndWaypointsInEitherMode) {
    using Case = std::tuple<int, int, const char*, int>;
    CCompassWnd gauge;
    gauge.SetDistanceUnitName(QStringLiteral("nmi"));
    EXPECT_EQ(Drawn(gauge, OPAQUE, OPAQUE), Blank());
    gauge.Layout(kRect);
    int n = 0;
    for (const auto& [nCourse, nBearing, pszWaypoint, nMode] :
         {Case{0, 45, "004", OPAQUE}, Case{90, 90, "", TRANSPARENT},
          Case{359, 10, "WAYPT8", OPAQUE}, Case{10, 350, "W", TRANSPARENT}}) {
        gauge.SetData(nCourse, nBearing, QString::fromLatin1(pszWaypoint), 3.04);
        EXPECT_TRUE(
            MatchesPicture(Drawn(gauge, nMode, nMode), QStringLiteral("compass-%1").arg(++n)));
    }
}

TEST(GaugePictures, VerticalSpeedAtScalesAndValues) {
    using Case = std::tuple<double, double, const char*>;
    CVerticalSpeedWnd gauge;
    EXPECT_EQ(Drawn(gauge, OPAQUE, OPAQUE), Blank());
    gauge.Layout(kRect);
    int n = 0;
    for (const auto& [dScale, dValue, pszUnit] :
         {Case{2000, 1000, "ft per min"}, Case{2000, 5000, "ft per min"}, Case{5, 2.5, "m per sec"},
          Case{2, -7, "m per sec"}, Case{0, 3, "m per sec"}, Case{5, qQNaN(), "m per sec"}}) {
        gauge.SetScale(dScale);
        gauge.SetValue(dValue);
        gauge.SetUnitName(QString::fromLatin1(pszUnit));
        EXPECT_TRUE(MatchesPicture(Drawn(gauge), QStringLiteral("vertical-speed-%1").arg(++n)));
    }
}

} // namespace
