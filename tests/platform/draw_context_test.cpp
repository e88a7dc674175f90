// SPDX-License-Identifier: MIT
// The drawing context's pixel conventions: shapes stop short of their right and bottom
// edges, outlines land on exact pixels, XOR copies undo themselves, text cells fill only in
// opaque mode, and selections hand back what they replace.
#include "TestSupport.h"

#include "platform/DevicePixels.h"
#include "platform/DrawContext.h"
#include "platform/SystemMetrics.h"

#include <QFontInfo>

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
    WhiteSurface(int w = 60, int h = 50) {
        bitmap.CreateCompatibleBitmap(w, h);
        bitmap.Image().fill(kWhite);
    }
    const QImage& Image() const { return bitmap.Image(); }
};

enum class Shape { Rectangle, Ellipse };

struct ShapeCase {
    const char* legend;
    Shape shape;
    CRect box;
    bool bNullPen;
};

class ShapeExtents : public testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeExtents, CoverTheBoxWithoutItsRightAndBottomEdges) {
    const ShapeCase& c = GetParam();
    WhiteSurface surface;
    CDrawContext dc(surface.bitmap);
    dc.SelectPen(c.bNullPen ? CPen::Null() : CPen(PS_SOLID, 1, kBlack));
    dc.SelectBrush(CBrush(kRed));
    if (c.shape == Shape::Rectangle)
        dc.Rectangle(c.box);
    else
        dc.Ellipse(c.box);

