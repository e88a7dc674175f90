// SPDX-License-Identifier: MIT
// The strip of status lights (bitmap 133): 48 x 192 pixels, three columns of 16 (bright,
// dark, grey) and twelve rows of 16: red, green, yellow and blue as small round lights, then
// as square ones, then as large round ones. Everything around a light is the magenta key, so
// the light can be laid over any background through a mask.
#include "resources/QtResources.h"

#include <cmath>

namespace {

constexpr int kCell = 16;
constexpr QRgb kKey = qRgb(255, 0, 255);
constexpr QRgb kRing = qRgb(192, 192, 192);
constexpr QRgb kShade = qRgb(128, 128, 128);
constexpr QRgb kWhite = qRgb(255, 255, 255);

enum class Shape { SmallRound, Square, LargeRound };

// Fill colours of red, green, yellow and blue: bright, then dark.
constexpr QRgb kFill[4][2] = {{qRgb(255, 0, 0), qRgb(128, 0, 0)},
                              {qRgb(0, 255, 0), qRgb(0, 128, 0)},
                              {qRgb(255, 255, 0), qRgb(128, 128, 0)},
                              {qRgb(0, 0, 255), qRgb(0, 0, 128)}};

// One light in its 16 x 16 cell: the fill, a light-grey ring, a rim lit from the upper left
// (white there, grey on the lower right) and a short white highlight inside the fill.
QRgb LightPixel(Shape shape, QRgb fill, int x, int y) {
    const double dx = x - 7.0, dy = y - 7.0;
    const double dOuter = shape == Shape::SmallRound ? 4.5 : 7.5;
    // Rounds measure the distance from the centre; squares the larger of the two offsets.
    const double d =
        shape == Shape::Square ? std::max(std::fabs(dx), std::fabs(dy)) * 1.2 : std::hypot(dx, dy);
    if (d > dOuter || x > 14 || y > 14)
        return kKey;
    if (d > dOuter - 1)
        return dx + dy < 0 ? kWhite : kShade;
    if (d > dOuter - 2)
        return kRing;
    const double dHighlight = dOuter - 4;
    if (d > dHighlight - 0.7 && d <= dHighlight + 0.3 && dx < -0.5 && dy < -0.5)
        return kWhite;
    return fill;
}

} // namespace

QImage LedStripImage() {
    QImage strip(3 * kCell, 12 * kCell, QImage::Format_RGB32);
    for (int nRow = 0; nRow < 12; ++nRow) {
        const auto shape = static_cast<Shape>(nRow / 4);
        for (int nColumn = 0; nColumn < 3; ++nColumn) {
            const QRgb fill = nColumn == 2 ? kShade : kFill[nRow % 4][nColumn];
            for (int y = 0; y < kCell; ++y)
                for (int x = 0; x < kCell; ++x)
                    strip.setPixel(nColumn * kCell + x, nRow * kCell + y,
                                   LightPixel(shape, fill, x, y));
        }
    }
    return strip;
}
