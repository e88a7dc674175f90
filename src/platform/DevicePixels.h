// SPDX-License-Identifier: MIT
// The pages draw in logical pixels, the units of their layouts and of the window system's
// geometry; a surface holds device pixels, dRatio of them to a logical pixel's side (1 on an
// ordinary screen, 2 at 200 % display scaling, 1.25 or 1.5 in between). Logical coordinate v
// lies at device coordinate DeviceEdge(v), to the nearest pixel, so logical pixel x covers the
// device pixels from DeviceEdge(x) up to DeviceEdge(x + 1): pixels side by side tile a surface
// without gap or overlap at any ratio, and at ratio 1 every coordinate stays what it was.
#pragma once

#include "platform/Rect.h"

#include <QRect>
#include <QRgb>
#include <QSize>

#include <cmath>
#include <cwchar>

inline int DeviceEdge(int v, qreal dRatio) {
    return dRatio == 1.0 ? v : static_cast<int>(std::floor(v * dRatio + 0.5));
}

// The logical pixel that device pixel d is part of.
inline int LogicalPixelOf(int d, qreal dRatio) {
    return dRatio == 1.0 ? d : static_cast<int>(std::ceil((d + 0.5) / dRatio)) - 1;
}

// The device edges of a logical box (right and bottom excluded, as ever; an inverted box
// stays inverted).
inline CRect DeviceBox(const CRect& rect, qreal dRatio) {
    return {DeviceEdge(rect.left, dRatio), DeviceEdge(rect.top, dRatio),
            DeviceEdge(rect.right, dRatio), DeviceEdge(rect.bottom, dRatio)};
}

// The device pixels of a logical rectangle, as a QRect.
inline QRect DeviceRect(const CRect& rect, qreal dRatio) {
    const CRect box = DeviceBox(rect, dRatio);
    return {box.left, box.top, box.Width(), box.Height()};
}

// The smallest logical rectangle holding the device pixels of rect (a QRect).
inline CRect LogicalCover(const QRect& rect, qreal dRatio) {
    if (rect.isEmpty())
        return {};
    return {LogicalPixelOf(rect.left(), dRatio), LogicalPixelOf(rect.top(), dRatio),
            LogicalPixelOf(rect.right(), dRatio) + 1, LogicalPixelOf(rect.bottom(), dRatio) + 1};
}

// The device size of a surface nWidth x nHeight logical pixels large.
inline QSize DeviceSize(int nWidth, int nHeight, qreal dRatio) {
    return {DeviceEdge(nWidth, dRatio), DeviceEdge(nHeight, dRatio)};
}

// nCount device pixels of one colour from pPixels on. The C library's wide-character fill is
// a 32-bit fill, and a vectorised one, where a plain loop is stored a pixel at a time: most
// of what a page draws are spans like these.
inline void FillRgb(QRgb* pPixels, qsizetype nCount, QRgb rgb) {
    static_assert(sizeof(wchar_t) == sizeof(QRgb));
    if (nCount <= 4) { // a thin line's pixel: cheaper than the call
        for (qsizetype i = 0; i < nCount; ++i)
            pPixels[i] = rgb;
        return;
    }
    std::wmemset(reinterpret_cast<wchar_t*>(pPixels), static_cast<wchar_t>(rgb),
                 static_cast<std::size_t>(nCount));
}
