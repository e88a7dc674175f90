// SPDX-License-Identifier: MIT
// The settings store: values that survive in the per-user file, unreadable values that fall
// back to the default, reads that always see the store as it is now, and writes that fail.
#include "common/CleanStore.h"

#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>

namespace {

using SettingsTest = CleanStoreTest;

// Values survive in the per-user file, written at once; a stored value that is no integer
// reads as the default.
TEST_F(SettingsTest, ValuesSurviveAndWhatIsNoIntegerGivesTheDefault) {
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
