// SPDX-License-Identifier: MIT
// Helpers shared by the platform tests: running the event loop until something happened,
// and pixel statistics of surfaces.
#pragma once

#include "common/Events.h"

#include <QColor>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QRect>
#include <QThread>

#include <functional>
#include <ostream>

inline void PrintTo(const QRect& rect, std::ostream* pStream) {
    *pStream << "QRect(" << rect.x() << ", " << rect.y() << ", " << rect.width() << " x "
             << rect.height() << ")";
}

// The smallest rectangle holding every pixel that is not background; null when none is.
inline QRect InkBounds(const QImage& image, QColor background) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background.rgb())
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

inline int CountPixels(const QImage& image, QColor colour, QRect area = QRect()) {
    if (area.isNull())
        area = image.rect();
    int nCount = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.valid(x, y) && image.pixel(x, y) == colour.rgb())
                ++nCount;
    return nCount;
}
