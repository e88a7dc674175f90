// SPDX-License-Identifier: MIT
// Both satellite pages fed from recorded captures through the real decoder, as the poll loop
// feeds them: 255-byte chunks, GSV notifications delivered after each chunk, the Sig/Nav
// timer every four chunks. Whatever the stream holds, the sky plot's screen stays what a full
// repaint draws and shows the last group's satellites; the Sig/Nav page shows the last
// group's bars, and the text it drew in part is what a fresh page draws; both end as kept.
#include "ViewsTestSupport.h"

#include "platform/Messages.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "views/AzElWnd.h"
#include "views/SigNavWnd.h"

#include <algorithm>

namespace {

constexpr int kChunk = 255;        // what one poll reads at most
constexpr int kChunksPerTick = 4;  // 1200 ms of 300 ms polls
const CRect kPage{0, 0, 240, 268}; // a page under the tabs of a 240 x 320 screen

// Delivers the decoder's GSV notification to the sky page, as the main view does.
struct SkyPageNotify : INmeaNotify {
    CAzElWnd* pPage = nullptr;
    int nGroups = 0;
    void PostToMain(unsigned nMessage) override {
        if (nMessage == WM_GPS_GSV) {
            pPage->PostMessage(WM_GPS_GSV);
            ++nGroups;
        }
    }
    void Broadcast(unsigned) override {}
};

class CaptureRender : public CleanStoreTest, public testing::WithParamInterface<const char*> {};

TEST_P(CaptureRender, BothPagesDrawTheStreamWithinTheirAreas) {
    WriteSettingInt(kSectionAzimuthElevation, kEnableTrails, 1);
    const std::string strCapture = ReadWholeFile(QStringLiteral(RAVUZIZ_DATA_DIR "/") + GetParam());
    ASSERT_FALSE(strCapture.empty());

    SkyPageNotify notify;
    CNmeaParser gps(&notify);
    QWidget parent;
    CAzElWnd sky(gps);
    ASSERT_TRUE(sky.Create(QStringLiteral("SatInfo"), kPage, &parent, 0xFFFF));
    notify.pPage = &sky;
    CSigNavWnd sigNav(gps);
    ASSERT_TRUE(sigNav.Create(QStringLiteral("SigQual"), kPage, &parent, 0xFFFF));
    const QImage emptySky = Render(sky);
    Composite(sigNav);

    int nChunks = 0;
    for (size_t nAt = 0; nAt < strCapture.size(); nAt += kChunk) {
        FeedChunks(gps, strCapture.substr(nAt, kChunk));
        ProcessPosted();
        if (++nChunks % kChunksPerTick == 0) {
            FireTimers(&sigNav);
            Composite(sigNav);
        }
        if (nChunks % 25 == 0) {
            const QImage shown = sky.Surface().copy();
            ASSERT_EQ(shown, Repainted(sky)) << "after chunk " << nChunks;
        }
    }
    FireTimers(&sigNav);
    EXPECT_GT(notify.nGroups, 0);

    // The sky page: exactly the satellites of the last group, as kept.
    const QImage shown = sky.Surface().copy();
    EXPECT_EQ(shown, Repainted(sky));
    const int nInView = std::min<int>(gps.m_nSatsInView, CNmeaParser::kSatellites);
    for (int i = 0; i < kSkySlots; ++i)
        EXPECT_EQ(sky.SkyPlot().CurrentSlots()[static_cast<size_t>(i)].nPrn,
                  i < nInView ? gps.m_Sats[i].nPrn : 0);
    const QString strName = QString::fromLatin1(GetParam()).section('.', 0, 0);
    EXPECT_TRUE(MatchesPicture(shown, "capture-" + strName + "-sky"));

    // The Sig/Nav page: the bars of the last group, the page as a fresh one draws it.
    const CSigQualWnd& bars = sigNav.SignalBars();
    EXPECT_EQ(bars.ChannelCount(),
              gps.m_nSatsInView == 0 ? 12 : std::min<int>(gps.m_nSatsInView, 32));
    for (int i = 0; i < bars.ChannelCount(); ++i)
        EXPECT_EQ(bars.Channel(i).nSnr, gps.m_Sats[i].nSnr);
    CSigNavWnd fresh(gps);
    ASSERT_TRUE(fresh.Create(QStringLiteral("SigQual"), kPage, &parent, 0xFFFF));
    Composite(fresh);
    FireTimers(&fresh);
    // (The bars' range has widened with every SNR of the stream, the fresh page's has not.)
    const CRect text = CSigNavWnd::TextArea(kPage);
    const QRect textArea(text.left, text.top, text.Width(), text.Height());
    EXPECT_TRUE(Composite(sigNav).copy(textArea) == Composite(fresh).copy(textArea));
    EXPECT_TRUE(MatchesPicture(Composite(sigNav), "capture-" + strName + "-signav"));
}

INSTANTIATE_TEST_SUITE_P(Captures, CaptureRender,
                         testing::Values("sample.nmea", "demo.nmea", "quirks.nmea"));

} // namespace