    EXPECT_EQ(InkBounds(surface.Image(), kWhite),
              QRect(c.box.left, c.box.top, c.box.Width(), c.box.Height()))
        << c.legend;
    // Mirror images of each other left-right and top-bottom, as the box is.
    const QImage& image = surface.Image();
    for (int y = c.box.top; y < c.box.bottom; ++y)
        for (int x = c.box.left; x < c.box.right; ++x) {
            ASSERT_EQ(image.pixel(x, y), image.pixel(c.box.left + c.box.right - 1 - x, y))
                << c.legend << " at " << x << "," << y;
            ASSERT_EQ(image.pixel(x, y), image.pixel(x, c.box.top + c.box.bottom - 1 - y))
                << c.legend << " at " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ShapeExtents,
    testing::Values(ShapeCase{"rectangle", Shape::Rectangle, {10, 10, 20, 20}, false},
                    ShapeCase{"rectangle, null pen", Shape::Rectangle, {3, 4, 40, 9}, true},
                    ShapeCase{"circle", Shape::Ellipse, {10, 10, 20, 20}, false},
                    ShapeCase{"odd circle", Shape::Ellipse, {5, 5, 22, 22}, false},
                    ShapeCase{"wide ellipse", Shape::Ellipse, {2, 10, 58, 31}, false},
                    ShapeCase{"tall ellipse, null pen", Shape::Ellipse, {20, 1, 31, 48}, true},
                    ShapeCase{"small circle", Shape::Ellipse, {0, 0, 3, 3}, false}),
    [](const testing::TestParamInfo<ShapeCase>& info) { return std::to_string(info.index); });

TEST(DrawContext, OnePixelRectangleOutlineLiesOnTheBoxEdgesAndTheBrushInside) {
    WhiteSurface surface;
    CDrawContext dc(surface.bitmap);
    dc.SelectBrush(CBrush(kRed));
    dc.Rectangle(10, 10, 20, 16);
    const QImage& image = surface.Image();
    for (int x = 10; x < 20; ++x) {
        EXPECT_EQ(image.pixel(x, 10), kBlack.rgb()) << x;
        EXPECT_EQ(image.pixel(x, 15), kBlack.rgb()) << x;
    }
    for (int y = 10; y < 16; ++y) {
        EXPECT_EQ(image.pixel(10, y), kBlack.rgb()) << y;
        EXPECT_EQ(image.pixel(19, y), kBlack.rgb()) << y;
    }
    EXPECT_EQ(CountPixels(image, kRed), 8 * 4);
    EXPECT_EQ(CountPixels(image, kRed, QRect(11, 11, 8, 4)), 8 * 4);
}

TEST(DrawContext, OnePixelEllipseOutlineIsClosedAndOnePixelThick) {
    WhiteSurface surface;
    CDrawContext dc(surface.bitmap);
    dc.SelectBrush(CBrush(kRed));
    dc.Ellipse(4, 6, 44, 30);
    const QImage& image = surface.Image();
    for (int y = 6; y < 30; ++y) {
        // Each row starts and ends with outline, and the outline never touches white: the
        // brush fills everything it encloses.
        int x0 = 0;
        while (image.pixel(x0, y) == kWhite.rgb())
            ++x0;
        int x1 = image.width() - 1;
        while (image.pixel(x1, y) == kWhite.rgb())
            --x1;
        EXPECT_EQ(image.pixel(x0, y), kBlack.rgb()) << y;
        EXPECT_EQ(image.pixel(x1, y), kBlack.rgb()) << y;
        for (int x = x0; x <= x1; ++x)
            ASSERT_NE(image.pixel(x, y), kWhite.rgb()) << x << "," << y;
    }
    // The middle row: outline, red to the opposite outline.
    EXPECT_EQ(image.pixel(4, 18), kBlack.rgb());
    EXPECT_EQ(image.pixel(5, 18), kRed.rgb());
    EXPECT_EQ(image.pixel(42, 18), kRed.rgb());
    EXPECT_EQ(image.pixel(43, 18), kBlack.rgb());
}

TEST(DrawContext, WidePenDrawsItsWidthInsideTheBox) {
    WhiteSurface surface;
    CDrawContext dc(surface.bitmap);
    dc.SelectPen(CPen(PS_SOLID, 3, kBlue));
    dc.Rectangle(10, 10, 30, 30);
    const QImage& image = surface.Image();
    EXPECT_EQ(image.pixel(10, 20), kBlue.rgb());
    EXPECT_EQ(image.pixel(12, 20), kBlue.rgb());
    EXPECT_EQ(image.pixel(13, 20), kWhite.rgb());
    EXPECT_EQ(image.pixel(27, 20), kBlue.rgb());
    EXPECT_EQ(image.pixel(26, 20), kWhite.rgb());
    EXPECT_EQ(InkBounds(image, kWhite), QRect(10, 10, 20, 20));
}

TEST(DrawContext, LinesLeaveOutTheirEndPoint) {
    WhiteSurface surface;
    CDrawContext dc(surface.bitmap);
    dc.MoveTo(2, 5);
    dc.LineTo(12, 5);
    dc.MoveTo(20, 20);
    dc.LineTo(30, 30);
    const QImage& image = surface.Image();
    EXPECT_EQ(InkBounds(image, kWhite), QRect(2, 5, 28, 25));
    EXPECT_EQ(CountPixels(image, kBlack, QRect(0, 5, 60, 1)), 10);
    EXPECT_EQ(image.pixel(12, 5), kWhite.rgb());
    EXPECT_EQ(image.pixel(29, 29), kBlack.rgb());
    EXPECT_EQ(image.pixel(30, 30), kWhite.rgb());
    // The pen stays where the line ended.
    EXPECT_EQ(dc.MoveTo(0, 0), (CPoint{30, 30}));
}

TEST(DrawContext, FillSolidRectAndSunkenFrameKeepTheirBoxes) {
    WhiteSurface surface;
    CDrawContext dc(surface.bitmap);
    dc.FillSolidRect({5, 5, 15, 9}, kRed);
    EXPECT_EQ(InkBounds(surface.Image(), kWhite), QRect(5, 5, 10, 4));

    surface.bitmap.Image().fill(kWhite);
    dc.Draw3dRect({10, 10, 20, 18}, kBlack, kBlue);
    const QImage& image = surface.Image();
    EXPECT_EQ(image.pixel(10, 10), kBlack.rgb());
    EXPECT_EQ(image.pixel(18, 10), kBlack.rgb());
    EXPECT_EQ(image.pixel(10, 16), kBlack.rgb());
    // The corners top-right and bottom-left belong to the bottom-right colour.
    EXPECT_EQ(image.pixel(19, 10), kBlue.rgb());
    EXPECT_EQ(image.pixel(10, 17), kBlue.rgb());
    EXPECT_EQ(image.pixel(19, 17), kBlue.rgb());
    EXPECT_EQ(image.pixel(11, 11), kWhite.rgb());
    EXPECT_EQ(InkBounds(image, kWhite), QRect(10, 10, 10, 8));
}

TEST(DrawContext, XorBlockCopyTwiceRestoresTheSurfaceByteForByte) {
    WhiteSurface target(40, 30);
    CDrawContext dc(target.bitmap);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            dc.SetPixel(x, y, QColor((x * 37) & 255, (y * 91) & 255, (x * y) & 255));
    const QImage before = target.Image().copy();

    CBitmap marker;
    marker.CreateCompatibleBitmap(15, 13);
    CDrawContext markerDC(marker);
    markerDC.SelectBrush(CBrush(QColor(255, 255, 0)));
    markerDC.Ellipse(0, 0, 15, 13);

    // Partly off the surface on purpose: the clipped part must undo itself too.
    ASSERT_TRUE(dc.BitBlt(30, 20, 15, 13, markerDC, 0, 0, SRCINVERT));
    EXPECT_NE(target.Image(), before);
    ASSERT_TRUE(dc.BitBlt(30, 20, 15, 13, markerDC, 0, 0, SRCINVERT));
    ASSERT_EQ(target.Image().sizeInBytes(), before.sizeInBytes());
    EXPECT_EQ(std::memcmp(target.Image().constBits(), before.constBits(),
                          static_cast<size_t>(before.sizeInBytes())),
              0);
}

TEST(DrawContext, KeyMaskDrawsAnImageTransparentlyThroughXorAndAnd) {
    // The status light's sequence: image XOR background, AND mask, XOR image.
    const QColor kMagenta(255, 0, 255);
    CBitmap image;
    image.CreateCompatibleBitmap(4, 1);
    image.Image().setPixel(0, 0, kMagenta.rgb());
    image.Image().setPixel(1, 0, kRed.rgb());
    image.Image().setPixel(2, 0, kMagenta.rgb());
    image.Image().setPixel(3, 0, kBlue.rgb());
    CBitmap mask = MakeKeyMask(image, kMagenta);

    WhiteSurface screen(4, 1);
    screen.bitmap.Image().fill(QColor(10, 200, 30));
    CDrawContext screenDC(screen.bitmap);
    CDrawContext imageDC(image);
    CDrawContext maskDC(mask);
    screenDC.BitBlt(0, 0, 4, 1, imageDC, 0, 0, SRCINVERT);
    screenDC.BitBlt(0, 0, 4, 1, maskDC, 0, 0, SRCAND);
    screenDC.BitBlt(0, 0, 4, 1, imageDC, 0, 0, SRCINVERT);

    EXPECT_EQ(screen.Image().pixel(0, 0), qRgb(10, 200, 30));
    EXPECT_EQ(screen.Image().pixel(1, 0), kRed.rgb());
    EXPECT_EQ(screen.Image().pixel(2, 0), qRgb(10, 200, 30));
    EXPECT_EQ(screen.Image().pixel(3, 0), kBlue.rgb());
}

// At any resolution a context sets the logical pixels it sets at one device pixel to one,
// each as the block of device pixels it covers: fills, frames, rectangles, single pixels,
// straight lines either way and a bitmap copied from another resolution (scaled without
// blur). An XOR copy drawn twice still leaves every byte as it was.
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
    CBitmap low;
    ASSERT_TRUE(low.CreateBitmap(60, 40, 1.0));
    low.Image().fill(kWhite);
    CDrawContext lowDC(low);
    draw(lowDC);

