// SPDX-License-Identifier: MIT
// The sky plot drawn into images: grid and labels where the layout puts them, markers XORed
// on and off, and the incremental path always leaving what a full repaint would draw.
#include "ViewsTestSupport.h"

#include "platform/SystemMetrics.h"
#include "resources/QtResources.h"
#include "resources/resource.h"
#include "views/SkyPlotWnd.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const CRect kClient{0, 0, 240, 200};
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kSilver(192, 192, 192);
const QColor kGreen(0, 255, 0);

// A plot configured as the azimuth/elevation page configures it, with its own screen.
struct Plot {
    CSkyPlotWnd plot;
    CBitmap screen;
    CDrawContext dc;

    explicit Plot(int bTrails = 0) : dc(Init(screen)) {
        plot.SetPointSize(80);
        plot.SetIcons(IDB_SAT_USED, IDB_SAT_NOT_USED);
        plot.SetMarkerFormat(QStringLiteral("%d"));
        plot.SetTrails(bTrails);
        Repaint();
    }
    static CBitmap& Init(CBitmap& bitmap) {
        bitmap.CreateCompatibleBitmap(kClient.Width(), kClient.Height());
        return bitmap;
    }
    void Repaint() {
        plot.Layout(dc, kClient);
        plot.Paint(dc);
    }
    void Update(const SkySatelliteList& list) { plot.UpdateSatellites(dc, list); }
    // A full repaint of the same state on a fresh screen.
    QImage Fresh() const {
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(kClient.Width(), kClient.Height());
        CDrawContext fresh(bitmap);
        CSkyPlotWnd& mutablePlot = const_cast<CSkyPlotWnd&>(plot);
        mutablePlot.Layout(fresh, kClient);
        mutablePlot.Paint(fresh);
        return bitmap.Image();
    }
    const QImage& Image() const { return screen.Image(); }
};

SkySatelliteList ListOf(std::initializer_list<SkySatellite> sats) {
    SkySatelliteList list{};
    size_t i = 0;
    for (const SkySatellite& sat : sats)
        list[i++] = sat;
    return list;
}

SkySatellite Sat(int nPrn, int nAzimuth, int nElevation, int bUsed = 0) {
    return {nPrn, nAzimuth, nElevation, bUsed, 0, {}};
}

CFont LabelFont() {
    return CDrawContext().CreatePointFont(80, QStringLiteral("Arial"));
}

// The marker block's size for the plot's font: five by three character cells.
CSize MarkerBlock() {
    CDrawContext dc;
    dc.SelectFont(LabelFont());
    const TextMetrics metrics = dc.GetTextMetrics();
    return {5 * metrics.tmMaxCharWidth, 3 * metrics.tmHeight};
}

