// SPDX-License-Identifier: MIT
// Shapes, spans and single-pixel lines are written straight into the image, so their pixels
// follow the window system's conventions exactly (and symmetrically) rather than Qt's
// rasteriser; text, polygons and block copies go through a QPainter opened for the one
// operation, and wide lines are Qt's pixels, found once per shape (platform/WideLines.h). A
// context therefore holds no painter between calls, and any number of contexts may draw into
// the same surface in turn — unless it was asked to keep its painter (KeepPainterOpen), which
// then serves every operation with its state reset in between.
#include "platform/DrawContext.h"

#include "platform/DevicePixels.h"
#include "platform/SystemMetrics.h"
#include "platform/WideLines.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QPolygon>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct Span {
    int x0;
    int x1; // inclusive
};

// The pixels of row y whose centres lie inside the ellipse inscribed in box.
std::optional<Span> EllipseSpan(const CRect& box, int y) {
    if (box.IsEmpty() || y < box.top || y >= box.bottom)
        return std::nullopt;
    const double dCx = (box.left + box.right) / 2.0;
    const double dCy = (box.top + box.bottom) / 2.0;
    const double dA = box.Width() / 2.0;
    const double dB = box.Height() / 2.0;
    const double dY = (y + 0.5 - dCy) / dB;
    const double dHalf = dA * std::sqrt(std::max(0.0, 1.0 - dY * dY));
    const int x0 = static_cast<int>(std::ceil(dCx - dHalf - 0.5));
    const int x1 = static_cast<int>(std::floor(dCx + dHalf - 0.5));
    if (x0 > x1)
        return std::nullopt;
    return Span{x0, x1};
}

std::optional<Span> RectangleSpan(const CRect& box, int y) {
    if (box.IsEmpty() || y < box.top || y >= box.bottom)
        return std::nullopt;
    return Span{box.left, box.right - 1};
}

