#include "gauges/GaugeFaceCache.h"

#include <algorithm>
#include <cstring>

bool CFacePage::Prepare(const CRect& client, const std::function<void(CDrawContext&)>& drawPage) {
    const CSize size{client.Width(), client.Height()};
    if (IsReady() && m_Page.GetSize() == size && m_Scratch.GetSize() == size)
        return true;
    ++m_nGeneration;
    if (!m_Page.CreateCompatibleBitmap(size.cx, size.cy) ||
        !m_Scratch.CreateCompatibleBitmap(size.cx, size.cy)) {
        m_Page = CBitmap();
        m_Scratch = CBitmap();
        return false;
    }
    {
        CDrawContext page(m_Page);
        drawPage(page);
    }
    m_Scratch.Image() = m_Page.Image().copy();
    return true;
}

void CFacePage::Restore(const CRect& area) {
    if (!IsReady() || area.IsEmpty())
        return;
    CDrawContext scratch(m_Scratch);
    scratch.BitBlt(area.left, area.top, area.Width(), area.Height(), CDrawContext(m_Page),
                   area.left, area.top, SRCCOPY);
}

bool CFacePage::IsBare(const CDrawContext& dc, const CRect& area) const {
    const QImage* pShown = dc.Surface();
    if (!IsReady() || !pShown || pShown->size() != m_Page.Image().size())
        return false;
    const QImage& page = m_Page.Image();
    const CRect clipped = area.Intersected({0, 0, page.width(), page.height()});
    if (clipped.IsEmpty())
        return true;
    const auto nBytes = static_cast<std::size_t>(clipped.Width()) * sizeof(QRgb);
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        const auto* pPage = reinterpret_cast<const QRgb*>(page.constScanLine(y)) + clipped.left;
        const auto* pLine = reinterpret_cast<const QRgb*>(pShown->constScanLine(y)) + clipped.left;
        if (std::memcmp(pPage, pLine, nBytes) != 0)
            return false;
    }
    return true;
}

void CGaugeFaceCache::Draw(CDrawContext& dc, const GaugeFace& face, const CRect& rect,
                           CFacePage& page, std::span<const CRect> drawnBefore,
                           const std::function<void(CDrawContext&)>& drawFace) {
    m_bShowedCopy = false;
    if (!page.IsReady()) {
        Clear();
        drawFace(dc);
        return;
    }
    const Kept wanted{face, rect, page.Generation(), dc.GetBkMode()};
    if (m_Kept != wanted) {
        Keep(wanted, page, drawFace);
        if (!m_Kept) {
            drawFace(dc);
            return;
        }
    }

    const bool bBare = std::all_of(drawnBefore.begin(), drawnBefore.end(), [&](const CRect& r) {
        const CRect overlap = r.Intersected(m_Area);
        return overlap.IsEmpty() || page.IsBare(dc, overlap);
    });
    if (!bBare) {
        drawFace(dc);
        return;
    }
    if (!m_Area.IsEmpty())
        dc.BitBlt(m_Area.left, m_Area.top, m_Area.Width(), m_Area.Height(), CDrawContext(m_Copy), 0,
                  0, SRCCOPY);
    m_bShowedCopy = true;
}

void CGaugeFaceCache::Keep(const Kept& wanted, CFacePage& page,
                           const std::function<void(CDrawContext&)>& drawFace) {
    CRect area;
    {
        // Drawn the way the composition draws, so the pixels come out the same.
        CDrawContext scratch(page.Scratch());
        scratch.KeepPainterOpen();
        scratch.SetBkMode(wanted.nBkMode);
        drawFace(scratch);
        area = scratch.GetBounds();
    }
    m_Area = area;
    if (!area.IsEmpty()) {
        if (m_Copy.GetSize() != CSize{area.Width(), area.Height()} &&
            !m_Copy.CreateCompatibleBitmap(area.Width(), area.Height())) {
            m_Kept.reset();
            m_Area = CRect{};
            page.Restore(area);
            return;
        }
        CDrawContext copy(m_Copy);
        copy.BitBlt(0, 0, area.Width(), area.Height(), CDrawContext(page.Scratch()), area.left,
                    area.top, SRCCOPY);
    }
    page.Restore(area);
    m_Kept = wanted;
}

void CGaugeFaceCache::Clear() {
    m_Kept.reset();
    m_Area = CRect{};
    m_Copy = CBitmap();
}
