// SPDX-License-Identifier: MIT
// The decoder's record alone, for comparing two parsers whose reader counters differ by design
// (one of them recorded, or was reset after reading more).
#pragma once

#include "common/NmeaSupport.h"

#include <regex>
#include <string>

inline std::string RecordOnly(const CNmeaParser& parser) {
    static const std::regex kCounters(R"("m_nSentenceCount":\d+,"m_nLogBytes":\d+,)");
    return std::regex_replace(Snapshot(parser), kCounters, "");
}
