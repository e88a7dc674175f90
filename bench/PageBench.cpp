// SPDX-License-Identifier: MIT
// What each page costs to draw in full (erase and paint, child windows included) on a
// handheld's 240 x 320 screen and on a 1920 x 1080 desktop, and what the periodic work costs
// at both sizes: the gauge panel's 1.1 s tick with its repaint, the Sig/Nav page's refresh
// after new GSV and GSA data, and the sky page's update after a GSV group. The pages hold what
// five minutes of the bundled drive left in them, trails on, so every paint draws real
// markers, bars, gauges and figures. Targets: a full paint under 2 ms at 240 x 320 and under
// 16 ms at 1920 x 1080.
#include "gauges/GaugePanelWnd.h"
#include "nmea/NmeaParser.h"
#include "platform/Messages.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "stats/StatsView.h"
#include "views/AzElWnd.h"
#include "views/SigNavWnd.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

namespace {

class CBenchSigNav : public CSigNavWnd {
public:
    using CSigNavWnd::CSigNavWnd;
    void Tick() { OnTimer(kRefreshTimer); }
};

class CBenchPanel : public CGaugePanelWnd {
public:
    using CGaugePanelWnd::CGaugePanelWnd;
    void Tick() { OnTimer(kFeedTimer); }
};

// The four pages on one decoder, fed as the main view would feed them.
struct Pages : INmeaNotify {
    CNmeaParser gps{this};
    CBenchSigNav sigNav{gps};
    CAzElWnd azEl{gps};
    CBenchPanel panel{gps};
    CStatsView stats{gps};

    Pages(int nWidth, int nHeight) {
        const CRect rect{0, 0, nWidth, nHeight};
        sigNav.Create(QStringLiteral("SigQual"), rect, nullptr, 0xFFFF, false);
        azEl.Create(QStringLiteral("SatInfo"), rect, nullptr, 0xFFFF, false);
        panel.Create(QStringLiteral("Panel"), rect, nullptr, 0xFFFF, false);
        stats.Create(QStringLiteral("StatViewWnd"), rect, nullptr, 0xFFFF, false);
        std::ifstream file(RAVUZIZ_DATA_DIR "/demo.nmea", std::ios::binary);
        std::stringstream demo;
        demo << file.rdbuf();
        const std::string strDemo = demo.str();
        // Ticks of the page timers about as often as the poll loop would reach them.
        for (size_t i = 0, nChunk = 0; i < strDemo.size(); i += 255, ++nChunk) {
            gps.Feed(strDemo.data() + i,
                     static_cast<uint32_t>(std::min<size_t>(255, strDemo.size() - i)));
            QCoreApplication::sendPostedEvents();
            if (nChunk % 4 == 0) {
                sigNav.Tick();
                panel.Tick();
            }
        }
        for (CSurfaceWnd* pPage : All())
            Paint(*pPage);
    }

    std::vector<CSurfaceWnd*> All() { return {&sigNav, &azEl, &panel, &stats}; }

    // Runs the outstanding repaints of a page and of its child windows (the bar graph).
    static void Paint(CSurfaceWnd& page) {
        page.UpdateSurface();
        for (CSurfaceWnd* pChild : page.findChildren<CSurfaceWnd*>())
            pChild->UpdateSurface();
    }

    void PostToMain(unsigned nMessage) override {
        if (nMessage == WM_GPS_GSV)
            azEl.PostMessage(WM_GPS_GSV);
        else if (nMessage == WM_GPS_GGA)
            stats.PostMessage(WM_GPS_GGA);
    }
    void Broadcast(unsigned) override {}
};

enum PageIndex { kSigNav, kAzEl, kPanel, kStats };

void BM_FullPaint(benchmark::State& state, PageIndex nPage) {
    Pages pages(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CSurfaceWnd& page = *pages.All()[static_cast<size_t>(nPage)];
    for (auto _ : state) {
        page.Invalidate(true);
        Pages::Paint(page);
        benchmark::DoNotOptimize(page.Surface().constBits());
    }
}

void Sizes(benchmark::internal::Benchmark* pBench) {
    pBench->ArgNames({"w", "h"});
    pBench->Args({240, 320});
    pBench->Args({1920, 1080});
    pBench->Unit(benchmark::kMicrosecond);
}

BENCHMARK_CAPTURE(BM_FullPaint, SigNav, kSigNav)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_FullPaint, AzEl, kAzEl)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_FullPaint, Panel, kPanel)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_FullPaint, Stats, kStats)->Apply(Sizes);

// The panel's 1.1 s tick: the gauges take new values and the panel repaints without erase.
void BM_PanelTick(benchmark::State& state) {
    Pages pages(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        pages.gps.m_dAltitude += 0.1;
        pages.panel.Tick();
        Pages::Paint(pages.panel);
    }
}
BENCHMARK(BM_PanelTick)->Apply(Sizes);

// The Sig/Nav page's 1.2 s tick after a second of data: new bars and new text.
void BM_SigNavTick(benchmark::State& state) {
    Pages pages(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        ++pages.gps.m_nGsvCount;
        ++pages.gps.m_nGsaCount;
        pages.gps.m_Sats[0].nSnr = pages.gps.m_Sats[0].nSnr == 40 ? 41 : 40;
        pages.sigNav.Tick();
        Pages::Paint(pages.sigNav);
    }
}
BENCHMARK(BM_SigNavTick)->Apply(Sizes);

// The sky page after a GSV group in which every satellite moved by a degree.
void BM_AzElGsvUpdate(benchmark::State& state) {
    Pages pages(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    int nStep = 0;
    for (auto _ : state) {
        ++nStep;
        for (GpsSatellite& sat : pages.gps.m_Sats)
            if (sat.nPrn != 0)
                sat.nAzimuth = static_cast<uint16_t>((sat.nAzimuth + 1) % 360);
        pages.azEl.PostMessage(WM_GPS_GSV);
        QCoreApplication::sendPostedEvents(&pages.azEl);
    }
    benchmark::DoNotOptimize(nStep);
}
BENCHMARK(BM_AzElGsvUpdate)->Apply(Sizes);

} // namespace

// Headless, with a settings store of its own in which trails are on, so a run neither needs a
// display nor reads the user's choices.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    WriteSettingInt(kSectionAzimuthElevation, kEnableTrails, 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