QPen QtPen(const CPen& pen) {
    if (pen.IsNull())
        return QPen(Qt::NoPen);
    return QPen(pen.Colour(), pen.Width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QBrush QtBrush(const CBrush& brush) {
    return brush.IsNull() ? QBrush(Qt::NoBrush) : QBrush(brush.Colour());
}

// The average character width the pages lay columns out in, defined as fonts of Arial's
// generation define it: the advances of the lower-case letters and the space weighted by how
// often they occur in English text (the weights sum to 1000). Liberation Sans has Arial's
// advances but records a plain average over all its glyphs, about 30 % wider, which would
// push such columns off a small screen; computed the classic way it gives Arial's value (5
// pixels at 12, where the font's own figure gives 7).
int ComputeClassicAverageCharWidth(const QFont& font) {
    static constexpr struct {
        char c;
        int nWeight;
    } kLetterWeights[] = {
        {'a', 64}, {'b', 14}, {'c', 27}, {'d', 35}, {'e', 100}, {'f', 20},  {'g', 14},
        {'h', 42}, {'i', 63}, {'j', 3},  {'k', 6},  {'l', 35},  {'m', 20},  {'n', 56},
        {'o', 56}, {'p', 17}, {'q', 4},  {'r', 49}, {'s', 56},  {'t', 71},  {'u', 31},
        {'v', 10}, {'w', 18}, {'x', 3},  {'y', 18}, {'z', 2},   {' ', 166},
    };
    // Unhinted, as the font's design widths scale.
    QFont design(font);
    design.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF metrics(design);
    double dSum = 0;
    for (const auto& letter : kLetterWeights)
        dSum += metrics.horizontalAdvance(QLatin1Char(letter.c)) * letter.nWeight;
    // To the nearest pixel, as a font scaler rounds its metrics.
    return static_cast<int>(std::floor(dSum / 1000 + 0.5));
}

// What the pages measure and draw of a font, found once per font description: every drawing
// asks again for the metrics of the same few fonts and mostly for the same texts (scale
// labels, captions, readouts that hold still), and each answer would otherwise shape the text
// anew, which costs more than drawing its glyphs. A text is shaped once for its width, its ink
// and its glyphs alike.
struct TextFacts {
    int nWidth = 0;
    QRect ink;               // the glyphs' pixels, from the start of the baseline
    QList<QGlyphRun> glyphs; // placed from the start of the baseline
};

struct FontFacts {
    TextMetrics metrics;
    QHash<QString, TextFacts> texts;
};

constexpr size_t kMaxMeasuredFonts = 64;     // like the realised fonts (platform/GdiObjects.cpp)
constexpr qsizetype kMaxMeasuredTexts = 128; // per font; changing readouts add new texts

FontFacts& FactsOf(const CFont& font) {
    static std::map<std::tuple<int, int, QString>, FontFacts> facts;
    const LogFont& logFont = font.GetLogFont();
    const std::tuple<int, int, QString> key{logFont.lfHeight, logFont.lfWeight, logFont.lfFaceName};
    if (const auto it = facts.find(key); it != facts.end())
        return it->second;
    if (facts.size() >= kMaxMeasuredFonts)
        facts.clear();
    const QFontMetrics metrics(font.QtFont());
    FontFacts fresh;
    fresh.metrics = {metrics.height(), metrics.ascent(), metrics.descent(),
                     ComputeClassicAverageCharWidth(font.QtFont()), metrics.maxWidth()};
    return facts.emplace(key, std::move(fresh)).first->second;
}

const TextFacts& FactsOf(const CFont& font, const QString& strText) {
    FontFacts& facts = FactsOf(font);
    if (const auto it = facts.texts.constFind(strText); it != facts.texts.cend())
        return *it;
    if (facts.texts.size() >= kMaxMeasuredTexts)
        facts.texts.clear();
    QTextLayout layout(strText, font.QtFont());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(std::numeric_limits<int>::max() / 2);
    layout.endLayout();
    TextFacts fresh;
    // Qt's own measure of a text's width: the rounded sum of its advances.
    fresh.nWidth = qRound(line.horizontalAdvance());
    fresh.glyphs = layout.glyphRuns();
    QRectF ink;
    for (QGlyphRun& run : fresh.glyphs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& position : positions)
            position.ry() -= line.ascent();
        run.setPositions(positions);
        run.setBoundingRect({}); // the line's box; the glyphs' own is wanted
        ink |= run.boundingRect();
    }
    fresh.ink = ink.toAlignedRect();
    return *facts.texts.insert(strText, std::move(fresh));
}

int TextWidth(const CFont& font, const QString& strText) {
    return FactsOf(font, strText).nWidth;
}

CRect ToCRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

// The box round the points, grown by nMargin on every side.
CRect BoxOf(std::span<const CPoint> points, int nMargin) {
    CRect box{points.front().x, points.front().y, points.front().x + 1, points.front().y + 1};
    for (const CPoint& pt : points)
        box = box.United({pt.x, pt.y, pt.x + 1, pt.y + 1});
    box.Inflate(nMargin, nMargin);
    return box;
}

// Block copies between the program's surfaces, all RGB32, as plain 32-bit arithmetic: what
// the painter's raster operations compute (colour bits combined, the pixel left opaque),
// without opening a painter for every small block (markers, the status light). target is
// where the block goes on destination; its top-left pixel comes from ptSource.
void CombineRgb32(QImage& destination, const QRect& target, const QImage& source, QPoint ptSource,
                  unsigned nRop) {
    const QRect clipped = target.intersected(destination.rect());
    if (clipped.isEmpty())
        return;
    uchar* pBits = destination.bits(); // detaches once, not per row
    const qsizetype nStride = destination.bytesPerLine();
    const auto row = [&](int y) {
        return std::pair{
            reinterpret_cast<const QRgb*>(source.constScanLine(ptSource.y() + y - target.top())) +
                ptSource.x() + clipped.left() - target.left(),
            reinterpret_cast<QRgb*>(pBits + y * nStride) + clipped.left()};
    };
    const auto combine = [&](auto op) {
        for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
            const auto [pFrom, pTo] = row(y);
            for (int i = 0; i < clipped.width(); ++i)
                pTo[i] = op(pFrom[i], pTo[i]) | 0xFF000000u;
        }
    };
    switch (nRop) {
        case SRCCOPY:
            // RGB32 pixels are opaque already: a copy is a copy of the row.
            for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
                const auto [pFrom, pTo] = row(y);
                std::memcpy(pTo, pFrom, static_cast<size_t>(clipped.width()) * sizeof(QRgb));
            }
            break;
        case SRCINVERT: combine([](QRgb src, QRgb dst) { return src ^ dst; }); break;
        case SRCAND: combine([](QRgb src, QRgb dst) { return src & dst; }); break;
        default: break;
    }
}

