// SPDX-License-Identifier: MIT
// Averaging many fixes gives a steadier position than any single one. Two accumulators per
// coordinate: a running mean with a running deviation, and a least-squares straight line of
// the value against the sample number, read one sample ahead. Their arithmetic, operand order
// included, is fixed: results are compared to the last digit.
#pragma once

#include <cstdint>
#include <string_view>

class CNmeaParser;

class CRunningAverage {
public:
    double m_dSum = 0;
    uint32_t m_nCount = 0;
    double m_dMean = 0;
    // Each sample's squared distance from the mean as it stood right after that sample, so
    // this is not the population deviation: 10, 20 gives 3.536, not 5.
    double m_dSumSqDev = 0;
    double m_dStdDev = 0;

    void Reset() { *this = CRunningAverage(); }
    void Add(double y);
};

class CLeastSquaresAverage {
public:
    double m_dSumY = 0;
    double m_dSumX = 0;
    double m_dSumXY = 0;
    double m_dSumXX = 0;
    double m_dIntercept = 0;
    double m_dSlope = 0;
    double m_dSumSqResiduals = 0;
    uint32_t m_nIndex = 1; // the sample number the next sample gets
    double m_dStdDev = 0;

    void Reset() { *this = CLeastSquaresAverage(); }
    void Add(double y);
    // The fitted line at the next sample number.
    double Estimate() const { return static_cast<double>(m_nIndex) * m_dSlope + m_dIntercept; }
};

// Which fixes are averaged. With thresholds on, a coordinate is sampled only while its DOP
// (from GSA) is known and strictly below its threshold.
struct AveragingSettings {
    int bUseAveraging = 1;
    int bLatLonUseHdop = 1; // else PDOP
    int bAltUseVdop = 1;    // else PDOP
    double dAltThreshold = 3.0;
    double dLatLonThreshold = 3.0;
};

// The six accumulators of the statistics page, in the page's order.
struct PositionAverages {
    CLeastSquaresAverage m_lsLatitude, m_lsLongitude, m_lsAltitude;
    CRunningAverage m_avgLatitude, m_avgLongitude, m_avgAltitude;

    void Reset() { *this = PositionAverages(); }
    // Samples one GGA fix (degrees and the receiver's altitude unit, no conversion).
    void AddFix(const CNmeaParser& gps, const AveragingSettings& settings);
};

// A stored threshold as the platform's text-to-double conversion reads it: leading white
// space, a number, the rest ignored; 0 when there is no number, an infinity when the number
// is too large for a double. Independent of the locale.
double ParseThreshold(std::string_view text);
