// Reading NMEA fields: splitting a sentence body at its commas and converting field text to
// numbers. Every decoder reads through these, so they fix how malformed text is read: leniently,
// digits up to the first non-digit, never failing and never overflowing.
#pragma once

#include <cstdint>

// A decoder sees at most this many characters of a field (a 25-byte scratch buffer with its
// terminator); longer fields are cut.
inline constexpr uint32_t kNmeaFieldMax = 24;

// The standard decimal integer conversion: leading white space, an optional sign, then digits
// up to the first non-digit; 0 when there are none. Out-of-range values saturate at the 32-bit
// limits instead of overflowing.
int32_t NmeaToInt(const char* pText);
int32_t NmeaToInt(const char* pBegin, const char* pEnd);

// Decimal reader for non-integer fields: split at the first '.', |integer part| plus
// |fraction digits| × 0.1^(fraction length), negated when the text starts with '-'. Without a
// '.', the integer part as it is.
double NmeaParseDecimal(const char* pText);
double NmeaParseDecimal(const char* pBegin, const char* pEnd);

// Copies field n of body (field 0 starts the body, field n follows the n-th comma, a field ends
// at ',', '*' or the end) into out, cut to size - 1 characters and terminated. False, with out
// emptied, when the field is absent or empty; false without touching out for a missing body or
// output or a size of 0 or less.
bool NmeaGetField(const char* pBody, int nField, char* pOut, int nSize);

// One field as the decoders see it: at most kNmeaFieldMax characters, never empty.
struct NmeaField {
    const char* pBegin;
    const char* pEnd;

    uint32_t Length() const { return static_cast<uint32_t>(pEnd - pBegin); }
    char First() const { return *pBegin; }
    // Characters [nFrom, nFrom + nCount) clipped to the field; empty beyond its end.
    NmeaField Slice(uint32_t nFrom, uint32_t nCount) const;
    int32_t Int() const { return NmeaToInt(pBegin, pEnd); }
    double Decimal() const { return NmeaParseDecimal(pBegin, pEnd); }
};

// A sentence body with its commas indexed once, so that reading field n costs the same for
// every n. Field(n, f) gives exactly what NmeaGetField(body, n, buffer, 25) would copy.
class CNmeaBody {
public:
    // pBody is the reader's NUL-terminated body; it must outlive this object.
    explicit CNmeaBody(const char* pBody);

    bool Field(int nField, NmeaField& field) const;
    // Number of fields: one more than the number of commas (an empty body has one empty field).
    int FieldCount() const { return m_nCommas + 1; }

private:
    static constexpr int kMaxCommas = 256;
    const char* m_pBody;
    const char* m_pEnd;
    int m_nCommas = 0;
    uint16_t m_nComma[kMaxCommas]; // offsets of the commas, in order
};
