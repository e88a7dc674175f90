// SPDX-License-Identifier: MIT
// Drawing the sky plot: the grid with its opaque labels, markers as XOR blocks of an
// off-screen bitmap, and trail pixels XORed with green.
#include "views/SkyPlotWnd.h"

#include "platform/DrawContext.h"
#include "platform/SystemMetrics.h"

namespace {

const QString kFace = QStringLiteral("Arial");
// U+00BA, the masculine ordinal indicator, not the degree sign U+00B0: the labels have
// always shown this character.
constexpr QChar kDegreeMark(0x00BA);

QString DegreesText(int nDegrees) {
    return QString::number(nDegrees) + kDegreeMark;
}

QString SpokeLabel(int nAzimuth) {
    switch (nAzimuth) {
        case 0: return QStringLiteral(" N ");
        case 90: return QStringLiteral(" E ");
        case 180: return QStringLiteral(" S ");
        case 270: return QStringLiteral(" W ");
        default: return DegreesText(nAzimuth);
    }
}

int32_t PackColour(const QColor& colour) {
    return static_cast<int32_t>(colour.rgb() & 0xFFFFFFu);
}

QColor UnpackColour(int32_t nColour) {
    return QColor::fromRgb(static_cast<QRgb>(nColour) | 0xFF000000u);
}

} // namespace

const QColor CSkyPlotWnd::kGridColour(0, 0, 255);
const QColor CSkyPlotWnd::kSkyColour(0, 0, 0);
const QColor CSkyPlotWnd::kLabelColour(255, 255, 255);
const QColor CSkyPlotWnd::kUsedTextColour(255, 255, 0);
const QColor CSkyPlotWnd::kNotUsedTextColour(192, 192, 192);
const QColor CSkyPlotWnd::kTrailColour(0, 255, 0);

CSkyPlotWnd::CSkyPlotWnd() {
    for (SkySatellite& sat : m_Current)
        sat.nTextColour = PackColour(kUsedTextColour);
}

void CSkyPlotWnd::SetRingStep(int nDegrees) {
    if (nDegrees >= 1)
        m_nRingStep = nDegrees;
}

void CSkyPlotWnd::SetIcons(BitmapId nUsedIcon, BitmapId nNotUsedIcon) {
    m_nUsedIcon = nUsedIcon;
    m_nNotUsedIcon = nNotUsedIcon;
}

