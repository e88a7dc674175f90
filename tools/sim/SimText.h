// SPDX-License-Identifier: MIT
// The text of the simulated sentences: number formats as receivers write them, and framing.
#pragma once

#include <cstdio>
#include <string>

template <typename... Args> std::string Format(const char* pFormat, Args... args) {
    char buf[160];
    std::snprintf(buf, sizeof buf, pFormat, args...);
    return buf;
}

// ddmm.mmmm / dddmm.mmmm (nDecimals digits of minutes) and the hemisphere letter, rounded once
// so minutes never read 60.
std::string Coordinate(double dDegrees, int nDegreeDigits, int nDecimals, char cPositive,
                       char cNegative);

// Appends "$<body>*HH\r\n" with the checksum of body.
void AppendSentence(std::string& strOut, const std::string& strBody);
