// SPDX-License-Identifier: MIT
// The drive every simulated receiver reports, so that all of them make the pages behave alike:
// the car waits while the receiver acquires, starts, speeds up, turns, climbs and stops at a
// light; the fix goes from none to 2D, 3D and differential, is lost in a tunnel and comes back;
// the driver navigates towards a waypoint.
#pragma once

#include <string>

class CSimDrive {
public:
    CSimDrive();

    // Moves the car to simulated time t (seconds from the start), dt seconds after its last
    // position.
    void MoveTo(double t, double dt);

    double Latitude() const { return m_dLatitude; }
    double Longitude() const { return m_dLongitude; }
    double Altitude() const { return m_dAltitude; }
    double SpeedKnots() const { return m_dSpeedKnots; }
    double Course() const { return m_dCourse; }

    // The fix as the receiver sees it in a whole simulated second.
    static int FixQuality(int nSecond); // 0 none, 1 GPS, 2 differential
    static int FixMode(int nSecond);    // 1 none, 2 2D, 3 3D
    static bool InTunnel(int nSecond);

    // The body of an RMB sentence (without "$" and checksum) from talker, towards the summit
    // waypoint; void while there is no fix.
    std::string RmbBody(const char* pTalker, bool bFix) const;

private:
    double m_dLatitude, m_dLongitude, m_dAltitude;
    double m_dSpeedKnots = 0, m_dCourse = 0;
};
