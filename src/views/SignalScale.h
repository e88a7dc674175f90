// SPDX-License-Identifier: MIT
// How full a signal bar is. The scale is relative: it spans the smallest to the largest
// non-zero SNR met since the last reset, widened while the bars are painted and narrowed only
// by a reset, so a bar at the tracked maximum is full and one at the tracked minimum (or
// without signal) is empty. Standard library only.
#pragma once

#include <cstdint>

class CSnrRange {
public:
    // Outside any real SNR, so the first non-zero value sets both ends.
    static constexpr int32_t kNoMaximum = -999;
    static constexpr int32_t kNoMinimum = 999;

    // Widens the range to take in nSnr; 0 (no signal) leaves it alone.
    void Widen(int32_t nSnr);
    void Reset() { *this = CSnrRange(); }

    int32_t Maximum() const { return m_nMaximum; }
    int32_t Minimum() const { return m_nMinimum; }

    // The filled height of a bar nBarHeight pixels high for nSnr on this range: nSnr clamped
    // into the range, then scaled linearly and truncated toward zero. With a single SNR seen
    // (maximum = minimum) there is no scale to divide by: a bar with signal is full, one
    // without is empty.
    int FilledHeight(int nBarHeight, int32_t nSnr) const;

private:
    int32_t m_nMaximum = kNoMaximum;
    int32_t m_nMinimum = kNoMinimum;
};