    for (const qreal dRatio : {1.25, 1.5, 2.0, 3.0}) {
        SCOPED_TRACE(dRatio);
        CBitmap high;
        ASSERT_TRUE(high.CreateBitmap(60, 40, dRatio));
        EXPECT_EQ(high.GetSize(), (CSize{60, 40}));
        high.Image().fill(kWhite);
        CDrawContext dc(high);
        EXPECT_EQ(dc.SurfaceSize(), (CSize{60, 40}));
        draw(dc);
        const QImage& image = high.Image();
        int nWrong = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                nWrong += image.pixel(x, y) != low.Image().pixel(LogicalPixelOf(x, dRatio),
                                                                 LogicalPixelOf(y, dRatio))
                              ? 1
                              : 0;
        EXPECT_EQ(nWrong, 0);

        const QImage before = image.copy();
        CBitmap marker;
        ASSERT_TRUE(marker.CreateBitmap(15, 13, dRatio));
        CDrawContext markerDC(marker);
        markerDC.SelectBrush(CBrush(QColor(255, 255, 0)));
        markerDC.Ellipse(0, 0, 15, 13);
        for (int i = 0; i < 2; ++i)
            ASSERT_TRUE(dc.BitBlt(50, 30, 15, 13, markerDC, 0, 0, SRCINVERT));
        EXPECT_EQ(std::memcmp(image.constBits(), before.constBits(),
                              static_cast<size_t>(before.sizeInBytes())),
                  0);
    }
}