// Pixels changed by XOR between two images, as the colours XORed in.
QImage XorOf(const QImage& a, const QImage& b) {
    QImage result(a.size(), QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            result.setPixel(x, y, (a.pixel(x, y) ^ b.pixel(x, y)) | 0xFF000000u);
    return result;
}

TEST(SkyPlot, FramesTheWindowAndDrawsTheRingsInBlue) {
    Plot p;
    const QImage& image = p.Image();
    EXPECT_EQ(image.pixel(0, 0), GetSysColor(COLOR_3DDKSHADOW).rgb());
    EXPECT_EQ(image.pixel(239, 199), GetSysColor(COLOR_BTNHIGHLIGHT).rgb());
    EXPECT_EQ(image.pixel(5, 5), GetSysColor(COLOR_BTNFACE).rgb());
    EXPECT_EQ(image.pixel(120, 150), kBlue.rgb()); // the spoke to the south

    // Just below the east-west spoke, each ring's leftmost pixel is blue and the one left of
    // it is not (the 15-degree ring is hidden there by the " W " label).
    for (const int e : {0, 30, 45, 60, 75}) {
        SCOPED_TRACE(e);
        const int r = p.plot.Geometry().RingRadius(e);
        EXPECT_EQ(image.pixel(120 - r, 101), kBlue.rgb());
        EXPECT_NE(image.pixel(120 - r - 1, 101), kBlue.rgb());
    }
    EXPECT_EQ(image.pixel(120 - 98 - 1, 101), GetSysColor(COLOR_BTNFACE).rgb());
    EXPECT_EQ(image.pixel(110, 105), kBlack.rgb()); // the sky inside the smallest ring
}

TEST(SkyPlot, LabelsTheSpokesClockwiseAndTheRingsOnTheNorthEastLine) {
    Plot p;
    const CFont font = LabelFont();
    const SkyGeometry& geometry = p.plot.Geometry();
    auto expectLabel = [&](const QString& strText, CPoint centre, const QColor& skip) {
        SCOPED_TRACE(strText.toStdString());
        const QImage cell = TextCell(strText, font, kWhite, kBlack);
        const QPoint topLeft(centre.x - cell.width() / 2, centre.y - cell.height() / 2);
        EXPECT_LT(CountColour(cell, kBlack), cell.width() * cell.height()) << "ink";
        EXPECT_TRUE(ShowsAt(p.Image(), cell, topLeft, skip));
    };

    const char* spokes[] = {" N ", "30\u00BA",  "60\u00BA",  " E ", "120\u00BA", "150\u00BA",
                            " S ", "210\u00BA", "240\u00BA", " W ", "300\u00BA", "330\u00BA"};
    for (int i = 0; i < 12; ++i)
        expectLabel(QString::fromUtf8(spokes[i]), geometry.SkyPoint(30 * i, 15), QColor());
    // Spokes drawn after a ring's label may cross it.
    for (const int e : {15, 30, 45, 60, 75})
        expectLabel(QString::number(e) + QChar(0x00BA), geometry.SkyPoint(45, e), kBlue);
}

TEST(SkyPlot, AMarkerIsTheIconCentredOnThePositionWithThePrnUnderIt) {
    struct Case {
        const char* legend;
        int bUsed;
        BitmapId icon;
        QColor text;
    } const cases[] = {{"used", 1, IDB_SAT_USED, kYellow},
                       {"not used", 0, IDB_SAT_NOT_USED, kSilver}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.legend);
        for (const auto& [nAzimuth, nElevation] : {std::pair{15, 52}, std::pair{0, 90}}) {
            Plot p;
            const QImage before = p.Image().copy();
            p.Update(ListOf({Sat(27, nAzimuth, nElevation, c.bUsed)}));
            const QImage marker = XorOf(before, p.Image());

            const CPoint pt = p.plot.Geometry().SkyPoint(nAzimuth, nElevation);
            const QImage icon = LoadBitmapResource(c.icon);
            const QPoint iconAt(pt.x - 15 / 2, pt.y - 13 / 2);
            EXPECT_EQ(marker.copy(QRect(iconAt, icon.size())), icon);

            const CSize block = MarkerBlock();
            const QRect blockRect(pt.x - block.cx / 2, pt.y - 13 / 2, block.cx, block.cy);
            EXPECT_TRUE(blockRect.contains(DifferenceBounds(before, p.Image())));
            const QImage number = TextCell(QStringLiteral("27"), LabelFont(), c.text, kBlack);
            const QPoint numberAt(blockRect.left() + (block.cx - number.width()) / 2,
                                  iconAt.y() + 13);
            EXPECT_TRUE(ShowsAt(marker, number, numberAt));
        }
    }
}

TEST(SkyPlot, DrawingAMarkerTwiceRemovesIt) {
    Plot p;
    const QImage empty = p.Image().copy();
    p.Update(ListOf({Sat(5, 100, 40, 1), Sat(9, 100, 40, 0)}));
    EXPECT_GT(CountDifferences(empty, p.Image()), 0);
    // Both on one spot; each goes off by itself.
    p.Update(ListOf({Sat(0, 0, 0), Sat(9, 100, 40, 0)}));
    EXPECT_EQ(p.Image(), p.Fresh());
    p.Update(SkySatelliteList{});
    EXPECT_EQ(p.Image(), empty);
    EXPECT_EQ(CountColour(p.Image(), kYellow), 0);
}

