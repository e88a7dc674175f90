// SPDX-License-Identifier: MIT
// The drawing context's pixel conventions, as the kept picture shows them: shapes stop short
// of their right and bottom edges, outlines land on exact pixels, lines leave out their end
// point, text cells fill only in opaque mode. XOR copies undo themselves byte for byte, every
// resolution sets the device blocks of the logical pixels, the bounds hold every changed
// pixel, a kept painter draws what painters per operation draw, and selections hand back what
// they replace. (Font sizes show in every page's kept pictures.)
#include "platform/DrawContext.h"
#include "common/Golden.h"
#include "common/Pixels.h"
#include "platform/DevicePixels.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

struct WhiteSurface {
    CBitmap bitmap;
    explicit WhiteSurface(int w = 60, int h = 50, qreal dRatio = 1.0) {
        bitmap.CreateBitmap(w, h, dRatio);
        bitmap.Image().fill(kWhite);
    }
    const QImage& Image() const { return bitmap.Image(); }
};

bool SameBytes(const QImage& a, const QImage& b) {
    return a.sizeInBytes() == b.sizeInBytes() &&
           std::memcmp(a.constBits(), b.constBits(), static_cast<size_t>(a.sizeInBytes())) == 0;
}

// A drawing of every kind of operation, interleaved as a gauge draws: shapes with thin, wide
// and no outlines, lines either way, polygons, frames, opaque and transparent text in two
// fonts, centred and clipped texts, block copies and the status light's masked copy.
void DrawEveryKind(CDrawContext& dc) {
    CBitmap block;
    block.CreateCompatibleBitmap(10, 8);
    block.Image().fill(QColor(40, 200, 90));
    block.Image().setPixel(2, 3, QColor(255, 0, 255).rgb());
    const CDrawContext blockDC(block);
    CBitmap mask = MakeKeyMask(block, QColor(255, 0, 255));
    const CDrawContext maskDC(mask);
    const CFont small = dc.CreatePointFont(80, QStringLiteral("Arial"));
    const CFont bold = dc.CreatePointFont(120, QStringLiteral("Arial"), FW_BOLD);
    for (int i = 0; i < 3; ++i) {
        dc.SelectPen(i == 2 ? CPen::Null() : CPen(PS_SOLID, 1 + 2 * i, QColor(10 * i, 0, 200)));
        dc.SelectBrush(CBrush(QColor(250, 20 * i, 0)));
        dc.Ellipse(5 + i, 5, 60 - i, 50 - 2 * i);
        dc.Rectangle(62 + 5 * i, 2, 70 + 6 * i, 9 + 9 * i);
        dc.MoveTo(2, 2 + 10 * i);
        dc.LineTo(70, 40 - 5 * i);
        dc.LineTo(75 - i, 55);
        const CPoint kite[] = {{30, 10}, {40 + i, 20}, {30, 45}, {20, 20}};
        dc.Polygon(kite);
        dc.Draw3dRect({2 + 3 * i, 50, 20 + 3 * i, 57}, kBlack, kBlue);
        dc.FillSolidRect({60, 45 + 4 * i, 66 + i, 47 + 4 * i}, kRed);
        dc.SelectFont(i % 2 ? bold : small);
        dc.SetBkMode(i % 2 ? OPAQUE : TRANSPARENT);
        dc.SetBkColor(QColor(200, 200, 0));
        dc.SetTextColor(QColor(0, 0, 90 * i));
        dc.TextOut(8 + i, 12 * i, QStringLiteral("N 47%1").arg(i));
        dc.DrawText(QStringLiteral("12.5 MPH"), CRect{10, 30, 45, 42 + i},
                    i == 2 ? DT_LEFT | DT_TOP | DT_NOCLIP : DT_CENTER | DT_SINGLELINE);
        dc.BitBlt(50 - 5 * i, 3 * i, 10, 8, blockDC, 0, 0, i == 1 ? SRCCOPY : SRCINVERT);
        dc.SetPixel(1, 1 + i, kRed);
    }
    dc.BitBlt(70, 50, 10, 8, blockDC, 0, 0, SRCINVERT); // the masked copy: partly off
    dc.BitBlt(70, 50, 10, 8, maskDC, 0, 0, SRCAND);
    dc.BitBlt(70, 50, 10, 8, blockDC, 0, 0, SRCINVERT);
}

