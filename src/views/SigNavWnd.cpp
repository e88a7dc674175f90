// SPDX-License-Identifier: MIT
// The Sig/Nav page's split, its text block and the timer's refresh, which copies the record
// (the satellites-in-view table, or reading every system the all-systems table) into the bar
// graph only after GSV data and redraws the text only after GGA, GSA, RMC or ZDA data, and then
// only the values that changed.
#include "views/SigNavWnd.h"

#include "nmea/NmeaParser.h"
#include "platform/PopupMenu.h"
#include "platform/SystemMetrics.h"
#include "resources/resource.h"
#include "settings/Units.h"
#include "views/NavigationRows.h"

#include <algorithm>

namespace {

constexpr int kPointSize = 90; // tenths of a point
constexpr int kBarGraphId = 0xFFFF;
// The text block's distance from the text area's corner, inside the frame.
constexpr int kTextMargin = 3;
// The values start this many average character widths right of the labels.
constexpr int kValueColumn = 25;
// The sunken edge around the text area.
constexpr int kFrameWidth = 1;
// The position and the satellite counts, shown whatever the page's height.
constexpr std::size_t kPositionRows = 5;

} // namespace

CSigNavWnd::CSigNavWnd(CNmeaParser& gps, QWidget* pParent)
    : CSurfaceWnd(pParent), m_Gps(gps), m_SignalBars(this),
      m_NormalFont(kPointSize, QStringLiteral("Arial")),
      m_BoldFont(kPointSize, QStringLiteral("Arial"), FW_BOLD) {}

CRect CSigNavWnd::BarArea(const CRect& client) {
    const int nThird = client.Height() / 3;
    return {client.left, client.top, client.right, client.top + nThird};
}

CRect CSigNavWnd::TextArea(const CRect& client) {
    const int nThird = client.Height() / 3;
    return {client.left, client.top + nThird, client.right, client.bottom};
}

int CSigNavWnd::OnCreate() {
    m_SignalBars.Create(QStringLiteral("SigQual"), CRect{}, this, kBarGraphId, true);
    SetTimer(kRefreshTimer, kRefreshMs);
    return 0;
}

bool CSigNavWnd::OnEraseBkgnd(CDrawContext& dc) {
    // The bar area is the bar graph's own.
    const CRect text = TextArea(GetClientRect());
    {
        const CDrawingScope scope(dc);
        dc.SelectBrush(CBrush(GetSysColor(COLOR_BTNFACE)));
        dc.Rectangle(text);
    }
    dc.Draw3dRect(text, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    return true;
}

void CSigNavWnd::OnPaint(CDrawContext& dc) {
    const CRect client = GetClientRect();
    m_SignalBars.MoveWindow(BarArea(client));
    m_SignalBars.Invalidate(false);
    DrawTextBlock(dc, TextArea(client), TextRows(), nullptr);
}

std::vector<TextRow> CSigNavWnd::TextRows() const {
    // Each selection read once: every read of the store looks at its files again.
    const int nPositionFormat = PositionFormat();
    const int nAltitudeUnits = AltitudeUnits();
    const auto text = [](const std::string& str) { return QString::fromStdString(str); };
    // "%d" and four blanks: a shorter count wipes the digits of a longer one.
    std::vector<TextRow> rows = {
        {QStringLiteral("   Latitude:"),
         text(units::FormatLatitude(nPositionFormat, m_Gps.m_dLatitude))},
        {QStringLiteral("   Longitude:"),
         text(units::FormatLongitude(nPositionFormat, m_Gps.m_dLongitude))},
        {QStringLiteral("   Altitude:"),
         text(units::FormatAltitude(nAltitudeUnits, m_Gps.m_dAltitude))},
        {QStringLiteral("   Satellites In Use:"), QString::asprintf("%d    ", m_Gps.m_nSatsUsed)},
        {QStringLiteral("   Satellites In View:"),
         QString::asprintf("%d    ", m_Gps.m_nSatsInView)},
    };
    for (TextRow& row : NavigationRows(m_Gps, DistanceSpeedUnits()))
        rows.push_back(std::move(row));
    return rows;
}

std::vector<QString> CSigNavWnd::Values(const std::vector<TextRow>& rows) {
    std::vector<QString> values;
    values.reserve(rows.size());
    for (const TextRow& row : rows)
        values.push_back(row.strValue);
    return values;
}

void CSigNavWnd::DrawTextBlock(CDrawContext& dc, const CRect& area,
                               const std::vector<TextRow>& rows,
                               const std::vector<QString>* pShown) {
    const int x0 = area.left + kTextMargin;
    const int y0 = area.top + kTextMargin;

    const CDrawingScope scope(dc);
    dc.SelectFont(m_NormalFont.Get());
    const TextMetrics metrics = dc.GetTextMetrics();
    const int th = metrics.tmHeight;
    const int xValue = x0 + kValueColumn * metrics.tmAveCharWidth;
    dc.SetBkColor(GetSysColor(COLOR_BTNFACE));
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    // Opaque: each text fills its cell first, so a new value covers the old one.
    dc.SetBkMode(OPAQUE);

    if (!pShown) {
        dc.SelectFont(m_BoldFont.Get());
        dc.TextOut(x0, y0, QStringLiteral("Position"));
        dc.SelectFont(m_NormalFont.Get());
    }

    // The opaque text covers only its own width, and a shorter value leaves the tail of a
    // longer one (even "S" for "N" leaves a pixel): each value cell is cleared up to the frame
    // first. No erase, so no flicker. Over texts already shown (pShown) only the values that
    // changed are written again: the labels and the other cells would come out the same.
    const int xCellEnd = area.right - kFrameWidth;
    int y = y0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        // The rows below the counts come only as far as they fit whole inside the frame, so a
        // small window keeps exactly the rows above.
        if (i >= kPositionRows && y + 2 * th > area.bottom - kFrameWidth)
            break;
        y += th;
        if (pShown && (*pShown)[i] == rows[i].strValue)
            continue;
        if (!pShown)
            dc.TextOut(x0, y, rows[i].strLabel);
        if (xCellEnd > xValue)
            dc.FillSolidRect({xValue, y, xCellEnd, y + th}, GetSysColor(COLOR_BTNFACE));
        dc.TextOut(xValue, y, rows[i].strValue);
    }
    m_ShownText = ShownText{area, ScreenDpiY(), Values(rows)};
}

