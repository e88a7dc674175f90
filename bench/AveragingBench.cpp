// SPDX-License-Identifier: MIT
// Cost of sampling one fix into the six accumulators (once per GGA on the statistics page).
#include "nmea/NmeaParser.h"
#include "stats/Averaging.h"

#include <benchmark/benchmark.h>

namespace {

void BM_AddFix(benchmark::State& state) {
    CNmeaParser gps;
    gps.m_nFixQuality = 1;
    gps.m_dLatitude = 47.2692;
    gps.m_dLongitude = 11.4041;
    gps.m_dAltitude = 574.0;
    gps.m_dHdop = 1.2;
    gps.m_dVdop = 1.9;
    gps.m_dPdop = 2.2;
    PositionAverages averages;
    const AveragingSettings settings;
    for (auto _ : state) {
        gps.m_dLatitude += 1e-9;
        averages.AddFix(gps, settings);
        benchmark::DoNotOptimize(averages);
    }
}
BENCHMARK(BM_AddFix);

} // namespace