TEST(DrawContext, DrawsEveryKindOfOperationAsKept) {
    WhiteSurface each(80, 60);
    CDrawContext eachDC(each.bitmap);
    DrawEveryKind(eachDC);
    EXPECT_TRUE(MatchesPicture(each.Image(), "draw-context"));
    WhiteSurface kept(80, 60);
    {
        CDrawContext keptDC(kept.bitmap);
        keptDC.KeepPainterOpen();
        DrawEveryKind(keptDC);
        // What the context drew is in the bitmap while its painter is still open.
        EXPECT_EQ(kept.Image(), each.Image());
    }
    EXPECT_EQ(kept.Image(), each.Image());
}

// At any resolution a context sets the logical pixels it sets at one device pixel to one,
// each as the block of device pixels it covers (bitmaps from another resolution scaled
// without blur). An XOR copy drawn twice leaves every byte as it was, also where it is
// clipped.
TEST(DrawContext, AtEveryResolutionLogicalPixelsAreTheDeviceBlocksTheyCover) {
    CBitmap pattern;
    ASSERT_TRUE(pattern.CreateBitmap(7, 5, 1.0));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            pattern.Image().setPixel(x, y, qRgb(x * 36, y * 60, (x + y) % 2 ? 255 : 0));
    const CDrawContext patternDC(pattern);
    const auto draw = [&](CDrawContext& dc) {
        dc.FillSolidRect({3, 2, 50, 30}, kRed);
        dc.Draw3dRect({5, 4, 40, 25}, kBlack, kBlue);
        dc.SelectBrush(CBrush(QColor(0, 128, 0)));
        dc.SelectPen(CPen(PS_SOLID, 2, kBlue));
        dc.Rectangle(10, 8, 30, 20);
        dc.SelectPen(CPen());
        dc.MoveTo(2, 35);
        dc.LineTo(55, 35);
        dc.LineTo(55, 3); // upwards
        dc.MoveTo(57, 38);
        dc.LineTo(1, 38); // leftwards
        dc.SetPixel(58, 1, kBlue);
        dc.BitBlt(44, 27, 7, 5, patternDC, 0, 0, SRCCOPY);
        dc.BitBlt(56, 30, 7, 5, patternDC, 0, 0, SRCCOPY); // partly off the surface
    };
    WhiteSurface low(60, 40);
    CDrawContext lowDC(low.bitmap);
    draw(lowDC);

    for (const qreal dRatio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
        SCOPED_TRACE(dRatio);
        WhiteSurface high(60, 40, dRatio);
        CDrawContext dc(high.bitmap);
        EXPECT_EQ(dc.SurfaceSize(), (CSize{60, 40}));
        draw(dc);
        const QImage& image = high.Image();
        int nWrong = 0;
        ForEachPixel(image, QRect(), [&](int x, int y) {
            nWrong += image.pixel(x, y) !=
                      low.Image().pixel(LogicalPixelOf(x, dRatio), LogicalPixelOf(y, dRatio));
        });
        EXPECT_EQ(nWrong, 0);

        const QImage before = image.copy();
        CBitmap marker;
        ASSERT_TRUE(marker.CreateBitmap(15, 13, dRatio));
        CDrawContext markerDC(marker);
        markerDC.SelectBrush(CBrush(QColor(255, 255, 0)));
        markerDC.Ellipse(0, 0, 15, 13);
        ASSERT_TRUE(dc.BitBlt(50, 30, 15, 13, markerDC, 0, 0, SRCINVERT));
        EXPECT_FALSE(SameBytes(image, before));
        ASSERT_TRUE(dc.BitBlt(50, 30, 15, 13, markerDC, 0, 0, SRCINVERT));
        EXPECT_TRUE(SameBytes(image, before));
    }
    EXPECT_FALSE(lowDC.BitBlt(0, 0, 5, 5, patternDC, 0, 0, 0x00EE0086));
}

