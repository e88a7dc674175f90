// SPDX-License-Identifier: MIT
// Reading NMEA fields: splitting a sentence body at its commas and converting field text to
// numbers. Every decoder reads through these, so they fix how malformed text is read: leniently,
// digits up to the first non-digit, never failing and never overflowing.
#pragma once

#include <cstdint>
#include <cstring>

// A decoder sees at most this many characters of a field (a 25-byte scratch buffer with its
// terminator); longer fields are cut.
inline constexpr uint32_t kNmeaFieldMax = 24;

// The standard decimal integer conversion: leading white space, an optional sign, then digits
// up to the first non-digit; 0 when there are none. Out-of-range values saturate at the 32-bit
// limits instead of overflowing.
int32_t NmeaToInt(const char* pText);
int32_t NmeaToIntGeneral(const char* pBegin, const char* pEnd); // the same, any text
inline int32_t NmeaToInt(const char* pBegin, const char* pEnd) {
    // Receivers send plain digits; up to nine of them cannot overflow and need no sign or
    // white space handling. Anything else takes the general path.
    const auto digit = [](char c) {
        return static_cast<uint32_t>(static_cast<unsigned char>(c - '0'));
    };
    const char* p = pBegin;
    const char* const pLimit = pEnd - pBegin > 9 ? pBegin + 9 : pEnd;
    uint32_t n = 0;
    for (; p < pLimit && digit(*p) <= 9; ++p)
        n = n * 10 + digit(*p);
    if (p > pBegin && (p == pEnd || digit(*p) > 9))
        return static_cast<int32_t>(n);
    return NmeaToIntGeneral(pBegin, pEnd);
}

// Decimal reader for non-integer fields: split at the first '.', |integer part| plus
// |fraction digits| × 0.1^(fraction length), negated when the text starts with '-'. Without a
// '.', the integer part as it is.
double NmeaParseDecimal(const char* pText);
double NmeaParseDecimal(const char* pBegin, const char* pEnd);

// One field as the decoders see it: at most kNmeaFieldMax characters, never empty.
struct NmeaField {
    const char* pBegin;
    const char* pEnd;

    uint32_t Length() const { return static_cast<uint32_t>(pEnd - pBegin); }
    char First() const { return *pBegin; }
    // Characters [nFrom, nFrom + nCount) clipped to the field; empty beyond its end.
    NmeaField Slice(uint32_t nFrom, uint32_t nCount) const {
        const uint32_t nLength = Length();
        const uint32_t nStart = nFrom < nLength ? nFrom : nLength;
        const uint32_t nStop = nCount < nLength - nStart ? nStart + nCount : nLength;
        return {pBegin + nStart, pBegin + nStop};
    }
    int32_t Int() const { return NmeaToInt(pBegin, pEnd); }
    double Decimal() const { return NmeaParseDecimal(pBegin, pEnd); }
};

// A sentence body with its commas indexed once, so that reading field n costs the same for
// every n. Field 0 starts the body, field n follows the n-th comma, and a field ends at ',',
// '*' or the end of the body, cut to kNmeaFieldMax characters; an absent or empty field is
// no field.
class CNmeaBody {
public:
    // The body ends at its first NUL or after nLength characters; it must outlive this object.
    CNmeaBody(const char* pBody, uint32_t nLength);
    explicit CNmeaBody(const char* pBody);

    bool Field(int nField, NmeaField& field) const;
    // Number of fields: one more than the number of commas (an empty body has one empty field).
    int FieldCount() const { return m_nCommas + 1; }

private:
    static constexpr int kMaxCommas = 256;
    const char* m_pBody;
    uint32_t m_nLength = 0;
    int m_nCommas = 0;
    // The reader never stores a '*' in a body; others may, and then fields end at it too.
    bool m_bStar = false;
    uint16_t m_nComma[kMaxCommas]; // offsets of the commas, in order
};

inline bool CNmeaBody::Field(int nField, NmeaField& field) const {
    if (nField < 0 || nField > m_nCommas)
        return false;
    const uint32_t nStart = nField == 0 ? 0 : m_nComma[nField - 1] + 1u;
    uint32_t nStop = nField < m_nCommas ? m_nComma[nField] : m_nLength;
    if (nStop > nStart + kNmeaFieldMax)
        nStop = nStart + kNmeaFieldMax;
    if (m_bStar) {
        const void* pStar = std::memchr(m_pBody + nStart, '*', nStop - nStart);
        if (pStar)
            nStop = static_cast<uint32_t>(static_cast<const char*>(pStar) - m_pBody);
    }
    if (nStop <= nStart)
        return false;
    field = {m_pBody + nStart, m_pBody + nStop};
    return true;
}
