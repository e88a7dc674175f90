// SPDX-License-Identifier: MIT
#include "platform/KeptDrawing.h"

#include "platform/GdiObjects.h"

#include <span>

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
    onUnder.Image() = under.format() == QImage::Format_RGB32
                          ? under.copy()
                          : under.convertToFormat(QImage::Format_RGB32);
    onUnder.Image().setDevicePixelRatio(dRatio);
    for (CBitmap* pBitmap : {&onBlack, &onWhite, &onUnder}) {
        CDrawContext dc(*pBitmap);
        dc.KeepPainterOpen(); // as a composition draws, so text comes out alike
        setUp(dc);
        draw(dc);
    }

    const QImage& black = onBlack.Image();
    const QImage& white = onWhite.Image();
    const QImage& drawn = onUnder.Image();
    const QRgb rgbBlack = qRgb(0, 0, 0);
    const QRgb rgbWhite = qRgb(255, 255, 255);
    for (int y = 0; y < black.height(); ++y) {
        const auto* pBlack = reinterpret_cast<const QRgb*>(black.constScanLine(y));
        const auto* pWhite = reinterpret_cast<const QRgb*>(white.constScanLine(y));
        const auto* pDrawn = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        const auto set = [&](int x) { return pBlack[x] == pWhite[x] && pBlack[x] == pDrawn[x]; };
        int x = 0;
        while (x < black.width()) {
            if (set(x)) {
                const int xStart = x;
                while (x < black.width() && set(x))
                    ++x;
                KeepRun(y, pBlack, xStart, x);
                continue;
            }
            const QRgb rgbUnder = under.pixel(x, y) | 0xFF000000u;
            if (pBlack[x] != rgbBlack || pWhite[x] != rgbWhite || pDrawn[x] != rgbUnder)
                m_Blends.push_back({x, y, rgbUnder, pDrawn[x]});
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
            xLiteral = xSame;
        }
        x = xSame;
    }
    literal(xLiteral, xEnd);
}

bool CKeptDrawing::Put(CDrawContext& dc) const {
    const QImage* pSurface = dc.Surface();
    if (!m_Blends.empty()) {
        if (!pSurface)
            return false;
        for (const Blend& blend : m_Blends)
            if (!pSurface->valid(blend.x, blend.y) ||
                (pSurface->pixel(blend.x, blend.y) | 0xFF000000u) != blend.under)
                return false;
    }
    for (const Run& run : m_Runs) {
        if (run.bUniform)
            dc.FillDevicePixels(run.x, run.y, run.nCount, m_Pixels[run.nFirst]);
        else
            dc.SetDevicePixels(run.x, run.y,
                               std::span<const QRgb>(m_Pixels.data() + run.nFirst,
                                                     static_cast<std::size_t>(run.nCount)));
    }
    for (const Blend& blend : m_Blends)
        dc.SetDevicePixels(blend.x, blend.y, std::span<const QRgb>(&blend.drawn, 1));
    return true;
}

void CKeptDrawing::Clear() {
    m_Runs.clear();
    m_Pixels.clear();
    m_Blends.clear();
}
