// SPDX-License-Identifier: MIT
// Units and coordinate texts: conversions, names and fallbacks, the formats to the last
// character, great-circle distances, and the selection read from the store at every call.
#include "common/CleanStore.h"

#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "settings/Units.h"

#include <cmath>
#include <string>
#include <tuple>

namespace {

using SettingsTest = CleanStoreTest;

// The conversions against the units' definitions (a knot is 1852 m an hour, a statute mile
// 1609.344 m, a foot 0.3048 m), to the digits the program keeps of them.
TEST(Units, ConversionsAndNamesFollowTheSelection) {
    const double kMph = 1852 / 1609.344, kFeet = 1 / 0.3048;
    const struct {
        int nUnits;
        double dSpeed, dSmall; // 10 knots, a quarter statute mile; 0 and 0.25 fall back
        const char *pszSpeed, *pszDistance, *pszSmall;
    } speeds[] = {{0, 10 * kMph, 0.25 * 5280, "MPH", "mi", "ft"},
                  {1, 10, 0.25 / kMph, "KT", "nmi", "nmi"},
                  {2, 18.52, 0.25 * 1609.344, "Km/h", "km", "m"},
                  {3, 0, 0.25, "", "", ""},
                  {-1, 0, 0.25, "", "", ""}};
    for (const auto& c : speeds) {
        EXPECT_NEAR(units::ConvertSpeed(c.nUnits, 10.0), c.dSpeed, 1e-9) << c.nUnits;
        EXPECT_NEAR(units::ConvertSmallDistance(c.nUnits, 0.25), c.dSmall, 1e-8) << c.nUnits;
        EXPECT_STREQ(units::SpeedUnitName(c.nUnits), c.pszSpeed);
        EXPECT_STREQ(units::DistanceUnitName(c.nUnits), c.pszDistance);
        EXPECT_STREQ(units::SmallDistanceUnitName(c.nUnits), c.pszSmall);
    }
    const struct {
        int nUnits;
        double dAltitude, dClimb; // 100 m, 60 m a minute
        const char *pszAltitude, *pszClimb;
    } heights[] = {{0, 100 * kFeet, 60 * kFeet, "ft", "X100 ft per min"},
                   {1, 100, 1, "m", "m per sec"},
                   {2, -1, -1, "err", "err"}};
    for (const auto& c : heights) {
        EXPECT_NEAR(units::ConvertAltitude(c.nUnits, 100.0), c.dAltitude, 1e-8) << c.nUnits;
        EXPECT_NEAR(units::ConvertVerticalSpeed(c.nUnits, 60.0), c.dClimb, 1e-8) << c.nUnits;
        EXPECT_STREQ(units::AltitudeUnitName(c.nUnits), c.pszAltitude);
        EXPECT_STREQ(units::VerticalSpeedUnitName(c.nUnits), c.pszClimb);
    }
}

TEST(Units, FormatAltitudePadsTheValueToEightColumns) {
    EXPECT_EQ(units::FormatAltitude(0, 123.456), "405.04   ft     ");
    EXPECT_EQ(units::FormatAltitude(0, 100.0), "328.08   ft     ");
    EXPECT_EQ(units::FormatAltitude(1, 123.456), "123.46   m     ");
    EXPECT_EQ(units::FormatAltitude(1, -1234.5), "-1234.50 m     ");
    EXPECT_EQ(units::FormatAltitude(1, 123456789.0), "123456789.00 m     ");
    EXPECT_EQ(units::FormatAltitude(7, 5.0), "-1.00    err     ");
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
        CoordinateCase{0, 47.5, "N 47\u00B0 30.0000", "E 047\u00B0 30.0000"},
        CoordinateCase{0, -122.085416666666667, "S 122\u00B0 05.1250", "W 122\u00B0 05.1250"},
        CoordinateCase{0, 0.0, "N 00\u00B0 00.0000", "E 000\u00B0 00.0000"},
        CoordinateCase{0, 8.00001, "N 08\u00B0 00.0006", "E 008\u00B0 00.0006"},
        // The half tick rounds the minutes; they are not carried into the degrees.
        CoordinateCase{0, 12.9999999, "N 12\u00B0 60.0000", "E 012\u00B0 60.0000"},
        CoordinateCase{1, -122.085416666666667, "S 122\u00B0 05' 07.500", "W 122\u00B0 05' 07.500"},
        CoordinateCase{1, 47.5, "N 47\u00B0 30' 00.000", "E 047\u00B0 30' 00.000"},
        CoordinateCase{1, 0.0, "N 00\u00B0 00' 00.000", "E 000\u00B0 00' 00.000"},
        CoordinateCase{2, -33.5, "S 33.5000000000\u00B0", "W 033.5000000000\u00B0"},
        CoordinateCase{2, 7.25, "N 07.2500000000\u00B0", "E 007.2500000000\u00B0"},
        CoordinateCase{2, 0.0, "N 00.0000000000\u00B0", "E 000.0000000000\u00B0"},
        // A negative zero is still the northern and eastern zero, without a minus sign.
        CoordinateCase{2, -0.0, "N 00.0000000000\u00B0", "E 000.0000000000\u00B0"},
        CoordinateCase{0, -0.0, "N 00\u00B0 00.0000", "E 000\u00B0 00.0000"},
        CoordinateCase{3, 47.5, "ERROR", "ERROR"}, CoordinateCase{-1, 47.5, "ERROR", "ERROR"}),
    [](const testing::TestParamInfo<CoordinateCase>& info) { return std::to_string(info.index); });

