// SPDX-License-Identifier: MIT
// Wide lines as Qt's stroker and rasteriser draw them, found once per shape. Stroking a
// round-capped line costs a hundred times what writing its pixels does, and the pages draw
// the same few shapes again and again: the compass card's 36 ticks at every course, the
// needles' shafts. Without anti-aliasing a line of one opaque colour sets whole pixels, and
// which ones depends only on its direction and length, its width, the resolution and where
// its start falls within a device pixel: Qt draws the shape once on a scratch surface, and
// its rows of set pixels are written wherever the shape comes again.
#pragma once

#include <QPoint>
#include <QtGlobal>

#include <cstdint>
#include <optional>
#include <span>

// One row of set pixels, from x0 to x1 inclusive, in device pixels from the shape's origin.
struct LineSpan {
    std::int16_t y;
    std::int16_t x0;
    std::int16_t x1;
};

// Far beyond any line a page draws, and within the spans' reach.
constexpr int kMaxKeptReach = 4096;

struct WideLineShape {
    QPoint origin; // on the surface, in device pixels
    std::span<const LineSpan> spans;
};

// The pixels a QPainter on a surface of dRatio device pixels to a logical one sets when it
// draws the line from `from` to `to` (logical pixels) with a solid, round-capped and
// round-joined pen nWidth logical pixels wide, without anti-aliasing, before any clipping to
// the surface; nothing for a line that reaches further than kMaxKeptReach device pixels
// (which the painter draws clipped, as ever). The spans stay valid until the next call.
std::optional<WideLineShape> WideLinePixels(QPoint from, QPoint to, int nWidth, qreal dRatio);