void CSigNavWnd::OnTimer(int) {
    // Behind another page nothing is read or drawn, so the timer stops rather than wake the
    // program for nothing; coming to the front starts it again and catches up.
    if (IsPutAway()) {
        KillTimer(kRefreshTimer);
        return;
    }
    Refresh();
}

void CSigNavWnd::showEvent(QShowEvent* pEvent) {
    if (!IsTimerSet(kRefreshTimer))
        SetTimer(kRefreshTimer, kRefreshMs);
    m_nLastGsvCount.reset();
    m_LastTextCounts.reset();
    m_ShownText.reset();
    Refresh();
    CSurfaceWnd::showEvent(pEvent);
}

void CSigNavWnd::Refresh() {
    if (m_nLastGsvCount != m_Gps.m_nGsvCount) {
        m_nLastGsvCount = m_Gps.m_nGsvCount;
        RefreshBars();
    }
    const std::array<uint32_t, 4> textCounts = {m_Gps.m_nGgaCount, m_Gps.m_nGsaCount,
                                                m_Gps.m_nRmcCount, m_Gps.m_nZdaCount};
    if (m_LastTextCounts == textCounts)
        return;
    m_LastTextCounts = textCounts;
    const std::vector<TextRow> rows = TextRows();
    const std::vector<QString> values = Values(rows);
    const CRect area = TextArea(GetClientRect());
    // A new size or text size lays the block out afresh: then the whole page is painted.
    const bool bShownHere =
        m_ShownText && m_ShownText->area == area && m_ShownText->nDpiY == ScreenDpiY();
    if (bShownHere && m_ShownText->values == values)
        return;
    if (!bShownHere) {
        Invalidate(false);
        return;
    }
    const std::vector<QString> shown = m_ShownText->values;
    CClientDC dc(this);
    DrawTextBlock(dc, area, rows, &shown);
}

void CSigNavWnd::RefreshBars() {
    if (m_Gps.AllSystems()) {
        RefreshSystemBars();
        return;
    }
    // The count comes straight from the receiver (up to 65535); there are 32 bars at most.
    const int nInView = m_Gps.m_nSatsInView;
    m_SignalBars.SetChannelCount(nInView == 0 ? CSignalBarWnd::kDefaultChannelCount
                                              : std::min(nInView, CSignalBarWnd::kChannels));
    // Every bar shows its own table entry, also beyond the first twelve.
    for (int i = 0; i < CSignalBarWnd::kChannels; ++i) {
        const GpsSatellite& sat = m_Gps.m_Sats[i];
        m_SignalBars.SetChannel(i, {sat.nPrn, sat.nSnr, sat.bUsed});
    }
    m_SignalBars.InvalidateIfChanged();
}

void CSigNavWnd::RefreshSystemBars() {
    GnssSatelliteView sats[CGnssTable::kCapacity];
    const int n = m_Gps.m_Gnss.List(sats);
    for (int i = 0; i < CSignalBarWnd::kSystemChannels; ++i) {
        SignalChannel channel;
        if (i < n)
            channel = {sats[i].id.nSvid, sats[i].nSnr, sats[i].bUsed ? 1 : 0, sats[i].id.system};
        m_SignalBars.SetChannel(i, channel);
    }
    // An empty sky shows the twelve empty bars of the GPS-only reading.
    if (n == 0)
        m_SignalBars.SetChannelCount(CSignalBarWnd::kDefaultChannelCount);
    else
        m_SignalBars.SetSystemChannelCount(n);
    m_SignalBars.InvalidateIfChanged();
}

bool CSigNavWnd::OnCommand(int nId) {
    if (nId != ID_RESET_SNR)
        return false;
    m_SignalBars.ResetRange();
    return true;
}

bool CSigNavWnd::OnContextMenu(const QPoint& ptScreen) {
    TrackPopupMenu(IDR_SIG_QUAL_POPUP, ptScreen, TopLevelOwner(this),
                   TPM_RIGHTALIGN | TPM_NONOTIFY);
    return true;
}
