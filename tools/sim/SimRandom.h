// SPDX-License-Identifier: MIT
// The simulator's one source of chance. A plain xorshift32, so that a seed gives the same
// bytes on every machine and with every standard library.
#pragma once

#include <cstdint>

class CSimRandom {
public:
    explicit CSimRandom(uint32_t nSeed) : m_nState(nSeed ? nSeed : 0x9E3779B9u) {}

    uint32_t Next() {
        m_nState ^= m_nState << 13;
        m_nState ^= m_nState >> 17;
        m_nState ^= m_nState << 5;
        return m_nState;
    }

    double Uniform(double dLow, double dHigh) {
        return dLow + (dHigh - dLow) * (Next() / 4294967296.0);
    }

private:
    uint32_t m_nState;
};
