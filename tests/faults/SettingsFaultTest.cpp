// SPDX-License-Identifier: MIT
// A damaged settings file — random bytes, text that is no settings file, values of the wrong
// type or out of range, a file nobody may read — leaves the program on its defaults (port 1
// at 4800 bit/s, statute units and feet, a 150 speedometer, no trails, averaging at 3.0
// with HDOP and VDOP) and asks nothing. A file that may be read but not written is used, and
// the changes made in dialogs are acted on but fail quietly to reach it.
#include "FaultSupport.h"
#include "common/NmeaSupport.h"
#include "common/Pty.h"

#include "platform/Dialog.h"
#include "resources/resource.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "settings/Units.h"
#include "shell/MainView.h"
#include "stats/AveragingStore.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QRect>
#include <QSettings>

#include <random>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Makes the settings folder and file read-only, or unreadable too, for as long as it lives.
// Root may write anything, so then the file-system user becomes "nobody" meanwhile.
class CLockedSettings {
public:
    CLockedSettings(const QString& strFolder, const QString& strFile, bool bUnreadable)
        : m_strFolder(strFolder + QStringLiteral("/VEVO")), m_strFile(strFile) {
        chmod(QFile::encodeName(strFolder).constData(), 0755); // "nobody" must get in
        chmod(QFile::encodeName(m_strFile).constData(), bUnreadable ? 0000 : 0444);
        chmod(QFile::encodeName(m_strFolder).constData(), 0555);
        if (geteuid() == 0)
            setfsuid(kNobody);
    }
    ~CLockedSettings() {
        if (geteuid() == 0)
            setfsuid(0);
        chmod(QFile::encodeName(m_strFolder).constData(), 0755);
        chmod(QFile::encodeName(m_strFile).constData(), 0644);
    }

private:
    static constexpr uid_t kNobody = 65534;
    QString m_strFolder;
    QString m_strFile;
};

