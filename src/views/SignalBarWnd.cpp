// SPDX-License-Identifier: MIT
// Drawing the bars: slots of equal width, each a sunken frame round a bar that is filled from
// the bottom on the tracked range, with its SNR inside (or just above a bar too short for it)
// and its PRN below.
#include "views/SignalBarWnd.h"

#include "platform/PopupMenu.h"
#include "platform/SystemMetrics.h"
#include "resources/resource.h"

#include <algorithm>

namespace {

const QString kFace = QStringLiteral("Arial");
// The labels' size in tenths of a point is a third of the usable width, but never below six
// points, so narrow windows stay legible.
constexpr int kMinPointSize = 60;
// One pixel of the window's edge on either side is never part of a slot.
constexpr int kEdge = 1;

} // namespace

CSignalBarWnd::CSignalBarWnd(QWidget* pParent) : CSurfaceWnd(pParent) {
    SetBackgroundColour(GetSysColor(COLOR_BTNFACE));
}

void CSignalBarWnd::SetChannel(int nIndex, const SignalChannel& channel) {
    if (nIndex >= 0 && nIndex < kSystemChannels)
        m_Channels[static_cast<size_t>(nIndex)] = channel;
}

const SignalChannel& CSignalBarWnd::Channel(int nIndex) const {
    return m_Channels.at(static_cast<size_t>(nIndex));
}

void CSignalBarWnd::SetChannelCount(int nCount) {
    m_nChannelCount = std::clamp(nCount, 0, kChannels);
    m_bBySystem = false;
}

void CSignalBarWnd::SetSystemChannelCount(int nCount) {
    m_nChannelCount = std::clamp(nCount, 0, kSystemChannels);
    m_bBySystem = true;
}

void CSignalBarWnd::InvalidateIfChanged() {
    // The same bars on the same range draw the same pixels; the range only widens with bars
    // drawn, so it is the same too.
    if (m_PaintedChannels == m_Channels && m_nPaintedChannelCount == m_nChannelCount &&
        m_bPaintedBySystem == m_bBySystem)
        return;
    Invalidate(false);
}

void CSignalBarWnd::ResetRange() {
    m_Range.Reset();
    Invalidate(true);
}

bool CSignalBarWnd::OnEraseBkgnd(CDrawContext& dc) {
    const QColor face = GetSysColor(COLOR_BTNFACE);
    const CDrawingScope scope(dc);
    dc.SelectPen(CPen(PS_SOLID, 1, face));
    dc.SelectBrush(CBrush(face));
    dc.Rectangle(GetClientRect());
    return true;
}

void CSignalBarWnd::OnPaint(CDrawContext& dc) {
    if (m_nChannelCount != m_nPaintedChannelCount || m_bBySystem != m_bPaintedBySystem) {
        m_nPaintedChannelCount = m_nChannelCount;
        m_bPaintedBySystem = m_bBySystem;
        Invalidate(true);
    }
    m_PaintedChannels = m_Channels;
    if (m_bBySystem)
        DrawSystemBars(dc);
    else
        DrawBars(dc);
}

void CSignalBarWnd::DrawBars(CDrawContext& dc) {
    const int n = m_nChannelCount;
    if (n <= 0)
        return;
    const CRect client = GetClientRect();
    const int nSlotWidth = (client.Width() - 2 * kEdge) / n;

    const int nPointSize = std::max((client.Width() - 2 * kEdge) / 3, kMinPointSize);
    const CDrawingScope scope(dc);
    dc.SelectFont(dc.CreatePointFont(nPointSize, kFace));
    const int nTextHeight = dc.GetTextMetrics().tmHeight;
    dc.SetBkMode(TRANSPARENT);

    // The scale of this paint takes in every channel drawn.
    for (int i = 0; i < n; ++i)
        m_Range.Widen(m_Channels[static_cast<size_t>(i)].nSnr);

    for (int i = 0; i < n; ++i) {
        dc.Draw3dRect(
            {2 + i * nSlotWidth, 2, (i + 1) * nSlotWidth, client.Height() - 1 - nTextHeight},
            GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawBar(dc, i, nSlotWidth, nTextHeight);
    }
}

void CSignalBarWnd::DrawBar(CDrawContext& dc, int i, int nSlotWidth, int nTextHeight) const {
    const SignalChannel& channel = m_Channels[static_cast<size_t>(i)];
    // The inside of the bar's frame.
    const CRect bar{3 + i * nSlotWidth, 3, (i + 1) * nSlotWidth - 1,
                    GetClientRect().Height() - 2 - nTextHeight};
    const int nBarHeight = bar.Height();
    const int h = m_Range.FilledHeight(nBarHeight, channel.nSnr);

    dc.FillSolidRect({bar.left, bar.top, bar.right, bar.bottom - h}, GetSysColor(COLOR_BTNFACE));
    // One row taller than h, so an empty bar still shows a line in its colour.
    const CRect filled{bar.left, bar.top + (nBarHeight - h) - 1, bar.right, bar.bottom};
    dc.FillSolidRect(filled, GetSysColor(channel.bUsed == 1 ? COLOR_HIGHLIGHT : COLOR_GRAYTEXT));

    DrawSnr(dc, QString::asprintf("%02d", channel.nSnr), bar, filled, nTextHeight);

    const CRect label{bar.left, bar.bottom + 2, bar.right + 1, bar.bottom + nTextHeight + 2};
    dc.FillSolidRect(label, GetSysColor(COLOR_BTNFACE));
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    dc.DrawText(QString::asprintf("%d", channel.nPrn), label, DT_CENTER | DT_TOP);
}

void CSignalBarWnd::DrawSnr(CDrawContext& dc, const QString& strSnr, const CRect& bar,
                            const CRect& filled, int nTextHeight) {
    // A bar too short for its number would cut it off at the bottom: it goes on the empty part
    // just above the bar instead, where it reads in the labels' colour.
    if (filled.Height() < nTextHeight && filled.top - bar.top >= nTextHeight) {
        dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
        dc.DrawText(strSnr, {bar.left, filled.top - nTextHeight, bar.right, filled.top},
                    DT_CENTER | DT_TOP);
        return;
    }
    dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    dc.DrawText(strSnr, filled, DT_CENTER | DT_TOP);
}

bool CSigQualWnd::OnContextMenu(const QPoint& ptScreen) {
    TrackPopupMenu(IDR_SIG_QUAL_POPUP, ptScreen, TopLevelOwner(this), TPM_RIGHTALIGN);
    return true;
}
