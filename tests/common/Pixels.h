// SPDX-License-Identifier: MIT
// Pixel statistics of rendered surfaces.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include <ostream>

inline void PrintTo(const QRect& rect, std::ostream* pStream) {
    *pStream << "QRect(" << rect.x() << ", " << rect.y() << ", " << rect.width() << " x "
             << rect.height() << ")";
}

// The smallest rectangle of area (the whole image when null) holding every pixel that is not
// background; null when none is.
inline QRect InkBounds(const QImage& image, QColor background, QRect area = QRect()) {
    area = area.isNull() ? image.rect() : area & image.rect();
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != background.rgb())
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Pixels of area (the whole image when null) that have colour.
inline int CountPixels(const QImage& image, QColor colour, QRect area = QRect()) {
    area = area.isNull() ? image.rect() : area & image.rect();
    int nCount = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            nCount += image.pixel(x, y) == colour.rgb();
    return nCount;
}
