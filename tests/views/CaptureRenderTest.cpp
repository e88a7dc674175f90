// SPDX-License-Identifier: MIT
// Both satellite pages fed from recorded captures through the real decoder, as the poll loop
// feeds them: 255-byte chunks, the sky page notified after each (even within a GSV group),
// the Sig/Nav timer every four chunks. Whatever the stream holds, the sky plot's screen stays
// what a full repaint draws and the text Sig/Nav drew in part is what a fresh page draws; both
// end as kept.
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

class CaptureRender : public CleanStoreTest, public testing::WithParamInterface<const char*> {};

TEST_P(CaptureRender, BothPagesDrawTheStreamWithinTheirAreas) {
    WriteSettingInt(kSectionAzimuthElevation, kEnableTrails, 1);
    const std::string strCapture = ReadWholeFile(QStringLiteral(RAVUZIZ_DATA_DIR "/") + GetParam());
    ASSERT_FALSE(strCapture.empty());

    CNmeaParser gps;
    QWidget parent;
    CAzElWnd sky(gps);
    ASSERT_TRUE(sky.Create(QStringLiteral("SatInfo"), kPage, &parent, 0xFFFF));
    CSigNavWnd sigNav(gps);
    ASSERT_TRUE(sigNav.Create(QStringLiteral("SigQual"), kPage, &parent, 0xFFFF));
    const QImage emptySky = Render(sky);
    Composite(sigNav);

    int nChunks = 0;
    for (size_t nAt = 0; nAt < strCapture.size(); nAt += kChunk) {
        FeedChunks(gps, strCapture.substr(nAt, kChunk));
        Notify(sky, WM_GPS_GSV); // also in the middle of a group
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

    // The sky page: exactly the satellites of the last group, as kept.
    const QImage shown = sky.Surface().copy();
    EXPECT_EQ(shown, Repainted(sky));
    const QString strName = QString::fromLatin1(GetParam()).section('.', 0, 0);
    EXPECT_TRUE(MatchesPicture(shown, "capture-" + strName + "-sky"));

    // The Sig/Nav page: the bars of the last group, the page as a fresh one draws it.
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
