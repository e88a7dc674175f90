// SPDX-License-Identifier: MIT
// Numbers typed or stored as text: a leading number counts, the rest is ignored, no number
// reads as 0, and the decimal separator is always the full stop.
#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(NumberText, ReadsTheLeadingNumber) {
    for (const auto& [pszText, nValue] :
         {std::pair{"4800", 4800}, std::pair{"  -12abc", -12}, std::pair{"+7", 7},
          std::pair{"abc", 0}, std::pair{"", 0}, std::pair{"-", 0}, std::pair{"10:", 10},
          std::pair{"2147483647", kMax}, std::pair{"99999999999", kMax},
          std::pair{"-2147483648", kMin}, std::pair{"-99999999999", kMin}, std::pair{"0x1F", 0}})
        EXPECT_EQ(TextToInt(pszText), nValue) << '"' << pszText << '"';
    for (const auto& [pszText, dValue] :
         {std::pair{"3.000000", 3.0}, std::pair{"2.5xyz", 2.5}, std::pair{"abc", 0.0},
          std::pair{"", 0.0}, std::pair{" -1e3", -1000.0}, std::pair{".5", 0.5},
          std::pair{"+4.", 4.0}, std::pair{"1e-999", 0.0}, std::pair{"2,5", 2.0},
          std::pair{"--1", 0.0}, std::pair{"+-1", 0.0}, std::pair{"1e999", kInfinity},
          std::pair{"-1e999", -kInfinity}})
        EXPECT_EQ(TextToDouble(pszText), dValue) << '"' << pszText << '"';
}

} // namespace
