// SPDX-License-Identifier: MIT
// Numbers typed by the user or stored as text, read the way the program has always read
// them: a leading number is taken and the rest ignored, and text without a number reads as
// 0. The C library's readers follow the process locale, which Qt sets from the environment,
// so a German desktop would read "2.5" as 2; these always use the full stop.
#pragma once

#include <string_view>

// Leading blanks, an optional sign and decimal digits up to the first non-digit; values
// beyond the int range saturate.
int TextToInt(std::string_view text);

// Leading blanks, an optional sign, then a decimal number with optional fraction and
// exponent (or inf / nan); a value too large for a double gives an infinity, one too small 0.
double TextToDouble(std::string_view text);