TEST(GreatCircle, OneDegreeOfLatitudeIsSixtyNauticalMiles) {
    EXPECT_NEAR(GreatCircleDistance(0.0, 0.0, 1.0, 0.0), 60.0, 1e-9);
    EXPECT_NEAR(GreatCircleDistance(10.0, 20.0, 10.0, 21.0), 60.0 * std::cos(10.0 * M_PI / 180.0),
                0.01);
    // Half the globe is 10800 nautical miles but for the ten-digit pi in the sixth decimal.
    EXPECT_NEAR(GreatCircleDistance(0.0, 0.0, 0.0, 180.0), 10800.0, 1e-5);
    EXPECT_NE(GreatCircleDistance(0.0, 0.0, 0.0, 180.0), 10800.0);
}

TEST(GreatCircle, IdenticalPositionsAreZeroApartNotNaN) {
    // Positions where the cosine sum comes out just above or just below 1.
    for (double dLatitude : {47.123456, 12.3456789, -33.8688, 51.4778, 0.1, 89.9999}) {
        for (double dLongitude : {8.654321, -122.0841, 151.2093, 0.0}) {
            const double d = GreatCircleDistance(dLatitude, dLongitude, dLatitude, dLongitude);
            EXPECT_EQ(d, 0.0) << dLatitude << ", " << dLongitude;
        }
    }
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
        EXPECT_EQ(SpeedUnitName(), units::SpeedUnitName(nDistance));
        EXPECT_EQ(DistanceUnitName(), units::DistanceUnitName(nDistance));
        EXPECT_EQ(ConvertSmallDistance(1.0), units::ConvertSmallDistance(nDistance, 1.0));
        EXPECT_EQ(SmallDistanceUnitName(), units::SmallDistanceUnitName(nDistance));
        EXPECT_EQ(ConvertAltitude(100.0), units::ConvertAltitude(nAltitude, 100.0));
        EXPECT_EQ(AltitudeUnitName(), units::AltitudeUnitName(nAltitude));
        EXPECT_EQ(FormatAltitude(123.456).toStdString(), units::FormatAltitude(nAltitude, 123.456));
        EXPECT_EQ(ConvertVerticalSpeed(60.0), units::ConvertVerticalSpeed(nAltitude, 60.0));
        EXPECT_EQ(VerticalSpeedUnitName(), units::VerticalSpeedUnitName(nAltitude));
        EXPECT_EQ(FormatLatitude(-47.5).toStdString(), units::FormatLatitude(nFormat, -47.5));
        EXPECT_EQ(FormatLongitude(8.25).toStdString(), units::FormatLongitude(nFormat, 8.25));
    }
}

} // namespace
