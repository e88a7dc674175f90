// SPDX-License-Identifier: MIT
// The signal bars drawn into images: slots and frames where the layout puts them, filled
// heights on the tracked range, the SNR and PRN texts, and a full erase when the number of
// bars changes.
#include "ViewsTestSupport.h"

#include "platform/ScriptedInteraction.h"
#include "platform/SystemMetrics.h"
#include "resources/resource.h"
#include "views/SignalBarWnd.h"

#include <QContextMenuEvent>

#include <gtest/gtest.h>

namespace {

const QColor kFace = GetSysColor(COLOR_BTNFACE);
const QColor kUsed = GetSysColor(COLOR_HIGHLIGHT);
const QColor kNotUsed = GetSysColor(COLOR_GRAYTEXT);

// The filled height of an SNR nAbove dB-Hz above the minimum of a range nSpan wide.
int Scaled(int nBarHeight, int nAbove, int nSpan) {
    return static_cast<int>((static_cast<double>(nBarHeight) / nSpan) * nAbove);
}

int TextHeight(int nTenthsOfPoint) {
    CDrawContext dc;
    dc.SelectFont(dc.CreatePointFont(nTenthsOfPoint, QStringLiteral("Arial")));
    return dc.GetTextMetrics().tmHeight;
}

struct Bars {
    QWidget parent;
    CSignalBarWnd wnd;
    int nWidth;
    int nHeight;

    explicit Bars(int w = 240, int h = 100) : nWidth(w), nHeight(h) {
        wnd.Create(QStringLiteral("SigQual"), {0, 0, w, h}, &parent, 0xFFFF);
    }
    void Set(int i, int nPrn, int nSnr, int bUsed) { wnd.SetChannel(i, {nPrn, nSnr, bUsed}); }
    QImage Paint() {
        wnd.Invalidate(false);
        return Render(wnd);
    }
    int SlotWidth() const { return (nWidth - 2) / wnd.ChannelCount(); }
    // The inside of bar i's frame.
    CRect Bar(int i, int th) const {
        const int s = SlotWidth();
        return {3 + i * s, 3, (i + 1) * s - 1, nHeight - 2 - th};
    }
    // The filled part's height read off the bar's left column (the SNR text is centred and
    // does not reach it), less the one row more that it always has: an empty bar shows a
    // line, a full one covers the frame's top edge.
    int FilledHeight(const QImage& image, int i, int th) const {
        const CRect bar = Bar(i, th);
        int n = 0;
        for (int y = bar.top - 1; y < bar.bottom; ++y) {
            const QRgb pixel = image.pixel(bar.left, y);
            if (pixel == kUsed.rgb() || pixel == kNotUsed.rgb())
                ++n;
        }
        return n - 1;
    }
};

TEST(SignalBars, TwelveSlotsOnATwoHundredFortyPixelWindow) {
    Bars bars;
    const QImage image = bars.Paint();
    EXPECT_EQ(bars.wnd.ChannelCount(), 12);
    EXPECT_EQ(bars.SlotWidth(), 19);
    // 7.9 points for (240 - 2) / 3.
    const int th = TextHeight(79);
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        // The sunken frame round the bar, the bar itself empty but for its bottom row.
        EXPECT_EQ(image.pixel(2 + 19 * i, 2), GetSysColor(COLOR_3DDKSHADOW).rgb());
        EXPECT_EQ(image.pixel(19 * (i + 1) - 1, 100 - 2 - th),
                  GetSysColor(COLOR_BTNHIGHLIGHT).rgb());
        EXPECT_EQ(image.pixel(3 + 19 * i, 3), kFace.rgb());
        EXPECT_EQ(bars.FilledHeight(image, i, th), 0);
    }
    // The 10 pixels right of the last slot stay empty.
    EXPECT_EQ(CountColour(image, kFace, QRect(230, 0, 10, 100)), 10 * 100);
}

