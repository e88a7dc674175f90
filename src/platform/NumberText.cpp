// SPDX-License-Identifier: MIT
#include "platform/NumberText.h"

#include <charconv>
#include <limits>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Skips leading blanks and one sign; returns whether the sign was a minus.
bool SkipBlanksAndSign(std::string_view& text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool bNegative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        bNegative = text[i] == '-';
        ++i;
    }
    text.remove_prefix(i);
    return bNegative;
}

} // namespace

int TextToInt(std::string_view text) {
    const bool bNegative = SkipBlanksAndSign(text);
    // Accumulated as a negative number so that INT_MIN itself is representable.
    long long nValue = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        nValue = nValue * 10 - (c - '0');
        if (nValue < std::numeric_limits<int>::min())
            return bNegative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    }
    if (bNegative)
        return static_cast<int>(nValue);
    if (-nValue > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(-nValue);
}

double TextToDouble(std::string_view text) {
    const bool bNegative = SkipBlanksAndSign(text);
    // from_chars takes a minus of its own; after the sign already read it starts no number.
    if (!text.empty() && text.front() == '-')
        return 0.0;
    double dValue = 0.0;
    auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), dValue, std::chars_format::general);
    if (ec == std::errc::invalid_argument)
        return 0.0;
    if (ec == std::errc::result_out_of_range) {
        // Too small rounds to zero; too large becomes infinite.
        const std::string_view number(text.data(), static_cast<std::size_t>(end - text.data()));
        const auto e = number.find_first_of("eE");
        const bool bTiny =
            e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
        dValue = bTiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return bNegative ? -dValue : dValue;
}
