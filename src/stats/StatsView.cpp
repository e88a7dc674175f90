// SPDX-License-Identifier: MIT
#include "stats/StatsView.h"

#include "nmea/NmeaParser.h"
#include "platform/Interaction.h"
#include "platform/PopupMenu.h"
#include "platform/SystemMetrics.h"
#include "resources/resource.h"
#include "stats/AveragingStore.h"
#include "stats/AvgThresholdsDlg.h"
#include "stats/StatsTable.h"

#include <algorithm>

namespace {

// 7-point "Arial": -9 pixels at 96 dots per inch.
constexpr int kFontTenthsOfPoint = 70;
// Between the client edge and the table.
constexpr int kTableInset = 3;

const char kResetQuestion[] =
    "This will reset all values back to zero. Are you sure you want to continue?";

// Whether the texts sit in the same cells.
bool SameCells(const StatsText& a, const StatsText& b) {
    return a.x == b.x && a.y == b.y && a.bHeading == b.bHeading && a.xCellEnd == b.xCellEnd;
}

bool SameTexts(const std::vector<StatsText>& a, const std::vector<StatsText>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const StatsText& x, const StatsText& y) {
                          return SameCells(x, y) && x.strText == y.strText;
                      });
}

} // namespace

CStatsView::CStatsView(CNmeaParser& gps, QWidget* pParent)
    : CSurfaceWnd(pParent), m_Gps(gps),
      m_fontBold(kFontTenthsOfPoint, QStringLiteral("Arial"), FW_BOLD),
      m_fontNormal(kFontTenthsOfPoint, QStringLiteral("Arial")) {
    LoadSettings();
}

void CStatsView::LoadSettings() {
    const AveragingSettings settings = ReadAveragingSettings();
    m_bUseAveraging = settings.bUseAveraging;
    m_bLatLonUseHdop = settings.bLatLonUseHdop;
    m_bAltUseVdop = settings.bAltUseVdop;
    m_dAltThreshold = settings.dAltThreshold;
    m_dLatLonThreshold = settings.dLatLonThreshold;
}

AveragingSettings CStatsView::Settings() const {
    return {m_bUseAveraging, m_bLatLonUseHdop, m_bAltUseVdop, m_dAltThreshold, m_dLatLonThreshold};
}

bool CStatsView::OnEraseBkgnd(CDrawContext& dc) {
    const CRect rcClient = GetClientRect();
    // Outlined with the context's default pen, one pixel black, which the edge then covers.
    {
        const CDrawingScope scope(dc);
        dc.SelectBrush(CBrush(GetSysColor(COLOR_BTNFACE)));
        dc.Rectangle(rcClient);
    }
    // A sunken one-pixel edge.
    dc.Draw3dRect(rcClient, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    m_Shown.reset();
    return true;
}

std::vector<StatsText> CStatsView::TableTexts() const {
    CRect rcTable = GetClientRect();
    rcTable.Deflate(kTableInset, kTableInset);
    CDrawContext measure;
    measure.SelectFont(m_fontNormal.Get());
    const TextMetrics metrics = measure.GetTextMetrics();
    const StatsDops dops{m_Gps.m_dPdop, m_Gps.m_dHdop, m_Gps.m_dVdop};
    return StatsTableTexts(m_Averages, dops, rcTable, metrics.tmHeight, metrics.tmAveCharWidth);
}

void CStatsView::OnPaint(CDrawContext& dc) {
    std::vector<StatsText> texts = TableTexts();
    // Over a table of the same layout still on the surface, only the texts that changed are
    // written again, and those that a text written again reaches into, drawn after it: each
    // pixel ends up as the last text over it leaves it, as when the whole table is written.
    const bool bOverShown = m_Shown && std::equal(texts.begin(), texts.end(), m_Shown->begin(),
                                                  m_Shown->end(), SameCells);

    const CDrawingScope scope(dc);
    dc.SelectFont(m_fontNormal.Get());
    const TextMetrics metrics = dc.GetTextMetrics();
    // Opaque cells overwrite the previous texts in place, so data updates need no erase.
    dc.SetBkColor(GetSysColor(COLOR_BTNFACE));
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    dc.SetBkMode(OPAQUE);

    std::vector<CRect> written;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const StatsText& text = texts[i];
        dc.SelectFont(text.bHeading ? m_fontBold.Get() : m_fontNormal.Get());
        const int xEnd = std::max(text.x + dc.GetTextExtent(text.strText).cx, text.xCellEnd);
        const CRect cell{text.x, text.y, xEnd, text.y + metrics.tmHeight};
        if (bOverShown && (*m_Shown)[i].strText == text.strText &&
            std::none_of(written.begin(), written.end(),
                         [&](const CRect& r) { return r.Intersects(cell); }))
            continue;
        written.push_back(cell);
        // The opaque text covers only its own width; the rest of a value's cell may still
        // hold the tail of a longer value drawn there before.
        if (text.xCellEnd > text.x)
            dc.FillSolidRect({text.x, text.y, text.xCellEnd, text.y + metrics.tmHeight},
                             GetSysColor(COLOR_BTNFACE));
        dc.TextOut(text.x, text.y, text.strText);
    }
    m_Shown = std::move(texts);
}

void CStatsView::OnMessage(int nMessage) {
    if (nMessage != static_cast<int>(WM_GPS_GGA)) {
        CSurfaceWnd::OnMessage(nMessage);
        return;
    }
    if (m_bEnabled != 1)
        return;
    m_Averages.AddFix(m_Gps, Settings());
    // Behind another page only the sample counts: the page is drawn whole when it comes back.
    if (IsPutAway())
        return;
    // A fix that reads the same as the table shown changes nothing on the screen.
    if (!m_Shown || !SameTexts(*m_Shown, TableTexts()))
        Invalidate(false);
}

bool CStatsView::OnCommand(int nId) {
    switch (nId) {
        case ID_STATS_ENABLE: m_bEnabled = m_bEnabled != 1 ? 1 : 0; return true;
        case ID_STATS_RESET: OnReset(); return true;
        case ID_AVG_THRESHOLDS: OnAvgThresholds(); return true;
        default: return CSurfaceWnd::OnCommand(nId);
    }
}

bool CStatsView::OnUpdateCommand(CCommandState& state) {
    if (state.Id() != ID_STATS_ENABLE)
        return CSurfaceWnd::OnUpdateCommand(state);
    state.SetCheck(m_bEnabled == 1);
    return true;
}

void CStatsView::OnReset() {
    if (MessageBox(QString::fromUtf8(kResetQuestion), MB_YESNO, {}, this) != IDYES)
        return;
    m_Averages.Reset();
    Invalidate(false);
}

void CStatsView::OnAvgThresholds() {
    CAvgThresholdsDlg dlg(this);
    // The dialog starts from the store, not from this page's copies.
    dlg.ReadSettings();
    if (dlg.DoModal() != IDOK)
        return;
    dlg.WriteSettings();
    LoadSettings();
}

bool CStatsView::OnContextMenu(const QPoint& ptScreen) {
    // Owned by the main frame, so the chosen command comes back through its routing.
    TrackPopupMenu(IDR_STATS_POPUP, ptScreen, TopLevelOwner(this), TPM_RIGHTALIGN | TPM_NONOTIFY);
    return true;
}
