// SPDX-License-Identifier: MIT
// A deterministic receiver of the current kind: GPS, GLONASS, Galileo and BeiDou on two bands,
// with SBAS, writing NMEA 4.11 as u-blox-class receivers do. Each epoch it sends the combined
// fix as GN (GGA, RMC with its mode and navigational status), one GSA per system with its
// system ID, RMB and ZDA; once a second the GSV groups, two per system (the second band's with
// only a few signal strengths). It reports the same drive as the classic receiver, so the pages
// behave alike, with three times the satellites. The same seed gives the same bytes.
#pragma once

#include "SimReceiver.h"
#include "SimSky.h"

#include <array>
#include <vector>

class CModernReceiverSim : public CSimReceiver {
public:
    explicit CModernReceiverSim(uint32_t nSeed = 1, double dCorrupt = 0.0, int nRate = 1);

private:
    struct Tracked {
        int nNumber; // as NMEA numbers it: GLONASS from 65, SBAS from 33
        int nElevation, nAzimuth;
        int nSnr, nSecondSnr; // < 0: no signal tracked on that band
    };
    struct System {
        CSimSky sky;
        std::vector<Tracked> inView; // this second's, by number
        std::vector<int> used;       // at most 12, a GSA's room
    };

    void EmitEpoch(std::string& strOut) override;
    void LookAtSky(int nSecond, bool bFix);
    void EmitGsvGroup(std::string& strOut, int nSystem, bool bSecondBand);

    std::array<System, 4> m_Systems; // GPS (with SBAS), GLONASS, Galileo, BeiDou
    std::vector<SimSatellite> m_Look;
};
