// SPDX-License-Identifier: MIT
// The pieces of printf's number formatting that the unit and coordinate texts use ("%07.04f",
// "%-8.02f", "%03lu"), always with a full stop: the C library's printf follows the process
// locale, which Qt sets from the environment, and would write "405,04" on a German desktop.
#pragma once

#include <string>

struct FixedFormat {
    int nPrecision = 6;
    int nWidth = 0;            // minimum field width
    bool bZeroPad = false;     // "0" flag: pad with zeros after the sign (finite values only)
    bool bLeftJustify = false; // "-" flag: pad with blanks on the right; wins over bZeroPad
};

// Appends d as printf's "%f" with the given flags, width and precision would.
void AppendFixed(std::string& out, double d, const FixedFormat& format);

// Appends n as printf's "%d" / "%lu" with an optional zero-padded minimum width.
void AppendInteger(std::string& out, long long n, int nWidth = 0, bool bZeroPad = false);
