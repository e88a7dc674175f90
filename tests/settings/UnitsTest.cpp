// SPDX-License-Identifier: MIT
// Units and coordinate texts: the formats to the last character, great-circle distances, and
// the selection read from the store at every call. (The units' values show in the pages'
// and the statistics table's expected outputs.)
#include "common/CleanStore.h"

#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "settings/Units.h"

#include <cmath>
#include <string>
#include <tuple>

namespace {

using SettingsTest = CleanStoreTest;

TEST(Units, FormatAltitudePadsTheValueToEightColumns) {
    EXPECT_EQ(units::FormatAltitude(1, 123.456), "123.46   m     ");
    EXPECT_EQ(units::FormatAltitude(1, -1234.5), "-1234.50 m     ");
    EXPECT_EQ(units::FormatAltitude(1, 123456789.0), "123456789.00 m     ");
}

struct CoordinateCase {
    int nFormat;
    double dDegrees;
    const char* latitude;
    const char* longitude;
};

class Coordinates : public testing::TestWithParam<CoordinateCase> {};

TEST_P(Coordinates, FormatToTheLastCharacter) {
    const CoordinateCase& c = GetParam();
    EXPECT_EQ(units::FormatLatitude(c.nFormat, c.dDegrees), c.latitude);
    EXPECT_EQ(units::FormatLongitude(c.nFormat, c.dDegrees), c.longitude);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, Coordinates,
    testing::Values(
        CoordinateCase{0, -122.085416666666667, "S 122\u00B0 05.1250", "W 122\u00B0 05.1250"},
        CoordinateCase{0, 8.00001, "N 08\u00B0 00.0006", "E 008\u00B0 00.0006"},
        // The half tick rounds the minutes; they are not carried into the degrees.
        CoordinateCase{0, 12.9999999, "N 12\u00B0 60.0000", "E 012\u00B0 60.0000"},
        CoordinateCase{1, -122.085416666666667, "S 122\u00B0 05' 07.500", "W 122\u00B0 05' 07.500"},
        CoordinateCase{2, -33.5, "S 33.5000000000\u00B0", "W 033.5000000000\u00B0"},
        // A negative zero is still the northern and eastern zero, without a minus sign.
        CoordinateCase{2, -0.0, "N 00.0000000000\u00B0", "E 000.0000000000\u00B0"},
        CoordinateCase{0, -0.0, "N 00\u00B0 00.0000", "E 000\u00B0 00.0000"},
        CoordinateCase{3, 47.5, "ERROR", "ERROR"}, CoordinateCase{-1, 47.5, "ERROR", "ERROR"}),
    [](const testing::TestParamInfo<CoordinateCase>& info) { return std::to_string(info.index); });

TEST(GreatCircle, OneDegreeOfLatitudeIsSixtyNauticalMilesAndIdenticalPositionsZeroNotNaN) {
    EXPECT_NEAR(GreatCircleDistance(0.0, 0.0, 1.0, 0.0), 60.0, 1e-9);
    EXPECT_NEAR(GreatCircleDistance(10.0, 20.0, 10.0, 21.0), 60.0 * std::cos(10.0 * M_PI / 180.0),
                0.01);
    EXPECT_EQ(GreatCircleDistance(47.123456, 8.654321, 47.123456, 8.654321), 0.0);
    // Near the pole a step of 1e-9 degree pushes the sum one unit in the last place past 1;
    // clamped, that is no distance rather than NaN.
    EXPECT_EQ(GreatCircleDistance(-89.99298, 8.954321, -89.99298, 8.954321 + 1e-9), 0.0);
}

// The functions the pages call read the selection from the store at every call, and an empty
// store means statute units, feet and degrees with decimal minutes.
TEST_F(SettingsTest, ThePagesFunctionsReadTheSelectionAtEveryCall) {
    using Selection = std::tuple<int, int, int, bool>; // units, units, format, stored
    for (const auto& [nDistance, nAltitude, nFormat, bWrite] :
         {Selection{0, 0, 0, false}, Selection{1, 1, 2, true}, Selection{2, 2, 3, true},
          Selection{0, 1, 1, true}}) {
        SCOPED_TRACE(testing::Message() << nDistance << nAltitude << nFormat);
        if (bWrite) {
            ASSERT_TRUE(WriteSettingInt(kSectionSettings, kDistanceSpeedUnits, nDistance));
            ASSERT_TRUE(WriteSettingInt(kSectionSettings, kAltitudeElevationUnits, nAltitude));
            ASSERT_TRUE(WriteSettingInt(kSectionSettings, kPositionFormat, nFormat));
        }
        EXPECT_EQ(ConvertSpeed(12.5), units::ConvertSpeed(nDistance, 12.5));
        EXPECT_EQ(SmallDistanceUnitName(), units::SmallDistanceUnitName(nDistance));
        EXPECT_EQ(FormatAltitude(123.456).toStdString(), units::FormatAltitude(nAltitude, 123.456));
        EXPECT_EQ(VerticalSpeedUnitName(), units::VerticalSpeedUnitName(nAltitude));
        EXPECT_EQ(FormatLongitude(8.25).toStdString(), units::FormatLongitude(nFormat, 8.25));
    }
}

} // namespace
