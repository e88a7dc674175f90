// SPDX-License-Identifier: MIT
// Throughput of the byte path: a few megabytes of a receiver's mixed output fed in the 255-byte
// chunks the poll loop reads, reported as bytes per second. Two receivers: a GPS one (one GGA,
// GSA, three GSV, RMC, RMB and ZDA per second) read GPS only, and a dual-band four-system one
// (GN fix sentences, a GSA per system, two GSV groups per system) read with every system.
#include "nmea/NmeaParser.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

std::string Sentence(const char* pBody) {
    unsigned char nSum = 0;
    for (const char* p = pBody; *p; ++p)
        nSum ^= static_cast<unsigned char>(*p);
    char buf[300];
    std::snprintf(buf, sizeof buf, "$%s*%02X\r\n", pBody, nSum);
    return buf;
}

std::string Stream(size_t nBytes) {
    std::string s;
    char b[256];
    for (int t = 0; s.size() < nBytes; ++t) {
        const int h = t / 3600 % 24, m = t / 60 % 60, sec = t % 60;
        const double lat = 4807.038 + t * 0.0013, lon = 1131.000 + t * 0.0021;
        std::snprintf(
            b, sizeof b, "GPGGA,%02d%02d%02d.00,%09.4f,N,%010.4f,E,1,%02d,%.1f,%.1f,M,46.9,M,,", h,
            m, sec, lat, lon, 6 + t % 5, 0.8 + (t % 7) * 0.1, 545.4 + std::sin(t * 0.01) * 30);
        s += Sentence(b);
        std::snprintf(b, sizeof b, "GPGSA,A,3,04,05,09,12,%02d,29,30,,,,,,%.1f,%.1f,%.1f",
                      20 + t % 5, 1.5 + (t % 4) * 0.2, 0.9 + (t % 3) * 0.1, 1.2 + (t % 5) * 0.1);
        s += Sentence(b);
        for (int msg = 1; msg <= 3; ++msg) {
            int n = std::snprintf(b, sizeof b, "GPGSV,3,%d,11", msg);
            for (int j = 0; j < (msg == 3 ? 3 : 4); ++j) {
                const int k = (msg - 1) * 4 + j;
                n += std::snprintf(b + n, sizeof b - n, ",%02d,%02d,%03d,%02d", 2 + k * 3,
                                   (10 + k * 7 + t / 60) % 90, (k * 33 + t / 30) % 360,
                                   20 + (k + t) % 30);
            }
            s += Sentence(b);
        }
        std::snprintf(b, sizeof b,
                      "GPRMC,%02d%02d%02d.00,A,%09.4f,N,%010.4f,E,%05.1f,%05.1f,230394,003.1,W", h,
                      m, sec, lat, lon, 12.4 + (t % 20), (t * 3) % 360 + 0.4);
        s += Sentence(b);
        std::snprintf(b, sizeof b,
                      "GPRMB,A,0.66,L,003,004,4917.24,N,12309.57,W,%05.1f,052.5,000.5,V",
                      400.0 - t * 0.01);
        s += Sentence(b);
        std::snprintf(b, sizeof b, "GPZDA,%02d%02d%02d.00,04,07,2002,00,00", h, m, sec);
        s += Sentence(b);
    }
    return s;
}

// One system's GSV groups, one per band; the second band's SNRs are mostly empty, as
// dual-band receivers send them.
void AppendGroups(std::string& s, const char* pszTalker, int nFirst, int nSats, int t,
                  const char* pszSignals) {
    char b[256];
    const int nMessages = (nSats + 3) / 4;
    for (const char* pSignal = pszSignals; *pSignal; ++pSignal) {
        for (int msg = 1; msg <= nMessages; ++msg) {
            int n =
                std::snprintf(b, sizeof b, "%sGSV,%d,%d,%02d", pszTalker, nMessages, msg, nSats);
            for (int k = (msg - 1) * 4; k < nSats && k < msg * 4; ++k) {
                n += std::snprintf(b + n, sizeof b - n, ",%02d,%02d,%03d,", nFirst + k,
                                   (10 + k * 7 + t / 60) % 90, (k * 33 + t / 30) % 360);
                if (pSignal == pszSignals || k % 3 == 0)
                    n += std::snprintf(b + n, sizeof b - n, "%02d", 20 + (k + t) % 30);
            }
            std::snprintf(b + n, sizeof b - n, ",%c", *pSignal);
            s += Sentence(b);
        }
    }
}

