// SPDX-License-Identifier: MIT
// Field splitting and number conversion: agreement of the fast forms with straightforward
// library-based ones on many random texts, and the extractor's own rules.
#include "nmea/NmeaFields.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

// The conversions written the plain way, with the C library, as the reference.
int32_t PlainToInt(const std::string& s) {
    const long long n = std::strtoll(s.c_str(), nullptr, 10);
    return static_cast<int32_t>(std::clamp<long long>(n, INT32_MIN, INT32_MAX));
}

double PlainDecimal(const std::string& s) {
    const size_t nDot = s.find('.');
    const int32_t nInt = PlainToInt(s.substr(0, nDot));
    if (nDot == std::string::npos)
        return nInt;
    const std::string strFraction = s.substr(nDot + 1);
    const long long nFraction = PlainToInt(strFraction);
    double d = static_cast<double>(std::llabs(nInt)) +
               static_cast<double>(std::llabs(nFraction)) *
                   std::pow(0.1, static_cast<double>(strFraction.size()));
    return !s.empty() && s[0] == '-' ? -d : d;
}

std::string RandomText(std::mt19937& rng, const char* pAlphabet, size_t nMax) {
    const size_t nAlphabet = std::strlen(pAlphabet);
    std::string s(rng() % (nMax + 1), ' ');
    for (char& c : s)
        c = pAlphabet[rng() % nAlphabet];
    return s;
}

TEST(NmeaConversions, AgreeWithThePlainFormsToTheLastBit) {
    // The edges random texts seldom reach: the saturation bounds, white space the C library
    // skips, and the most negative integer, whose magnitude must not overflow.
    for (const char* pText : {"2147483647", "2147483648", "-2147483648", "-2147483649", " \t\n12",
                              "-2147483648.5", "12.5M", "1.-5", ".5", "12."}) {
        EXPECT_EQ(NmeaToInt(pText), PlainToInt(pText)) << '"' << pText << '"';
        EXPECT_EQ(NmeaParseDecimal(pText), PlainDecimal(pText)) << '"' << pText << '"';
    }
    std::mt19937 rng(12345);
    for (int i = 0; i < 200000; ++i) {
        const std::string s = RandomText(rng, "0123456789.-+ x", kNmeaFieldMax);
        ASSERT_EQ(NmeaToInt(s.c_str()), PlainToInt(s)) << '"' << s << '"';
        const double dFast = NmeaParseDecimal(s.c_str());
        const double dPlain = PlainDecimal(s);
        ASSERT_EQ(std::memcmp(&dFast, &dPlain, sizeof dFast), 0) << '"' << s << '"';
    }
}

TEST(NmeaGetField, ExtractsFieldsByCommaCount) {
    char out[25];
    struct Case {
        const char* pBody;
        int nField;
        bool bPresent;
        const char* pText;
    } const cases[] = {
        {"a,,c", 0, true, "a"},
        {"a,,c", 1, false, ""},
        {"a,,c", 2, true, "c"},
        {"a,,c", 3, false, ""},
        {"", 0, false, ""},
        {"", 1, false, ""},
        {",b", 0, false, ""},
        {"a,", 1, false, ""},
        {"a*b,c", 0, true, "a"},
        {"a,*b", 1, false, ""},
        {"abc,def", 1, true, "def"},
        {"abc,def", -1, false, ""},
        {"123456789012345678901234567890", 0, true, "123456789012345678901234"},
    };
    for (const Case& c : cases) {
        std::strcpy(out, "junk");
        EXPECT_EQ(NmeaGetField(c.pBody, c.nField, out, sizeof out), c.bPresent)
            << c.pBody << " field " << c.nField;
        EXPECT_STREQ(out, c.pText) << c.pBody << " field " << c.nField;
    }
    EXPECT_FALSE(NmeaGetField(nullptr, 0, out, sizeof out));
    EXPECT_FALSE(NmeaGetField("a", 0, nullptr, 25));
    EXPECT_FALSE(NmeaGetField("a", 0, out, 0));
    ASSERT_TRUE(NmeaGetField("abc", 0, out, 1));
    EXPECT_STREQ(out, "");
}

// The decoders read through the comma index; it must see exactly what the extractor copies.
TEST(CNmeaBody, SeesExactlyWhatTheExtractorCopies) {
    std::mt19937 rng(777);
    for (int i = 0; i < 50000; ++i) {
        const std::string strBody = RandomText(rng, ",,,*ab1", 60);
        const CNmeaBody body(strBody.c_str());
        int nCommas = 0;
        for (char c : strBody)
            nCommas += c == ',';
        ASSERT_EQ(body.FieldCount(), nCommas + 1);
        for (int n = -1; n <= nCommas + 2; ++n) {
            char out[25];
            const bool bExpected = NmeaGetField(strBody.c_str(), n, out, sizeof out);
            NmeaField field{};
            ASSERT_EQ(body.Field(n, field), bExpected) << strBody << " field " << n;
            if (bExpected) {
                ASSERT_EQ(std::string(field.pBegin, field.pEnd), out) << strBody << " field " << n;
            }
        }
    }
}

TEST(NmeaField, SlicesClipToTheField) {
    const char* p = "12345";
    const NmeaField f{p, p + 5};
    EXPECT_EQ(f.Slice(0, 2).Int(), 12);
    EXPECT_EQ(f.Slice(2, 2).Int(), 34);
    EXPECT_EQ(f.Slice(4, 2).Int(), 5);
    EXPECT_EQ(f.Slice(6, 2).Length(), 0u);
    EXPECT_EQ(f.Slice(6, 2).Int(), 0);
}

} // namespace
