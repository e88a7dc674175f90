// SPDX-License-Identifier: MIT
// Pixel statistics of rendered surfaces, and their differences.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include <ostream>

inline void PrintTo(const QRect& rect, std::ostream* pStream) {
    *pStream << "QRect(" << rect.x() << ", " << rect.y() << ", " << rect.width() << " x "
             << rect.height() << ")";
}

inline void PrintTo(const QImage& image, std::ostream* pStream) {
    *pStream << "QImage(" << image.width() << " x " << image.height() << ")";
}

// Calls f(x, y) for every pixel of area within image (the whole image when area is null).
template <typename F> void ForEachPixel(const QImage& image, QRect area, F f) {
    area = area.isNull() ? image.rect() : area & image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            f(x, y);
}

// Pixels of area that have colour.
inline int CountPixels(const QImage& image, QColor colour, QRect area = QRect()) {
    int nCount = 0;
    ForEachPixel(image, area, [&](int x, int y) { nCount += image.pixel(x, y) == colour.rgb(); });
    return nCount;
}

// The pixels of area in which two images of one size differ.
inline int CountDifferences(const QImage& a, const QImage& b, QRect area = QRect()) {
    int nCount = 0;
    ForEachPixel(a, area, [&](int x, int y) { nCount += a.pixel(x, y) != b.pixel(x, y); });
    return nCount;
}

// The smallest rectangle holding every pixel in which two images differ; null when none.
inline QRect DifferenceBounds(const QImage& a, const QImage& b) {
    QRect bounds;
    ForEachPixel(a, QRect(), [&](int x, int y) {
        if (a.pixel(x, y) != b.pixel(x, y))
            bounds |= QRect(x, y, 1, 1);
    });
    return bounds;
}

// What XOR drawing changed between two images: the colours XORed in.
inline QImage XorOf(const QImage& a, const QImage& b) {
    QImage result(a.size(), QImage::Format_RGB32);
    ForEachPixel(a, QRect(), [&](int x, int y) {
        result.setPixel(x, y, (a.pixel(x, y) ^ b.pixel(x, y)) | 0xFF000000u);
    });
    return result;
}
