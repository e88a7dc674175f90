// SPDX-License-Identifier: MIT
// Both satellite pages fed from recorded captures as the poll loop feeds them: 255-byte chunks,
// the sky page notified after each (even within a GSV group), the Sig/Nav timer every four.
// The sky plot's screen stays what a full repaint draws, the text Sig/Nav drew in part what a
// fresh page draws; both end as kept. Reading every system (four systems and SBAS, up to
// fifty satellites) at the pages of a 240 x 320 and a 480 x 640 window, the sky plot names
// every satellite with a position by its RINEX name, and the bars group them by system with
// the labels that fit, fix by fix as kept and as a fresh page draws them.
#include "ViewsTestSupport.h"

#include "platform/Messages.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "shell/MainFrame.h"
#include "shell/MainView.h"
#include "shell/TabWnd.h"
#include "views/AzElWnd.h"
#include "views/SigNavWnd.h"

namespace {

constexpr int kChunk = 255;       // what one poll reads at most
constexpr int kChunksPerTick = 4; // 1200 ms of 300 ms polls

// The page under the menu bar, the tabs and the status bar, as the main frame lays out a
// window of that size.
CRect PageOfWindow(QSize window) {
    // The frame opens the stored port, port 1: no serial port of the machine takes part.
    qputenv("RAVUZIZ_COM1", "/nonexistent/receiver");
    CMainFrame::Options options;
    options.bSkipWarning = true;
    CMainFrame frame(options);
    frame.resize(window);
    ProcessPosted(); // the frame shows itself
    qunsetenv("RAVUZIZ_COM1");
    const QWidget* pPage = frame.View().TabWnd().CurrentPage();
    return {0, 0, pPage->width(), pPage->height()};
}

struct Stream {
    const char* pszCapture;
    QSize window; // none: a page under the tabs of a 240 x 320 screen
    friend void PrintTo(const Stream& s, std::ostream* pOut) {
        *pOut << s.pszCapture << " " << s.window.width() << "x" << s.window.height();
    }
};

class CapturePages : public CleanStoreTest, public testing::WithParamInterface<Stream> {
protected:
    void SetUp() override {
        CleanStoreTest::SetUp();
        if (IsSkipped())
            return;
        const QSize window = GetParam().window;
        page = window.isEmpty() ? CRect{0, 0, 240, 268} : PageOfWindow(window);
        gps.SetAllSystems(!window.isEmpty());
        strName = window.isEmpty()
                      ? "capture-" + QString::fromLatin1(GetParam().pszCapture).section('.', 0, 0)
                      : QStringLiteral("systems-%1x%2").arg(window.width()).arg(window.height());
    }
    QImage FreshSigNav() { return FreshPage<CSigNavWnd>(gps, parent, page); }
    CNmeaParser gps;
    QWidget parent;
    CRect page;
    QString strName;
};

TEST_P(CapturePages, BothPagesDrawTheStreamWithinTheirAreas) {
    WriteSettingInt(kSectionAzimuthElevation, kEnableTrails, 1);
    const std::string strCapture =
        ReadWholeFile(QStringLiteral(RAVUZIZ_DATA_DIR "/") + GetParam().pszCapture);
    CAzElWnd sky(gps);
    ASSERT_TRUE(sky.Create(QStringLiteral("SatInfo"), page, &parent, 0xFFFF));
    CSigNavWnd sigNav(gps);
    ASSERT_TRUE(sigNav.Create(QStringLiteral("SigQual"), page, &parent, 0xFFFF));
    Render(sky);
    Composite(sigNav);
    int nChunks = 0;
    for (size_t nAt = 0; nAt < strCapture.size(); nAt += kChunk) {
        FeedChunks(gps, strCapture.substr(nAt, kChunk));
        Notify(sky, WM_GPS_GSV); // also in the middle of a group
        if (++nChunks % kChunksPerTick == 0) {
            FireTimers(&sigNav);
            Composite(sigNav);
        }
        const QImage shown = sky.Surface().copy();
        ASSERT_EQ(shown, Repainted(sky)) << "after chunk " << nChunks;
    }
    FireTimers(&sigNav);
    EXPECT_TRUE(MatchesPicture(sky.Surface(), strName + "-sky"));
    // (The bars' range has widened with every SNR of the stream, the fresh page's has not.)
    const CRect text = CSigNavWnd::TextArea(page);
    const QRect textArea(text.left, text.top, text.Width(), text.Height());
    EXPECT_TRUE(Composite(sigNav).copy(textArea) == FreshSigNav().copy(textArea));
    EXPECT_TRUE(MatchesPicture(Composite(sigNav), strName + "-signav"));
}

// More and more satellites rise, until fifty are in view; the few have wide slots that hold
// more of the labels. Between the first two fixes, two GPS satellites set as two SBAS
// satellites rise: as many bars, in other groups.
class SystemBars : public CapturePages {};

TEST_P(SystemBars, TheBarsGroupTheSatellitesBySystemWithTheLabelsThatFit) {
    CSigNavWnd sigNav(gps);
    ASSERT_TRUE(sigNav.Create(QStringLiteral("SigQual"), page, &parent, 0xFFFF));
    const std::vector<std::string> fixes = MultiSystemFixes();
    for (size_t k = 0; k + 1 < fixes.size(); ++k) {
        SCOPED_TRACE(k);
        FeedChunks(gps, fixes[k]);
        FireTimers(&sigNav);
        const QImage image = Composite(sigNav);
        EXPECT_TRUE(MatchesPicture(image, strName + QStringLiteral("-bars-%1").arg(k + 1)));
        EXPECT_EQ(image, FreshSigNav());
    }
}

const Stream kSystems[] = {{"multi-system.nmea", {240, 320}}, {"multi-system.nmea", {480, 640}}};
INSTANTIATE_TEST_SUITE_P(Systems, SystemBars, testing::ValuesIn(kSystems));
INSTANTIATE_TEST_SUITE_P(Captures, CapturePages,
                         testing::Values(Stream{"sample.nmea", {}}, Stream{"demo.nmea", {}},
                                         Stream{"quirks.nmea", {}}, kSystems[0], kSystems[1]));

} // namespace
