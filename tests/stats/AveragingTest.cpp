// SPDX-License-Identifier: MIT
// The averaging arithmetic's agreement with a plain computation over long series, and which
// fixes the sampling rule lets in.
#include "stats/Averaging.h"
#include "StatsTestSupport.h"

#include <cmath>
#include <numeric>
#include <random>
#include <vector>

namespace {

// Over many realistic samples both accumulators agree with a plain computation; what they
// compute is fixed, so only rounding may differ.
TEST(Averaging, LongSeriesAgreeWithAPlainComputation) {
    std::mt19937 rng(42);
    std::normal_distribution<double> noise(0.0, 2e-5);
    std::vector<double> ys;
    CRunningAverage avg;
    CLeastSquaresAverage ls;
    double dSumSqDev = 0, dSumSqResiduals = 0;
    for (int k = 1; k <= 5000; ++k) {
        const double y = 47.2692 + 1e-7 * k + noise(rng);
        ys.push_back(y);
        avg.Add(y);
        ls.Add(y);
        const double dMean =
            std::accumulate(ys.begin(), ys.end(), 0.0) / static_cast<double>(ys.size());
        dSumSqDev += (y - dMean) * (y - dMean);
        if (k % 500 == 0) { // the closed-form fit over samples 1..k, read at k + 1
            double sx = 0, sy = 0, sxx = 0, sxy = 0;
            for (int i = 1; i <= k; ++i) {
                sx += i;
                sy += ys[i - 1];
                sxx += double(i) * i;
                sxy += i * ys[i - 1];
            }
            const double slope = (k * sxy - sx * sy) / (k * sxx - sx * sx);
            EXPECT_NEAR(ls.m_dSlope, slope, 1e-10) << k;
            EXPECT_NEAR(ls.Estimate(), slope * (k + 1) + (sy - slope * sx) / k, 1e-9) << k;
        }
        if (k >= 2) {
            const double r = y - (ls.m_dSlope * (k + 1) + ls.m_dIntercept);
            dSumSqResiduals += r * r;
        }
    }
    EXPECT_NEAR(avg.m_dMean, 47.2692 + 1e-7 * 2500.5, 1e-5);
    EXPECT_NEAR(avg.m_dStdDev, std::sqrt(dSumSqDev / 5000), 1e-12);
    EXPECT_NEAR(ls.m_dStdDev, std::sqrt(dSumSqResiduals / 5000), 1e-12);
}

TEST(Averaging, SamplingRuleDecidesPerCoordinate) {
    struct Case {
        const char* pLegend;
        struct {
            int nQuality;
            double dHdop, dPdop, dVdop;
        } fix;
        AveragingSettings settings;
        uint32_t nLatLon, nAlt;
    } const cases[] = {
        {"no fix", {0, 1, 1, 1}, {}, 0, 0},
        {"no fix, thresholds off", {0, 1, 1, 1}, {0, 1, 1, 3, 3}, 0, 0},
        {"HDOP just below", {1, 2.9, 9, 2.9}, {}, 1, 1},
        {"HDOP at the threshold", {1, 3.0, 1, 3.0}, {}, 0, 0},
        {"no GSA yet", {1, 0, 0, 0}, {}, 0, 0},
        {"no GSA, thresholds off", {1, 0, 0, 0}, {0, 1, 1, 3, 3}, 1, 1},
        {"PDOP for lat/lon", {1, 1, 4, 1}, {1, 0, 1, 3, 3}, 0, 1},
        {"PDOP for altitude", {1, 1, 4, 1}, {1, 1, 0, 3, 3}, 1, 0},
        {"VDOP too high", {1, 1, 1, 5}, {}, 1, 0},
        {"own thresholds", {1, 2.5, 1, 2.5}, {1, 1, 1, 2.6, 2.5}, 0, 1},
        {"any value but 1 means off", {1, 9, 9, 9}, {2, 1, 1, 3, 3}, 1, 1},
    };
    for (const Case& c : cases) {
        CNmeaParser gps;
        SetFix(gps, c.fix.nQuality, 47.5, -122.25, 100, c.fix.dHdop, c.fix.dVdop, c.fix.dPdop);
        gps.m_dGgaHdop = 99; // never used
        PositionAverages averages;
        averages.AddFix(gps, c.settings);
        EXPECT_EQ(averages.m_avgLatitude.m_nCount, c.nLatLon) << c.pLegend;
        EXPECT_EQ(averages.m_lsLongitude.m_nIndex, c.nLatLon + 1) << c.pLegend;
        EXPECT_EQ(averages.m_avgAltitude.m_nCount, c.nAlt) << c.pLegend;
        EXPECT_EQ(averages.m_lsAltitude.m_nIndex, c.nAlt + 1) << c.pLegend;
    }
}

// A number too large for a double is larger than any DOP, not 0.
TEST(Averaging, ThresholdTextReadsALeadingNumber) {
    struct Case {
        const char* pText;
        double d;
    } const cases[] = {{"3.000000", 3.0}, {"  2.5xyz", 2.5},  {"+1.5", 1.5}, {"-1", -1},
                       {"", 0},           {"abc", 0},         {"1e1", 10.0}, {".5", 0.5},
                       {"+-1", 0},        {"1e999", HUGE_VAL}};
    for (const Case& c : cases)
        EXPECT_EQ(ParseThreshold(c.pText), c.d) << '"' << c.pText << '"';
}

} // namespace