TEST(DrawContext, BlockCopyTakesOnlyWhatLiesOnTheSource) {
    CBitmap source;
    source.CreateCompatibleBitmap(5, 5);
    source.Image().fill(kRed);
    CDrawContext sourceDC(source);
    WhiteSurface target(20, 20);
    CDrawContext dc(target.bitmap);
    ASSERT_TRUE(dc.BitBlt(10, 10, 8, 8, sourceDC, 2, 2, SRCCOPY));
    EXPECT_EQ(InkBounds(target.Image(), kWhite), QRect(10, 10, 3, 3));
    EXPECT_FALSE(dc.BitBlt(0, 0, 5, 5, sourceDC, 0, 0, 0x00EE0086));
}

QRect CellOf(const CDrawContext& dc, int x, int y, const QString& strText) {
    const CSize extent = dc.GetTextExtent(strText);
    return QRect(x, y, extent.cx, extent.cy);
}

TEST(DrawContext, OpaqueTextFillsItsCellWithTheBackgroundColour) {
    WhiteSurface surface;
    CDrawContext dc(surface.bitmap);
    dc.SetBkColor(kRed);
    dc.SetTextColor(kBlack);
    ASSERT_EQ(dc.GetBkMode(), OPAQUE);
    dc.TextOut(5, 7, QStringLiteral("N 47"));

    const QRect cell = CellOf(dc, 5, 7, QStringLiteral("N 47"));
    const QImage& image = surface.Image();
    EXPECT_EQ(InkBounds(image, kWhite), cell);
    // Every pixel of the cell is the background, the text or a grey-level mix of the two.
    int nMixed = 0;
    int nDark = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QColor shown = image.pixelColor(x, y);
            EXPECT_TRUE(shown.green() == 0 && shown.blue() == 0) << x << ", " << y;
            nMixed += shown.red() > 0 && shown.red() < 255 ? 1 : 0;
            nDark += shown.red() < 128 ? 1 : 0;
        }
    EXPECT_GT(nMixed, 0) << "anti-aliased";
    EXPECT_GT(nDark, 10) << "the text";
}

TEST(DrawContext, TransparentTextLeavesTheCellBackgroundAlone) {
    WhiteSurface surface;
    CDrawContext dc(surface.bitmap);
    dc.SetBkColor(kRed);
    dc.SetTextColor(kBlack);
    EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
    dc.TextOut(5, 7, QStringLiteral("N 47"));

    const QRect cell = CellOf(dc, 5, 7, QStringLiteral("N 47"));
    const QImage& image = surface.Image();
    EXPECT_EQ(CountPixels(image, kRed), 0);
    EXPECT_TRUE(cell.contains(InkBounds(image, kWhite)));
    // Anti-aliased in grey levels: black text on white has no colour fringes.
    int nGrey = 0;
    int nDark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor shown = image.pixelColor(x, y);
            EXPECT_TRUE(shown.red() == shown.green() && shown.green() == shown.blue())
                << x << ", " << y;
            nGrey += shown.red() > 0 && shown.red() < 255 ? 1 : 0;
            nDark += shown.red() < 128 ? 1 : 0;
        }
    EXPECT_GT(nGrey, 0);
    EXPECT_GT(nDark, 10) << "the text";
}

