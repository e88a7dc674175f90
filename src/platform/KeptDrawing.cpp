// SPDX-License-Identifier: MIT
#include "platform/KeptDrawing.h"

#include "platform/DevicePixels.h"
#include "platform/GdiObjects.h"

#include <cstdlib>
#include <cstring>

namespace {

// A context on a bare surface of the drawing's own.
class CScratchDC : public CDrawContext {
public:
    explicit CScratchDC(QImage* pImage) : CDrawContext(pImage) {}
};

// A surface of fresh zeroed memory: the system gives it a page at a time as it is first
// written, so the memory of what is never drawn on is never touched. A window's worth filled
// for each drawing would cost tens of milliseconds of page faults per face.
QImage UntouchedSurface(QSize device, qreal dRatio) {
    const auto nBytesPerLine = static_cast<qsizetype>(device.width()) * sizeof(QRgb);
    void* pData = std::calloc(static_cast<std::size_t>(device.height()),
                              static_cast<std::size_t>(nBytesPerLine));
    if (!pData)
        return {};
    QImage image(
        static_cast<uchar*>(pData), device.width(), device.height(), nBytesPerLine,
        QImage::Format_RGB32, [](void* pFree) { std::free(pFree); }, pData);
    image.setDevicePixelRatio(dRatio);
    return image;
}

} // namespace

bool CKeptDrawing::Keep(CSize size, qreal dRatio, const QImage& under,
                        const std::function<void(CDrawContext&)>& setUp,
                        const std::function<void(CDrawContext&)>& draw) {
    Clear();
    const QSize device = DeviceSize(size.cx, size.cy, dRatio);
    if (device.isEmpty() || under.size() != device)
        return false;
    QImage scratch = UntouchedSurface(device, dRatio);
    if (scratch.isNull())
        return false;
    const auto drawOnScratch = [&] {
        CScratchDC dc(&scratch);
        dc.KeepPainterOpen(); // as a composition draws, so text comes out alike
        setUp(dc);
        draw(dc);
        return dc.GetBounds();
    };
    // Past the bounds of its drawing every surface stays as it was: nothing set, nothing
    // blended. A first drawing finds them, on whatever the fresh surface holds; the three that
    // tell set pixels from blended ones then need only those pixels, laid afresh each time.
    const CRect drawnOn = drawOnScratch();
    const QRect scan = DeviceRect(drawnOn, dRatio) & scratch.rect();
    m_DeviceSize = device;
    if (scan.isEmpty())
        return true;
    const auto rowOf = [&](int y) {
        return reinterpret_cast<QRgb*>(scratch.scanLine(y)) + scan.left();
    };
    const auto nWidth = static_cast<std::size_t>(scan.width());
    const auto drawnOver = [&](const std::function<void(QRgb*, int)>& lay,
                               std::vector<QRgb>* pKeep) {
        for (int y = scan.top(); y <= scan.bottom(); ++y)
            lay(rowOf(y), y);
        if (drawOnScratch() != drawnOn)
            return false; // a drawing that goes elsewhere each time cannot be kept
        if (pKeep)
            for (int y = scan.top(); y <= scan.bottom(); ++y)
                pKeep->insert(pKeep->end(), rowOf(y), rowOf(y) + nWidth);
        return true;
    };
    const QRgb rgbBlack = qRgb(0, 0, 0);
    const QRgb rgbWhite = qRgb(255, 255, 255);
    // What lay under, as the rows the drawing's pixels are compared with. Read in place: a
    // copy of a surface that a painter is composing on is a deep copy, a window's worth of
    // fresh memory.
    QImage converted;
    if (under.format() != QImage::Format_RGB32)
        converted = under.convertToFormat(QImage::Format_RGB32);
    const QImage& base = converted.isNull() ? under : converted;
    std::vector<QRgb> onBlack;
    std::vector<QRgb> onWhite;
    onBlack.reserve(nWidth * static_cast<std::size_t>(scan.height()));
    onWhite.reserve(onBlack.capacity());
    if (!drawnOver([&](QRgb* pRow, int) { FillRgb(pRow, scan.width(), rgbBlack); }, &onBlack) ||
        !drawnOver([&](QRgb* pRow, int) { FillRgb(pRow, scan.width(), rgbWhite); }, &onWhite) ||
        !drawnOver(
            [&](QRgb* pRow, int y) {
                std::memcpy(pRow,
                            reinterpret_cast<const QRgb*>(base.constScanLine(y)) + scan.left(),
                            nWidth * sizeof(QRgb));
            },
            nullptr)) {
        Clear();
        return false;
    }

    for (int y = scan.top(); y <= scan.bottom(); ++y) {
        // The kept rows start at the scan's left edge, the surfaces' at theirs.
        const std::size_t nRow = static_cast<std::size_t>(y - scan.top()) * nWidth;
        const auto black = [&](int x) { return onBlack[nRow + (x - scan.left())]; };
        const auto white = [&](int x) { return onWhite[nRow + (x - scan.left())]; };
        const auto* pDrawn = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        const auto* pUnder = reinterpret_cast<const QRgb*>(base.constScanLine(y));
        const auto set = [&](int x) { return black(x) == white(x) && black(x) == pDrawn[x]; };
        int x = scan.left();
        while (x <= scan.right()) {
            if (set(x)) {
                const int xStart = x;
                while (x <= scan.right() && set(x))
                    ++x;
                KeepRun(y, pDrawn, xStart, x);
                continue;
            }
            const QRgb rgbUnder = pUnder[x] | 0xFF000000u;
            if (black(x) != rgbBlack || white(x) != rgbWhite || pDrawn[x] != rgbUnder)
                KeepBlend({x, y, rgbUnder, pDrawn[x]});
            ++x;
        }
    }
    m_Runs.shrink_to_fit();
    m_Pixels.shrink_to_fit();
    m_Blends.shrink_to_fit();
    return true;
}