// The same between surfaces of different resolutions (a bitmap resource, one device pixel to
// a logical one, copied to a surface of two): each device pixel of the target takes the
// source's pixel of the logical pixel it is part of (the top-left one of those), the nearest
// neighbour, so the copy is as sharp as its source and a second XOR takes off exactly what the
// first put on. The block covers logical pixels from ptTarget on destination (at
// dTargetRatio) and from ptSource on source (at dSourceRatio), sourceBlock being its device
// pixels there.
void CombineScaledRgb32(QImage& destination, CPoint ptTarget, const CSize& size, qreal dTargetRatio,
                        const QImage& source, const QRect& sourceBlock, CPoint ptSource,
                        qreal dSourceRatio, unsigned nRop) {
    const QRect target = DeviceRect(
        {ptTarget.x, ptTarget.y, ptTarget.x + size.cx, ptTarget.y + size.cy}, dTargetRatio);
    const QRect clipped = target.intersected(destination.rect());
    if (clipped.isEmpty() || sourceBlock.isEmpty())
        return;
    // The source device pixel of target device pixel d, along one axis.
    const auto sourceOf = [&](int d, int nTargetOrigin, int nSourceOrigin, int nBlockFirst,
                              int nBlockLast) {
        const int nLogical = LogicalPixelOf(d, dTargetRatio) - nTargetOrigin + nSourceOrigin;
        return std::clamp(DeviceEdge(nLogical, dSourceRatio), nBlockFirst, nBlockLast);
    };
    std::vector<int> columns(static_cast<size_t>(clipped.width()));
    for (int i = 0; i < clipped.width(); ++i)
        columns[static_cast<size_t>(i)] = sourceOf(clipped.left() + i, ptTarget.x, ptSource.x,
                                                   sourceBlock.left(), sourceBlock.right());
    uchar* pBits = destination.bits();
    const qsizetype nStride = destination.bytesPerLine();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        const auto* pFrom = reinterpret_cast<const QRgb*>(source.constScanLine(
            sourceOf(y, ptTarget.y, ptSource.y, sourceBlock.top(), sourceBlock.bottom())));
        auto* pTo = reinterpret_cast<QRgb*>(pBits + y * nStride) + clipped.left();
        for (int i = 0; i < clipped.width(); ++i) {
            const QRgb src = pFrom[columns[static_cast<size_t>(i)]];
            switch (nRop) {
                case SRCCOPY: pTo[i] = src | 0xFF000000u; break;
                case SRCINVERT: pTo[i] = (src ^ pTo[i]) | 0xFF000000u; break;
                case SRCAND: pTo[i] = (src & pTo[i]) | 0xFF000000u; break;
                default: break;
            }
        }
    }
}

void PrepareAliased(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
}

// The painter of one operation: the context's kept painter, its state saved before and
// restored after, or one opened for this operation alone.
class COperationPainter {
public:
    COperationPainter(QPainter* pKept, QImage* pImage) : m_pKept(pKept) {
        if (m_pKept)
            m_pKept->save();
        else
            m_Own.emplace(pImage);
        PrepareAliased(Get());
    }
    ~COperationPainter() {
        if (m_pKept)
            m_pKept->restore();
    }
    COperationPainter(const COperationPainter&) = delete;
    COperationPainter& operator=(const COperationPainter&) = delete;

    QPainter& Get() { return m_pKept ? *m_pKept : *m_Own; }

private:
    QPainter* m_pKept;
    std::optional<QPainter> m_Own;
};

} // namespace

CDrawContext::CDrawContext() : m_nDpiY(ScreenDpiY()) {}

CDrawContext::CDrawContext(CBitmap& bitmap) : CDrawContext() {
    SelectBitmap(&bitmap);
}

