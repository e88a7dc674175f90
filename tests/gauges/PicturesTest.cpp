// SPDX-License-Identifier: MIT
// Each gauge drawn whole as the kept pictures show it: faces, ticks and labels for several
// scales (labels rounded down), pointers across their turns and signs, held at the ends of
// their scales and pointing up for values that are not numbers, the readouts and titles.
// Before its first layout a gauge that keeps one draws nothing. (Every tick, label and pointer
// stands where the dial's fitting and polar points put it.)
#include "GaugeTestSupport.h"

#include "common/Golden.h"
#include "gauges/AltimeterWnd.h"
#include "gauges/CompassWnd.h"
#include "gauges/SpeedometerWnd.h"
#include "gauges/VerticalSpeedWnd.h"

#include <QtNumeric>

#include <functional>

namespace {

// Neither square nor even: the dial's centre falls on a half pixel and its square truncates.
const CRect kRect{0, 0, 211, 197};

QImage Drawn(const std::function<void(CDrawContext&)>& draw) {
    Canvas canvas(kRect.right, kRect.bottom);
    draw(canvas.dc);
    return canvas.Image();
}

TEST(GaugePictures, SpeedometerAtSpeedsAndFullScales) {
    const struct {
        double dSpeed;
        const char* pszUnit;
        double dFullScale;
    } cases[] = {{12.5, "KT", 150},    {225, "MPH", 150},   {-3.456, "Km/h", 150},
                 {-200, "KT", 150},    {5, "MPH", 25},      {12, "KT", 0},
                 {qQNaN(), "KT", 150}, {qInf(), "KT", 150}, {60, "KT", 4294967295.0}};
    int n = 0;
    for (const auto& c : cases) {
        CSpeedometerWnd gauge;
        gauge.SetFullScale(c.dFullScale);
        gauge.SetSpeed(c.dSpeed, QString::fromLatin1(c.pszUnit));
        const QImage image = Drawn([&](CDrawContext& dc) { gauge.Draw(dc, kRect); });
        EXPECT_TRUE(MatchesPicture(image, QStringLiteral("speedometer-%1").arg(++n)));
    }
}

TEST(GaugePictures, AltimeterAtAltitudes) {
    CAltimeterWnd gauge;
    gauge.SetUnitName(QStringLiteral("ft"));
    EXPECT_EQ(Drawn([&](CDrawContext& dc) { gauge.Draw(dc, kRect); }), Canvas(kRect.right, kRect.bottom).Image());
    gauge.Layout(kRect);
    int n = 0;
    for (const double dAltitude : {0.0, 1500.0, 999.9, -12.5, 123456.0, qQNaN()}) {
        gauge.SetAltitude(dAltitude);
        const QImage image = Drawn([&](CDrawContext& dc) { gauge.Draw(dc, kRect); });
        EXPECT_TRUE(MatchesPicture(image, QStringLiteral("altimeter-%1").arg(++n)));
    }
}

TEST(GaugePictures, CompassAtCoursesBearingsAndWaypoints) {
    const struct {
        int nCourse, nBearing;
        const char* pszWaypoint;
    } cases[] = {{0, 45, "004"}, {90, 90, ""}, {359, 10, "WAYPT8"}, {10, 350, "W"}};
    CCompassWnd gauge;
    gauge.SetDistanceUnitName(QStringLiteral("nmi"));
    EXPECT_EQ(Drawn([&](CDrawContext& dc) { gauge.Draw(dc, kRect); }), Canvas(kRect.right, kRect.bottom).Image());
    gauge.Layout(kRect);
    int n = 0;
    for (const auto& c : cases) {
        gauge.SetData(c.nCourse, c.nBearing, QString::fromLatin1(c.pszWaypoint), 3.04);
        const QImage image = Drawn([&](CDrawContext& dc) { gauge.Draw(dc, kRect); });
        EXPECT_TRUE(MatchesPicture(image, QStringLiteral("compass-%1").arg(++n)));
    }
}

TEST(GaugePictures, VerticalSpeedAtScalesAndValues) {
    const struct {
        double dScale, dValue;
        const char* pszUnit;
    } cases[] = {{2000, 1000, "ft per min"}, {2000, 5000, "ft per min"}, {5, 2.5, "m per sec"},
                 {2, -7, "m per sec"},       {0, 3, "m per sec"},        {5, qQNaN(), "m per sec"}};
    CVerticalSpeedWnd gauge;
    EXPECT_EQ(Drawn([&](CDrawContext& dc) { gauge.Draw(dc, kRect); }), Canvas(kRect.right, kRect.bottom).Image());
    gauge.Layout(kRect);
    int n = 0;
    for (const auto& c : cases) {
        gauge.SetScale(c.dScale);
        gauge.SetValue(c.dValue);
        gauge.SetUnitName(QString::fromLatin1(c.pszUnit));
        const QImage image = Drawn([&](CDrawContext& dc) { gauge.Draw(dc, kRect); });
        EXPECT_TRUE(MatchesPicture(image, QStringLiteral("vertical-speed-%1").arg(++n)));
    }
}

} // namespace
