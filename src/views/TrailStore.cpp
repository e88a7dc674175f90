// SPDX-License-Identifier: MIT
// The ring of trail positions: linear duplicate search, wrap-around with eviction.
#include "views/TrailStore.h"

#include <algorithm>

CTrailStore::AddResult CTrailStore::Add(int32_t nAzimuth, int32_t nElevation) {
    AddResult result;
    if (Contains(nAzimuth, nElevation))
        return result;
    m_Slots[static_cast<size_t>(m_nWriteIndex)] = {nAzimuth, nElevation};
    result.bAdded = true;

    const int32_t nNext = m_nWriteIndex + 1 > kSlots - 1 ? 0 : m_nWriteIndex + 1;
    TrailPoint& next = m_Slots[static_cast<size_t>(nNext)];
    if (!next.IsEmpty()) {
        result.evicted = next;
        next = TrailPoint{};
    }
    m_nWriteIndex = nNext;
    return result;
}

void CTrailStore::Clear() {
    m_Slots.fill(TrailPoint{});
}

bool CTrailStore::Contains(int32_t nAzimuth, int32_t nElevation) const {
    const TrailPoint wanted{nAzimuth, nElevation};
    return std::find(m_Slots.begin(), m_Slots.end(), wanted) != m_Slots.end();
}

int CTrailStore::Count() const {
    return static_cast<int>(std::count_if(m_Slots.begin(), m_Slots.end(),
                                          [](const TrailPoint& p) { return !p.IsEmpty(); }));
}