CDrawContext::CDrawContext(QImage* pImage) : m_pImage(pImage), m_nDpiY(ScreenDpiY()) {}

CDrawContext::~CDrawContext() = default;

void CDrawContext::KeepPainterOpen() {
    if (HasSurface() && !m_pKeptPainter)
        m_pKeptPainter = std::make_unique<QPainter>(m_pImage);
}

CBitmap* CDrawContext::SelectBitmap(CBitmap* pBitmap) {
    m_pKeptPainter.reset(); // it paints on the bitmap being deselected
    CBitmap* pPrevious = m_pBitmap;
    m_pBitmap = pBitmap;
    m_pImage = pBitmap ? &pBitmap->Image() : nullptr;
    return pPrevious;
}

CPen CDrawContext::SelectPen(const CPen& pen) {
    return std::exchange(m_Pen, pen);
}

CBrush CDrawContext::SelectBrush(const CBrush& brush) {
    return std::exchange(m_Brush, brush);
}

CFont CDrawContext::SelectFont(const CFont& font) {
    return std::exchange(m_Font, font);
}

QColor CDrawContext::SetTextColor(const QColor& colour) {
    return std::exchange(m_TextColour, colour);
}

QColor CDrawContext::SetBkColor(const QColor& colour) {
    return std::exchange(m_BkColour, colour);
}

int CDrawContext::SetBkMode(int nMode) {
    return std::exchange(m_nBkMode, nMode == TRANSPARENT ? TRANSPARENT : OPAQUE);
}

CFont CDrawContext::CreatePointFont(int nTenthsOfPoint, const QString& strFace, int nWeight) const {
    return CFont::FromPointSize(nTenthsOfPoint, strFace, m_nDpiY, nWeight);
}

int CDrawContext::GetDeviceCaps(int nIndex) const {
    switch (nIndex) {
        case LOGPIXELSX:
        case LOGPIXELSY: return m_nDpiY;
        case HORZRES: return GetSystemMetrics(SM_CXSCREEN);
        case VERTRES: return GetSystemMetrics(SM_CYSCREEN);
        default: return 0;
    }
}

CSize CDrawContext::SurfaceSize() const {
    if (!HasSurface())
        return {};
    const qreal dRatio = DevicePixelRatio();
    return {LogicalPixelOf(m_pImage->width() - 1, dRatio) + 1,
            LogicalPixelOf(m_pImage->height() - 1, dRatio) + 1};
}

void CDrawContext::AccumulateBounds(const CRect& rect) {
    if (!HasSurface())
        return;
    const CSize size = SurfaceSize();
    const CRect clipped = rect.Intersected({0, 0, size.cx, size.cy});
    if (!clipped.IsEmpty())
        m_Bounds = m_Bounds.United(clipped);
}

CPoint CDrawContext::MoveTo(int x, int y) {
    return std::exchange(m_ptCurrent, CPoint{x, y});
}

namespace {

// Device rows written span by span, as shapes and thin lines are drawn: the surface is taken
// from any copy sharing it once, not at every span, and what was written is gathered as one
// rectangle of device pixels for the bounds.
class CSpanWriter {
public:
    explicit CSpanWriter(QImage& image)
        : m_pBits(image.bits()), m_nStride(image.bytesPerLine()), m_nWidth(image.width()),
          m_nHeight(image.height()) {}

    // Device row y from x0 to x1 (inclusive), clipped to the surface.
    void Fill(int y, int x0, int x1, QRgb colour) {
        if (y < 0 || y >= m_nHeight)
            return;
        x0 = std::max(x0, 0);
        x1 = std::min(x1, m_nWidth - 1);
        if (x0 > x1)
            return;
        FillRgb(reinterpret_cast<QRgb*>(m_pBits + y * m_nStride) + x0, x1 - x0 + 1,
                colour | 0xFF000000u);
        m_nLeft = std::min(m_nLeft, x0);
        m_nRight = std::max(m_nRight, x1);
        m_nTop = std::min(m_nTop, y);
        m_nBottom = std::max(m_nBottom, y);
    }
    QRect Written() const {
        return m_nLeft > m_nRight ? QRect()
                                  : QRect(QPoint(m_nLeft, m_nTop), QPoint(m_nRight, m_nBottom));
    }

private:
    uchar* m_pBits;
    qsizetype m_nStride;
    int m_nWidth;
    int m_nHeight;
    int m_nLeft = std::numeric_limits<int>::max();
    int m_nRight = std::numeric_limits<int>::min();
    int m_nTop = std::numeric_limits<int>::max();
    int m_nBottom = std::numeric_limits<int>::min();
};

} // namespace

