// SPDX-License-Identifier: MIT
// soak: does the program hold its memory over a day? Runs 24 simulated hours of the receiver
// simulator's output through the whole running program as fast as it goes — the main frame
// replaying the stream through its poll loop, the event loop delivering every notification,
// timer and repaint, the pages drawn, satellite trails on, the stream recorded to a file —
// and samples the resident memory at every simulated hour. A different page is in front each
// hour, so every page paints for a while.
//
//     build/bench/soak [--hours N] [--seed S] [--tolerance MIB] [--adaptive-allocator]
//
// Prints one line per hour and exits 1 if memory grew by more than the tolerance (default
// 1 MiB) over the second half of the run: a leak grows with the data, while the first hours
// only fill caches (each page's first paints, the trail store).
//
// The gauge panel composes each paint in a bitmap of its own size (about 1 MiB) and frees it.
// The C library's allocator adapts to such blocks by keeping them in its heap, whose resident
// size then climbs in steps of about one bitmap now and then, for hours, before it settles. So
// that the figure shows what the program holds rather than how the allocator keeps freed
// blocks, large blocks go straight back to the system here; --adaptive-allocator keeps the
// allocator's own behaviour, as in a normal run. scripts/soak.sh runs this program.
#include "nmea/NmeaParser.h"
#include "common/ScriptedInteraction.h"
#include "resources/resource.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "shell/MainView.h"
#include "shell/RavuzizApp.h"
#include "sim/ReceiverSim.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabBar>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <malloc.h>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSecondsPerHour = 3600;
constexpr int kChunk = 255; // what one poll tick reads from a recording

double ResidentMiB() {
    std::ifstream statm("/proc/self/statm");
    long nPages = 0, nResident = 0;
    statm >> nPages >> nResident;
    return static_cast<double>(nResident * sysconf(_SC_PAGESIZE)) / (1 << 20);
}

struct Options {
    int nHours = 24;
    uint32_t nSeed = 1;
    double dToleranceMiB = 1.0;
    bool bAdaptiveAllocator = false;
};

// Blocks from this size on are mapped and unmapped one by one (glibc's initial threshold,
// which it otherwise raises after the first such block is freed).
constexpr int kMmapThreshold = 128 * 1024;

bool Parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--adaptive-allocator") {
            options.bAdaptiveAllocator = true;
            continue;
        }
        const char* pValue = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!pValue)
            return false;
        ++i;
        if (arg == "--hours")
            options.nHours = std::atoi(pValue);
        else if (arg == "--seed")
            options.nSeed = static_cast<uint32_t>(std::strtoul(pValue, nullptr, 10));
        else if (arg == "--tolerance")
            options.dToleranceMiB = std::atof(pValue);
        else
            return false;
    }
    return options.nHours >= 2 && options.dToleranceMiB >= 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fputs("usage: soak [--hours N (2 or more)] [--seed S] [--tolerance MIB] "
                   "[--adaptive-allocator]\n",
                   stderr);
        return 2;
    }
    if (!options.bAdaptiveAllocator)
        mallopt(M_MMAP_THRESHOLD, kMmapThreshold);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir work;
    qputenv("XDG_CONFIG_HOME", work.filePath("config").toLocal8Bit());
    QApplication qapp(argc, argv);

    // The simulated day, and where each of its hours ends in the recording.
    const QString strReplay = work.filePath("day.nmea");
    std::vector<size_t> hourEnds;
    {
        std::ofstream file(strReplay.toStdString(), std::ios::binary);
        CReceiverSim sim(options.nSeed);
        size_t nSize = 0;
        std::string strHour;
        for (int h = 0; h < options.nHours; ++h) {
            strHour.clear();
            for (int s = 0; s < kSecondsPerHour; ++s)
                sim.NextSecond(strHour);
            file << strHour;
            nSize += strHour.size();
            hourEnds.push_back(nSize);
        }
    }

    WriteSettingInt(kSectionAzimuthElevation, kEnableTrails, 1);
    CMainFrame::Options frameOptions;
    frameOptions.strReplayPath = strReplay;
    frameOptions.bSkipWarning = true;
    CRavuzizApp app;
    app.InitInstance(frameOptions);
    CMainFrame& frame = *app.MainFrame();
    {
        CScriptedInteraction person;
        person.AnswerFile(work.filePath("log.txt"));
        frame.OnCommand(ID_LOG_START);
    }
    QCoreApplication::processEvents();

    std::printf("%-5s %-10s %-10s %s\n", "hour", "RSS MiB", "page", "seconds");
    QElapsedTimer clock;
    clock.start();
    const size_t nHalf = hourEnds.size() / 2;
    double dFirstHour = 0, dHalfway = 0;
    size_t nRead = 0;
    for (size_t nHour = 0; nHour < hourEnds.size();) {
        frame.OnTimer(CPollLoop::kTimerId);
        QCoreApplication::processEvents();
        nRead += kChunk;
        if (frame.PollLoop().EmptyReads() > 0 || nRead >= hourEnds[nHour]) {
            const double dRss = ResidentMiB();
            if (nHour == 0)
                dFirstHour = dRss;
            if (nHour + 1 == nHalf)
                dHalfway = dRss;
            CTabWnd& tabs = frame.View().TabWnd();
            std::printf("%-5zu %-10.1f %-10s %.1f\n", nHour + 1, dRss,
                        qPrintable(tabs.TabControl()->tabText(tabs.TabControl()->currentIndex())),
                        clock.elapsed() / 1000.0);
            std::fflush(stdout);
            ++nHour;
            tabs.ShowPage(static_cast<int>(nHour % 4));
            if (frame.PollLoop().EmptyReads() > 0)
                break;
        }
    }
    frame.OnCommand(ID_LOG_STOP);

    const double dEnd = ResidentMiB();
    const bool bFlat = dEnd - dHalfway <= options.dToleranceMiB;
    std::printf("recorded %u bytes, %u sentences decoded\n", frame.Parser().LoggedBytes(),
                frame.Parser().SentenceCount());
    std::printf("resident memory: %.1f MiB after hour 1, %.1f after hour %zu, %.1f at the end: "
                "%+.1f MiB over the second half, %s\n",
                dFirstHour, dHalfway, nHalf, dEnd, dEnd - dHalfway, bFlat ? "flat" : "GROWING");
    return bFlat ? 0 : 1;
}