QByteArray RandomBytes(int nCount) {
    std::mt19937 random(7);
    QByteArray bytes(nCount, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// Values another program (or a future version) might have stored under our names.
void WriteWrongTypes(const QString& strFile) {
    QSettings store(strFile, QSettings::IniFormat);
    store.setValue("Settings/Distance-SpeedUnits", QRect(1, 2, 3, 4));
    store.setValue("Settings/AltitudeElevationUnits", QStringList{"1", "1"});
    store.setValue("Settings/PositionFormat", 1.5);
    store.setValue("Serial Port Commmunications/Port", QByteArray("\x02\x00", 2));
    store.setValue("Serial Port Commmunications/Baud", "fast");
    store.setValue("Panel/Max Speed", "4294967296");
    store.setValue("Azimuthelevation/EnableTrails", "yes");
    store.setValue("Averaging/Use Averaging", QSize(1, 1));
    store.setValue("Averaging/LatLon Use HDOP", "");
    store.setValue("Averaging/Alt Avg Threshold", QStringList{"1.0", "2.0"});
    store.setValue("Averaging/LatLon Avg Threshold", QVariant::fromValue(QPoint(1, 1)));
}

void WriteRaw(const QString& strFile, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(strFile).path());
    QFile file(strFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct Damage {
    const char* pszLegend;
    std::function<void(const QString&)> write;
    bool bUnreadable = false;
};

void ExpectDefaults(CMainFrame& frame) {
    EXPECT_TRUE(frame.Link().IsOpen()); // port 1, the receiver below
    EXPECT_EQ(frame.Link().m_nBaud, 4800u);
    EXPECT_EQ(SpeedUnitName(), "MPH");
    EXPECT_EQ(AltitudeUnitName(), "ft");
    EXPECT_EQ(FormatLatitude(47.5), QStringLiteral("N 47\u00B0 30.0000"));
    EXPECT_EQ(frame.View().PanelPage().Speedometer().FullScale(), 150.0);
    EXPECT_EQ(frame.View().SatellitePage().SkyPlot().Trails(), 0);
    const AveragingSettings averaging = ReadAveragingSettings();
    EXPECT_EQ(averaging.bUseAveraging, 1);
    EXPECT_EQ(averaging.bLatLonUseHdop, 1);
    EXPECT_EQ(averaging.bAltUseVdop, 1);
    EXPECT_EQ(averaging.dAltThreshold, 3.0);
    EXPECT_EQ(averaging.dLatLonThreshold, 3.0);
}

// The program runs a while on a damaged store, its pages drawn, then the user picks metric
// units and turns trails on: nothing is asked but the dialog.
void RunAndChangeUnits(CMainFrame& frame, CScriptedInteraction& person) {
    const std::string strStream = SimulatedSeconds(40);
    FeedChunks(frame.Parser(), strStream);
    ProcessPosted();
    RenderPages(frame);
    person.AnswerDialog([](QDialog& d) {
        GetDlgItemAs<QComboBox>(&d, IDC_DISTANCE_SPEED)->setCurrentIndex(2);
        d.accept();
    });
    frame.OnCommand(ID_UNITS);
    frame.OnCommand(ID_ENABLE_TRAILS);
    EXPECT_EQ(frame.View().SatellitePage().SkyPlot().Trails(), 1); // acted on at once
    RenderPages(frame);
    ASSERT_EQ(person.Prompts().size(), 1u);
    EXPECT_EQ(person.Prompts()[0].kind, Prompt::Kind::Dialog);
}

class DamagedSettings : public FaultTest, public testing::WithParamInterface<Damage> {};

TEST_P(DamagedSettings, LeaveTheProgramOnItsDefaultsWithoutAWord) {
    CPty receiver(1);
    chmod(receiver.Path().c_str(), 0666); // the program may run as "nobody" below
    GetParam().write(ConfigFile());
    CScriptedInteraction person;
    std::unique_ptr<CMainFrame> pFrame;
    {
        // Locked only while the program reads: an unreadable file is as good as none.
        std::optional<CLockedSettings> lock;
        if (GetParam().bUnreadable)
            lock.emplace(ConfigFolder(), ConfigFile(), true);
        pFrame = MakeFrame();
        ExpectDefaults(*pFrame);
    }
    RunAndChangeUnits(*pFrame, person);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DamagedSettings,
    testing::Values(
        Damage{"RandomBytes", [](const QString& f) { WriteRaw(f, RandomBytes(4096)); }},
        Damage{"NotASettingsFile",
               [](const QString& f) {
                   WriteRaw(f, QByteArray("[Settings\nDistance-SpeedUnits\n=\n==2\n[[]]]\n"
                                          "[Panel]\nMax%20Speed=\"150\n\xff\xfe\x00\x01"
                                          "[Serial%20Port%20Commmunications]\nPort=-\n",
                                          96));
               }},
        Damage{"WrongTypesAndRanges", WriteWrongTypes},
        Damage{"Unreadable",
               [](const QString& f) { WriteRaw(f, "[Settings]\nDistance-SpeedUnits=2\n"); }, true}),
    [](const testing::TestParamInfo<Damage>& info) { return info.param.pszLegend; });

TEST_F(FaultTest, AReadOnlyStoreIsUsedAndChangesFailQuietlyButAreActedOn) {
    CPty receiver(3);
    chmod(receiver.Path().c_str(), 0666); // the program runs as "nobody" below
    WriteSettingInt(kSectionSettings, kDistanceSpeedUnits, 1);
    WriteSettingInt(kSectionSerial, kPort, 3);
    WriteSettingInt(kSectionPanel, kMaxSpeed, 200);
    QFile file(ConfigFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray stored = file.readAll();
    file.close();

    CScriptedInteraction person;
    {
        CLockedSettings lock(ConfigFolder(), ConfigFile(), false);
        auto pFrame = MakeFrame();
        EXPECT_TRUE(pFrame->Link().IsOpen()); // the stored port 3
        EXPECT_EQ(SpeedUnitName(), "KT");
        EXPECT_EQ(pFrame->View().PanelPage().Speedometer().FullScale(), 200.0);
        RunAndChangeUnits(*pFrame, person);
        person.AnswerDialog([](QDialog& d) {
            GetDlgItemAs<QComboBox>(&d, IDC_MAX_SPEED)->setEditText("300");
            d.accept();
        });
        pFrame->OnCommand(ID_SETUP_SPEED);
        EXPECT_EQ(pFrame->View().PanelPage().Speedometer().FullScale(), 300.0);
        EXPECT_EQ(person.Prompts().size(), 2u); // the two dialogs, no error
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), stored);
}

} // namespace