void CDrawContext::LineTo(int x, int y) {
    const CPoint from = std::exchange(m_ptCurrent, CPoint{x, y});
    if (!HasSurface() || m_Pen.IsNull())
        return;
    if (m_Pen.Width() <= 1) {
        DrawBresenhamLine(from, m_ptCurrent);
        return;
    }
    const std::optional<WideLineShape> shape =
        m_Pen.Colour().alpha() == 255
            ? WideLinePixels({from.x, from.y}, {x, y}, m_Pen.Width(), DevicePixelRatio())
            : std::nullopt;
    if (shape) {
        CSpanWriter writer(*m_pImage);
        const QRgb colour = m_Pen.Colour().rgb();
        for (const LineSpan& span : shape->spans)
            writer.Fill(shape->origin.y() + span.y, shape->origin.x() + span.x0,
                        shape->origin.x() + span.x1, colour);
        AccumulateDeviceRect(writer.Written());
        return;
    }
    // Round caps reach half the width past the ends.
    const CPoint ends[] = {from, m_ptCurrent};
    AccumulateBounds(BoxOf(ends, m_Pen.Width() / 2 + 1));
    COperationPainter operation(m_pKeptPainter.get(), m_pImage);
    QPainter& painter = operation.Get();
    painter.setPen(QtPen(m_Pen));
    painter.drawLine(from.x, from.y, x, y);
}

void CDrawContext::DrawBresenhamLine(CPoint from, CPoint to) {
    // Stepped in device pixels, a logical pixel thick across its run (as thick as the logical
    // pixel it starts in), so that at two device pixels to one a slanted line has the screen's
    // finer steps, a straight one covers exactly its logical pixels, and at one to one it is
    // the line it always was. Along its run a line drawn left (or up) starts from the far
    // device pixel of its first logical one: drawn either way, it covers the same pixels.
    const QRgb colour = m_Pen.Colour().rgb();
    const qreal dRatio = DevicePixelRatio();
    const auto thickness = [dRatio](int d) {
        const int n = LogicalPixelOf(d, dRatio);
        return std::max(1, DeviceEdge(n + 1, dRatio) - DeviceEdge(n, dRatio));
    };
    const bool bAlongX = std::abs(to.x - from.x) >= std::abs(to.y - from.y);
    const auto anchor = [dRatio](int v, bool bBackwards) {
        return bBackwards ? DeviceEdge(v + 1, dRatio) - 1 : DeviceEdge(v, dRatio);
    };
    const bool bBackX = bAlongX && to.x < from.x;
    const bool bBackY = !bAlongX && to.y < from.y;
    const CPoint start{anchor(from.x, bBackX), anchor(from.y, bBackY)};
    const CPoint end{anchor(to.x, bBackX), anchor(to.y, bBackY)};

    const int dx = std::abs(end.x - start.x);
    const int dy = -std::abs(end.y - start.y);
    const int sx = start.x < end.x ? 1 : -1;
    const int sy = start.y < end.y ? 1 : -1;
    int nError = dx + dy;
    int x = start.x;
    int y = start.y;
    CSpanWriter writer(*m_pImage);
    while (x != end.x || y != end.y) {
        if (bAlongX)
            for (int i = 0, n = thickness(y); i < n; ++i)
                writer.Fill(y + i, x, x, colour);
        else
            writer.Fill(y, x, x + thickness(x) - 1, colour);
        const int e2 = 2 * nError;
        if (e2 >= dy) {
            nError += dy;
            x += sx;
        }
        if (e2 <= dx) {
            nError += dx;
            y += sy;
        }
    }
    AccumulateDeviceRect(writer.Written());
}

