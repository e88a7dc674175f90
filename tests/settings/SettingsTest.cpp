// SPDX-License-Identifier: MIT
// The settings store (values that survive, unreadable ones read as the default, reads that see
// the store as it is now, writes that fail) and the units: coordinate texts, great-circle
// distances, the selection read at every call. (Units' values and altitude texts show in the
// pages' and the statistics table's expected outputs.)
#include "common/CleanStore.h"
#include "common/NmeaSupport.h"

#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "settings/Units.h"

#include <QDir>
#include <QFile>

#include <cmath>
#include <tuple>

namespace {

using SettingsTest = CleanStoreTest;

// Values survive in the per-user file, written at once; what is no integer reads as the
// default; reads see the store as it is now, whoever edited it.
TEST_F(SettingsTest, ValuesSurviveAndReadsSeeTheStoreAsItIsNowSkippingWhatTheyCannotRead) {
    ASSERT_TRUE(WriteSettingInt(kSectionSerial, kPort, 3));
    ASSERT_TRUE(WriteSettingInt(kSectionPanel, kMaxSpeed, -20));
    ASSERT_TRUE(WriteSettingString(kSectionAveraging, kLatLonAvgThreshold, "2.500000"));
    EXPECT_EQ(StorePath(),
              QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath("VEVO/Ravuziz.conf"));
    QSettings file(StorePath(), QSettings::IniFormat);
    EXPECT_EQ(file.allKeys().size(), 3);
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kPort, 1), 3);
    EXPECT_EQ(ReadSettingInt(kSectionPanel, kMaxSpeed, 150), -20);
    EXPECT_EQ(ReadSettingString(kSectionAveraging, kLatLonAvgThreshold, QString()), "2.500000");
    for (const char* text : {"abc", "3.0", "", "12abc", " ", "99999999999", "0x10"}) {
        ASSERT_TRUE(WriteSettingString(kSectionPanel, kMaxSpeed, QString::fromLatin1(text)));
        EXPECT_EQ(ReadSettingInt(kSectionPanel, kMaxSpeed, 150), 150) << '"' << text << '"';
    }
    ASSERT_TRUE(WriteSettingInt(kSectionSettings, kPositionFormat, 2));
    EXPECT_EQ(ReadSettingInt(kSectionSettings, kPositionFormat, 0), 2);
    // Another program (or the user) edits the file.
    WriteWholeFile(StorePath(), "[Settings]\nPositionFormat=1\nDistance-SpeedUnits=two\n"
                                "[Averaging]\nAlt%20Avg%20Threshold=1.5, 2.5\n");
    EXPECT_EQ(ReadSettingInt(kSectionSettings, kPositionFormat, 0), 1);
    EXPECT_EQ(ReadSettingInt(kSectionSettings, kDistanceSpeedUnits, 0), 0);
    // A text with an unquoted comma is no text this program wrote.
    EXPECT_EQ(ReadSettingString(kSectionAveraging, kAltAvgThreshold, QStringLiteral("3.0")),
              QStringLiteral("3.0"));
}

TEST_F(SettingsTest, AFailedWriteIsReportedAndKeepsNothing) {
    const QString strFolder = QFileInfo(StorePath()).absolutePath();
    ASSERT_TRUE(QDir(strFolder).removeRecursively());
    WriteWholeFile(strFolder, "not a folder"); // where the store's folder should be
    EXPECT_FALSE(WriteSettingInt(kSectionSerial, kPort, 5));
    ASSERT_TRUE(QFile::remove(strFolder));
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kPort, 1), 1);
    // Nor does the lost value come back with the next write that succeeds.
    ASSERT_TRUE(WriteSettingInt(kSectionSerial, kBaud, 9600));
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kPort, 1), 1);
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kBaud, 4800), 9600);
}

TEST(Units, CoordinatesFormatToTheLastCharacter) {
    const struct {
        int nFormat;
        double dDegrees;
        const char* latitude;
        const char* longitude;
    } cases[] = {
        {0, -122.085416666666667, "S 122\u00B0 05.1250", "W 122\u00B0 05.1250"},
        {0, 8.00001, "N 08\u00B0 00.0006", "E 008\u00B0 00.0006"},
        // The half tick rounds the minutes; they are not carried into the degrees.
        {0, 12.9999999, "N 12\u00B0 60.0000", "E 012\u00B0 60.0000"},
        {1, -122.085416666666667, "S 122\u00B0 05' 07.500", "W 122\u00B0 05' 07.500"},
        {2, -33.5, "S 33.5000000000\u00B0", "W 033.5000000000\u00B0"},
        // A negative zero is still the northern and eastern zero, without a minus sign.
        {2, -0.0, "N 00.0000000000\u00B0", "E 000.0000000000\u00B0"},
        {0, -0.0, "N 00\u00B0 00.0000", "E 000\u00B0 00.0000"},
        {3, 47.5, "ERROR", "ERROR"},
        {-1, 47.5, "ERROR", "ERROR"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(units::FormatLatitude(c.nFormat, c.dDegrees), c.latitude) << c.dDegrees;
        EXPECT_EQ(units::FormatLongitude(c.nFormat, c.dDegrees), c.longitude) << c.dDegrees;
    }
}

TEST(GreatCircle, OneDegreeOfLatitudeIsSixtyNauticalMilesAndIdenticalPositionsZeroNotNaN) {
    EXPECT_NEAR(GreatCircleDistance(0.0, 0.0, 1.0, 0.0), 60.0, 1e-9);
    EXPECT_NEAR(GreatCircleDistance(10.0, 20.0, 10.0, 21.0), 60.0 * std::cos(10.0 * M_PI / 180.0),
                0.01);
    EXPECT_EQ(GreatCircleDistance(47.123456, 8.654321, 47.123456, 8.654321), 0.0);
    // Near the pole a step of 1e-9 degree pushes the sum one unit in the last place past 1;
    // clamped, that is no distance rather than NaN.
    EXPECT_EQ(GreatCircleDistance(-89.99298, 8.954321, -89.99298, 8.954321 + 1e-9), 0.0);
}

// An empty store means statute units, feet and degrees with decimal minutes.
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
