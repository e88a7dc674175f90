// SPDX-License-Identifier: MIT
#include "SimReceiver.h"

#include "SimText.h"

namespace {

// Simulated clock: the drive starts at 17:57:00 UTC on 14 March 2026, so the hour turns three
// minutes in (where the receiver's vertical speed holds still).
constexpr int kStartSecondOfDay = 17 * 3600 + 57 * 60;

} // namespace

CSimReceiver::CSimReceiver(uint32_t nSeed, double dCorrupt, int nRate)
    : m_Random(nSeed), m_dCorrupt(dCorrupt), m_nRate(nRate) {}

void CSimReceiver::NextEpoch(std::string& strOut) {
    const double t = static_cast<double>(m_nEpoch) / m_nRate;
    m_Drive.MoveTo(t, 1.0 / m_nRate);
    EmitEpoch(strOut);
    ++m_nEpoch;
}

void CSimReceiver::NextSecond(std::string& strOut) {
    for (int i = 0; i < m_nRate; ++i)
        NextEpoch(strOut);
}

std::string CSimReceiver::TimeText() const {
    const long long nSecond = (kStartSecondOfDay + EpochSecond()) % 86400;
    // Hundredths, rounded, so that 3 Hz reads .00, .33, .67.
    const long long nPart = m_nEpoch % m_nRate;
    const long long nHundredths = (nPart * 200 + m_nRate) / (2 * m_nRate);
    return Format("%02lld%02lld%02lld.%02lld", nSecond / 3600, nSecond / 60 % 60, nSecond % 60,
                  nHundredths);
}

int CSimReceiver::Day() const {
    return 14 + (kStartSecondOfDay + EpochSecond()) / 86400;
}

// Damage as serial lines do it: a flipped bit (the checksum catches it), a lost line end (two
// sentences run together), a sentence cut short, noise between sentences.
void CSimReceiver::Emit(std::string& strOut, const std::string& strBody) {
    std::string s;
    AppendSentence(s, strBody);
    if (m_dCorrupt > 0 && m_Random.Uniform(0, 1) < m_dCorrupt) {
        switch (m_Random.Next() % 4) {
            case 0:
                s[1 + m_Random.Next() % (s.size() - 3)] ^=
                    static_cast<char>(1 << (m_Random.Next() % 7));
                break;
            case 1: s.resize(s.size() - 2); break;
            case 2: s.resize(1 + m_Random.Next() % (s.size() - 1)); break;
            default: {
                const char noise[] = {static_cast<char>('A' + m_Random.Next() % 26), '\xff', '\0',
                                      '\n'};
                s.insert(0, noise, sizeof noise);
                break;
            }
        }
    }
    strOut += s;
}