namespace {

// Draws a shape given by its per-row spans in device pixels: a ring of the pen's width
// between the spans of the outer box and those of the inner one (the box less the pen's
// width on every side), the brush inside that. With the null pen the brush fills the whole
// shape. The boxes are device edges, so a circle at two device pixels to one is as round as
// the screen can make it, and at one to one it is the circle it always was.
template <typename SpanOf, typename Fill>
void DrawRingedShape(const CRect& box, const CRect& inner, const CPen& pen, const CBrush& brush,
                     SpanOf spanOf, Fill fill) {
    const bool bPen = !pen.IsNull();
    const QRgb rgbPen = pen.Colour().rgb();
    const QRgb rgbBrush = brush.Colour().rgb();
    for (int y = box.top; y < box.bottom; ++y) {
        const std::optional<Span> outer = spanOf(box, y);
        if (!outer)
            continue;
        const std::optional<Span> inside = bPen ? spanOf(inner, y) : outer;
        if (!inside) {
            fill(y, outer->x0, outer->x1, rgbPen);
            continue;
        }
        if (bPen) {
            fill(y, outer->x0, inside->x0 - 1, rgbPen);
            fill(y, inside->x1 + 1, outer->x1, rgbPen);
        }
        if (!brush.IsNull())
            fill(y, inside->x0, inside->x1, rgbBrush);
    }
}

} // namespace

template <typename SpanOf> void CDrawContext::DrawShape(const CRect& rect, SpanOf spanOf) {
    if (!HasSurface())
        return;
    const CRect box = rect.Normalized();
    CRect inner = box;
    if (!m_Pen.IsNull())
        inner.Deflate(m_Pen.Width(), m_Pen.Width());
    const qreal dRatio = DevicePixelRatio();
    CSpanWriter writer(*m_pImage);
    DrawRingedShape(
        DeviceBox(box, dRatio), DeviceBox(inner, dRatio), m_Pen, m_Brush, spanOf,
        [&writer](int y, int x0, int x1, QRgb colour) { writer.Fill(y, x0, x1, colour); });
    AccumulateDeviceRect(writer.Written());
}

void CDrawContext::Rectangle(int nLeft, int nTop, int nRight, int nBottom) {
    DrawShape(CRect{nLeft, nTop, nRight, nBottom}, RectangleSpan);
}

void CDrawContext::Ellipse(int nLeft, int nTop, int nRight, int nBottom) {
    DrawShape(CRect{nLeft, nTop, nRight, nBottom}, EllipseSpan);
}

void CDrawContext::Polygon(std::span<const CPoint> points) {
    if (!HasSurface() || points.size() < 2)
        return;
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const CPoint& pt : points)
        polygon << QPoint(pt.x, pt.y);
    AccumulateBounds(BoxOf(points, m_Pen.IsNull() ? 1 : m_Pen.Width()));
    COperationPainter operation(m_pKeptPainter.get(), m_pImage);
    QPainter& painter = operation.Get();
    painter.setPen(QtPen(m_Pen));
    painter.setBrush(QtBrush(m_Brush));
    painter.drawPolygon(polygon, Qt::OddEvenFill);
}

void CDrawContext::FillSolidRect(const CRect& rect, const QColor& colour) {
    if (!HasSurface())
        return;
    // The device rows of the logical ones tile the rectangle's device pixels.
    const QRect device = DeviceRect(rect.Normalized(), DevicePixelRatio());
    CSpanWriter writer(*m_pImage);
    for (int y = device.top(); y <= device.bottom(); ++y)
        writer.Fill(y, device.left(), device.right(), colour.rgb());
    AccumulateDeviceRect(writer.Written());
}

void CDrawContext::Draw3dRect(const CRect& rect, const QColor& clrTopLeft,
                              const QColor& clrBottomRight) {
    const int x = rect.left;
    const int y = rect.top;
    const int cx = rect.Width();
    const int cy = rect.Height();
    // The top-right and bottom-left corner pixels belong to the bottom-right colour.
    FillSolidRect({x, y, x + cx - 1, y + 1}, clrTopLeft);
    FillSolidRect({x, y, x + 1, y + cy - 1}, clrTopLeft);
    FillSolidRect({x + cx - 1, y, x + cx, y + cy}, clrBottomRight);
    FillSolidRect({x, y + cy - 1, x + cx, y + cy}, clrBottomRight);
}

