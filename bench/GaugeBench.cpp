// SPDX-License-Identifier: MIT
// Cost of the gauge panel's periodic work: a feed tick with its repaint (every 1.1 s, no
// layout), a repaint after an erase (layout rebuilds the gauges' pens and fonts), and one
// speedometer drawing, which builds its objects every time. Sizes: a handheld's portrait page
// and a desktop window.
#include "gauges/GaugePanelWnd.h"
#include "nmea/NmeaParser.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

class CBenchPanel : public CGaugePanelWnd {
public:
    using CGaugePanelWnd::CGaugePanelWnd;
    using CGaugePanelWnd::OnTimer;
};

void Moving(CNmeaParser& gps) {
    gps.m_dSpeedKnots = 23.4;
    gps.m_dCourse = 84.4;
    gps.m_dBearingToDest = 52.5;
    gps.m_dRangeToDest = 33.0;
    gps.m_dAltitude = 555.9;
    gps.m_dVerticalSpeed = 12.0;
    std::strcpy(gps.m_szDestWaypoint, "004");
}

void BM_PanelTick(benchmark::State& state) {
    CNmeaParser gps;
    Moving(gps);
    CBenchPanel panel(gps);
    panel.Create(QStringLiteral("Panel"),
                 {0, 0, static_cast<int>(state.range(0)), static_cast<int>(state.range(1))},
                 nullptr, 0xFFFF, false);
    panel.UpdateSurface();
    for (auto _ : state) {
        gps.m_dAltitude += 0.1;
        panel.OnTimer(CGaugePanelWnd::kFeedTimer);
        panel.UpdateSurface();
        benchmark::DoNotOptimize(panel.Surface().constBits());
    }
}
BENCHMARK(BM_PanelTick)->Args({240, 268})->Args({640, 480})->Unit(benchmark::kMicrosecond);

void BM_PanelErase(benchmark::State& state) {
    CNmeaParser gps;
    Moving(gps);
    CBenchPanel panel(gps);
    panel.Create(QStringLiteral("Panel"),
                 {0, 0, static_cast<int>(state.range(0)), static_cast<int>(state.range(1))},
                 nullptr, 0xFFFF, false);
    panel.OnTimer(CGaugePanelWnd::kFeedTimer);
    for (auto _ : state) {
        panel.Invalidate(true);
        panel.UpdateSurface();
        benchmark::DoNotOptimize(panel.Surface().constBits());
    }
}
BENCHMARK(BM_PanelErase)->Args({240, 268})->Args({640, 480})->Unit(benchmark::kMicrosecond);

void BM_SpeedometerDraw(benchmark::State& state) {
    CSpeedometerWnd gauge;
    gauge.SetSpeed(26.9, QStringLiteral("MPH"));
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(320, 240);
    CDrawContext dc(bitmap);
    for (auto _ : state) {
        gauge.Draw(dc, {0, 0, 320, 240});
        benchmark::DoNotOptimize(bitmap.Image().constBits());
    }
}
BENCHMARK(BM_SpeedometerDraw)->Unit(benchmark::kMicrosecond);

} // namespace

// Headless, with a settings store of its own, so a run neither needs a display nor reads the
// user's choices.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
