// SPDX-License-Identifier: MIT
// Numbers typed or stored as text: a leading number counts, the rest is ignored, no number
// reads as 0, and the decimal separator is always the full stop. And doubles becoming pixel
// coordinates: toward zero, never undefined.
#include "platform/NumberText.h"
#include "platform/Truncate.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(NumberText, IntegersReadTheLeadingNumber) {
    struct Case {
        const char* text;
        int nValue;
    };
    for (const Case& c :
         {Case{"4800", 4800}, Case{"  -12abc", -12}, Case{"+7", 7}, Case{"abc", 0}, Case{"", 0},
          Case{"-", 0}, Case{"75 km/h", 75}, Case{"2147483647", 2147483647},
          Case{"99999999999", std::numeric_limits<int>::max()},
          Case{"-2147483648", std::numeric_limits<int>::min()},
          Case{"-99999999999", std::numeric_limits<int>::min()}, Case{"0x1F", 0}, Case{"10:", 10}})
        EXPECT_EQ(TextToInt(c.text), c.nValue) << '"' << c.text << '"';
}

TEST(NumberText, DecimalsReadTheLeadingNumber) {
    struct Case {
        const char* text;
        double dValue;
    };
    for (const Case& c : {Case{"3.0", 3.0}, Case{"3.000000", 3.0}, Case{"2.5xyz", 2.5},
                          Case{"abc", 0.0}, Case{"", 0.0}, Case{" -1e3", -1000.0}, Case{".5", 0.5},
                          Case{"+4.", 4.0}, Case{"1e-999", 0.0}, Case{"2,5", 2.0}, Case{"--1", 0.0},
                          Case{"+-1", 0.0}, Case{"-+1", 0.0}})
        EXPECT_EQ(TextToDouble(c.text), c.dValue) << '"' << c.text << '"';
    EXPECT_EQ(TextToDouble("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(TextToDouble("-1e999"), -std::numeric_limits<double>::infinity());
}

TEST(Truncation, GoesTowardZeroAndSaturates) {
    EXPECT_EQ(TruncToInt(2.9), 2);
    EXPECT_EQ(TruncToInt(-2.9), -2);
    EXPECT_EQ(TruncToInt(-0.5), 0);
    EXPECT_EQ(TruncToInt(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(TruncToInt(1e20), std::numeric_limits<int>::max());
    EXPECT_EQ(TruncToInt(-1e20), std::numeric_limits<int>::min());
    EXPECT_EQ(TruncToUInt32(122.99), 122u);
    EXPECT_EQ(TruncToUInt32(-3.0), 0u);
    EXPECT_EQ(TruncToUInt32(1e10), 4294967295u);
}

} // namespace
