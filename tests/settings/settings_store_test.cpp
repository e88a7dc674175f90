// The settings store: every setting's exact section and name with its default, values that
// survive, unreadable values that fall back to the default, and reads that always see the
// store as it is now.
#include "common/CleanStore.h"

#include "platform/NumberText.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>

namespace {

using SettingsTest = CleanStoreTest;

struct IntSetting {
    const char* section;
    const char* name;
    int nDefault;
    const char* expectedSection;
    const char* expectedName;
    int nExpectedDefault;
};

const IntSetting kIntSettings[] = {
    {kSectionSettings, kDistanceSpeedUnits, kDefaultDistanceSpeedUnits, "Settings",
     "Distance-SpeedUnits", 0},
    {kSectionSettings, kAltitudeElevationUnits, kDefaultAltitudeElevationUnits, "Settings",
     "AltitudeElevationUnits", 0},
    {kSectionSettings, kPositionFormat, kDefaultPositionFormat, "Settings", "PositionFormat", 0},
    {kSectionSerial, kPort, kDefaultPort, "Serial Port Commmunications", "Port", 1},
    {kSectionSerial, kBaud, kDefaultBaud, "Serial Port Commmunications", "Baud", 4800},
    {kSectionPanel, kMaxSpeed, kDefaultMaxSpeed, "Panel", "Max Speed", 150},
    {kSectionAzimuthElevation, kEnableTrails, kDefaultEnableTrails, "Azimuthelevation",
     "EnableTrails", 0},
    {kSectionAveraging, kUseAveraging, kDefaultUseAveraging, "Averaging", "Use Averaging", 1},
    {kSectionAveraging, kLatLonUseHdop, kDefaultLatLonUseHdop, "Averaging", "LatLon Use HDOP", 1},
    {kSectionAveraging, kAltUseVdop, kDefaultAltUseVdop, "Averaging", "Alt Use VDOP", 1},
};

TEST_F(SettingsTest, EveryIntegerSettingHasItsExactNameAndDefault) {
    for (const IntSetting& s : kIntSettings) {
        EXPECT_STREQ(s.section, s.expectedSection);
        EXPECT_STREQ(s.name, s.expectedName);
        EXPECT_EQ(s.nDefault, s.nExpectedDefault) << s.name;
        EXPECT_EQ(ReadSettingInt(s.section, s.name, s.nDefault), s.nExpectedDefault) << s.name;
    }
}

TEST_F(SettingsTest, TheThresholdsAreTextsWhoseDefaultReadsAsThree) {
    EXPECT_STREQ(kAltAvgThreshold, "Alt Avg Threshold");
    EXPECT_STREQ(kLatLonAvgThreshold, "LatLon Avg Threshold");
    for (const char* name : {kAltAvgThreshold, kLatLonAvgThreshold}) {
        const QString strStored = ReadSettingString(kSectionAveraging, name, QStringLiteral("3.0"));
        EXPECT_EQ(strStored, QStringLiteral("3.0"));
        // Written as "%f" on OK: six decimals that read back as the same value.
        ASSERT_TRUE(WriteSettingString(kSectionAveraging, name, QString::asprintf("%f", 3.0)));
        EXPECT_EQ(ReadSettingString(kSectionAveraging, name, QStringLiteral("3.0")),
                  QStringLiteral("3.000000"));
        EXPECT_EQ(TextToDouble(ReadSettingString(kSectionAveraging, name, QString()).toStdString()),
                  TextToDouble(strStored.toStdString()));
    }
    EXPECT_STREQ(kDefaultAltAvgThreshold, "3.0");
    EXPECT_STREQ(kDefaultLatLonAvgThreshold, "3.0");
}

TEST_F(SettingsTest, ValuesSurviveUnderTheirExactSectionsAndNames) {
    ASSERT_TRUE(WriteSettingInt(kSectionSerial, kPort, 3));
    ASSERT_TRUE(WriteSettingInt(kSectionSerial, kBaud, 115200));
    ASSERT_TRUE(WriteSettingInt(kSectionPanel, kMaxSpeed, -20));
    ASSERT_TRUE(
        WriteSettingString(kSectionAveraging, kLatLonAvgThreshold, QStringLiteral("2.500000")));
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kPort, 1), 3);
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kBaud, 4800), 115200);
    EXPECT_EQ(ReadSettingInt(kSectionPanel, kMaxSpeed, 150), -20);
    EXPECT_EQ(ReadSettingString(kSectionAveraging, kLatLonAvgThreshold, QString()),
              QStringLiteral("2.500000"));
    ASSERT_TRUE(WriteSettingInt(kSectionSerial, kPort, 4));
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kPort, 1), 4);

    // In the per-user file, one group per section, written at once.
    const QString strExpected =
        QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath(QStringLiteral("VEVO/Ravuziz.conf"));
    EXPECT_EQ(StorePath(), strExpected);
    QSettings file(strExpected, QSettings::IniFormat);
    EXPECT_EQ(file.childGroups(),
              (QStringList{"Averaging", "Panel", "Serial Port Commmunications"}));
    EXPECT_EQ(file.value(QStringLiteral("Serial Port Commmunications/Baud")).toString(),
              QStringLiteral("115200"));
    EXPECT_EQ(file.value(QStringLiteral("Averaging/LatLon Avg Threshold")).toString(),
              QStringLiteral("2.500000"));
}

