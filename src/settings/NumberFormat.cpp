// SPDX-License-Identifier: MIT
#include "settings/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// Pads body (digits, possibly with a leading minus) to width the way printf does.
void AppendPadded(std::string& out, std::string_view body, int nWidth, bool bZeroPad,
                  bool bLeftJustify) {
    const int nPad = nWidth - static_cast<int>(body.size());
    if (nPad <= 0) {
        out.append(body);
    } else if (bLeftJustify) {
        out.append(body);
        out.append(static_cast<std::size_t>(nPad), ' ');
    } else if (bZeroPad) {
        std::size_t nSign = !body.empty() && body.front() == '-' ? 1 : 0;
        out.append(body.substr(0, nSign));
        out.append(static_cast<std::size_t>(nPad), '0');
        out.append(body.substr(nSign));
    } else {
        out.append(static_cast<std::size_t>(nPad), ' ');
        out.append(body);
    }
}

} // namespace

void AppendFixed(std::string& out, double d, const FixedFormat& format) {
    // Enough for the 309 integer digits of the largest double and any precision used here.
    char buffer[400];
    const int nPrecision = format.nPrecision < 0 ? 6 : std::min(format.nPrecision, 60);
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, d, std::chars_format::fixed, nPrecision);
    if (ec != std::errc())
        end = buffer;
    AppendPadded(out, std::string_view(buffer, static_cast<std::size_t>(end - buffer)),
                 format.nWidth, format.bZeroPad && std::isfinite(d), format.bLeftJustify);
}

void AppendInteger(std::string& out, long long n, int nWidth, bool bZeroPad) {
    char buffer[24];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, n);
    if (ec != std::errc())
        end = buffer;
    AppendPadded(out, std::string_view(buffer, static_cast<std::size_t>(end - buffer)), nWidth,
                 bZeroPad, false);
}
