// SPDX-License-Identifier: MIT
#include "shell/StatusLight.h"

#include "platform/SystemMetrics.h"
#include "resources/resource.h"

namespace {

// Large round lights in the strip: bright in column 0, dark in column 16; one row each.
constexpr int kLitColumn = 0;
constexpr int kUnlitColumn = 16;
constexpr int RowOf(CStatusLight::Colour colour) {
    switch (colour) {
        case CStatusLight::Colour::Green: return 144;
        case CStatusLight::Colour::Blue: return 176;
        case CStatusLight::Colour::Red: break;
    }
    return 128;
}

} // namespace

CStatusLight::CStatusLight(QWidget* pParent) : CSurfaceWnd(pParent) {
    m_Strip.LoadBitmap(IDB_LEDS);
    m_Mask = MakeKeyMask(m_Strip, QColor(255, 0, 255));
    SetBackgroundColour(GetSysColor(COLOR_BTNFACE));
}

bool CStatusLight::OnEraseBkgnd(CDrawContext& dc) {
    dc.FillSolidRect(GetClientRect(), GetSysColor(COLOR_BTNFACE));
    return true;
}

void CStatusLight::Draw(Colour colour, bool bLit) {
    if (colour == m_LastColour && bLit == m_bLastLit && Surface().cacheKey() == m_nDrawnKey)
        return;
    // A 16 x 16 square in the middle of the pane, or at its corner when the pane is smaller.
    CRect rect = GetClientRect();
    if (rect.Width() >= kSize && rect.Height() >= kSize) {
        rect.left += (rect.Width() - kSize) / 2;
        rect.top += (rect.Height() - kSize) / 2;
    }
    const int xSource = bLit ? kLitColumn : kUnlitColumn;
    const int ySource = RowOf(colour);
    CClientDC dc(this);
    // (background XOR image) AND mask XOR image: the background where the key is, the light
    // everywhere else.
    dc.BitBlt(rect.left, rect.top, kSize, kSize, m_StripDC, xSource, ySource, SRCINVERT);
    dc.BitBlt(rect.left, rect.top, kSize, kSize, m_MaskDC, xSource, ySource, SRCAND);
    dc.BitBlt(rect.left, rect.top, kSize, kSize, m_StripDC, xSource, ySource, SRCINVERT);
    m_LastColour = colour;
    m_bLastLit = bLit;
    m_nDrawnKey = Surface().cacheKey();
}
