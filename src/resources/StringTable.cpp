// SPDX-License-Identifier: MIT
// The texts are the program's own and exact: pages compare and lay them out character by
// character, so nothing here is translated or trimmed.
#include "resources/StringTable.h"

#include "resources/resource.h"

#include <algorithm>
#include <iterator>

namespace {

struct StringEntry {
    StringId id;
    const char* pszText;
};

// Sorted by id for the binary search below.
constexpr StringEntry kStrings[] = {
    {TitleOf(IDR_MAINFRAME), "Ravuziz"},
    {ID_INDICATOR_LOG, "Log:00.00M"},
    {ID_INDICATOR_LED, "    "},
    {ID_INDICATOR_FIX, "X"},
    {ID_INDICATOR_MODE, "3D"},
    {IDS_NMI, "nmi"},
    {IDS_MI, "mi"},
    {IDS_KM, "km"},
    {IDS_FT, "ft"},
    {IDS_M, "m"},
    {IDS_MPH, "MPH"},
    {IDS_KT, "KT"},
    {IDS_KMH, "Km/h"},
    {IDS_M_PER_SEC, "m per sec"},
    {IDS_X100_FT_PER_MIN, "X100 ft per min"},
};

static_assert(std::is_sorted(std::begin(kStrings), std::end(kStrings),
                             [](const StringEntry& a, const StringEntry& b) {
                                 return a.id < b.id;
                             }));

} // namespace

const char* LoadStringUtf8(StringId id) {
    auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                               [](const StringEntry& e, StringId key) { return e.id < key; });
    if (it == std::end(kStrings) || it->id != id)
        return "";
    return it->pszText;
}
