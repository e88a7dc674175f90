// SPDX-License-Identifier: MIT
// Gauges drawn for tests: a white surface with a drawing context on it, and the colours the
// gauges fetch from the system.
#pragma once

#include "common/Pixels.h"
#include "gauges/GaugeDrawing.h"
#include "platform/DrawContext.h"

#include <QImage>

struct Canvas {
    CBitmap bitmap;
    CDrawContext dc;

    Canvas(int nWidth, int nHeight) {
        bitmap.CreateCompatibleBitmap(nWidth, nHeight);
        bitmap.Image().fill(Qt::white);
        dc.SelectBitmap(&bitmap);
    }
    const QImage& Image() const { return bitmap.Image(); }
};

inline const GaugeColours& Colours() {
    static const GaugeColours colours = GaugeColours::FromSystem();
    return colours;
}
