// SPDX-License-Identifier: MIT
// The sky plot drawn into images: grid, labels and markers as the kept pictures show them (its
// geometry's fixed truncation and operand order decide every pixel), markers and trail pixels
// XORed on and off, the trail store's oldest position pushed out, the incremental path always
// leaving what a full repaint draws; the layout at odd sizes, and absurd elevations.
#include "ViewsTestSupport.h"

#include "resources/resource.h"
#include "views/SkyPlotWnd.h"

#include <climits>
#include <random>

namespace {

const CRect kClient{0, 0, 240, 200};
const QColor kGreen(0, 255, 0);

// A plot configured as the azimuth/elevation page configures it, with its own screen.
struct Plot {
    CSkyPlotWnd plot;
    CBitmap screen;
    CDrawContext dc;

    explicit Plot(int bTrails = 0, BitmapId nUsedIcon = IDB_SAT_USED,
                  BitmapId nOtherIcon = IDB_SAT_NOT_USED)
        : dc(Init(screen)) {
        plot.SetPointSize(80);
        plot.SetIcons(nUsedIcon, nOtherIcon);
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
    QImage Fresh() {
        CBitmap bitmap;
        CDrawContext fresh(Init(bitmap));
        plot.Layout(fresh, kClient);
        plot.Paint(fresh);
        return bitmap.Image();
    }
    const QImage& Image() const { return screen.Image(); }
};

SkySatelliteList ListOf(std::initializer_list<SkySatellite> sats) {
    SkySatelliteList list{};
    std::copy(sats.begin(), sats.end(), list.begin());
    return list;
}

SkySatellite Sat(int nPrn, int nAzimuth, int nElevation, int bUsed = 0) {
    return {nPrn, nAzimuth, nElevation, bUsed, 0, {}};
}

// Rings, spokes and their labels; used and other markers, one at the zenith, one on the
// horizon due north, none for a satellite above 90 degrees or not located (a GSV entry without
// elevation and azimuth, or with both 0); trails where they moved. Without icons, the numbers
// alone.
TEST(SkyPlot, DrawsGridLabelsMarkersAndTrailsAsKept) {
    for (const bool bIcons : {true, false}) {
        Plot p(1, bIcons ? IDB_SAT_USED : BitmapId{}, bIcons ? IDB_SAT_NOT_USED : BitmapId{});
        p.Update(ListOf({Sat(27, 15, 52, 1), Sat(4, 200, 20, 0), Sat(9, 300, 75, 1)}));
        p.Update(ListOf({Sat(27, 17, 50, 1), Sat(4, 203, 21, 0), Sat(9, 300, 75, 1),
                         Sat(31, 0, 90, 0), Sat(12, 0, 1, 1), Sat(3, 10, 95, 1), Sat(5, 0, 0, 1)}));
        EXPECT_TRUE(MatchesPicture(p.Image(), bIcons ? "sky-plot" : "sky-plot-no-icons"));
        EXPECT_EQ(p.Image(), p.Fresh());
    }
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
                    case 2: std::swap(slot(0), slot(0)); break;
                    case 3: // malformed elevation
                        slot(0) = system(Sat(pick(1, 32), pick(0, 359), pick(91, 400), pick(0, 1)));
                        break;
                    default:
                        for (int n = pick(1, 6); n > 0; --n)
                            slot(0) = system(Sat(pick(0, 3) == 0 ? 0 : pick(1, 200), pick(0, 359),
                                                 pick(0, 90), pick(0, 2)));
                }
                if (pick(0, 4) == 0) // a satellite changes only its system
                    slot(0) = system(list[0]);
                p.Update(list);
                ASSERT_EQ(p.Image(), p.Fresh());
            }
        }
    }
}

// Trail pixels are XORed green, two on one pixel cancel; each position is stored once, and
// once the store wraps every new one pushes out the oldest, which leaves the plot, and one
// slot stays empty.
TEST(SkyPlot, TrailPixelsAreXoredGreenAndTheWrappingStoreUnplotsTheOldestPosition) {
    Plot p(1);
    const QImage empty = p.Image().copy();
    const CPoint pt = p.plot.Geometry().SkyPoint(20, 70);
    p.plot.AddTrailPoint(p.dc, 20, 70);
    EXPECT_EQ(XorOf(empty, p.Image()).pixel(pt.x, pt.y), kGreen.rgb());
    EXPECT_EQ(CountDifferences(empty, p.Image()), 1);
    p.plot.AddTrailPoint(p.dc, 20, 70); // stored already: nothing plotted
    EXPECT_EQ(CountDifferences(empty, p.Image()), 1);

    // Another position on the same pixel cancels it on the screen; both stay stored.
    p.plot.AddTrailPoint(p.dc, 21, 70);
    ASSERT_EQ(p.plot.Geometry().SkyPoint(21, 70), pt);
    EXPECT_EQ(p.Image(), empty);
    const CTrailStore& store = p.plot.TrailStore();
    EXPECT_EQ(store.Count(), 2);
    EXPECT_EQ(p.Image(), p.Fresh());

    const CPoint first = p.plot.Geometry().SkyPoint(200, 70);
    p.plot.AddTrailPoint(p.dc, 200, 70);
    // Near the horizon, far from the first: the store is full but for one slot.
    for (int n = 0; n < CTrailStore::kSlots - 4; ++n)
        p.plot.AddTrailPoint(p.dc, n % 360, 1 + n / 360);
    EXPECT_EQ(store.Count(), CTrailStore::kSlots - 1);
    EXPECT_EQ(p.Image().pixel(first.x, first.y), kGreen.rgb());
    for (int n = 0; n < 3; ++n)
        p.plot.AddTrailPoint(p.dc, n, 40);
    EXPECT_NE(p.Image().pixel(first.x, first.y), kGreen.rgb());
    EXPECT_FALSE(store.Contains(20, 70) || store.Contains(21, 70) || store.Contains(200, 70));
    EXPECT_TRUE(store.Contains(0, 1));
    EXPECT_EQ(store.Count(), CTrailStore::kSlots - 1);
    EXPECT_TRUE(store.Slot(2).IsEmpty());
    EXPECT_EQ(p.Image(), p.Fresh());
}

// Odd sizes keep their halves; the smaller side sets the radius.
TEST(SkyGeometry, LaysTheDiscOutInTheWindowLessTheFrameAndSaturatesAbsurdElevations) {
    const SkyGeometry odd = SkyGeometry::FromClientRect({10, 20, 10 + 201, 20 + 305});
    EXPECT_EQ(odd.dCx, 12 + 197 / 2.0);
    EXPECT_EQ(odd.dCy, 22 + 301 / 2.0);
    EXPECT_EQ(odd.dRadius, 98.5);
    const CPoint far = SkyGeometry::FromClientRect(kClient).SkyPoint(180, INT_MIN);
    EXPECT_EQ(far.x, 120);
    EXPECT_EQ(far.y, INT_MAX);
}

} // namespace
