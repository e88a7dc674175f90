// SPDX-License-Identifier: MIT
#include "gauges/GaugeFaceCache.h"

#include "platform/SystemMetrics.h"

void CGaugeFaceCache::Draw(CDrawContext& dc, const GaugeFace& face,
                           const std::function<void(CDrawContext&)>& drawFace) {
    const Key key{face, dc.SurfaceSize(), dc.DevicePixelRatio(), dc.GetBkMode(), ScreenDpiY()};
    const bool bRepeated = m_Drawn == key;
    m_Drawn = key;
    if (m_Kept != key && bRepeated && dc.Surface()) {
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
    if (!m_bShowedCopy)
        drawFace(dc);
}

void CGaugeFaceCache::Clear() {
    m_Pixels.Clear();
    m_Kept.reset();
    m_Drawn.reset();
}
