// SPDX-License-Identifier: MIT
// A damaged settings file — random bytes, values of the wrong type or out of range, a file
// nobody may read — leaves the program as an empty store does and asks nothing. A file that
// may be read but not written is used, and the changes made in dialogs are acted on but fail
// quietly to reach it.
#include "FaultSupport.h"
#include "common/Pty.h"

#include "stats/AveragingStore.h"

#include <QComboBox>
#include <QFile>

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
            setfsuid(65534);
    }
    ~CLockedSettings() {
        if (geteuid() == 0)
            setfsuid(0);
        chmod(QFile::encodeName(m_strFolder).constData(), 0755);
        chmod(QFile::encodeName(m_strFile).constData(), 0644);
    }

private:
    QString m_strFolder;
    QString m_strFile;
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

// The program on a damaged store is the program on an empty one, averaging settings included.
TEST_F(FaultTest, DamagedSettingsLeaveTheProgramOnItsDefaultsWithoutAWord) {
    CPty receiver(1);
    chmod(receiver.Path().c_str(), 0666); // the program may run as "nobody" below
    const auto defaults = Tied(ReadAveragingSettings());
    const Seen fresh = Exercise(*MakeFrame());
    ASSERT_EQ(fresh.nPrompts, 1u);
    // Values another program (or a future version) might have stored under our names, and
    // good ones in a file nobody may read.
    const struct {
        std::string strFile;
        bool bUnreadable = false;
    } cases[] = {{RandomBytes(4096)},
                 {ReadWholeFile(RAVUZIZ_DATA_DIR "/faults/wrong-types.conf")},
                 {ReadWholeFile(RAVUZIZ_DATA_DIR "/faults/unreadable.conf"), true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.strFile.substr(0, 30));
        ASSERT_TRUE(QFile::remove(ConfigFile()));
        WriteWholeFile(ConfigFile(), c.strFile);
        std::unique_ptr<CMainFrame> pFrame;
        {
            // Locked only while the program reads: an unreadable file is as good as none.
            std::optional<CLockedSettings> lock;
            if (c.bUnreadable)
                lock.emplace(ConfigFolder(), ConfigFile(), true);
            pFrame = MakeFrame();
            EXPECT_EQ(Tied(ReadAveragingSettings()), defaults);
        }
        // Once readable, the pages would read its units: what the frame read at start is what
        // counts here.
        if (c.bUnreadable)
            QFile::remove(ConfigFile());
        EXPECT_TRUE(Exercise(*pFrame) == fresh);
    }
}

TEST_F(FaultTest, AReadOnlyStoreIsUsedAndChangesFailQuietlyButAreActedOn) {
    CPty receiver(3);
    chmod(receiver.Path().c_str(), 0666); // the program runs as "nobody" below
    WriteSettingInt(kSectionSerial, kPort, 3);
    WriteSettingInt(kSectionPanel, kMaxSpeed, 200);
    const std::string strStored = ReadWholeFile(ConfigFile());
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
    EXPECT_EQ(ReadWholeFile(ConfigFile()), strStored);
}

} // namespace