TEST(SignalBars, FillsOnTheRangeOfTheSnrsSeen) {
    Bars bars;
    bars.Set(0, 4, 30, 1);
    bars.Set(1, 5, 40, 0);
    bars.Set(2, 9, 45, 1);
    const QImage image = bars.Paint();
    const int th = TextHeight(79);
    const int B = bars.Bar(0, th).Height();
    EXPECT_EQ(bars.FilledHeight(image, 0, th), 0);
    EXPECT_EQ(bars.FilledHeight(image, 1, th), Scaled(B, 10, 15));
    EXPECT_EQ(bars.FilledHeight(image, 2, th), B);
    EXPECT_EQ(bars.wnd.Range().Maximum(), 45);
    EXPECT_EQ(bars.wnd.Range().Minimum(), 30);

    // The colour tells used from not used.
    const CRect bar1 = bars.Bar(1, th);
    EXPECT_EQ(image.pixel(bar1.left, bar1.bottom - 1), kNotUsed.rgb());
    const CRect bar2 = bars.Bar(2, th);
    EXPECT_EQ(image.pixel(bar2.left, bar2.bottom - 1), kUsed.rgb());
    EXPECT_EQ(image.pixel(bar2.left, bar2.top), kUsed.rgb());
}

TEST(SignalBars, TheRangeOnlyWidensUntilReset) {
    Bars bars;
    bars.Set(0, 4, 30, 1);
    bars.Set(1, 5, 45, 1);
    bars.Paint();
    bars.Set(0, 4, 35, 1);
    bars.Set(1, 5, 41, 1);
    bars.Set(2, 6, 0, 1);
    const int th = TextHeight(79);
    const int B = bars.Bar(0, th).Height();
    QImage image = bars.Paint();
    EXPECT_EQ(bars.FilledHeight(image, 0, th), Scaled(B, 5, 15));
    EXPECT_EQ(bars.FilledHeight(image, 1, th), Scaled(B, 11, 15));

    bars.wnd.ResetRange();
    image = Render(bars.wnd);
    EXPECT_EQ(bars.wnd.Range().Maximum(), 41);
    EXPECT_EQ(bars.wnd.Range().Minimum(), 35);
    EXPECT_EQ(bars.FilledHeight(image, 0, th), 0);
    EXPECT_EQ(bars.FilledHeight(image, 1, th), B);

    // A signal that drops to nothing empties its bar and leaves the range alone.
    bars.Set(1, 5, 0, 1);
    image = bars.Paint();
    EXPECT_EQ(bars.FilledHeight(image, 1, th), 0);
    EXPECT_EQ(bars.wnd.Range().Maximum(), 41);
}

TEST(SignalBars, OneDistinctSnrFillsItsBars) {
    Bars bars;
    bars.Set(0, 4, 38, 1);
    bars.Set(1, 5, 38, 0);
    bars.Set(2, 6, 0, 0);
    const QImage image = bars.Paint();
    const int th = TextHeight(79);
    EXPECT_EQ(bars.FilledHeight(image, 0, th), bars.Bar(0, th).Height());
    EXPECT_EQ(bars.FilledHeight(image, 1, th), bars.Bar(1, th).Height());
    EXPECT_EQ(bars.FilledHeight(image, 2, th), 0);
}

