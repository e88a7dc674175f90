// Field splitting and number conversion for the decoders. Kept free of library calls
// (strtol, pow, strlen) because they dominate the decode time otherwise; results are the same
// to the last bit as the straightforward forms, which the tests compare against.
#include "nmea/NmeaFields.h"

#include <array>
#include <cmath>
#include <cstring>

namespace {

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

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

} // namespace

int32_t NmeaToInt(const char* p, const char* pEnd) {
    while (p < pEnd && IsSpace(*p))
        ++p;
    bool bNegative = false;
    if (p < pEnd && (*p == '-' || *p == '+'))
        bNegative = *p++ == '-';
    // Once past 2^31 the value only needs to stay past it, so the accumulator cannot overflow.
    constexpr int64_t kLimit = int64_t{1} << 31;
    int64_t n = 0;
    for (; p < pEnd && IsDigit(*p); ++p)
        if (n <= kLimit)
            n = n * 10 + (*p - '0');
    if (bNegative)
        return n >= kLimit ? INT32_MIN : static_cast<int32_t>(-n);
    return n >= kLimit ? INT32_MAX : static_cast<int32_t>(n);
}

int32_t NmeaToInt(const char* pText) {
    return NmeaToInt(pText, pText + std::strlen(pText));
}

double NmeaParseDecimal(const char* pBegin, const char* pEnd) {
    const char* pDot = static_cast<const char*>(std::memchr(pBegin, '.', pEnd - pBegin));
    const int32_t nInt = NmeaToInt(pBegin, pDot ? pDot : pEnd);
    if (!pDot)
        return nInt;
    const int32_t nFraction = NmeaToInt(pDot + 1, pEnd);
    const double dValue =
        Magnitude(nInt) + Magnitude(nFraction) * Tenths(static_cast<uint64_t>(pEnd - pDot - 1));
    return pBegin < pEnd && *pBegin == '-' ? -dValue : dValue;
}

double NmeaParseDecimal(const char* pText) {
    return NmeaParseDecimal(pText, pText + std::strlen(pText));
}

bool NmeaGetField(const char* pBody, int nField, char* pOut, int nSize) {
    if (!pBody || !pOut || nSize <= 0)
        return false;
    *pOut = '\0';
    if (nField < 0)
        return false;
    const char* p = pBody;
    for (int n = nField; n > 0; ++p) {
        if (!*p)
            return false; // the body ends before its n-th comma
        if (*p == ',')
            --n;
    }
    if (!*p || *p == ',' || *p == '*')
        return false;
    int n = 0;
    for (; n < nSize - 1 && p[n] && p[n] != ',' && p[n] != '*'; ++n)
        pOut[n] = p[n];
    pOut[n] = '\0';
    return true;
}

NmeaField NmeaField::Slice(uint32_t nFrom, uint32_t nCount) const {
    const uint32_t nLength = Length();
    const uint32_t nStart = nFrom < nLength ? nFrom : nLength;
    const uint32_t nStop = nCount < nLength - nStart ? nStart + nCount : nLength;
    return {pBegin + nStart, pBegin + nStop};
}

CNmeaBody::CNmeaBody(const char* pBody) : m_pBody(pBody) {
    const char* p = pBody;
    for (; *p; ++p)
        if (*p == ',' && m_nCommas < kMaxCommas)
            m_nComma[m_nCommas++] = static_cast<uint16_t>(p - pBody);
    m_pEnd = p;
}

bool CNmeaBody::Field(int nField, NmeaField& field) const {
    if (nField < 0 || nField > m_nCommas)
        return false;
    const char* p = nField == 0 ? m_pBody : m_pBody + m_nComma[nField - 1] + 1;
    if (p >= m_pEnd || *p == ',' || *p == '*')
        return false;
    const char* q = p;
    const char* const pLimit = m_pEnd - p > kNmeaFieldMax ? p + kNmeaFieldMax : m_pEnd;
    while (q < pLimit && *q != ',' && *q != '*')
        ++q;
    field = {p, q};
    return true;
}
