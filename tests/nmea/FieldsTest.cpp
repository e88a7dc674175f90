// SPDX-License-Identifier: MIT
// Field splitting and number conversion: agreement of the fast forms with straightforward
// library-based ones on many random texts.
#include "nmea/NmeaFields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

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

// Field n of a body the plain way: after the n-th comma, up to the next ',' or '*', cut to
// kNmeaFieldMax characters; nothing when absent or empty.
std::optional<std::string> PlainField(const std::string& strBody, int nField) {
    if (nField < 0)
        return std::nullopt;
    size_t nAt = 0;
    for (int n = 0; n < nField; ++n) {
        nAt = strBody.find(',', nAt);
        if (nAt == std::string::npos)
            return std::nullopt;
        ++nAt;
    }
    const std::string strField =
        strBody.substr(nAt, strBody.find_first_of(",*", nAt) - nAt).substr(0, kNmeaFieldMax);
    return strField.empty() ? std::nullopt : std::optional(strField);
}

// The decoders read through the comma index; it must find exactly the plain fields.
TEST(CNmeaBody, FindsThePlainFields) {
    std::mt19937 rng(777);
    std::vector<std::string> bodies = {
        "", "a,,c", ",b", "a,", "a*b,c", "a,*b", std::string(30, '1') + ",x", std::string(25, '2')};
    for (int i = 0; i < 50000; ++i)
        bodies.push_back(RandomText(rng, ",,,*ab1", 60));
    for (const std::string& strBody : bodies) {
        const CNmeaBody body(strBody.c_str());
        ASSERT_EQ(body.FieldCount(), std::count(strBody.begin(), strBody.end(), ',') + 1);
        for (int n = -1; n <= body.FieldCount() + 1; ++n) {
            const std::optional<std::string> expected = PlainField(strBody, n);
            NmeaField field{};
            ASSERT_EQ(body.Field(n, field), expected.has_value()) << strBody << " field " << n;
            if (expected) {
                ASSERT_EQ(std::string(field.pBegin, field.pEnd), *expected)
                    << strBody << " field " << n;
            }
        }
    }
}

} // namespace
