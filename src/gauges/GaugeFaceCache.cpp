// SPDX-License-Identifier: MIT
#include "gauges/GaugeFaceCache.h"

#include "platform/SystemMetrics.h"

#include <algorithm>

void CGaugeFaceCache::Draw(CDrawContext& dc, const GaugeFace& face,
                           const std::function<void(CDrawContext&)>& drawFace) {
    const Key key{face, dc.SurfaceSize(), dc.DevicePixelRatio(), dc.GetBkMode(), ScreenDpiY()};
    m_nDrawnRun = m_Drawn == key ? m_nDrawnRun + 1 : 1;
    m_Drawn = key;
    if (m_Kept != key && m_nDrawnRun >= m_nWait && dc.Surface()) {
        if (m_Kept)
            m_nWait = m_nPuts >= kPutsToPay ? kFirstWait : std::min(2 * m_nWait, kLongestWait);
        m_nPuts = 0;
        const int nBkMode = key.nBkMode;
        if (m_Pixels.Keep(
                key.surface, key.dRatio, *dc.Surface(),
                [nBkMode](CDrawContext& setUp) { setUp.SetBkMode(nBkMode); }, drawFace))
            m_Kept = key;
        else
            Clear();
    }
    // Kept pixels go back only onto what they were kept over where the face blends with it.
    m_bShowedCopy = m_Kept == key && m_Pixels.Put(dc);
    m_nPuts += m_bShowedCopy ? 1 : 0;
    if (!m_bShowedCopy)
        drawFace(dc);
}

void CGaugeFaceCache::Clear() {
    m_Pixels.Clear();
    m_Kept.reset();
    m_Drawn.reset();
    m_nDrawnRun = 0;
    m_nWait = kFirstWait;
    m_nPuts = 0;
}
