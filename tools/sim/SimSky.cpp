// SPDX-License-Identifier: MIT
#include "SimSky.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

} // namespace

CSimSky::CSimSky(std::initializer_list<int> prns, int nMaxPrn, CSimRandom& random)
    : m_nMaxPrn(nMaxPrn) {
    const double nSlots = static_cast<double>(prns.size());
    for (int nPrn : prns) {
        Pass& pass = m_Passes.emplace_back();
        pass.nPrn = nPrn;
        NewPass(pass, 0, random);
        const double i = static_cast<double>(m_Passes.size() - 1);
        pass.dRise = -pass.dDuration * (i + 0.5) / (nSlots + 1);
    }
}

void CSimSky::NewPass(Pass& pass, double dRise, CSimRandom& random) {
    pass.dRise = dRise;
    pass.dDuration = random.Uniform(240, 900);
    pass.dAzimuthRise = random.Uniform(0, 360);
    pass.dAzimuthSet = pass.dAzimuthRise + random.Uniform(60, 200);
    pass.dMaxElevation = random.Uniform(15, 88);
}

bool CSimSky::Holds(int nPrn) const {
    return std::any_of(m_Passes.begin(), m_Passes.end(),
                       [nPrn](const Pass& pass) { return pass.nPrn == nPrn; });
}

void CSimSky::Look(int nSecond, bool bSignals, CSimRandom& random, std::vector<SimSatellite>& out) {
    out.clear();
    for (Pass& pass : m_Passes) {
        if (nSecond > pass.dRise + pass.dDuration) {
            int nPrn = pass.nPrn;
            while (Holds(nPrn))
                nPrn = 1 + static_cast<int>(random.Next() % static_cast<uint32_t>(m_nMaxPrn));
            pass.nPrn = nPrn;
            NewPass(pass, nSecond + random.Uniform(5, 40), random);
        }
        const double dPhase = (nSecond - pass.dRise) / pass.dDuration;
        if (dPhase < 0 || dPhase > 1)
            continue;
        const double dElevation = pass.dMaxElevation * std::sin(kPi * dPhase);
        const double dAzimuth =
            std::fmod(pass.dAzimuthRise + (pass.dAzimuthSet - pass.dAzimuthRise) * dPhase, 360);
        int nSnr = -1;
        if (dElevation >= 3 && bSignals)
            nSnr = static_cast<int>(20 + dElevation * 0.4 + random.Uniform(-2, 2));
        out.push_back({pass.nPrn, static_cast<int>(dElevation), static_cast<int>(dAzimuth), nSnr});
    }
}
