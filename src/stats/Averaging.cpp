// SPDX-License-Identifier: MIT
#include "stats/Averaging.h"

#include "nmea/NmeaParser.h"
#include "platform/NumberText.h"

#include <cmath>

void CRunningAverage::Add(double y) {
    m_dSum = m_dSum + y;
    m_nCount = m_nCount + 1;
    m_dMean = m_dSum / static_cast<double>(m_nCount);
    const double d = y - m_dMean;
    m_dSumSqDev = m_dSumSqDev + std::pow(d, 2.0);
    m_dStdDev = std::sqrt(m_dSumSqDev / static_cast<double>(m_nCount));
}

void CLeastSquaresAverage::Add(double y) {
    const double x = static_cast<double>(m_nIndex);
    m_nIndex = m_nIndex + 1;
    m_dSumX += x;
    m_dSumXX += x * x;
    m_dSumY += y;
    m_dSumXY += x * y;
    // x is the number of samples, so this is n·Σx² − (Σx)²; 0 for the first sample.
    const double D = m_dSumXX * x - m_dSumX * m_dSumX;
    if (D == 0)
        return;
    const double inv = 1.0 / D;
    m_dIntercept = (m_dSumY * m_dSumXX - m_dSumXY * m_dSumX) * inv;
    m_dSlope = (m_dSumXY * x - m_dSumY * m_dSumX) * inv;
    // The residual is taken against the new line read one sample ahead, at x + 1.
    const double dPredicted = m_dSlope * (x + 1) + m_dIntercept;
    m_dSumSqResiduals += (y - dPredicted) * (y - dPredicted);
    m_dStdDev = std::sqrt(m_dSumSqResiduals / x);
}

void PositionAverages::AddFix(const CNmeaParser& gps, const AveragingSettings& s) {
    if (gps.m_nFixQuality == 0)
        return;
    if (s.bUseAveraging != 1) {
        m_avgLatitude.Add(gps.m_dLatitude);
        m_avgLongitude.Add(gps.m_dLongitude);
        m_avgAltitude.Add(gps.m_dAltitude);
        m_lsLatitude.Add(gps.m_dLatitude);
        m_lsLongitude.Add(gps.m_dLongitude);
        m_lsAltitude.Add(gps.m_dAltitude);
        return;
    }
    // A DOP of 0 means no GSA value is known; it is refused like a DOP at the threshold.
    const double dLatLonDop = s.bLatLonUseHdop == 1 ? gps.m_dHdop : gps.m_dPdop;
    if (dLatLonDop < s.dLatLonThreshold && dLatLonDop != 0) {
        m_avgLatitude.Add(gps.m_dLatitude);
        m_avgLongitude.Add(gps.m_dLongitude);
        m_lsLatitude.Add(gps.m_dLatitude);
        m_lsLongitude.Add(gps.m_dLongitude);
    }
    const double dAltDop = s.bAltUseVdop == 1 ? gps.m_dVdop : gps.m_dPdop;
    if (dAltDop < s.dAltThreshold && dAltDop != 0) {
        m_avgAltitude.Add(gps.m_dAltitude);
        m_lsAltitude.Add(gps.m_dAltitude);
    }
}

double ParseThreshold(std::string_view text) {
    return TextToDouble(text);
}