TEST(DrawContext, DrawTextCentresInItsRectangleAndClipsUnlessTold) {
    WhiteSurface surface(120, 60);
    CDrawContext dc(surface.bitmap);
    dc.SetBkColor(kRed);
    const CRect rect{4, 6, 114, 40};
    const CSize extent = dc.GetTextExtent(QStringLiteral("WARNING"));
    ASSERT_LT(extent.cx, rect.Width());
    dc.DrawText(QStringLiteral("WARNING"), rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(InkBounds(surface.Image(), kWhite),
              QRect(4 + (110 - extent.cx) / 2, 6 + (34 - extent.cy) / 2, extent.cx, extent.cy));

    surface.bitmap.Image().fill(kWhite);
    const CRect strip{10, 10, 20, 11};
    dc.DrawText(QStringLiteral("WARNING"), strip, DT_CENTER | DT_TOP);
    EXPECT_EQ(InkBounds(surface.Image(), kWhite), QRect(10, 10, 10, 1));

    surface.bitmap.Image().fill(kWhite);
    dc.DrawText(QStringLiteral("WARNING"), strip, DT_LEFT | DT_TOP | DT_NOCLIP);
    EXPECT_EQ(InkBounds(surface.Image(), kWhite), QRect(10, 10, extent.cx, extent.cy));
}

// Bounds accumulation: after each kind of drawing, every pixel it changed lies inside the
// bounds, and for drawing made of spans the bounds are exactly those pixels.
TEST(DrawContext, BoundsHoldEveryPixelTheDrawingChanged) {
    using Draw = std::function<void(CDrawContext&)>;
    const auto text = [](int nTenths, int nMode, const QString& strText) -> Draw {
        return [=](CDrawContext& dc) {
            dc.SelectFont(dc.CreatePointFont(nTenths, QStringLiteral("Arial")));
            dc.SetBkMode(nMode);
            dc.TextOut(3, 4, strText);
        };
    };
    const struct {
        const char* pszLegend;
        Draw draw;
        bool bExact;
    } cases[] = {
        {"rectangle", [](CDrawContext& dc) { dc.Rectangle(10, 10, 20, 20); }, true},
        {"ellipse partly off the surface", [](CDrawContext& dc) { dc.Ellipse(-5, -5, 15, 12); },
         true},
        {"sunken frame",
         [](CDrawContext& dc) {
             dc.Draw3dRect({4, 5, 30, 9}, kRed, kBlue);
         },
         true},
        {"one-pixel line",
         [](CDrawContext& dc) {
             dc.MoveTo(50, 3);
             dc.LineTo(7, 40);
         },
         true},
        {"pixel", [](CDrawContext& dc) { dc.SetPixel(59, 49, kRed); }, true},
        {"wide line",
         [](CDrawContext& dc) {
             dc.SelectPen(CPen(PS_SOLID, 7, kBlue));
             dc.MoveTo(10, 40);
             dc.LineTo(45, 12);
         },
         false},
        {"polygon with a wide outline",
         [](CDrawContext& dc) {
             dc.SelectPen(CPen(PS_SOLID, 3, kBlue));
             const CPoint kite[] = {{30, 2}, {50, 20}, {30, 45}, {12, 20}};
             dc.Polygon(kite);
         },
         false},
        {"transparent text with descenders", text(80, TRANSPARENT, QStringLiteral("jgy 45")),
         false},
        {"large text", text(240, TRANSPARENT, QStringLiteral(u"Wº")), false},
        {"opaque text", text(90, OPAQUE, QStringLiteral("N 47")), false},
        {"clipped text",
         [](CDrawContext& dc) {
             dc.DrawText(QStringLiteral("WARNING"), CRect{10, 10, 20, 13}, DT_LEFT | DT_TOP);
         },
         false},
        {"block copy partly off the surface",
         [](CDrawContext& dc) {
             CBitmap block;
             block.CreateCompatibleBitmap(10, 8);
             block.Image().fill(kRed);
             dc.BitBlt(55, -3, 10, 8, CDrawContext(block), 0, 0, SRCINVERT);
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLegend);
        WhiteSurface surface;
        CDrawContext dc(surface.bitmap);
        EXPECT_TRUE(dc.GetBounds().IsEmpty());
        c.draw(dc);
        const CRect bounds = dc.GetBounds();
        const QRect changed = InkBounds(surface.Image(), kWhite);
        ASSERT_FALSE(changed.isEmpty());
        const QRect qBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
        EXPECT_TRUE(qBounds.contains(changed)) << "bounds " << testing::PrintToString(qBounds)
                                               << ", changed " << testing::PrintToString(changed);
        EXPECT_TRUE(surface.Image().rect().contains(qBounds));
        if (c.bExact) {
            EXPECT_EQ(qBounds, changed);
        }
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
    WhiteSurface surface;
    CDrawContext dc(surface.bitmap);
    const CPen bluePen(PS_SOLID, 1, kBlue);
    const CPen original = dc.SelectPen(bluePen);
    EXPECT_EQ(original, CPen());
    EXPECT_EQ(dc.SelectPen(original), bluePen);
    dc.MoveTo(0, 0);
    dc.LineTo(10, 0);
    EXPECT_EQ(surface.Image().pixel(5, 0), kBlack.rgb());

    const CBrush originalBrush = dc.SelectBrush(CBrush::Null());
    EXPECT_EQ(originalBrush, CBrush());
    EXPECT_TRUE(dc.SelectBrush(originalBrush).IsNull());

    const CFont big = dc.CreatePointFont(240, QStringLiteral("Arial"), FW_BOLD);
    const int nDefaultHeight = dc.GetTextMetrics().tmHeight;
    const CFont previous = dc.SelectFont(big);
    EXPECT_GT(dc.GetTextMetrics().tmHeight, nDefaultHeight);
    EXPECT_EQ(dc.SelectFont(previous).GetLogFont(), big.GetLogFont());
    EXPECT_EQ(dc.GetTextMetrics().tmHeight, nDefaultHeight);

    EXPECT_EQ(dc.SetTextColor(kRed), kBlack);
    EXPECT_EQ(dc.SetBkColor(kBlue), kWhite);
    EXPECT_EQ(dc.GetTextColor(), kRed);
}

TEST(DrawContext, AverageCharacterWidthIsArialsWeightedLowerCaseAverage) {
    // 904/2048 of the em for Arial and its metric twin, rounded: columns laid out in average
    // widths stay where they were designed to be.
    CDrawContext dc;
    struct Case {
        int nPixels;
        int nExpected;
    } const cases[] = {{10, 4}, {12, 5}, {16, 7}, {24, 11}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nPixels);
        dc.SelectFont(CFont::FromLogFont({-c.nPixels, FW_NORMAL, QStringLiteral("Arial")}));
        EXPECT_EQ(dc.GetTextMetrics().tmAveCharWidth, c.nExpected);
    }
}

TEST(DrawContext, FontPixelHeightComesFromTenthsOfAPointAndTheResolution) {
    struct Case {
        int nTenths;
        int nDpi;
        int nHeight;
    };
    for (const Case& c : {Case{70, 96, -9}, Case{90, 96, -12}, Case{80, 96, -10}, Case{79, 96, -10},
                          Case{60, 120, -10}, Case{1180, 96, -157}}) {
        const CFont font = CFont::FromPointSize(c.nTenths, QStringLiteral("Arial"), c.nDpi);
        EXPECT_EQ(font.GetLogFont().lfHeight, c.nHeight) << c.nTenths << " at " << c.nDpi;
        EXPECT_EQ(font.QtFont().pixelSize(), -c.nHeight) << c.nTenths << " at " << c.nDpi;
    }
    const CFont bold = CFont::FromLogFont({-9, FW_BOLD, QStringLiteral("Arial")});
    EXPECT_EQ(bold.QtFont().weight(), QFont::Bold);
    EXPECT_EQ(QFontInfo(bold.QtFont()).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(CFont::FromLogFont({-9, FW_DONTCARE, QStringLiteral("Arial")}).QtFont().weight(),
              QFont::Normal);
    EXPECT_EQ(CDrawContext().GetDeviceCaps(LOGPIXELSY), ScreenDpiY());
}

TEST(DrawContext, PixelsReadBackAndOutsideTheSurfaceAreInvalid) {
    WhiteSurface surface(10, 10);
    CDrawContext dc(surface.bitmap);
    EXPECT_EQ(dc.SetPixel(3, 4, kBlue), kBlue);
    EXPECT_EQ(dc.GetPixel(3, 4), kBlue);
    EXPECT_FALSE(dc.GetPixel(10, 4).isValid());
    EXPECT_FALSE(dc.SetPixel(-1, 0, kBlue).isValid());
}

TEST(DrawContext, MemoryContextDrawsOnlyOnceABitmapIsSelected) {
    CDrawContext dc;
    dc.Rectangle(0, 0, 5, 5);
    EXPECT_EQ(dc.Surface(), nullptr);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(6, 6));
    EXPECT_EQ(CountPixels(bitmap.Image(), kBlack), 36);
    EXPECT_EQ(dc.SelectBitmap(&bitmap), nullptr);
    dc.Rectangle(0, 0, 5, 5);
    EXPECT_EQ(CountPixels(bitmap.Image(), kWhite), 9);
    EXPECT_EQ(dc.SelectBitmap(nullptr), &bitmap);
}

// A drawing of every kind of operation, interleaved as a gauge draws: spans, wide lines,
// polygons, opaque and transparent text in two fonts, a clipped text, block copies.
void DrawEveryKind(CDrawContext& dc) {
    CBitmap block;
    block.CreateCompatibleBitmap(10, 8);
    block.Image().fill(QColor(40, 200, 90));
    const CDrawContext blockDC(block);
    const CFont small = dc.CreatePointFont(80, QStringLiteral("Arial"));
    const CFont bold = dc.CreatePointFont(120, QStringLiteral("Arial"), FW_BOLD);
    for (int i = 0; i < 3; ++i) {
        dc.SelectPen(CPen(PS_SOLID, 1 + 2 * i, QColor(10 * i, 0, 200)));
        dc.SelectBrush(CBrush(QColor(250, 20 * i, 0)));
        dc.Ellipse(5 + i, 5, 60 - i, 50);
        dc.MoveTo(2, 2 + 10 * i);
        dc.LineTo(70, 40 - 5 * i);
        const CPoint kite[] = {{30, 10}, {40 + i, 20}, {30, 45}, {20, 20}};
        dc.Polygon(kite);
        dc.SelectFont(i % 2 ? bold : small);
        dc.SetBkMode(i % 2 ? OPAQUE : TRANSPARENT);
        dc.SetBkColor(QColor(200, 200, 0));
        dc.SetTextColor(QColor(0, 0, 90 * i));
        dc.TextOut(8 + i, 12 * i, QStringLiteral("N 47%1").arg(i));
        dc.DrawText(QStringLiteral("12.5 MPH"), CRect{10, 30, 45, 42}, DT_CENTER | DT_SINGLELINE);
        dc.BitBlt(50 - 5 * i, 3 * i, 10, 8, blockDC, 0, 0, i == 1 ? SRCCOPY : SRCINVERT);
        dc.SetPixel(1, 1 + i, kRed);
    }
}

TEST(DrawContext, AKeptPainterDrawsExactlyWhatPaintersPerOperationDraw) {
    WhiteSurface each(80, 60);
    CDrawContext eachDC(each.bitmap);
    DrawEveryKind(eachDC);
    WhiteSurface kept(80, 60);
    {
        CDrawContext keptDC(kept.bitmap);
        keptDC.KeepPainterOpen();
        DrawEveryKind(keptDC);
        // What the context drew is in the bitmap while its painter is still open.
        EXPECT_EQ(kept.Image(), each.Image());
    }
    EXPECT_EQ(kept.Image(), each.Image());
    EXPECT_GT(CountPixels(kept.Image(), kWhite), 100); // not everything was painted over
}

TEST(Bitmaps, SatelliteMarkersAreBuiltFromTheirRows) {
    CBitmap used;
    ASSERT_TRUE(used.LoadBitmap(IDB_SAT_USED));
    EXPECT_EQ(used.GetSize(), (CSize{15, 13}));
    EXPECT_EQ(used.Image().pixel(0, 0), qRgb(255, 255, 0));
    EXPECT_EQ(used.Image().pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(used.Image().pixel(7, 6), qRgb(255, 255, 255));
    EXPECT_EQ(used.Image().pixel(5, 0), qRgb(0, 0, 0));
    CBitmap notUsed;
    ASSERT_TRUE(notUsed.LoadBitmap(IDB_SAT_NOT_USED));
    EXPECT_EQ(notUsed.Image().pixel(1, 1), qRgb(192, 192, 192));
    EXPECT_EQ(notUsed.Image().pixel(7, 6), qRgb(128, 128, 128));
    EXPECT_FALSE(CBitmap().LoadBitmap(BitmapId{999}));
}

} // namespace
