// SPDX-License-Identifier: MIT
#include "platform/ScaledFont.h"

#include "platform/SystemMetrics.h"

const CFont& CScaledFont::Get() const {
    const int nDpiY = ScreenDpiY();
    if (nDpiY != m_nDpiY) {
        // Read back from the font made for the screen, so the size is the one it realised.
        LogFont logFont = CFont::FromPointSize(m_nTenthsOfPoint, m_strFace, nDpiY).GetLogFont();
        logFont.lfWeight = m_nWeight;
        m_Font = CFont::FromLogFont(logFont);
        m_nDpiY = nDpiY;
    }
    return m_Font;
}
