// SPDX-License-Identifier: MIT
// What the satellite pages cost per redraw: a full paint of the sky plot (grid, a full trail
// store, twelve markers), the incremental update after a GSV group in which every satellite
// moved (two XOR blocks and a trail-store search per satellite), and a repaint of twelve
// signal bars. The update runs up to once a second and must stay far below a full paint, or
// incremental drawing would not be worth its bookkeeping.
#include "platform/DrawContext.h"
#include "resources/resource.h"
#include "views/SignalBarWnd.h"
#include "views/SkyPlotWnd.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

const CRect kPage{0, 0, 240, 268};

SkySatelliteList TwelveSatellites(int nShift) {
    SkySatelliteList list{};
    for (int i = 0; i < 12; ++i)
        list[static_cast<size_t>(i)] = {i + 1, 30 * i + nShift, 10 + 6 * i, i % 2, 0, {}};
    return list;
}

struct Plot {
    CSkyPlotWnd plot;
    CBitmap screen;
    CDrawContext dc;

    Plot() : dc(Allocate(screen)) {
        plot.SetPointSize(80);
        plot.SetIcons(IDB_SAT_USED, IDB_SAT_NOT_USED);
        plot.SetMarkerFormat(QStringLiteral("%d"));
        plot.SetTrails(1);
        plot.Layout(dc, kPage);
        for (int n = 0; n < CTrailStore::kSlots; ++n)
            plot.AddTrailPoint(dc, n % 360, n / 360);
        plot.UpdateSatellites(dc, TwelveSatellites(0));
    }
    static CBitmap& Allocate(CBitmap& bitmap) {
        bitmap.CreateCompatibleBitmap(kPage.Width(), kPage.Height());
        return bitmap;
    }
};

void BM_SkyPlotFullPaint(benchmark::State& state) {
    Plot p;
    for (auto _ : state) {
        p.plot.Layout(p.dc, kPage);
        p.plot.Paint(p.dc);
    }
}
BENCHMARK(BM_SkyPlotFullPaint);

void BM_SkyPlotGsvUpdate(benchmark::State& state) {
    Plot p;
    int nShift = 0;
    for (auto _ : state) {
        // New positions each time, so every marker moves and every trail point is new.
        nShift = (nShift + 1) % 360;
        p.plot.UpdateSatellites(p.dc, TwelveSatellites(nShift));
    }
}
BENCHMARK(BM_SkyPlotGsvUpdate);

void BM_SignalBarsPaint(benchmark::State& state) {
    CSignalBarWnd bars;
    bars.Create(QStringLiteral("SigQual"), {0, 0, kPage.Width(), kPage.Height() / 3}, nullptr,
                0xFFFF, false);
    for (int i = 0; i < 12; ++i)
        bars.SetChannel(i, {i + 1, 20 + 2 * i, i % 2});
    for (auto _ : state) {
        bars.Invalidate(false);
        bars.UpdateSurface();
    }
}
BENCHMARK(BM_SignalBarsPaint);

} // namespace

int main(int argc, char** argv) {
    // Fonts and surfaces need a GUI application; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
