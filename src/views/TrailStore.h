// SPDX-License-Identifier: MIT
// The sky plot's memory of where satellites have been: a ring of 3500 sky positions in whole
// degrees, each stored once however often a satellite reports it. The store is a fixed array
// (no allocation on the GSV path); once it wraps, every new position pushes out the oldest,
// and the slot at the write index is kept empty, so at most 3499 positions are held. The
// caller plots what Add reports: the position that left and the one that arrived. Standard
// library only.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

struct TrailPoint {
    int32_t nAzimuth = -1; // whole degrees
    int32_t nElevation = -1;

    // (-1, -1) marks an empty slot.
    bool IsEmpty() const { return nAzimuth == -1 && nElevation == -1; }
    friend bool operator==(const TrailPoint&, const TrailPoint&) = default;
};

class CTrailStore {
public:
    static constexpr int kSlots = 3500;

    struct AddResult {
        bool bAdded = false;               // false when the position was stored already
        std::optional<TrailPoint> evicted; // the oldest position, pushed out by this one
    };

    // Stores the position at the write index unless some slot holds it already; a stored
    // position that now sits just after the write index leaves the store.
    AddResult Add(int32_t nAzimuth, int32_t nElevation);
    // Empties every slot; the write index stays where it is.
    void Clear();

    bool Contains(int32_t nAzimuth, int32_t nElevation) const;
    int WriteIndex() const { return m_nWriteIndex; }
    const TrailPoint& Slot(int nIndex) const { return m_Slots[static_cast<size_t>(nIndex)]; }
    int Count() const;

private:
    std::array<TrailPoint, kSlots> m_Slots{};
    int32_t m_nWriteIndex = 0;
};
