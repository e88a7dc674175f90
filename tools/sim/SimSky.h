// SPDX-License-Identifier: MIT
// One satellite system's sky over the simulated drive. Passes are minutes long instead of
// hours, so the sky visibly moves within a short drive: satellites rise, cross and set with
// changing signal strengths, and a satellite that has set is soon replaced by another rising.
#pragma once

#include "SimRandom.h"

#include <initializer_list>
#include <vector>

struct SimSatellite {
    int nPrn, nElevation, nAzimuth;
    int nSnr; // < 0: in view, not tracked
};

class CSimSky {
public:
    // One slot per number in prns (the satellites above the horizon at the start, a sky in
    // progress with passes at every stage); later satellites are numbered 1 to nMaxPrn.
    CSimSky(std::initializer_list<int> prns, int nMaxPrn, CSimRandom& random);

    // The satellites above the horizon in nSecond, in slot order; without bSignals none is
    // tracked. Call it for each second in turn: it replaces the satellites that have set.
    void Look(int nSecond, bool bSignals, CSimRandom& random, std::vector<SimSatellite>& out);

private:
    struct Pass {
        int nPrn = 0;
        double dRise = 0;     // simulated second of rising
        double dDuration = 0; // seconds above the horizon
        double dAzimuthRise = 0, dAzimuthSet = 0, dMaxElevation = 0;
    };
    static void NewPass(Pass& pass, double dRise, CSimRandom& random);
    bool Holds(int nPrn) const;

    std::vector<Pass> m_Passes;
    int m_nMaxPrn;
};