// After each kind of drawing every pixel it changed lies inside the bounds, and for drawing
// made of spans the bounds are exactly those pixels.
TEST(DrawContext, BoundsHoldEveryPixelTheDrawingChanged) {
    using Draw = std::function<void(CDrawContext&)>;
    const auto text = [](int nTenths, int nMode, const QString& strText) -> Draw {
        return [=](CDrawContext& dc) {
            dc.SelectFont(dc.CreatePointFont(nTenths, QStringLiteral("Arial")));
            dc.SetBkMode(nMode);
            dc.TextOut(3, 4, strText);
        };
    };
    const auto line = [](int nWidth, CPoint from, CPoint to) -> Draw {
        return [=](CDrawContext& dc) {
            dc.SelectPen(CPen(PS_SOLID, nWidth, kBlue));
            dc.MoveTo(from.x, from.y), dc.LineTo(to.x, to.y);
        };
    };
    const struct {
        Draw draw;
        bool bExact;
    } cases[] = {
        {[](CDrawContext& dc) { dc.Rectangle(10, 10, 20, 20); }, true},
        {[](CDrawContext& dc) { dc.Ellipse(-5, -5, 15, 12); }, true},
        {line(1, {50, 3}, {7, 40}), true},
        {line(7, {10, 40}, {45, 12}), false},
        {[](CDrawContext& dc) {
             const CPoint kite[] = {{30, 2}, {50, 20}, {30, 45}, {12, 20}};
             dc.SelectPen(CPen(PS_SOLID, 3, kBlue)), dc.Polygon(kite);
         },
         false},
        {text(80, TRANSPARENT, QStringLiteral("jgy 45")), false},
        {text(240, OPAQUE, QStringLiteral(u"W\u00ba")), false},
        {[](CDrawContext& dc) {
             dc.DrawText(QStringLiteral("WARN"), {10, 10, 20, 13}, 0);
         },
         false},
        {[](CDrawContext& dc) {
             CBitmap block;
             block.CreateCompatibleBitmap(10, 8);
             block.Image().fill(kRed);
             dc.BitBlt(55, -3, 10, 8, CDrawContext(block), 0, 0, SRCINVERT);
         },
         true},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        WhiteSurface surface;
        CDrawContext dc(surface.bitmap);
        cases[i].draw(dc);
        const CRect bounds = dc.GetBounds();
        const QRect qBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
        const QRect changed = InkBounds(surface.Image(), kWhite);
        ASSERT_FALSE(changed.isEmpty());
        EXPECT_TRUE(qBounds.contains(changed)) << testing::PrintToString(qBounds);
        EXPECT_TRUE(surface.Image().rect().contains(qBounds));
        EXPECT_TRUE(!cases[i].bExact || qBounds == changed) << testing::PrintToString(changed);
        EXPECT_EQ(dc.ResetBounds(), bounds);
        EXPECT_TRUE(dc.GetBounds().IsEmpty());
    }
    // Drawing that lands off the surface changes nothing and adds nothing.
    WhiteSurface surface;
    CDrawContext dc(surface.bitmap);
    dc.Rectangle(70, 5, 90, 20);
    dc.TextOut(-100, 10, QStringLiteral("N"));
    EXPECT_TRUE(dc.GetBounds().IsEmpty());
}

TEST(DrawContext, SelectingHandsBackWhatItReplaces) {
    CDrawContext dc;
    const CPen bluePen(PS_SOLID, 1, kBlue);
    EXPECT_EQ(dc.SelectPen(bluePen), CPen());
    EXPECT_EQ(dc.SelectPen(CPen()), bluePen);
    EXPECT_EQ(dc.SelectBrush(CBrush::Null()), CBrush());
    EXPECT_TRUE(dc.SelectBrush(CBrush()).IsNull());
    const CFont big = dc.CreatePointFont(240, QStringLiteral("Arial"), FW_BOLD);
    const int nDefaultHeight = dc.GetTextMetrics().tmHeight;
    const CFont previous = dc.SelectFont(big);
    EXPECT_GT(dc.GetTextMetrics().tmHeight, nDefaultHeight);
    EXPECT_EQ(dc.SelectFont(previous).GetLogFont(), big.GetLogFont());
    EXPECT_EQ(dc.GetTextMetrics().tmHeight, nDefaultHeight);
    EXPECT_EQ(dc.SetTextColor(kRed), kBlack);
    EXPECT_EQ(dc.SetBkColor(kBlue), kWhite);
    EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
}

} // namespace
