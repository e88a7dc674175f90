// SPDX-License-Identifier: MIT
#include "SimDrive.h"

#include "SimText.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180.0;

// The waypoint being navigated to, and where the route started.
constexpr double kDestLatitude = 47.3100, kDestLongitude = 11.4800;
constexpr double kStartLatitude = 47.2692, kStartLongitude = 11.4041, kStartAltitude = 574.0;

} // namespace

CSimDrive::CSimDrive()
    : m_dLatitude(kStartLatitude), m_dLongitude(kStartLongitude), m_dAltitude(kStartAltitude) {}

int CSimDrive::FixQuality(int nSecond) {
    if (nSecond < 8 || InTunnel(nSecond)) // cold start, then the tunnel
        return 0;
    return nSecond >= 100 && nSecond < 160 ? 2 : 1;
}

int CSimDrive::FixMode(int nSecond) {
    if (FixQuality(nSecond) == 0)
        return 1;
    return nSecond < 12 ? 2 : 3;
}

bool CSimDrive::InTunnel(int nSecond) {
    return nSecond >= 200 && nSecond < 215;
}

void CSimDrive::MoveTo(double t, double dt) {
    // Parked while acquiring, then a drive with changing speed and a stop at a light.
    double dSpeed = 0;
    if (t >= 10 && t < 40)
        dSpeed = (t - 10) * 1.0;
    else if (t >= 40)
        dSpeed = 30 + 12 * std::sin((t - 40) / 23.0) + 4 * std::sin(t / 7.0);
    if (t >= 240 && t < 255)
        dSpeed = std::max(0.0, 30 - (t - 240) * 4) * (t < 248);
    m_dSpeedKnots = std::max(0.0, dSpeed);
    if (m_dSpeedKnots > 0)
        m_dCourse = std::fmod(45 + 70 * std::sin(t / 60.0) + 30 * std::sin(t / 17.0) + 360, 360);
    const double dNauticalMiles = m_dSpeedKnots * dt / 3600.0;
    m_dLatitude += dNauticalMiles * std::cos(m_dCourse * kDegree) / 60.0;
    m_dLongitude +=
        dNauticalMiles * std::sin(m_dCourse * kDegree) / (60.0 * std::cos(m_dLatitude * kDegree));
    m_dAltitude = kStartAltitude + 40 * std::sin(t / 45.0) + 0.25 * t;
}

// A flat-earth approximation, good for a few miles.
std::string CSimDrive::RmbBody(const char* pTalker, bool bFix) const {
    if (!bFix)
        return Format("%sRMB,V,,,,,,,,,,,,V", pTalker);
    const double dNorth = (kDestLatitude - m_dLatitude) * 60.0;
    const double dEast = (kDestLongitude - m_dLongitude) * 60.0 * std::cos(m_dLatitude * kDegree);
    const double dRange = std::hypot(dNorth, dEast);
    const double dBearing = std::fmod(std::atan2(dEast, dNorth) / kDegree + 360, 360);
    const double dOff = std::remainder(dBearing - m_dCourse, 360);
    const double dClosing = m_dSpeedKnots * std::cos(dOff * kDegree);
    const double dRouteBearing =
        std::atan2((kDestLongitude - kStartLongitude) * std::cos(m_dLatitude * kDegree),
                   kDestLatitude - kStartLatitude);
    const double dCrossTrack =
        std::fabs(std::sin(std::atan2(dEast, dNorth) - dRouteBearing) * dRange);
    return Format("%sRMB,A,%.2f,%c,START,SUMMIT,%s,%s,%05.1f,%05.1f,%05.1f,%c", pTalker,
                  std::min(dCrossTrack, 9.99), dOff < 0 ? 'L' : 'R',
                  Coordinate(kDestLatitude, 2, 4, 'N', 'S').c_str(),
                  Coordinate(kDestLongitude, 3, 4, 'E', 'W').c_str(), std::min(dRange, 999.9),
                  dBearing, std::fabs(dClosing), dRange < 0.05 ? 'A' : 'V');
}
