// SPDX-License-Identifier: MIT
#include "platform/WideLines.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <tuple>
#include <vector>

namespace {

// A shape: the line's run, its width, the resolution, and where its start falls within its
// device pixel (always 0 at one to one).
using ShapeKey = std::tuple<int, int, int, qreal, qreal, qreal>;

// Every direction of the compass card's ticks, and its needles', at a few sizes.
constexpr std::size_t kMaxShapes = 2048;

std::vector<LineSpan> FindSpans(QPoint from, QPoint to, int nWidth, qreal dRatio, QPoint origin) {
    const QPointF start(from.x() * dRatio, from.y() * dRatio);
    const QPointF end(to.x() * dRatio, to.y() * dRatio);
    // The scratch surface holds the whole stroke, round caps and the rasteriser's rounding
    // included; its device pixel (0, 0) lies at the line's origin less the margin.
    const qreal dReach = nWidth * dRatio / 2 + 2;
    const int nLeft = static_cast<int>(std::floor(std::min(start.x(), end.x()) - dReach));
    const int nTop = static_cast<int>(std::floor(std::min(start.y(), end.y()) - dReach));
    const int nRight = static_cast<int>(std::ceil(std::max(start.x(), end.x()) + dReach));
    const int nBottom = static_cast<int>(std::ceil(std::max(start.y(), end.y()) + dReach));
    QImage scratch(nRight - nLeft + 1, nBottom - nTop + 1, QImage::Format_RGB32);
    scratch.fill(Qt::black);
    {
        QPainter painter(&scratch);
        painter.setRenderHint(QPainter::Antialiasing, false);
        // The line where it lies, at the surface's own scale: the stroker meets the very
        // coordinates it would there, less a whole number of device pixels, which moves
        // every pixel alike.
        painter.setTransform(QTransform(dRatio, 0, 0, dRatio, -nLeft, -nTop));
        painter.setPen(QPen(Qt::white, nWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(from.x(), from.y(), to.x(), to.y());
    }
    std::vector<LineSpan> spans;
    const QRgb rgbBlack = qRgb(0, 0, 0);
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* pRow = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width();) {
            if (pRow[x] == rgbBlack) {
                ++x;
                continue;
            }
            const int x0 = x;
            while (x < scratch.width() && pRow[x] != rgbBlack)
                ++x;
            spans.push_back({static_cast<std::int16_t>(y + nTop - origin.y()),
                             static_cast<std::int16_t>(x0 + nLeft - origin.x()),
                             static_cast<std::int16_t>(x - 1 + nLeft - origin.x())});
        }
    }
    return spans;
}

} // namespace

std::optional<WideLineShape> WideLinePixels(QPoint from, QPoint to, int nWidth, qreal dRatio) {
    static std::map<ShapeKey, std::vector<LineSpan>> shapes;
    const qreal dReach =
        (std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y())) + nWidth) * dRatio;
    if (dReach > kMaxKeptReach)
        return std::nullopt;
    const qreal dStartX = from.x() * dRatio;
    const qreal dStartY = from.y() * dRatio;
    const QPoint origin(static_cast<int>(std::floor(dStartX)),
                        static_cast<int>(std::floor(dStartY)));
    const ShapeKey key{to.x() - from.x(),    to.y() - from.y(),   nWidth, dRatio,
                       dStartX - origin.x(), dStartY - origin.y()};
    auto it = shapes.find(key);
    if (it == shapes.end()) {
        if (shapes.size() >= kMaxShapes)
            shapes.clear();
        it = shapes.emplace(key, FindSpans(from, to, nWidth, dRatio, origin)).first;
    }
    return WideLineShape{origin, it->second};
}
