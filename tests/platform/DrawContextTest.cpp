// SPDX-License-Identifier: MIT
// The drawing context's pixel conventions, as the kept picture shows them: shapes stop short
// of their right and bottom edges, outlines land on exact pixels, lines leave out their end
// point, text cells fill only in opaque mode, texts and copies clip. A kept painter draws what
// painters per operation draw; every resolution sets the device blocks of the logical pixels;
// the bounds hold every changed pixel; texts are Qt's own pixels and widths. (Font sizes show
// in every page's kept pictures.)
#include "platform/DrawContext.h"
#include "common/Golden.h"
#include "common/Pixels.h"
#include "platform/DevicePixels.h"
#include "platform/KeptDrawing.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>

#include <cmath>
#include <cstring>
#include <functional>

namespace {

struct WhiteSurface {
    CBitmap bitmap;
    explicit WhiteSurface(int w = 80, int h = 60, qreal dRatio = 1.0) {
        bitmap.CreateBitmap(w, h, dRatio);
        bitmap.Image().fill(Qt::white);
    }
    const QImage& Image() const { return bitmap.Image(); }
};

// A drawing of every kind of operation, interleaved as a gauge draws: shapes with thin, wide
// and no outlines, lines every way, polygons, frames, opaque and transparent text in two
// fonts, centred and clipped texts, block copies partly off the surface and the status
// light's masked copy. bBlocksOnly leaves out what is not made of whole logical pixels (round
// shapes, wide lines, polygons and text, drawn finer at a finer resolution); after, when
// given, runs after each operation.
void DrawEveryKind(
    CDrawContext& dc, bool bBlocksOnly = false, const std::function<void()>& after = [] {}) {
    CBitmap block;
    block.CreateCompatibleBitmap(10, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            block.Image().setPixel(x, y, qRgb(x * 25, 40 + y * 25, (x + y) % 2 ? 255 : 90));
    block.Image().setPixel(2, 3, QColor(255, 0, 255).rgb());
    const CDrawContext blockDC(block);
    CBitmap mask = MakeKeyMask(block, QColor(255, 0, 255));
    const CDrawContext maskDC(mask);
    const CFont small = dc.CreatePointFont(80, QStringLiteral("Arial"));
    const CFont bold = dc.CreatePointFont(120, QStringLiteral("Arial"), FW_BOLD);
    for (int i = 0; i < 3; ++i) {
        dc.SelectPen(i == 2 ? CPen::Null() : CPen(PS_SOLID, 1 + 2 * i, QColor(10 * i, 0, 200)));
        dc.SelectBrush(CBrush(QColor(250, 20 * i, 0)));
        if (!bBlocksOnly)
            dc.Ellipse(5 + i, 5 - 3 * i, 60 - i, 50 - 2 * i), after();
        dc.Rectangle(62 + 5 * i, 2, 70 + 6 * i, 9 + 9 * i), after();
        if (!bBlocksOnly) { // right and down, left, then up
            dc.MoveTo(2, 2 + 10 * i);
            dc.LineTo(70, 40 - 5 * i), after();
            dc.LineTo(3 + i, 52 - 3 * i), after();
            dc.LineTo(12 + i, 4), after();
            const CPoint kite[] = {{30, 10}, {40 + i, 20}, {30, 45}, {20, 20}};
            dc.Polygon(kite), after();
        }
        dc.Draw3dRect({2 + 3 * i, 50, 20 + 3 * i, 57}, Qt::black, Qt::blue), after();
        dc.FillSolidRect({60, 45 + 4 * i, 66 + i, 47 + 4 * i}, Qt::red), after();
        dc.SelectFont(i % 2 ? bold : small);
        dc.SetBkMode(i % 2 ? OPAQUE : TRANSPARENT);
        dc.SetBkColor(QColor(200, 200, 0));
        dc.SetTextColor(QColor(0, 0, 90 * i));
        if (!bBlocksOnly) {
            dc.TextOut(8 + i, 12 * i - 4, QStringLiteral("N 47%1").arg(i)), after();
            dc.DrawText(QStringLiteral("12.5 MPH"), CRect{10, 30, 45, 42 + i},
                        i == 2 ? DT_LEFT | DT_TOP | DT_NOCLIP : DT_CENTER | DT_SINGLELINE);
            after();
        }
        dc.BitBlt(50 + 12 * i, 20 + 3 * i, 10, 8, blockDC, 0, 0, i == 1 ? SRCINVERT : SRCCOPY);
        dc.SetPixel(1, 1 + i, Qt::red), after();
    }
    dc.SelectPen(CPen(PS_SOLID, 1, Qt::blue)); // straight: right, up, left
    dc.MoveTo(2, 48);
    dc.LineTo(58, 48), after();
    dc.LineTo(58, 20), after();
    dc.LineTo(40, 20), after();
    dc.BitBlt(74, 55, 10, 8, blockDC, 0, 0, SRCINVERT), after(); // the masked copy: partly off
    dc.BitBlt(74, 55, 10, 8, maskDC, 0, 0, SRCAND), after();
    dc.BitBlt(74, 55, 10, 8, blockDC, 0, 0, SRCINVERT), after();
    dc.Rectangle(90, 5, 99, 20), after(); // wholly off
}

TEST(DrawContext, DrawsEveryKindOfOperationAsKept) {
    WhiteSurface each;
    CDrawContext eachDC(each.bitmap);
    DrawEveryKind(eachDC);
    EXPECT_TRUE(MatchesPicture(each.Image(), "draw-context"));
    WhiteSurface kept;
    {
        CDrawContext keptDC(kept.bitmap);
        keptDC.KeepPainterOpen();
        DrawEveryKind(keptDC);
        // What the context drew is in the bitmap while its painter is still open.
        EXPECT_EQ(kept.Image(), each.Image());
    }
    EXPECT_EQ(kept.Image(), each.Image());
}

// A drawing kept over one surface and put back on another gives what drawing it there gives,
// or changes nothing where it cannot (its blended pixels lay over something else): kept over
// white, black and a pattern, put on each, at two resolutions.
TEST(DrawContext, AKeptDrawingPutBackIsTheDrawing) {
    for (const qreal dRatio : {1.0, 1.5}) {
        const auto underOf = [&](int nKind) {
            WhiteSurface surface(80, 60, dRatio);
            QImage& image = surface.bitmap.Image();
            ForEachPixel(image, QRect(), [&](int x, int y) {
                image.setPixel(x, y,
                               nKind == 0   ? qRgb(255, 255, 255)
                               : nKind == 1 ? qRgb(0, 0, 0)
                                            : qRgb(x * 3 % 256, y * 7 % 256, (x ^ y) % 256));
            });
            return image;
        };
        for (int nKeptOver = 0; nKeptOver < 3; ++nKeptOver) {
            CKeptDrawing kept;
            ASSERT_TRUE(kept.Keep(
                {80, 60}, dRatio, underOf(nKeptOver), [](CDrawContext&) {},
                [](CDrawContext& dc) { DrawEveryKind(dc); }));
            for (int nPutOn = 0; nPutOn < 3; ++nPutOn) {
                SCOPED_TRACE(testing::Message()
                             << dRatio << " kept over " << nKeptOver << " put on " << nPutOn);
                const QImage under = underOf(nPutOn);
                WhiteSurface put(80, 60, dRatio);
                WhiteSurface drawn(80, 60, dRatio);
                put.bitmap.Image() = under;
                drawn.bitmap.Image() = under;
                CDrawContext drawnDC(drawn.bitmap);
                drawnDC.KeepPainterOpen();
                DrawEveryKind(drawnDC);
                CDrawContext putDC(put.bitmap);
                const bool bPut = kept.Put(putDC);
                EXPECT_TRUE(bPut || nPutOn != nKeptOver);
                EXPECT_TRUE(bPut ? put.Image() == drawn.Image() : put.Image() == under);
            }
        }
    }
}

// At any resolution a context sets the logical pixels it sets at one device pixel to one, each
// as the block of device pixels it covers (bitmaps of another resolution scaled without blur).
// An XOR copy drawn twice leaves every byte as it was, also where it is clipped.
TEST(DrawContext, AtEveryResolutionLogicalPixelsAreTheDeviceBlocksTheyCover) {
    WhiteSurface low;
    CDrawContext lowDC(low.bitmap);
    DrawEveryKind(lowDC, true);
    for (const qreal dRatio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
        SCOPED_TRACE(dRatio);
        WhiteSurface high(80, 60, dRatio);
        CDrawContext dc(high.bitmap);
        EXPECT_EQ(dc.SurfaceSize(), (CSize{80, 60}));
        DrawEveryKind(dc, true);
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
        ASSERT_TRUE(dc.BitBlt(70, 50, 15, 13, markerDC, 0, 0, SRCINVERT));
        EXPECT_NE(image, before);
        ASSERT_TRUE(dc.BitBlt(70, 50, 15, 13, markerDC, 0, 0, SRCINVERT));
        EXPECT_EQ(std::memcmp(image.constBits(), before.constBits(), image.sizeInBytes()), 0);
    }
}

// After each operation every pixel it changed lies inside the bounds, and the bounds inside
// the surface; they start empty again once taken.
TEST(DrawContext, BoundsHoldEveryPixelTheDrawingChanged) {
    WhiteSurface surface;
    CDrawContext dc(surface.bitmap);
    QImage before = surface.Image().copy();
    int nOperation = 0;
    DrawEveryKind(dc, false, [&] {
        SCOPED_TRACE(++nOperation);
        const CRect bounds = dc.ResetBounds();
        const QRect qBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
        const QRect changed = DifferenceBounds(before, surface.Image());
        EXPECT_TRUE(changed.isNull() || qBounds.contains(changed))
            << testing::PrintToString(changed) << " outside " << testing::PrintToString(qBounds);
        EXPECT_TRUE(bounds.IsEmpty() || surface.Image().rect().contains(qBounds));
        EXPECT_TRUE(dc.GetBounds().IsEmpty());
        before = surface.Image().copy();
    });
}

// A text comes out as Qt's own drawText draws it, as wide as Qt measures it, and its bounds
// hold every device pixel it touched: at every resolution, in several sizes, with
// descenders, a face's fallback for a sign it lacks and spaces at either end.
TEST(DrawContext, TextsAreQtsOwnPixelsWidthsAndBoundsAtEveryResolution) {
    const QString texts[] = {QStringLiteral("N 51\u00B028.123'"), QStringLiteral("Ag|jyQ"),
                             QStringLiteral(" m/s\u00B2 "), QStringLiteral("\u22125 \u2713 W")};
    const QColor background(20, 60, 120);
    const QColor ink(250, 210, 0);
    for (const qreal dRatio : {1.0, 1.25, 1.5, 2.0}) {
        WhiteSurface ours(170, 45, dRatio);
        WhiteSurface qts(170, 45, dRatio);
        CDrawContext dc(ours.bitmap);
        for (const int nTenths : {83, 158, 218}) {
            const CFont font = dc.CreatePointFont(nTenths, QStringLiteral("Arial"), FW_BOLD);
            const QFontMetrics metrics(font.QtFont());
            dc.SelectFont(font);
            dc.SetBkMode(TRANSPARENT);
            dc.SetTextColor(ink);
            for (const QString& text : texts) {
                SCOPED_TRACE(testing::Message()
                             << dRatio << " " << nTenths << " " << text.toStdString());
                ours.bitmap.Image().fill(background);
                qts.bitmap.Image().fill(background);
                const QImage blank = ours.Image().copy();
                dc.ResetBounds();
                dc.TextOut(6, 8, text);
                {
                    QPainter painter(&qts.bitmap.Image());
                    painter.setRenderHint(QPainter::TextAntialiasing);
                    painter.setFont(font.QtFont());
                    painter.setPen(ink);
                    painter.drawText(6, 8 + metrics.ascent(), text);
                }
                EXPECT_EQ(CountDifferences(ours.Image(), qts.Image()), 0);
                EXPECT_EQ(dc.GetTextExtent(text).cx, metrics.horizontalAdvance(text));
                const QRect changed = DifferenceBounds(blank, ours.Image());
                EXPECT_TRUE(DeviceRect(dc.GetBounds(), dRatio).contains(changed))
                    << testing::PrintToString(changed) << " outside the bounds";
            }
        }
    }
}

// A wide line sets the pixels Qt's own stroker sets for it, in every direction, at every
// resolution and wherever its start falls within a device pixel, also where it leaves the
// surface; drawn again from the kept shape it sets them again. Its bounds hold them.
TEST(DrawContext, WideLinesAreThePaintersOwnPixels) {
    const QColor pen(30, 140, 20);
    int nWrong = 0;
    for (const qreal dRatio : {1.0, 1.25, 1.5, 2.0}) {
        WhiteSurface ours(40, 40, dRatio);
        WhiteSurface qts(40, 40, dRatio);
        CDrawContext dc(ours.bitmap);
        for (const int nWidth : {2, 3, 4, 7}) {
            dc.SelectPen(CPen(PS_SOLID, nWidth, pen));
            // Every 5 degrees, and one line far past the surface, which is not kept.
            for (int nDegrees = 0; nDegrees <= 360; nDegrees += 5) {
                const bool bFar = nDegrees == 360;
                const double dRadians = (bFar ? 33 : nDegrees) * M_PI / 180;
                const int nLength = bFar ? 9000 : 25;
                const int dx = static_cast<int>(std::lround(nLength * std::cos(dRadians)));
                const int dy = static_cast<int>(std::lround(-nLength * std::sin(dRadians)));
                for (const CPoint from : {CPoint{20, 20}, CPoint{21, 19}, CPoint{3, 22}}) {
                    for (int nTime = 0; nTime < 2; ++nTime) {
                        ours.bitmap.Image().fill(Qt::white);
                        qts.bitmap.Image().fill(Qt::white);
                        const QImage blank = qts.Image().copy();
                        dc.ResetBounds();
                        dc.MoveTo(from.x, from.y);
                        dc.LineTo(from.x + dx, from.y + dy);
                        QPainter painter(&qts.bitmap.Image());
                        painter.setPen(
                            QPen(pen, nWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                        painter.drawLine(from.x, from.y, from.x + dx, from.y + dy);
                        painter.end();
                        nWrong += ours.Image() != qts.Image();
                        nWrong += !DeviceRect(dc.GetBounds(), dRatio)
                                       .contains(DifferenceBounds(blank, ours.Image()));
                    }
                }
            }
        }
    }
    EXPECT_EQ(nWrong, 0);
}

} // namespace