// Random sequences of satellite lists: moves, used flags, empty lists, satellites sharing a
// spot, satellites changing slots, elevations out of range; reading every system also all 64
// slots, and satellites of every system, some changing only their system. After every update
// the screen must be exactly what a full repaint draws, or a later removal would leave a ghost.
TEST(SkyPlot, IncrementalUpdatesAlwaysEqualAFullRepaint) {
    for (const bool bSystems : {false, true}) {
        for (const int bTrails : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "systems " << bSystems << ", trails " << bTrails);
            Plot p(bTrails);
            std::mt19937 random(20240501u + static_cast<unsigned>(bTrails) + (bSystems ? 2u : 0u));
            auto pick = [&](int nMin, int nMax) {
                return std::uniform_int_distribution<int>(nMin, nMax)(random);
            };
            SkySatelliteList list{};
            // The GPS-only reading fills 36 slots at most.
            const int nLast = bSystems ? kSkySlots - 1 : 39;
            auto slot = [&](int nFirst) -> SkySatellite& {
                return list[static_cast<size_t>(pick(nFirst, nLast))];
            };
            auto system = [&](SkySatellite sat) {
                if (bSystems)
                    sat.system = static_cast<GnssSystem>(pick(1, kGnssSystems - 1));
                return sat;
            };
            for (int step = 0; step < 120; ++step) {
                SCOPED_TRACE(step);
                switch (pick(0, 9)) {
                    case 0: list = SkySatelliteList{}; break;
                    case 1: // two satellites on one spot
                        list[static_cast<size_t>(pick(0, 11))] =
                            system(Sat(pick(1, 32), 77, 33, pick(0, 1)));
                        slot(12) = system(Sat(pick(1, 32), 77, 33, pick(0, 1)));
                        break;
                    case 2: // a satellite changes slots
                        std::swap(slot(0), slot(0));
                        break;
                    case 3: // malformed elevation
                        slot(0) = system(Sat(pick(1, 32), pick(0, 359), pick(91, 400), pick(0, 1)));
                        break;
                    default:
                        for (int n = pick(1, 6); n > 0; --n) {
                            SkySatellite& sat = slot(0);
                            sat = system(Sat(pick(0, 3) == 0 ? 0 : pick(1, 200), pick(0, 359),
                                             pick(0, 90), pick(0, 2)));
                        }
                }
                if (bSystems && pick(0, 4) == 0) {
                    SkySatellite& sat = slot(0);
                    sat = system(sat);
                }
                p.Update(list);
                ASSERT_EQ(p.Image(), p.Fresh());
            }
        }
    }
}

TEST(SkyPlot, ASatelliteAboveNinetyDegreesOrNotLocatedIsShownOnNeitherPath) {
    // Not located: a GSV entry without elevation and azimuth, or with both 0.
    for (const SkySatellite& hidden : {Sat(3, 10, 95, 1), Sat(3, 0, 0, 1), Sat(3, 0, 0, 0)}) {
        SCOPED_TRACE(hidden.nAzimuth);
        Plot p;
        const QImage empty = p.Image().copy();
        p.Update(ListOf({hidden}));
        EXPECT_EQ(p.Image(), empty);
        p.Repaint();
        EXPECT_EQ(p.Image(), empty);
        // Located, it is drawn; losing the position again removes it.
        p.Update(ListOf({Sat(3, 10, 60, 1)}));
        EXPECT_NE(p.Image(), empty);
        p.Update(ListOf({hidden}));
        EXPECT_EQ(p.Image(), empty);
        EXPECT_EQ(p.plot.TrailStore().Count(), 1);
    }
    // On the horizon due north, or at the zenith, a located satellite is drawn.
    for (const SkySatellite& shown : {Sat(3, 0, 1, 1), Sat(3, 1, 0, 1), Sat(3, 0, 90, 1)}) {
        Plot p;
        const QImage empty = p.Image().copy();
        p.Update(ListOf({shown}));
        EXPECT_NE(p.Image(), empty) << shown.nAzimuth << " " << shown.nElevation;
    }
}