std::string MultiSystemStream(size_t nBytes) {
    std::string s;
    char b[256];
    for (int t = 0; s.size() < nBytes; ++t) {
        const int h = t / 3600 % 24, m = t / 60 % 60, sec = t % 60;
        const double lat = 4807.038 + t * 0.0013, lon = 1131.000 + t * 0.0021;
        std::snprintf(b, sizeof b,
                      "GNGGA,%02d%02d%02d.00,%09.4f,N,%010.4f,E,1,%02d,%.1f,%.1f,M,46.9,M,,", h, m,
                      sec, lat, lon, 20 + t % 8, 0.6 + (t % 7) * 0.1, 545.4 + std::sin(t * 0.01));
        s += Sentence(b);
        std::snprintf(b, sizeof b,
                      "GNRMC,%02d%02d%02d.00,A,%09.4f,N,%010.4f,E,%05.1f,%05.1f,230394,,,A", h, m,
                      sec, lat, lon, 12.4 + (t % 20), (t * 3) % 360 + 0.4);
        s += Sentence(b);
        // One GSA per system with its NMEA 4.10 ID: twelve slots, then the DOPs and the ID.
        const int kUsed[][2] = {{2, 8}, {65, 5}, {1, 6}, {1, 9}}; // first number, how many
        for (int id = 1; id <= 4; ++id) {
            int n = std::snprintf(b, sizeof b, "GNGSA,A,3");
            for (int k = 0; k < 12; ++k)
                n += k < kUsed[id - 1][1]
                         ? std::snprintf(b + n, sizeof b - n, ",%02d", kUsed[id - 1][0] + 2 * k)
                         : std::snprintf(b + n, sizeof b - n, ",");
            std::snprintf(b + n, sizeof b - n, ",1.%d,0.9,1.2,%d", t % 10, id);
            s += Sentence(b);
        }
        AppendGroups(s, "GP", 2, 12, t, "18");
        AppendGroups(s, "GL", 65, 8, t, "13");
        AppendGroups(s, "GA", 1, 10, t, "72");
        AppendGroups(s, "GB", 1, 12, t, "15");
        std::snprintf(b, sizeof b, "GNZDA,%02d%02d%02d.00,04,07,2002,00,00", h, m, sec);
        s += Sentence(b);
    }
    return s;
}

const std::string& Capture() {
    static const std::string s = Stream(4 << 20);
    return s;
}

void Feed255(benchmark::State& state, const std::string& s, bool bAllSystems) {
    CNmeaParser parser;
    parser.SetAllSystems(bAllSystems);
    for (auto _ : state) {
        for (size_t i = 0; i < s.size(); i += 255)
            parser.Feed(s.data() + i, static_cast<uint32_t>(std::min<size_t>(255, s.size() - i)));
        benchmark::DoNotOptimize(parser.SentenceCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.size()));
    state.counters["sentences"] =
        static_cast<double>(parser.SentenceCount()) / static_cast<double>(state.iterations());
}

void BM_Feed255(benchmark::State& state) {
    Feed255(state, Capture(), false);
}
BENCHMARK(BM_Feed255)->Unit(benchmark::kMillisecond);

void BM_Feed255AllSystems(benchmark::State& state) {
    static const std::string s = MultiSystemStream(4 << 20);
    Feed255(state, s, true);
}
BENCHMARK(BM_Feed255AllSystems)->Unit(benchmark::kMillisecond);

} // namespace