void CDrawContext::DrawTextLine(const QString& strText, int x, int y, const CRect* pClip) {
    const TextMetrics& metrics = FactsOf(m_Font).metrics;
    const TextFacts& facts = FactsOf(m_Font, strText);
    // The cell and the ink, with pixels to spare for the rasteriser's rounding: the hints may
    // move an outline by a device pixel, more than a logical one at a fractional scale.
    CRect touched = ToCRect(facts.ink.translated(x, y + metrics.tmAscent));
    touched.Inflate(2, 2);
    touched = touched.United({x, y, x + facts.nWidth, y + metrics.tmHeight});
    AccumulateBounds(pClip ? touched.Intersected(*pClip) : touched);
    if (m_nBkMode == OPAQUE) {
        // The cell is filled like any rectangle, so it covers exactly the pixels a fill of the
        // same rectangle would, at every resolution; the text then blends into it alone.
        CRect cell{x, y, x + facts.nWidth, y + metrics.tmHeight};
        if (pClip)
            cell = cell.Intersected(*pClip);
        if (!cell.IsEmpty())
            FillSolidRect(cell, m_BkColour);
    }
    COperationPainter operation(m_pKeptPainter.get(), m_pImage);
    QPainter& painter = operation.Get();
    if (pClip)
        painter.setClipRect(QRect(pClip->left, pClip->top, pClip->Width(), pClip->Height()));
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(m_TextColour);
    // The glyphs as shaped when the text was first measured: the pixels QPainter::drawText
    // gives, without shaping the text again.
    const QPointF baseline(x, y + metrics.tmAscent);
    for (const QGlyphRun& run : facts.glyphs)
        painter.drawGlyphRun(baseline, run);
}

void CDrawContext::TextOut(int x, int y, const QString& strText) {
    if (!HasSurface() || strText.isEmpty())
        return;
    DrawTextLine(strText, x, y, nullptr);
}

int CDrawContext::DrawText(const QString& strText, const CRect& rect, unsigned nFormat) {
    const int nLineHeight = FactsOf(m_Font).metrics.tmHeight;
    const bool bSingleLine = (nFormat & DT_SINGLELINE) != 0;

    QStringList lines;
    if (bSingleLine)
        lines << QString(strText).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    else
        lines = QString(strText).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));

    int y = rect.top;
    if (bSingleLine && (nFormat & DT_VCENTER))
        y = rect.top + (rect.Height() - nLineHeight) / 2;
    else if (bSingleLine && (nFormat & DT_BOTTOM))
        y = rect.bottom - nLineHeight;

    const CRect* pClip = (nFormat & DT_NOCLIP) ? nullptr : &rect;
    for (const QString& strLine : lines) {
        const int nWidth = TextWidth(m_Font, strLine);
        int x = rect.left;
        if (nFormat & DT_CENTER)
            x = rect.left + (rect.Width() - nWidth) / 2;
        else if (nFormat & DT_RIGHT)
            x = rect.right - nWidth;
        if (HasSurface() && !strLine.isEmpty())
            DrawTextLine(strLine, x, y, pClip);
        y += nLineHeight;
    }
    return nLineHeight * static_cast<int>(lines.size());
}

CSize CDrawContext::GetTextExtent(const QString& strText) const {
    return {TextWidth(m_Font, strText), FactsOf(m_Font).metrics.tmHeight};
}

TextMetrics CDrawContext::GetTextMetrics() const {
    return FactsOf(m_Font).metrics;
}

bool CDrawContext::IsOnSurface(int x, int y) const {
    if (!HasSurface())
        return false;
    const CSize size = SurfaceSize();
    return x >= 0 && y >= 0 && x < size.cx && y < size.cy;
}

QColor CDrawContext::GetPixel(int x, int y) const {
    if (!IsOnSurface(x, y))
        return QColor();
    const qreal dRatio = DevicePixelRatio();
    return QColor::fromRgb(m_pImage->pixel(DeviceEdge(x, dRatio), DeviceEdge(y, dRatio)));
}

