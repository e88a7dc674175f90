// SPDX-License-Identifier: MIT
// The tracked SNR range and the filled height of a bar on it.
#include "views/SignalScale.h"

#include "platform/Truncate.h"

void CSnrRange::Widen(int32_t nSnr) {
    if (nSnr == 0)
        return;
    if (nSnr > m_nMaximum)
        m_nMaximum = nSnr;
    if (nSnr < m_nMinimum)
        m_nMinimum = nSnr;
}

int CSnrRange::FilledHeight(int nBarHeight, int32_t nSnr) const {
    if (m_nMaximum == m_nMinimum)
        return nSnr != 0 ? nBarHeight : 0;
    int32_t v = nSnr;
    if (v > m_nMaximum)
        v = m_nMaximum;
    if (v < m_nMinimum)
        v = m_nMinimum;
    // In double, as the widths of 32-bit differences need.
    const double dSpan = static_cast<double>(m_nMaximum) - static_cast<double>(m_nMinimum);
    const double dAbove = static_cast<double>(v) - static_cast<double>(m_nMinimum);
    return TruncToInt((nBarHeight / dSpan) * dAbove);
}
