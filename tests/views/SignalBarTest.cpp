// SPDX-License-Identifier: MIT
// The signal bars drawn into images: slots, frames, filled heights on the tracked range and
// the SNR and PRN texts as the kept pictures show them. The range is widened by every non-zero
// SNR, narrowed only by a reset, clamped, and defined when only one SNR has been seen. (A
// changed number of bars is the Sig/Nav page's test.)
#include "ViewsTestSupport.h"

#include "views/SignalBarWnd.h"
#include "views/SignalScale.h"

#include <initializer_list>

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

CSnrRange RangeOf(std::initializer_list<int> snrs) {
    CSnrRange range;
    for (const int n : snrs)
        range.Widen(n);
    return range;
}

TEST(SnrRange, FillsBarsInProportionBetweenTheSmallestAndLargestSnr) {
    struct Case {
        const char* legend;
        std::initializer_list<int> seen;
        int nBarHeight;
        int nSnr;
        int nExpected;
    } const cases[] = {
        {"at the maximum: full", {30, 40, 45}, 100, 45, 100},
        {"at the minimum: empty", {30, 40, 45}, 100, 30, 0},
        {"two thirds, truncated", {30, 40, 45}, 100, 40, 66},
        {"no signal: empty", {30, 40, 45}, 100, 0, 0},
        {"above the range: clamped to full", {30, 45}, 60, 50, 60},
        {"nothing seen: empty", {}, 60, 35, 0},
        {"one SNR seen: full", {38}, 60, 38, 60},
        {"one SNR seen, no signal: empty", {38, 0}, 60, 0, 0},
        // Height over span first, then times the SNR's place: 45 / 33 x 11 is a hair below 15.
        {"the fixed operand order", {20, 53}, 45, 31, 14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.legend);
        EXPECT_EQ(RangeOf(c.seen).FilledHeight(c.nBarHeight, c.nSnr), c.nExpected);
    }
}

} // namespace
