// SPDX-License-Identifier: MIT
// The signal bars drawn into images: slots, frames, filled heights on the tracked range and
// the SNR and PRN texts as the kept pictures show them, and a full erase when the number of
// bars changes.
#include "ViewsTestSupport.h"

#include "views/SignalBarWnd.h"

namespace {

struct Bars {
    QWidget parent;
    CSignalBarWnd wnd;

    explicit Bars(int w = 240, int h = 100) {
        wnd.Create(QStringLiteral("SigQual"), {0, 0, w, h}, &parent, 0xFFFF);
    }
    void Set(int i, int nPrn, int nSnr, int bUsed) { wnd.SetChannel(i, {nPrn, nSnr, bUsed}); }
    QImage Paint() {
        wnd.Invalidate(false);
        return Render(wnd);
    }
};

// Twelve slots on a 240-pixel window; bars at the range's ends, one between them, a weak one
// below it whose SNR stands above its strip, one without signal, used and not used. A narrow
// window keeps six-point labels; 32 bars at most.
TEST(SignalBars, DrawSlotsBarsAndTextsAsKept) {
    const struct {
        const char* pszPicture;
        int nWidth, nHeight, nCount;
    } cases[] = {{"signal-bars", 240, 100, 12},
                 {"signal-bars-narrow", 150, 80, 12},
                 {"signal-bars-32", 240, 100, 99}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszPicture);
        Bars bars(c.nWidth, c.nHeight);
        bars.wnd.SetChannelCount(c.nCount);
        bars.Set(0, 4, 30, 1);
        bars.Set(1, 5, 40, 0);
        bars.Set(2, 23, 45, 1);
        bars.Set(3, 7, 8, 0);
        bars.Set(4, 9, 0, 1);
        bars.wnd.SetChannel(CSignalBarWnd::kSystemChannels, {1, 99, 1}); // no such channel
        bars.Paint();
        bars.Set(3, 7, 31, 0); // the range only widens: 8 stays its minimum
        EXPECT_TRUE(MatchesPicture(bars.Paint(), c.pszPicture));
    }
}

TEST(SignalBars, AChangedNumberOfBarsRepaintsWithErase) {
    // The first eight channels hold the extremes, so eight or twelve bars share one range.
    auto fill = [](Bars& bars) {
        for (int i = 0; i < 12; ++i)
            bars.Set(i, i + 1, i == 7 ? 31 : i < 8 ? 20 + i : 25, i % 2);
    };
    Bars bars;
    fill(bars);
    bars.Paint();
    bars.wnd.SetChannelCount(8);
    const QImage image = bars.Paint();
    Bars fresh;
    fill(fresh);
    fresh.wnd.SetChannelCount(8);
    EXPECT_EQ(image, fresh.Paint());
}

} // namespace
