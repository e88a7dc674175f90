// SPDX-License-Identifier: MIT
#include "SimText.h"

#include <cmath>

std::string Coordinate(double dDegrees, int nDegreeDigits, int nDecimals, char cPositive,
                       char cNegative) {
    long long nPerMinute = 1;
    for (int i = 0; i < nDecimals; ++i)
        nPerMinute *= 10;
    const long long nPerDegree = 60 * nPerMinute;
    const long long nTicks = std::llround(std::fabs(dDegrees) * static_cast<double>(nPerDegree));
    return Format("%0*lld%0*.*f,%c", nDegreeDigits, nTicks / nPerDegree, nDecimals + 3, nDecimals,
                  static_cast<double>(nTicks % nPerDegree) / static_cast<double>(nPerMinute),
                  dDegrees < 0 ? cNegative : cPositive);
}

void AppendSentence(std::string& strOut, const std::string& strBody) {
    unsigned char nSum = 0;
    for (char c : strBody)
        nSum ^= static_cast<unsigned char>(c);
    strOut += '$';
    strOut += strBody;
    strOut += Format("*%02X\r\n", nSum);
}
