// SPDX-License-Identifier: MIT
#include "GaugeTestSupport.h"

QImage PlainPage(const CGaugePanelWnd& panel, const std::vector<int>& codes) {
    const CRect client = panel.GetClientRect();
    Canvas canvas(client.Width(), client.Height());
    canvas.dc.Rectangle(client);
    for (const int nGaugeCode : codes) {
        const CRect& rect = panel.GaugeRect(nGaugeCode);
        switch (nGaugeCode) {
            case kGaugeCompass: panel.Compass().Draw(canvas.dc, rect); break;
            case kGaugeAltimeter: panel.Altimeter().Draw(canvas.dc, rect); break;
            case kGaugeSpeedometer: panel.Speedometer().Draw(canvas.dc, rect); break;
            case kGaugeVerticalSpeed: {
                CVerticalSpeedWnd gauge = panel.VerticalSpeed(); // drawing clamps its value
                gauge.Draw(canvas.dc, rect);
                break;
            }
            default: break;
        }
    }
    return canvas.Image();
}