TEST_F(SettingsTest, AValueThatIsNotAnIntegerGivesTheDefault) {
    for (const char* text : {"abc", "3.0", "", "12abc", " ", "99999999999", "0x10"}) {
        ASSERT_TRUE(WriteSettingString(kSectionPanel, kMaxSpeed, QString::fromLatin1(text)));
        EXPECT_EQ(ReadSettingInt(kSectionPanel, kMaxSpeed, 150), 150) << '"' << text << '"';
    }
    ASSERT_TRUE(WriteSettingString(kSectionPanel, kMaxSpeed, QStringLiteral("-7")));
    EXPECT_EQ(ReadSettingInt(kSectionPanel, kMaxSpeed, 150), -7);
}

void ReplaceStoreFile(const QString& strPath, const QByteArray& content) {
    QFile file(strPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(content), content.size());
}

TEST_F(SettingsTest, ReadsSeeTheStoreAsItIsNowAndSkipWhatTheyCannotRead) {
    ASSERT_TRUE(WriteSettingInt(kSectionSettings, kPositionFormat, 2));
    EXPECT_EQ(ReadSettingInt(kSectionSettings, kPositionFormat, 0), 2);
    // Another program (or the user) edits the file.
    ReplaceStoreFile(StorePath(), "[Settings]\nPositionFormat=1\nDistance-SpeedUnits=two\n"
                                  "[Averaging]\nAlt%20Avg%20Threshold=1.5, 2.5\n");
    EXPECT_EQ(ReadSettingInt(kSectionSettings, kPositionFormat, 0), 1);
    EXPECT_EQ(ReadSettingInt(kSectionSettings, kDistanceSpeedUnits, 0), 0);
    // A text with an unquoted comma is no text this program wrote.
    EXPECT_EQ(ReadSettingString(kSectionAveraging, kAltAvgThreshold, QStringLiteral("3.0")),
              QStringLiteral("3.0"));
}

TEST_F(SettingsTest, AFailedWriteIsReportedAndKeepsNothing) {
    // A file where the store's folder should be: nothing can be written.
    const QString strFolder = QFileInfo(StorePath()).absolutePath();
    ASSERT_TRUE(QDir(strFolder).removeRecursively());
    ReplaceStoreFile(strFolder, "not a folder");
    EXPECT_FALSE(WriteSettingInt(kSectionSerial, kPort, 5));
    ASSERT_TRUE(QFile::remove(strFolder));
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kPort, 1), 1);
    // Nor does the lost value come back with the next write that succeeds.
    ASSERT_TRUE(WriteSettingInt(kSectionSerial, kBaud, 9600));
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kPort, 1), 1);
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kBaud, 4800), 9600);
}

} // namespace
