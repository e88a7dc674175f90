// SPDX-License-Identifier: MIT
// Splits what the simulated receivers send into sentences, without any decoder of the program:
// the simulator is what the decoders are tested against.
#pragma once

#include "common/NmeaSupport.h"
#include "sim/ReceiverSim.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

// One line of a stream. A well-formed sentence ("$" body "*" two hex digits of the right
// checksum, CR LF) has its body's comma-separated fields, the first being talker and type.
struct SimSentence {
    bool bValid = false;
    std::vector<std::string> fields;

    std::string Type() const { return fields.empty() ? "" : fields[0]; }
};

inline std::vector<SimSentence> SplitSentences(const std::string& s) {
    std::vector<SimSentence> out;
    for (size_t nAt = 0; nAt < s.size();) {
        size_t nEnd = s.find('\n', nAt);
        nEnd = nEnd == std::string::npos ? s.size() : nEnd + 1;
        const std::string strLine = s.substr(nAt, nEnd - nAt);
        nAt = nEnd;
        SimSentence& sentence = out.emplace_back();
        const size_t nStar = strLine.find('*');
        if (strLine.size() < 6 || strLine[0] != '$' || nStar != strLine.size() - 5 ||
            strLine.compare(nStar + 3, 2, "\r\n") != 0)
            continue;
        unsigned char nSum = 0;
        for (size_t i = 1; i < nStar; ++i)
            nSum ^= static_cast<unsigned char>(strLine[i]);
        char szSum[3];
        std::snprintf(szSum, sizeof szSum, "%02X", nSum);
        if (strLine.compare(nStar + 1, 2, szSum) != 0 || strLine.find_first_of("$\r\n", 1) < nStar)
            continue;
        sentence.bValid = true;
        for (size_t nField = 1;;) {
            const size_t nComma = std::min(strLine.find(',', nField), nStar);
            sentence.fields.push_back(strLine.substr(nField, nComma - nField));
            if (nComma == nStar)
                break;
            nField = nComma + 1;
        }
    }
    return out;
}
