// SPDX-License-Identifier: MIT
// A receiver that combines four satellite systems and SBAS, with fifty satellites in view,
// written out as the sentences such a receiver sends for one fix: GSV groups per talker and
// signal band (NMEA 4.10 signal IDs; GPS and Galileo also on a second band whose groups carry
// no SNRs), one GNGSA per system with its system ID, and a GNGGA.
#pragma once

#include "ViewsTestSupport.h"

#include <cmath>
#include <string>
#include <vector>

struct StreamSatellite {
    const char* pszTalker; // the GSV talker: GP for GPS and SBAS, GL, GA, GB
    int nNumber;           // as that talker numbers it
    int nElevation;        // -1: not given (nor is the azimuth)
    int nAzimuth;
    int nSnr; // 0: not tracked, an empty field
    bool bUsed;
};

// GPS 12, SBAS 2 (one in NMEA's 33-64 numbering, one by its PRN), GLONASS 10 (65-96),
// Galileo 12 and BeiDou 14 (their own numbers); spread over the sky by a golden-angle walk.
// GLONASS 88 is heard but its position is not given yet; GPS 24 is in view but not tracked.
inline std::vector<StreamSatellite> MultiSystemSatellites() {
    struct System {
        const char* pszTalker;
        std::vector<int> numbers;
        int nUsed; // the first this many are used in the fix
    } const systems[] = {
        {"GP", {2, 5, 6, 9, 12, 13, 15, 17, 19, 20, 24, 29}, 8},
        {"GP", {46, 123}, 0},
        {"GL", {66, 67, 68, 74, 75, 76, 81, 82, 83, 88}, 6},
        {"GA", {2, 4, 5, 9, 11, 12, 19, 24, 25, 26, 31, 33}, 7},
        {"GB", {5, 6, 7, 9, 10, 11, 14, 16, 21, 22, 23, 28, 33, 40}, 9},
    };
    std::vector<StreamSatellite> sats;
    for (const System& system : systems) {
        for (size_t i = 0; i < system.numbers.size(); ++i) {
            const int k = static_cast<int>(sats.size());
            const std::string strTalker = system.pszTalker;
            const int nNumber = system.numbers[i];
            const bool bPosition = !(strTalker == "GL" && nNumber == 88);
            const bool bTracked = !(strTalker == "GP" && nNumber == 24);
            // Evenly over the disc, so more satellites low than high, as in a real sky.
            const double dArea = ((k * 29) % 50 + 0.5) / 50;
            const int nElevation = 90 - static_cast<int>(85 * std::sqrt(dArea));
            sats.push_back({system.pszTalker, nNumber, bPosition ? nElevation : -1,
                            bPosition ? (k * 137) % 360 : -1, bTracked ? 18 + (k * 7) % 33 : 0,
                            static_cast<int>(i) < system.nUsed});
        }
    }
    return sats;
}

// One GSV group of a talker and signal, four satellites a message; without SNRs for a second
// band.
inline std::string GsvGroup(const std::vector<StreamSatellite>& sats, const std::string& strTalker,
                            const char* pszSignal, bool bSnrs = true, size_t nMax = 99) {
    std::vector<const StreamSatellite*> group;
    for (const StreamSatellite& sat : sats)
        if (strTalker == sat.pszTalker && group.size() < nMax)
            group.push_back(&sat);
    const size_t nMessages = (group.size() + 3) / 4;
    std::string str;
    for (size_t m = 0; m < nMessages; ++m) {
        std::string strBody = strTalker + "GSV," + std::to_string(nMessages) + "," +
                              std::to_string(m + 1) + "," + std::to_string(group.size());
        for (size_t i = 4 * m; i < group.size() && i < 4 * m + 4; ++i) {
            const StreamSatellite& sat = *group[i];
            const auto field = [](int n) { return n < 0 ? std::string() : std::to_string(n); };
            char szNumber[8];
            std::snprintf(szNumber, sizeof szNumber, "%02d", sat.nNumber);
            strBody += std::string(",") + szNumber + "," + field(sat.nElevation) + "," +
                       field(sat.nAzimuth) + "," + (bSnrs && sat.nSnr ? field(sat.nSnr) : "");
        }
        str += Sentence(strBody + "," + pszSignal);
    }
    return str;
}

// One GNGSA per system: the used satellites of the talker's systems under its system ID.
inline std::string GnGsa(const std::vector<StreamSatellite>& sats, const std::string& strTalker,
                         int nSystemId) {
    std::string strBody = "GNGSA,A,3";
    int nFields = 0;
    for (const StreamSatellite& sat : sats)
        if (strTalker == sat.pszTalker && sat.bUsed && nFields < CNmeaParser::kUsedPrns) {
            strBody += "," + std::to_string(sat.nNumber);
            ++nFields;
        }
    for (; nFields < CNmeaParser::kUsedPrns; ++nFields)
        strBody += ",";
    return Sentence(strBody + ",1.2,0.7,1.0," + std::to_string(nSystemId));
}

inline std::string MultiSystemStream(const std::vector<StreamSatellite>& sats) {
    return GsvGroup(sats, "GP", "1") + GsvGroup(sats, "GP", "8", false, 6) +
           GsvGroup(sats, "GL", "1") + GsvGroup(sats, "GA", "7") +
           GsvGroup(sats, "GA", "1", false, 8) + GsvGroup(sats, "GB", "1") + GnGsa(sats, "GP", 1) +
           GnGsa(sats, "GL", 2) + GnGsa(sats, "GA", 3) + GnGsa(sats, "GB", 4) +
           Sentence("GNGGA,123519.00,4807.038,N,01131.000,E,1,30,0.6,545.4,M,46.9,M,,");
}
