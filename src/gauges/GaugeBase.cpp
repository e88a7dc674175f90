// SPDX-License-Identifier: MIT
#include "gauges/GaugeBase.h"

void CGaugeBase::OnSurface(CDrawContext* pDC,
                           const std::function<void(CDrawContext&)>& draw) const {
    if (pDC) {
        draw(*pDC);
        return;
    }
    if (!m_pWindow)
        return;
    CClientDC dc(m_pWindow);
    draw(dc);
}

CRect CGaugeBase::WindowRect() const {
    return m_pWindow ? m_pWindow->GetClientRect() : CRect{};
}