TEST(SkyPlot, TrailPixelsAreXoredGreenAndTwoOnOnePixelCancel) {
    Plot p(1);
    const QImage empty = p.Image().copy();
    const CPoint pt = p.plot.Geometry().SkyPoint(20, 70);
    ASSERT_EQ(empty.pixel(pt.x, pt.y), kBlack.rgb());

    p.plot.AddTrailPoint(p.dc, 20, 70);
    EXPECT_EQ(p.Image().pixel(pt.x, pt.y), kGreen.rgb());
    EXPECT_EQ(CountDifferences(empty, p.Image()), 1);
    // Stored already: nothing plotted.
    p.plot.AddTrailPoint(p.dc, 20, 70);
    EXPECT_EQ(p.Image().pixel(pt.x, pt.y), kGreen.rgb());

    // Another position on the same pixel cancels it on the screen; both stay stored.
    p.plot.AddTrailPoint(p.dc, 21, 70);
    ASSERT_EQ(p.plot.Geometry().SkyPoint(21, 70), pt);
    EXPECT_EQ(p.Image(), empty);
    EXPECT_EQ(p.plot.TrailStore().Count(), 2);
    EXPECT_EQ(p.Image(), p.Fresh());
}

TEST(SkyPlot, TheWrappingStoreUnplotsTheOldestPosition) {
    Plot p(1);
    const QImage empty = p.Image().copy();
    const CPoint first = p.plot.Geometry().SkyPoint(200, 70);
    p.plot.AddTrailPoint(p.dc, 200, 70);
    // 3498 more near the horizon, far from the first: the store is full but for one slot.
    for (int n = 0; n < CTrailStore::kSlots - 2; ++n)
        p.plot.AddTrailPoint(p.dc, n % 360, 1 + n / 360);
    EXPECT_EQ(p.Image().pixel(first.x, first.y), kGreen.rgb());

    p.plot.AddTrailPoint(p.dc, 0, 40);
    EXPECT_EQ(p.Image().pixel(first.x, first.y), empty.pixel(first.x, first.y));
    EXPECT_FALSE(p.plot.TrailStore().Contains(200, 70));
    EXPECT_EQ(p.plot.TrailStore().Count(), 3499);
    EXPECT_EQ(p.Image(), p.Fresh());
}

TEST(SkyPlot, TrailsOffStillStoresButDrawsNothing) {
    Plot p(0);
    const QImage empty = p.Image().copy();
    p.Update(ListOf({Sat(8, 100, 50, 1)}));
    p.Update(ListOf({Sat(8, 130, 50, 1)}));
    p.Update(SkySatelliteList{});
    EXPECT_EQ(p.Image(), empty);
    EXPECT_EQ(p.plot.TrailStore().Count(), 2);

    p.plot.SetTrails(1);
    p.Repaint();
    EXPECT_EQ(CountDifferences(empty, p.Image()), 2);
}

TEST(SkyPlot, AMissingIconLeavesTheNumberOnly) {
    Plot p;
    p.plot.SetIcons(BitmapId{}, BitmapId{});
    const QImage empty = p.Image().copy();
    p.Update(ListOf({Sat(4, 15, 52, 1)}));
    const QImage marker = XorOf(empty, p.Image());
    int nYellow = 0; // the number, in shades of yellow
    for (int y = 0; y < marker.height(); ++y)
        for (int x = 0; x < marker.width(); ++x) {
            const QRgb rgb = marker.pixel(x, y);
            nYellow += qRed(rgb) > 128 && qRed(rgb) == qGreen(rgb) && qBlue(rgb) == 0 ? 1 : 0;
        }
    EXPECT_GT(nYellow, 0);
    EXPECT_EQ(CountColour(marker, QColor(255, 0, 0)), 0); // no icon's red panels
    EXPECT_EQ(p.Image(), p.Fresh());
    p.Update(SkySatelliteList{});
    EXPECT_EQ(p.Image(), empty);
}

} // namespace
