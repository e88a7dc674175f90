// SPDX-License-Identifier: MIT
// Field splitting and number conversion for the decoders. Kept free of library calls
// (strtol, pow, strlen) because they dominate the decode time otherwise; results are the same
// to the last bit as the straightforward forms, which the tests compare against.
#include "nmea/NmeaFields.h"

#include "nmea/NmeaScan.h"

#include <array>
#include <cmath>
#include <cstring>

namespace {

// 0.1^L for every fraction length a field can have, computed with pow as the plain form does.
const std::array<double, kNmeaFieldMax + 1> kTenths = [] {
    std::array<double, kNmeaFieldMax + 1> t{};
    for (uint32_t i = 0; i < t.size(); ++i)
        t[i] = std::pow(0.1, static_cast<double>(i));
    return t;
}();

double Tenths(uint64_t nLength) {
    return nLength < kTenths.size() ? kTenths[nLength]
                                    : std::pow(0.1, static_cast<double>(nLength));
}

// Magnitude without overflow: |INT32_MIN| does not fit in 32 bits.
double Magnitude(int32_t n) {
    return static_cast<double>(n < 0 ? -int64_t{n} : int64_t{n});
}

// The general form, for text that is not just digits around a point.
double ParseDecimalSlow(const char* pBegin, const char* pEnd) {
    const char* pDot = pBegin;
    while (pDot < pEnd && *pDot != '.')
        ++pDot;
    const int32_t nInt = NmeaToInt(pBegin, pDot);
    if (pDot == pEnd)
        return nInt;
    const int32_t nFraction = NmeaToInt(pDot + 1, pEnd);
    const double dValue =
        Magnitude(nInt) + Magnitude(nFraction) * Tenths(static_cast<uint64_t>(pEnd - pDot - 1));
    return pBegin < pEnd && *pBegin == '-' ? -dValue : dValue;
}

} // namespace

int32_t NmeaToIntGeneral(const char* p, const char* pEnd) {
    const auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (p < pEnd && isSpace(*p))
        ++p;
    bool bNegative = false;
    if (p < pEnd && (*p == '-' || *p == '+'))
        bNegative = *p++ == '-';
    // Once past 2^31 the value only needs to stay past it, so the accumulator cannot overflow.
    constexpr int64_t kLimit = int64_t{1} << 31;
    int64_t n = 0;
    for (; p < pEnd && *p >= '0' && *p <= '9'; ++p)
        if (n <= kLimit)
            n = n * 10 + (*p - '0');
    if (bNegative)
        return n >= kLimit ? INT32_MIN : static_cast<int32_t>(-n);
    return n >= kLimit ? INT32_MAX : static_cast<int32_t>(n);
}

int32_t NmeaToInt(const char* pText) {
    return NmeaToInt(pText, pText + std::strlen(pText));
}

// Receivers send [-]digits[.digits]; that form is read in one pass, the same arithmetic.
double NmeaParseDecimal(const char* pBegin, const char* pEnd) {
    constexpr int kMaxDigits = 9; // fits 32 bits, so no saturation to mind
    const auto digit = [](char c) {
        return static_cast<uint32_t>(static_cast<unsigned char>(c - '0'));
    };
    const char* p = pBegin;
    const bool bNegative = p < pEnd && *p == '-';
    p += bNegative;
    uint32_t nInt = 0;
    const char* const pIntEnd = pEnd - p > kMaxDigits ? p + kMaxDigits : pEnd;
    for (; p < pIntEnd && digit(*p) <= 9; ++p)
        nInt = nInt * 10 + digit(*p);
    if (p == pEnd)
        return static_cast<double>(bNegative ? -int64_t{nInt} : int64_t{nInt}); // "-0" is +0
    if (*p != '.')
        return ParseDecimalSlow(pBegin, pEnd);
    const char* const pFraction = ++p;
    if (pEnd - pFraction > kMaxDigits)
        return ParseDecimalSlow(pBegin, pEnd);
    uint32_t nFraction = 0;
    for (; p < pEnd && digit(*p) <= 9; ++p)
        nFraction = nFraction * 10 + digit(*p);
    if (p != pEnd)
        return ParseDecimalSlow(pBegin, pEnd);
    const double dValue =
        static_cast<double>(nInt) + static_cast<double>(nFraction) * kTenths[pEnd - pFraction];
    return bNegative ? -dValue : dValue;
}

double NmeaParseDecimal(const char* pText) {
    return NmeaParseDecimal(pText, pText + std::strlen(pText));
}

CNmeaBody::CNmeaBody(const char* pBody)
    : CNmeaBody(pBody, static_cast<uint32_t>(std::strlen(pBody))) {}

CNmeaBody::CNmeaBody(const char* pBody, uint32_t nLength) : m_pBody(pBody) {
    const auto* p = reinterpret_cast<const uint8_t*>(pBody);
    const auto addCommas = [this](uint64_t nMask, uint32_t nAt) {
        for (; nMask && m_nCommas < kMaxCommas; nMask &= nMask - 1)
            m_nComma[m_nCommas++] = static_cast<uint16_t>(nAt + nmea::FirstByte(nMask));
    };
    uint32_t i = 0;
    for (; i + 8 <= nLength; i += 8) {
        const uint64_t v = nmea::Load8(p + i);
        uint64_t nCommas = nmea::MatchBytes(v, ',');
        if (const uint64_t nZero = nmea::ZeroBytes(v)) {
            const uint64_t nBefore = (nZero & -nZero) - 1; // bytes ahead of the first NUL
            nCommas &= nBefore;
            nLength = i + nmea::FirstByte(nZero);
        }
        addCommas(nCommas, i);
    }
    for (; i < nLength && p[i]; ++i) {
        if (p[i] == ',')
            addCommas(0x80, i);
    }
    m_nLength = i < nLength ? i : nLength;
    m_bStar = std::memchr(pBody, '*', m_nLength) != nullptr;
}
