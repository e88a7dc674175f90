// SPDX-License-Identifier: MIT
// The receive-activity light in the status bar: a 16 x 16 round light from the light strip,
// laid over the pane through the strip's magenta key, drawn straight onto the pane's surface
// without a repaint (it changes every tick and every sentence).
#pragma once

#include "platform/GdiObjects.h"
#include "platform/SurfaceWnd.h"

class CStatusLight : public CSurfaceWnd {
public:
    enum class Colour { Red, Green, Blue };

    explicit CStatusLight(QWidget* pParent = nullptr);

    // Draws the light in colour, bright when bLit, dark otherwise. The frame asks for the
    // light at every tick and every sentence, mostly for the one already shown: then nothing
    // is drawn, as drawing it again would leave every pixel as it is.
    void Draw(Colour colour, bool bLit);

    static constexpr int kSize = 16;

protected:
    // The pane's own background; the light is drawn over it by Draw.
    bool OnEraseBkgnd(CDrawContext& dc) override;

private:
    CBitmap m_Strip;
    CBitmap m_Mask;
    // Sources of every drawing, made once: a context costs more to make than the light's
    // three block copies.
    CDrawContext m_StripDC{m_Strip};
    CDrawContext m_MaskDC{m_Mask};
    // What the last drawing left, and the surface's contents key right after it: any later
    // change of the surface (an erase, a resize) changes the key.
    Colour m_LastColour = Colour::Red;
    bool m_bLastLit = false;
    qint64 m_nDrawnKey = -1;
};
