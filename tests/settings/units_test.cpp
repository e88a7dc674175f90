// Units and coordinate texts: every factor, name and fallback, the formats to the last
// character, and the selection read from the store on every call.
#include "common/CleanStore.h"

#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "settings/Units.h"

#include <cmath>
#include <string>

namespace {

using SettingsTest = CleanStoreTest;

TEST(UnitFactors, AreExactlyTheseDoubles) {
    EXPECT_EQ(kKnotsToMph, 1.15077944802);
    EXPECT_EQ(kKnotsToKmh, 1.852);
    EXPECT_EQ(kMetresToFeet, 3.28083989501);
    EXPECT_EQ(kPerMinuteToPerSecond, 0.016666666666666666);
    EXPECT_EQ(kPerMinuteToPerSecond, 1.0 / 60.0);
    EXPECT_EQ(kDistanceDegreesToRadians, 0.017453292522222223);
    EXPECT_EQ(kNauticalMilesPerRadian, 3437.7467703360626);
}

struct SpeedCase {
    int nUnits;
    double dFactor; // 0 for the fallback
    const char* speedName;
    const char* distanceName;
    double dSmallFactor;
    const char* smallName;
};

TEST(Units, SpeedAndDistanceFollowTheSelection) {
    for (const SpeedCase& c :
         {SpeedCase{0, 1.15077944802, "MPH", "mi", 5280.0, "ft"},
          SpeedCase{1, 1.0, "KT", "nmi", 0.868976241901, "nmi"},
          SpeedCase{2, 1.852, "Km/h", "km", 1609.344, "m"}, SpeedCase{3, 0.0, "", "", 1.0, ""},
          SpeedCase{-1, 0.0, "", "", 1.0, ""}}) {
        EXPECT_EQ(units::ConvertSpeed(c.nUnits, 10.0), 10.0 * c.dFactor) << c.nUnits;
        EXPECT_STREQ(units::SpeedUnitName(c.nUnits), c.speedName);
        EXPECT_STREQ(units::DistanceUnitName(c.nUnits), c.distanceName);
        EXPECT_EQ(units::ConvertSmallDistance(c.nUnits, 0.25), 0.25 * c.dSmallFactor) << c.nUnits;
        EXPECT_STREQ(units::SmallDistanceUnitName(c.nUnits), c.smallName);
    }
}

TEST(Units, AltitudeAndVerticalSpeedFollowTheSelection) {
    EXPECT_EQ(units::ConvertAltitude(0, 100.0), 100.0 * 3.28083989501);
    EXPECT_EQ(units::ConvertAltitude(1, 100.0), 100.0);
    EXPECT_EQ(units::ConvertAltitude(2, 100.0), -1.0);
    EXPECT_STREQ(units::AltitudeUnitName(0), "ft");
    EXPECT_STREQ(units::AltitudeUnitName(1), "m");
    EXPECT_STREQ(units::AltitudeUnitName(2), "err");

    EXPECT_EQ(units::ConvertVerticalSpeed(0, 60.0), 60.0 * 3.28083989501);
    EXPECT_EQ(units::ConvertVerticalSpeed(1, 60.0), 1.0);
    EXPECT_EQ(units::ConvertVerticalSpeed(-1, 60.0), -1.0);
    EXPECT_STREQ(units::VerticalSpeedUnitName(0), "X100 ft per min");
    EXPECT_STREQ(units::VerticalSpeedUnitName(1), "m per sec");
    EXPECT_STREQ(units::VerticalSpeedUnitName(5), "err");
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

// The functions the pages call read the selection from the store each time.
class StoredUnits : public SettingsTest {};

TEST_F(StoredUnits, AnEmptyStoreMeansStatuteFeetAndDegreesWithDecimalMinutes) {
    EXPECT_EQ(FormatLatitude(47.5), QStringLiteral("N 47\u00B0 30.0000"));
    EXPECT_DOUBLE_EQ(ConvertSpeed(10.0), 11.5077944802);
    EXPECT_EQ(SpeedUnitName(), QStringLiteral("MPH"));
    EXPECT_EQ(DistanceUnitName(), QStringLiteral("mi"));
    EXPECT_EQ(SmallDistanceUnitName(), QStringLiteral("ft"));
    EXPECT_EQ(ConvertSmallDistance(1.0), 5280.0);
    EXPECT_EQ(AltitudeUnitName(), QStringLiteral("ft"));
    EXPECT_EQ(FormatAltitude(123.456), QStringLiteral("405.04   ft     "));
    EXPECT_EQ(VerticalSpeedUnitName(), QStringLiteral("X100 ft per min"));
}

TEST_F(StoredUnits, AChangedSelectionShowsAtTheNextCall) {
    ASSERT_TRUE(WriteSettingInt(kSectionSettings, kDistanceSpeedUnits, 1));
    EXPECT_EQ(ConvertSpeed(12.5), 12.5);
    EXPECT_EQ(SpeedUnitName(), QStringLiteral("KT"));
    EXPECT_EQ(DistanceUnitName(), QStringLiteral("nmi"));
    ASSERT_TRUE(WriteSettingInt(kSectionSettings, kDistanceSpeedUnits, 2));
    EXPECT_EQ(ConvertSpeed(10.0), 18.52);
    EXPECT_EQ(SmallDistanceUnitName(), QStringLiteral("m"));

    ASSERT_TRUE(WriteSettingInt(kSectionSettings, kAltitudeElevationUnits, 1));
    EXPECT_EQ(ConvertVerticalSpeed(60.0), 1.0);
    EXPECT_EQ(VerticalSpeedUnitName(), QStringLiteral("m per sec"));
    EXPECT_EQ(ConvertAltitude(100.0), 100.0);
    ASSERT_TRUE(WriteSettingInt(kSectionSettings, kAltitudeElevationUnits, 2));
    EXPECT_EQ(AltitudeUnitName(), QStringLiteral("err"));
    EXPECT_EQ(ConvertVerticalSpeed(60.0), -1.0);

    ASSERT_TRUE(WriteSettingInt(kSectionSettings, kPositionFormat, 2));
    EXPECT_EQ(FormatLatitude(0.0), QStringLiteral("N 00.0000000000\u00B0"));
    EXPECT_EQ(FormatLongitude(0.0), QStringLiteral("E 000.0000000000\u00B0"));
    ASSERT_TRUE(WriteSettingInt(kSectionSettings, kPositionFormat, 3));
    EXPECT_EQ(FormatLatitude(47.5), QStringLiteral("ERROR"));
    EXPECT_EQ(FormatLongitude(47.5), QStringLiteral("ERROR"));
}

} // namespace
