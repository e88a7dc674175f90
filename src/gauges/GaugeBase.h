// SPDX-License-Identifier: MIT
// What the four gauges have in common besides their drawing pieces: the colours they fetch
// once, and an optional window of their own. The panel never gives a gauge a window; it
// draws every gauge with its own off-screen context. A gauge shown by itself is given the
// window it lives in: then a setter asked to redraw, or Draw without a context, draws into
// that window's surface at once.
#pragma once

#include "gauges/GaugeDrawing.h"
#include "platform/SurfaceWnd.h"

#include <QPointer>

#include <functional>

class CGaugeBase {
public:
    // The window this gauge draws itself into; nullptr for none (the default).
    void SetWindow(CSurfaceWnd* pWindow) { m_pWindow = pWindow; }
    CSurfaceWnd* Window() const { return m_pWindow; }

protected:
    CGaugeBase() : m_Colours(GaugeColours::FromSystem()) {}

    // Runs draw on pDC, or on a context of the gauge's own window when pDC is null (released
    // before returning). Without either there is nothing to draw on.
    void OnSurface(CDrawContext* pDC, const std::function<void(CDrawContext&)>& draw) const;
    // The own window's client rectangle, empty without a window.
    CRect WindowRect() const;

    GaugeColours m_Colours;

private:
    QPointer<CSurfaceWnd> m_pWindow; // cleared by Qt if the window goes first
};
