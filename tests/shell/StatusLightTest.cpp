// SPDX-License-Identifier: MIT
// The activity light: the strip it comes from, and the light laid over the pane with the
// magenta around it left transparent.
#include "shell/StatusLight.h"
#include "resources/QtResources.h"
#include "resources/resource.h"

#include "platform/SystemMetrics.h"

#include <gtest/gtest.h>

namespace {

TEST(LedStrip, HoldsTheLargeRoundLightsWhereTheFrameLooksForThem) {
    const QImage strip = LoadBitmapResource(IDB_LEDS);
    ASSERT_EQ(strip.size(), QSize(48, 192));
    struct Light {
        int x, y;
        QRgb fill;
    } const lights[] = {{0, 128, qRgb(255, 0, 0)},   {16, 128, qRgb(128, 0, 0)},
                        {0, 144, qRgb(0, 255, 0)},   {16, 144, qRgb(0, 128, 0)},
                        {0, 176, qRgb(0, 0, 255)},   {16, 176, qRgb(0, 0, 128)},
                        {0, 160, qRgb(255, 255, 0)}, {0, 0, qRgb(255, 0, 0)}};
    for (const Light& light : lights) {
        EXPECT_EQ(strip.pixel(light.x + 7, light.y + 7), light.fill) << light.x << "," << light.y;
        EXPECT_EQ(strip.pixel(light.x, light.y), qRgb(255, 0, 255)); // the key in the corners
        EXPECT_EQ(strip.pixel(light.x + 15, light.y + 15), qRgb(255, 0, 255));
    }
    // The large lights are about 15 pixels across: the rim reaches the cell's edges.
    EXPECT_NE(strip.pixel(7, 128 + 0), qRgb(255, 0, 255));
    EXPECT_NE(strip.pixel(0, 128 + 7), qRgb(255, 0, 255));
}

TEST(StatusLight, DrawsTheLightOverThePaneWithTheKeyTransparent) {
    CStatusLight light;
    ASSERT_TRUE(light.Create("Light", CRect{0, 0, 30, 20}, nullptr, 1, false));
    light.Invalidate(true);
    light.UpdateSurface();
    const QRgb face = GetSysColor(COLOR_BTNFACE).rgb();
    light.Draw(CStatusLight::Colour::Blue, true);
    const QImage& lit = light.Surface();
    // A 16 x 16 light centred in the 30 x 20 pane: it starts at (7, 2).
    EXPECT_EQ(lit.pixel(7 + 9, 2 + 9), qRgb(0, 0, 255));
    EXPECT_EQ(lit.pixel(7, 2), face);  // corner of the cell: the key shows the pane
    EXPECT_EQ(lit.pixel(3, 10), face); // outside the cell
    light.Draw(CStatusLight::Colour::Blue, false);
    EXPECT_EQ(light.Surface().pixel(7 + 9, 2 + 9), qRgb(0, 0, 128));
    light.Draw(CStatusLight::Colour::Green, true);
    EXPECT_EQ(light.Surface().pixel(7 + 9, 2 + 9), qRgb(0, 255, 0));
    EXPECT_EQ(light.Surface().pixel(7, 2), face);
}

TEST(StatusLight, DrawsAgainOnlyWhatIsNotOnThePaneAlready) {
    CStatusLight light;
    ASSERT_TRUE(light.Create("Light", CRect{0, 0, 30, 20}, nullptr, 1, false));
    light.Invalidate(true);
    light.UpdateSurface();
    light.Draw(CStatusLight::Colour::Green, true);
    const qint64 nDrawn = light.Surface().cacheKey();
    light.Draw(CStatusLight::Colour::Green, true); // the same light: the pane is left alone
    EXPECT_EQ(light.Surface().cacheKey(), nDrawn);
    // An erase wipes the light; the same request then draws it again.
    light.Invalidate(true);
    light.UpdateSurface();
    ASSERT_EQ(light.Surface().pixel(7 + 9, 2 + 9), GetSysColor(COLOR_BTNFACE).rgb());
    light.Draw(CStatusLight::Colour::Green, true);
    EXPECT_EQ(light.Surface().pixel(7 + 9, 2 + 9), qRgb(0, 255, 0));
    // So does a new size, which brings a new surface.
    light.MoveWindow(CRect{0, 0, 40, 20});
    light.UpdateSurface();
    light.Draw(CStatusLight::Colour::Green, true);
    EXPECT_EQ(light.Surface().pixel(12 + 9, 2 + 9), qRgb(0, 255, 0));
}

} // namespace