void CKeptDrawing::KeepRun(int y, const QRgb* pLine, int xStart, int xEnd) {
    // A stretch of one colour is worth a run of its own when it is longer than the pixels
    // its run and the run that resumes after it cost.
    constexpr int kMinUniform = 12;
    const auto literal = [&](int x0, int x1) {
        if (x0 == x1)
            return;
        m_Runs.push_back({x0, y, x1 - x0, static_cast<std::uint32_t>(m_Pixels.size()), 0});
        m_Pixels.insert(m_Pixels.end(), pLine + x0, pLine + x1);
        m_Set = m_Set.united(QRect(x0, y, x1 - x0, 1));
    };
    int xLiteral = xStart;
    int x = xStart;
    while (x < xEnd) {
        int xSame = x + 1;
        while (xSame < xEnd && pLine[xSame] == pLine[x])
            ++xSame;
        if (xSame - x >= kMinUniform) {
            literal(xLiteral, x);
            m_Runs.push_back({x, y, xSame - x, static_cast<std::uint32_t>(m_Pixels.size()), 1});
            m_Pixels.push_back(pLine[x]);
            m_Set = m_Set.united(QRect(x, y, xSame - x, 1));
            xLiteral = xSame;
        }
        x = xSame;
    }
    literal(xLiteral, xEnd);
}

void CKeptDrawing::KeepBlend(const Blend& blend) {
    m_Blends.push_back(blend);
    m_Set = m_Set.united(QRect(blend.x, blend.y, 1, 1));
}

bool CKeptDrawing::Put(CDrawContext& dc) const {
    const QImage* pSurface = dc.Surface();
    if (IsEmpty())
        return true;
    if (!pSurface || pSurface->size() != m_DeviceSize)
        return false;
    for (const Blend& blend : m_Blends)
        if ((reinterpret_cast<const QRgb*>(pSurface->constScanLine(blend.y))[blend.x] |
             0xFF000000u) != blend.under)
            return false;
    // Row by row on the surface itself: a face is thousands of runs.
    int yRow = -1;
    QRgb* pRow = nullptr;
    for (const Run& run : m_Runs) {
        if (run.y != yRow)
            pRow = dc.DeviceRow(yRow = run.y);
        if (run.bUniform)
            FillRgb(pRow + run.x, run.nCount, m_Pixels[run.nFirst]);
        else
            std::memcpy(pRow + run.x, m_Pixels.data() + run.nFirst,
                        static_cast<std::size_t>(run.nCount) * sizeof(QRgb));
    }
    for (const Blend& blend : m_Blends)
        dc.DeviceRow(blend.y)[blend.x] = blend.drawn;
    dc.AccumulateDeviceRect(m_Set);
    return true;
}

void CKeptDrawing::Clear() {
    m_Runs.clear();
    m_Pixels.clear();
    m_Blends.clear();
    m_Set = QRect();
    m_DeviceSize = QSize();
}