TEST(SignalBars, WritesTheSnrInTheBarOrAboveAShortOneAndThePrnUnderIt) {
    Bars bars;
    bars.Set(0, 4, 30, 1);
    bars.Set(1, 23, 45, 1);
    bars.Set(2, 7, 8, 0);
    const QImage image = bars.Paint();
    const int th = TextHeight(79);
    CDrawContext dc;
    const CFont font = dc.CreatePointFont(79, QStringLiteral("Arial"));

    auto expectCentred = [&](const QString& strText, const CRect& cell, const QColor& text,
                             const QColor& background) {
        SCOPED_TRACE(strText.toStdString());
        const QImage reference = TextCell(strText, font, text, background);
        const QPoint at(cell.left + (cell.Width() - reference.width()) / 2, cell.top);
        EXPECT_TRUE(ShowsAt(image, reference, at));
    };
    const CRect bar1 = bars.Bar(1, th);
    // A full bar: its filled part starts one row above the bar.
    expectCentred(QStringLiteral("45"), {bar1.left, bar1.top - 1, bar1.right, bar1.bottom},
                  GetSysColor(COLOR_HIGHLIGHTTEXT), kUsed);
    for (const auto& [i, strPrn] : {std::pair{0, "4"}, std::pair{1, "23"}, std::pair{2, "7"}}) {
        const CRect bar = bars.Bar(i, th);
        expectCentred(QString::fromLatin1(strPrn),
                      {bar.left, bar.bottom + 2, bar.right + 1, bar.bottom + th + 2},
                      GetSysColor(COLOR_WINDOWTEXT), kFace);
    }
    // Channel 2 has SNR 8 below the range: its one-row strip has no room for "08", which
    // stands just above it in the labels' colour, whole.
    const CRect bar2 = bars.Bar(2, th);
    expectCentred(QStringLiteral("08"), {bar2.left, bar2.bottom - 1 - th, bar2.right, bar2.bottom},
                  GetSysColor(COLOR_WINDOWTEXT), kFace);
    EXPECT_EQ(CountColour(image, GetSysColor(COLOR_HIGHLIGHTTEXT), ToQRect(bar2)), 0);
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
    EXPECT_EQ(bars.SlotWidth(), 29);
    EXPECT_EQ(image.pixel(2 + 29 * 7, 2), GetSysColor(COLOR_3DDKSHADOW).rgb());
}

TEST(SignalBars, ChannelsAndCountStayWithinThe32Channels) {
    Bars bars;
    bars.wnd.SetChannelCount(99);
    EXPECT_EQ(bars.wnd.ChannelCount(), 32);
    bars.wnd.SetChannel(32, {1, 40, 1});
    bars.wnd.SetChannel(-1, {1, 40, 1});
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(bars.wnd.Channel(i).nPrn, 0);
    const QImage image = bars.Paint();
    EXPECT_EQ(bars.SlotWidth(), 7);
    EXPECT_EQ(image.pixel(2 + 7 * 31, 2), GetSysColor(COLOR_3DDKSHADOW).rgb());
}

TEST(SignalBars, ANarrowWindowKeepsSixPointLabels) {
    Bars bars(150, 80);
    const QImage image = bars.Paint();
    const int th = TextHeight(60);
    ASSERT_NE(th, TextHeight(49));
    // The frames end above a label row of the six-point font.
    EXPECT_EQ(image.pixel(2, 80 - 3 - th), GetSysColor(COLOR_3DDKSHADOW).rgb());
    EXPECT_EQ(image.pixel(2, 80 - 2 - th), GetSysColor(COLOR_BTNHIGHLIGHT).rgb());
    EXPECT_EQ(image.pixel(2, 80 - 1 - th), kFace.rgb());
}

TEST(SignalBars, TheBarGraphOffersTheResetMenuToItsOwner) {
    CSigQualWnd bars;
    bars.Create(QStringLiteral("SigQual"), {0, 0, 240, 100}, nullptr, 0xFFFF, false);
    CScriptedInteraction person;
    person.AnswerMenu(0);
    QContextMenuEvent hold(QContextMenuEvent::Mouse, QPoint(50, 60), QPoint(150, 160));
    QCoreApplication::sendEvent(&bars, &hold);
    EXPECT_TRUE(hold.isAccepted());
    ASSERT_EQ(person.Prompts().size(), 1u);
    ASSERT_EQ(person.Prompts()[0].menuItems.size(), 1u);
    EXPECT_EQ(person.Prompts()[0].menuItems[0].nId, ID_RESET_SNR);
    EXPECT_EQ(person.Prompts()[0].menuItems[0].strText, QStringLiteral("&Reset SNR Max and Min"));
}

} // namespace
