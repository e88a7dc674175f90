#include "gauges/GaugeFaceCache.h"

#include "platform/SystemMetrics.h"

void CGaugeFaceCache::Draw(CDrawContext& dc, const GaugeFace& face,
                           const std::function<void(CDrawContext&)>& drawFace) {
    const QImage* pSurface = dc.Surface();
    const Key key{face, pSurface ? CSize{pSurface->width(), pSurface->height()} : CSize{},
                  dc.GetBkMode(), ScreenDpiY()};
    const bool bRepeated = m_Drawn == key;
    m_Drawn = key;
    if (m_Kept != key && bRepeated) {
        const int nBkMode = key.nBkMode;
        if (m_Pixels.Keep(
                key.surface, [nBkMode](CDrawContext& setUp) { setUp.SetBkMode(nBkMode); },
                drawFace))
            m_Kept = key;
        else
            Clear();
    }
    m_bShowedCopy = m_Kept == key;
    if (m_bShowedCopy)
        m_Pixels.Put(dc);
    else
        drawFace(dc);
}

void CGaugeFaceCache::Clear() {
    m_Pixels.Clear();
    m_Kept.reset();
    m_Drawn.reset();
}
