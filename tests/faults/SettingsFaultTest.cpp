// SPDX-License-Identifier: MIT
// A damaged settings file — random bytes, values of the wrong type or out of range, a file
// nobody may read — leaves the program as an empty store does
// and asks nothing. A file that may be read but not written is used, and
// the changes made in dialogs are acted on but fail quietly to reach it.
#include "FaultSupport.h"
#include "common/NmeaSupport.h"
#include "common/Pty.h"

#include "platform/Dialog.h"
#include "resources/resource.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
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
#include <tuple>
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

// What the program makes of its store, as the person sees it: the link, and the pages after
// a while of data, before and after the person picks metric units and turns trails on (which
// is acted on at once, and asks nothing but the dialog).
struct Seen {
    bool bOpen;
    uint32_t nBaud;
    std::array<QImage, 4> before, after;
    size_t nPrompts;
    friend bool operator==(const Seen&, const Seen&) = default;
};

Seen Exercise(CMainFrame& frame) {
    CScriptedInteraction person;
    Seen seen{frame.Link().IsOpen(), frame.Link().m_nBaud, {}, {}, 0};
    FeedChunks(frame.Parser(), SimulatedSeconds(40));
    ProcessPosted();
    seen.before = RenderPages(frame);
    person.AnswerDialog([](QDialog& d) {
        GetDlgItemAs<QComboBox>(&d, IDC_DISTANCE_SPEED)->setCurrentIndex(2);
        d.accept();
    });
    frame.OnCommand(ID_UNITS);
    frame.OnCommand(ID_ENABLE_TRAILS);
    seen.after = RenderPages(frame);
    seen.nPrompts = person.Prompts().size();
    return seen;
}

auto Tied(const AveragingSettings& a) {
    return std::tuple(a.bUseAveraging, a.bLatLonUseHdop, a.bAltUseVdop, a.dAltThreshold,
                      a.dLatLonThreshold);
}

class DamagedSettings : public FaultTest, public testing::WithParamInterface<Damage> {};

// The program on a damaged store is the program on an empty one, averaging settings included.
TEST_P(DamagedSettings, LeaveTheProgramOnItsDefaultsWithoutAWord) {
    CPty receiver(1);
    chmod(receiver.Path().c_str(), 0666); // the program may run as "nobody" below
    const AveragingSettings defaults = ReadAveragingSettings();
    const Seen fresh = Exercise(*MakeFrame());
    ASSERT_EQ(fresh.nPrompts, 1u);
    ASSERT_TRUE(QFile::remove(ConfigFile()));
    GetParam().write(ConfigFile());
    std::unique_ptr<CMainFrame> pFrame;
    {
        // Locked only while the program reads: an unreadable file is as good as none.
        std::optional<CLockedSettings> lock;
        if (GetParam().bUnreadable)
            lock.emplace(ConfigFolder(), ConfigFile(), true);
        pFrame = MakeFrame();
        EXPECT_EQ(Tied(ReadAveragingSettings()), Tied(defaults));
    }
    // Once readable, the pages would read its units: what the frame read at start is what
    // counts here.
    if (GetParam().bUnreadable)
        QFile::remove(ConfigFile());
    EXPECT_TRUE(Exercise(*pFrame) == fresh);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DamagedSettings,
    testing::Values(Damage{"RandomBytes", [](const QString& f) { WriteRaw(f, RandomBytes(4096)); }},
                    Damage{"WrongTypesAndRanges", WriteWrongTypes},
                    Damage{"Unreadable",
                           [](const QString& f) {
                               WriteRaw(
                                   f,
                                   "[Panel]\nMax%20Speed=300\n[Azimuthelevation]\nEnableTrails=1\n"
                                   "[Averaging]\nUse%20Averaging=0\n");
                           },
                           true}),
    [](const testing::TestParamInfo<Damage>& info) { return info.param.pszLegend; });

TEST_F(FaultTest, AReadOnlyStoreIsUsedAndChangesFailQuietlyButAreActedOn) {
    CPty receiver(3);
    chmod(receiver.Path().c_str(), 0666); // the program runs as "nobody" below
    WriteSettingInt(kSectionSerial, kPort, 3);
    WriteSettingInt(kSectionPanel, kMaxSpeed, 200);
    QFile file(ConfigFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray stored = file.readAll();
    file.close();
    {
        CLockedSettings lock(ConfigFolder(), ConfigFile(), false);
        auto pFrame = MakeFrame();
        EXPECT_TRUE(pFrame->Link().IsOpen()); // the stored port 3
        EXPECT_EQ(pFrame->View().PanelPage().Speedometer().FullScale(), 200.0);
        const Seen seen = Exercise(*pFrame);
        EXPECT_NE(seen.after, seen.before);
        EXPECT_EQ(seen.nPrompts, 1u); // the dialog, no error
        EXPECT_EQ(pFrame->View().SatellitePage().SkyPlot().Trails(), 1);
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), stored);
}

} // namespace
