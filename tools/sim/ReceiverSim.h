// SPDX-License-Identifier: MIT
// A deterministic GPS receiver of the classic kind: what one would send on a drive, a GPS-only
// fix with one GSA and one GSV group. It lets users and tests run the whole program without
// hardware: satellites rise, cross the sky and set with changing signal strengths, and the
// drive (see CSimDrive) takes the fix through every state. The same seed gives the same bytes.
#pragma once

#include "SimReceiver.h"
#include "SimSky.h"

#include <vector>

class CReceiverSim : public CSimReceiver {
public:
    // nSeed varies the signal noise and the corruption; dCorrupt (0 to 1) is the share of
    // sentences damaged the ways serial lines damage them; nRate fixes a second, 1 to 10.
    explicit CReceiverSim(uint32_t nSeed = 1, double dCorrupt = 0.0, int nRate = 1);

private:
    // Every epoch GGA, GSA, RMC, RMB and ZDA; in the first epoch of each second the GSV group
    // too, after the GSA.
    void EmitEpoch(std::string& strOut) override;

    CSimSky m_Sky;
    std::vector<SimSatellite> m_InView; // this second's sky
    std::vector<int> m_Used;
};
