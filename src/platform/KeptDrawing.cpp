#include "platform/KeptDrawing.h"

#include "platform/GdiObjects.h"

#include <span>

bool CKeptDrawing::Keep(CSize size, const std::function<void(CDrawContext&)>& setUp,
                        const std::function<void(CDrawContext&)>& draw) {
    Clear();
    CBitmap onBlack;
    CBitmap onWhite;
    if (!onBlack.CreateCompatibleBitmap(size.cx, size.cy) ||
        !onWhite.CreateCompatibleBitmap(size.cx, size.cy))
        return false;
    onBlack.Image().fill(Qt::black);
    onWhite.Image().fill(Qt::white);
    for (CBitmap* pBitmap : {&onBlack, &onWhite}) {
        CDrawContext dc(*pBitmap);
        dc.KeepPainterOpen(); // as a composition draws, so text comes out alike
        setUp(dc);
        draw(dc);
    }

    const QImage& black = onBlack.Image();
    const QImage& white = onWhite.Image();
    for (int y = 0; y < size.cy; ++y) {
        const auto* pBlack = reinterpret_cast<const QRgb*>(black.constScanLine(y));
        const auto* pWhite = reinterpret_cast<const QRgb*>(white.constScanLine(y));
        int x = 0;
        while (x < size.cx) {
            if (pBlack[x] != pWhite[x]) {
                ++x;
                continue;
            }
            const int xStart = x;
            while (x < size.cx && pBlack[x] == pWhite[x])
                ++x;
            m_Runs.push_back({xStart, y, x - xStart, m_Pixels.size()});
            m_Pixels.insert(m_Pixels.end(), pBlack + xStart, pBlack + x);
            m_Bounds = m_Bounds.United({xStart, y, x, y + 1});
        }
    }
    m_Runs.shrink_to_fit();
    m_Pixels.shrink_to_fit();
    return true;
}

void CKeptDrawing::Put(CDrawContext& dc) const {
    for (const Run& run : m_Runs)
        dc.SetPixels(run.x, run.y,
                     std::span<const QRgb>(m_Pixels.data() + run.nFirst,
                                           static_cast<std::size_t>(run.nCount)));
}

void CKeptDrawing::Clear() {
    m_Runs.clear();
    m_Pixels.clear();
    m_Bounds = CRect{};
}
