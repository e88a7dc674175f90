// SPDX-License-Identifier: MIT
// The decoder's view of a capture as one line of JSON: every field of the GPS state record
// under its own name, the sentence and logged-byte counts, and how often each notification
// was posted. Scripts compare captures with it, so the key order and number forms are fixed.
#pragma once

#include "nmea/NmeaParser.h"

#include <array>
#include <cstdint>
#include <string>

// How often each of WM_GPS_SENTENCE .. WM_GPS_ZDA was posted, indexed by message - 0x1400.
using MessageCounts = std::array<uint64_t, 7>;

std::string RecordJson(const CNmeaParser& parser, const MessageCounts& counts);
