// SPDX-License-Identifier: MIT
// The activity light laid over the pane with the magenta around it left transparent, drawn
// again only when it is not on the pane already.
#include "shell/StatusLight.h"

#include "platform/SystemMetrics.h"

#include <gtest/gtest.h>

namespace {

TEST(StatusLight, DrawsTheLightOverThePaneWithTheKeyTransparentOnlyWhenNotThereAlready) {
    CStatusLight light;
    ASSERT_TRUE(light.Create("Light", CRect{0, 0, 30, 20}, nullptr, 1, false));
    light.Invalidate(true);
    light.UpdateSurface();
    const QRgb face = GetSysColor(COLOR_BTNFACE).rgb();
    // A 16 x 16 light centred in the 30 x 20 pane: it starts at (7, 2).
    const auto centre = [&] { return light.Surface().pixel(7 + 9, 2 + 9); };
    light.Draw(CStatusLight::Colour::Blue, false);
    EXPECT_EQ(centre(), qRgb(0, 0, 128));
    light.Draw(CStatusLight::Colour::Green, true);
    EXPECT_EQ(centre(), qRgb(0, 255, 0));
    EXPECT_EQ(light.Surface().pixel(7, 2), face);  // corner of the cell: the key shows the pane
    EXPECT_EQ(light.Surface().pixel(3, 10), face); // outside the cell
    const qint64 nDrawn = light.Surface().cacheKey();
    light.Draw(CStatusLight::Colour::Green, true); // the same light: the pane is left alone
    EXPECT_EQ(light.Surface().cacheKey(), nDrawn);
    // An erase wipes the light, and a new size brings a new surface: the same request then
    // draws it again.
    light.Invalidate(true);
    light.UpdateSurface();
    ASSERT_EQ(centre(), face);
    light.Draw(CStatusLight::Colour::Green, true);
    EXPECT_EQ(centre(), qRgb(0, 255, 0));
    light.MoveWindow(CRect{0, 0, 40, 20});
    light.UpdateSurface();
    light.Draw(CStatusLight::Colour::Green, true);
    EXPECT_EQ(light.Surface().pixel(12 + 9, 2 + 9), qRgb(0, 255, 0));
}

} // namespace
