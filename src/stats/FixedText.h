// SPDX-License-Identifier: MIT
// Numbers of the statistics page and its dialog as printf's "%f" family writes them, with the
// same rounding (exact ties to even) and signs as the unit texts of the other pages, and
// always with a full stop: the C library's printf would follow the desktop's locale.
#pragma once

#include "settings/NumberFormat.h"

#include <QString>

#include <string>

// "%.<nPrecision>f"; with nWidth, left-justified in that many columns like "%-8.02f".
inline QString FixedText(double d, int nPrecision, int nWidth = 0) {
    std::string text;
    AppendFixed(text, d, {nPrecision, nWidth, false, nWidth > 0});
    return QString::fromStdString(text);
}