void CSkyPlotWnd::Layout(CDrawContext& dc, const CRect& client) {
    dc.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
    dc.Draw3dRect(client, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    m_Geometry = SkyGeometry::FromClientRect(client);
}

void CSkyPlotWnd::Paint(CDrawContext& dc) {
    DrawGrid(dc);
    if (m_nTrails == 1)
        DrawTrail(dc);
    for (const SkySatellite& sat : m_Current)
        if (IsShown(sat))
            DrawMarker(dc, sat);
}

void CSkyPlotWnd::DrawGrid(CDrawContext& dc) const {
    const CDrawingScope scope(dc);
    dc.SelectPen(CPen(PS_SOLID, 1, kGridColour));
    dc.SelectBrush(CBrush(kSkyColour));
    dc.SelectFont(dc.CreatePointFont(m_nPointSize, kFace));
    dc.SetBkColor(kSkyColour);
    dc.SetTextColor(kLabelColour);
    dc.SetBkMode(OPAQUE);

    // The horizon ring fills the whole sky; each smaller ring fills its inside again, so a
    // ring's label is only ever covered by spokes.
    for (int e = 0; e < 90; e += m_nRingStep) {
        dc.Ellipse(m_Geometry.RingBox(e));
        if (e != 0)
            DrawCentredLabel(dc, m_Geometry.SkyPoint(45, e), DegreesText(e));
    }

    const CPoint centre = m_Geometry.Centre();
    for (int z = 0; z < 360; z += m_nSpokeStep) {
        const CPoint end = m_Geometry.SpokeEnd(z);
        dc.MoveTo(centre.x, centre.y);
        dc.LineTo(end.x, end.y);
        DrawCentredLabel(dc, m_Geometry.SkyPoint(z, m_nSpokeLabelElevation), SpokeLabel(z));
    }
}

void CSkyPlotWnd::DrawCentredLabel(CDrawContext& dc, CPoint pt, const QString& strText) const {
    const CSize extent = dc.GetTextExtent(strText);
    dc.TextOut(pt.x - extent.cx / 2, pt.y - extent.cy / 2, strText);
}

void CSkyPlotWnd::DrawMarker(CDrawContext& dc, const SkySatellite& sat) const {
    CDrawContext memDC;
    const CFont font = memDC.CreatePointFont(m_nPointSize, kFace);
    memDC.SelectFont(font);
    const TextMetrics metrics = memDC.GetTextMetrics();
    // Five by three character cells: room for the icon and a number of a few digits under it.
    const int w = 5 * metrics.tmMaxCharWidth;
    const int h = 3 * metrics.tmHeight;
    CBitmap block;
    if (!block.CreateCompatibleBitmap(w, h))
        return;
    memDC.SelectBitmap(&block);
    // Black everywhere but on the icon and the number, so that the XOR changes nothing else.
    memDC.SelectPen(CPen(PS_SOLID, 1, Qt::black));
    memDC.SelectBrush(CBrush(Qt::black));
    memDC.Rectangle(0, 0, w, h);

    CBitmap icon;
    CSize iconSize;
    if (icon.LoadBitmap(sat.nIcon)) {
        iconSize = icon.GetSize();
        const CDrawContext iconDC(icon);
        memDC.BitBlt(w / 2 - iconSize.cx / 2, 0, iconSize.cx, iconSize.cy, iconDC, 0, 0, SRCCOPY);
    }

    memDC.SetTextColor(UnpackColour(sat.nTextColour));
    memDC.SetBkMode(TRANSPARENT);
    memDC.DrawText(MarkerText(sat), CRect{0, iconSize.cy, w, h}, DT_CENTER | DT_TOP);

    const CPoint pt = m_Geometry.SkyPoint(sat.nAzimuth, sat.nElevation);
    dc.BitBlt(pt.x - w / 2, pt.y - iconSize.cy / 2, w, h, memDC, 0, 0, SRCINVERT);
}

QString CSkyPlotWnd::MarkerText(const SkySatellite& sat) const {
    if (sat.system == GnssSystem::None)
        return QString::asprintf(qPrintable(m_strMarkerFormat), sat.nPrn);
    // At least two digits, as the field writes them: R05, S133.
    return QString::asprintf("%c%02d", RinexLetter(sat.system), sat.nPrn);
}

void CSkyPlotWnd::UpdateSatellites(CDrawContext& dc, const SkySatelliteList& list) {
    Update(&dc, list);
}

void CSkyPlotWnd::KeepSatellites(const SkySatelliteList& list) {
    Update(nullptr, list);
}

void CSkyPlotWnd::Update(CDrawContext* pDc, const SkySatelliteList& list) {
    m_Current = list;
    for (size_t i = 0; i < m_Current.size(); ++i) {
        SkySatellite& current = m_Current[i];
        SkySatellite& drawn = m_Drawn[i];
        const bool bUsed = current.bUsed == 1;
        current.nTextColour = PackColour(bUsed ? kUsedTextColour : kNotUsedTextColour);
        current.nIcon = bUsed ? m_nUsedIcon : m_nNotUsedIcon;

        if (current.nPrn == drawn.nPrn && current.nAzimuth == drawn.nAzimuth &&
            current.nElevation == drawn.nElevation && current.nTextColour == drawn.nTextColour &&
            current.nIcon == drawn.nIcon && current.system == drawn.system)
            continue;
        if (pDc && IsShown(drawn))
            DrawMarker(*pDc, drawn);
        if (IsShown(current)) {
            if (pDc)
                DrawMarker(*pDc, current);
            AddTrailPoint(pDc, current.nAzimuth, current.nElevation);
        }
        // The used flag comes along; only its colour and icon are on the screen.
        drawn = current;
    }
}

void CSkyPlotWnd::AddTrailPoint(CDrawContext& dc, int nAzimuth, int nElevation) {
    AddTrailPoint(&dc, nAzimuth, nElevation);
}

void CSkyPlotWnd::AddTrailPoint(CDrawContext* pDc, int nAzimuth, int nElevation) {
    const CTrailStore::AddResult result = m_Trails.Add(nAzimuth, nElevation);
    if (!result.bAdded || !pDc)
        return;
    if (result.evicted)
        PlotTrailPixel(*pDc, *result.evicted);
    PlotTrailPixel(*pDc, TrailPoint{nAzimuth, nElevation});
}

void CSkyPlotWnd::DrawTrail(CDrawContext& dc) const {
    for (int i = 0; i < CTrailStore::kSlots; ++i)
        if (!m_Trails.Slot(i).IsEmpty())
            PlotTrailPixel(dc, m_Trails.Slot(i));
}

void CSkyPlotWnd::PlotTrailPixel(CDrawContext& dc, const TrailPoint& point) const {
    if (m_nTrails == 0)
        return;
    // Each device pixel on its own: under a pixel of a sharp screen may lie the edge of a ring.
    const CPoint pt = m_Geometry.SkyPoint(point.nAzimuth, point.nElevation);
    dc.InvertPixel(pt.x, pt.y, kTrailColour);
}
