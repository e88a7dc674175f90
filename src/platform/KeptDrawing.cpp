// SPDX-License-Identifier: MIT
#include "platform/KeptDrawing.h"

#include "platform/DevicePixels.h"
#include "platform/GdiObjects.h"

#include <cstring>

bool CKeptDrawing::Keep(CSize size, qreal dRatio, const QImage& under,
                        const std::function<void(CDrawContext&)>& setUp,
                        const std::function<void(CDrawContext&)>& draw) {
    Clear();
    CBitmap onBlack;
    CBitmap onWhite;
    CBitmap onUnder;
    if (!onBlack.CreateBitmap(size.cx, size.cy, dRatio) ||
        !onWhite.CreateBitmap(size.cx, size.cy, dRatio) ||
        !onUnder.CreateBitmap(size.cx, size.cy, dRatio) || under.size() != onUnder.Image().size())
        return false;
    onBlack.Image().fill(Qt::black);
    onWhite.Image().fill(Qt::white);
    // What lay under, as the rows the drawing's pixels are compared with.
    const QImage base = under.format() == QImage::Format_RGB32
                            ? under
                            : under.convertToFormat(QImage::Format_RGB32);
    onUnder.Image() = base.copy();
    onUnder.Image().setDevicePixelRatio(dRatio);
    CRect drawnOn;
    for (CBitmap* pBitmap : {&onBlack, &onWhite, &onUnder}) {
        CDrawContext dc(*pBitmap);
        dc.KeepPainterOpen(); // as a composition draws, so text comes out alike
        setUp(dc);
        draw(dc);
        drawnOn = drawnOn.United(dc.GetBounds());
    }

    // Past the bounds of its drawing every surface is as it was: nothing set, nothing blended.
    const QImage& black = onBlack.Image();
    const QImage& white = onWhite.Image();
    const QImage& drawn = onUnder.Image();
    const QRect scan = DeviceRect(drawnOn, dRatio) & black.rect();
    const QRgb rgbBlack = qRgb(0, 0, 0);
    const QRgb rgbWhite = qRgb(255, 255, 255);
    for (int y = scan.top(); y <= scan.bottom(); ++y) {
        const auto* pBlack = reinterpret_cast<const QRgb*>(black.constScanLine(y));
        const auto* pWhite = reinterpret_cast<const QRgb*>(white.constScanLine(y));
        const auto* pDrawn = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        const auto* pUnder = reinterpret_cast<const QRgb*>(base.constScanLine(y));
        const auto set = [&](int x) { return pBlack[x] == pWhite[x] && pBlack[x] == pDrawn[x]; };
        int x = scan.left();
        while (x <= scan.right()) {
            if (set(x)) {
                const int xStart = x;
                while (x <= scan.right() && set(x))
                    ++x;
                KeepRun(y, pBlack, xStart, x);
                continue;
            }
            const QRgb rgbUnder = pUnder[x] | 0xFF000000u;
            if (pBlack[x] != rgbBlack || pWhite[x] != rgbWhite || pDrawn[x] != rgbUnder)
                KeepBlend({x, y, rgbUnder, pDrawn[x]});
            ++x;
        }
    }
    m_DeviceSize = black.size();
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