QColor CDrawContext::SetPixel(int x, int y, const QColor& colour) {
    if (!IsOnSurface(x, y))
        return QColor();
    FillSolidRect({x, y, x + 1, y + 1}, colour);
    return QColor::fromRgb(colour.rgb());
}

void CDrawContext::InvertPixel(int x, int y, const QColor& colour) {
    if (!IsOnSurface(x, y))
        return;
    const QRgb rgbXor = colour.rgb() & 0xFFFFFFu;
    const QRect device = DeviceRect({x, y, x + 1, y + 1}, DevicePixelRatio()) & m_pImage->rect();
    for (int yDevice = device.top(); yDevice <= device.bottom(); ++yDevice) {
        auto* pLine = reinterpret_cast<QRgb*>(m_pImage->scanLine(yDevice));
        for (int xDevice = device.left(); xDevice <= device.right(); ++xDevice)
            pLine[xDevice] ^= rgbXor;
    }
    AccumulateDeviceRect(device);
}

QRgb* CDrawContext::DeviceRow(int y) {
    if (!HasSurface() || y < 0 || y >= m_pImage->height())
        return nullptr;
    return reinterpret_cast<QRgb*>(m_pImage->scanLine(y));
}

void CDrawContext::AccumulateDeviceRect(const QRect& device) {
    if (!HasSurface())
        return;
    const QRect onSurface = device & m_pImage->rect();
    if (!onSurface.isEmpty())
        m_Bounds = m_Bounds.United(LogicalCover(onSurface, DevicePixelRatio()));
}

bool CDrawContext::BitBlt(int x, int y, int nWidth, int nHeight, const CDrawContext& source,
                          int xSrc, int ySrc, unsigned nRop) {
    QPainter::CompositionMode mode;
    switch (nRop) {
        case SRCCOPY: mode = QPainter::CompositionMode_Source; break;
        case SRCINVERT: mode = QPainter::RasterOp_SourceXorDestination; break;
        case SRCAND: mode = QPainter::RasterOp_SourceAndDestination; break;
        default: return false;
    }
    if (!HasSurface() || !source.HasSurface())
        return false;

    // Only the part of the block that lies on the source takes part.
    const CSize sourceSize = source.SurfaceSize();
    const CRect from = CRect{xSrc, ySrc, xSrc + nWidth, ySrc + nHeight}.Intersected(
        {0, 0, sourceSize.cx, sourceSize.cy});
    if (from.IsEmpty())
        return true;
    CRect target = from;
    target.Offset(x - xSrc, y - ySrc);
    AccumulateBounds(target);

    // Copying within one surface reads a copy, so overlapping blocks come out right.
    const qreal dRatio = DevicePixelRatio();
    const qreal dSourceRatio = source.DevicePixelRatio();
    const QRect fromDevice = DeviceRect(from, dSourceRatio) & source.m_pImage->rect();
    const QImage block = source.m_pImage == m_pImage ? m_pImage->copy(fromDevice) : QImage();
    const QImage& sourceImage = block.isNull() ? *source.m_pImage : block;
    const QPoint ptFrom = block.isNull() ? fromDevice.topLeft() : QPoint(0, 0);
    if (sourceImage.format() == QImage::Format_RGB32 &&
        m_pImage->format() == QImage::Format_RGB32) {
        if (dSourceRatio == dRatio)
            CombineRgb32(
                *m_pImage,
                QRect(QPoint(DeviceEdge(target.left, dRatio), DeviceEdge(target.top, dRatio)),
                      fromDevice.size()),
                sourceImage, ptFrom, nRop);
        else // another resolution is another surface: the block is read where it lies
            CombineScaledRgb32(*m_pImage, {target.left, target.top},
                               {target.Width(), target.Height()}, dRatio, *source.m_pImage,
                               fromDevice, {from.left, from.top}, dSourceRatio, nRop);
        return true;
    }
    COperationPainter operation(m_pKeptPainter.get(), m_pImage);
    QPainter& painter = operation.Get();
    painter.setCompositionMode(mode);
    painter.drawImage(QRectF(target.left, target.top, target.Width(), target.Height()), sourceImage,
                      QRectF(ptFrom, fromDevice.size()));
    return true;
}
