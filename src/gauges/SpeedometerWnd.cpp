#include "gauges/SpeedometerWnd.h"

#include "gauges/GaugeScales.h"

#include <algorithm>

namespace {

constexpr int kLabelFontFloor = 70; // tenths of a point
constexpr int kReadoutFontFloor = 60;
constexpr double kShaftLength = 40.0; // dial units

} // namespace

CSpeedometerWnd::DrawingObjects CSpeedometerWnd::ObjectsForSide(int nSide,
                                                                const GaugeColours& colours) {
    return {GaugeFont(std::max(nSide / 2, kLabelFontFloor)),
            GaugeFont(std::max(nSide / 2, kReadoutFontFloor)), GaugePens::ForSide(nSide, colours)};
}

void CSpeedometerWnd::SetSpeed(double dSpeed, const QString& strUnitName, bool bRedraw) {
    m_dSpeed = dSpeed;
    m_strUnitName = strUnitName;
    if (bRedraw)
        Draw(nullptr, WindowRect());
}

void CSpeedometerWnd::Draw(CDrawContext* pDC, const CRect& rect) const {
    OnSurface(pDC, [&](CDrawContext& dc) { DrawOn(dc, rect); });
}

void CSpeedometerWnd::DrawOn(CDrawContext& dc, const CRect& rect) const {
    const DialGeometry dial = FitDial(rect);
    const DrawingObjects objects = ObjectsForSide(dial.Side(), m_Colours);
    const GaugePens& pens = objects.pens;
    CGaugeDrawingScope scope(dc, pens.outline, pens.face, objects.labelFont, m_Colours);
    dc.SetBkMode(TRANSPARENT);

    dc.Ellipse(dial.square);
    DrawTickRing(dc, dial, [this](int nTick) {
        return QString::number(SpeedometerLabel(m_dFullScale, nTick));
    });

    dc.SelectFont(objects.readoutFont);
    const TextMetrics metrics = dc.GetTextMetrics();
    const CRect box = DrawReadoutBox(dc, dial, m_strUnitName);
    const QString strReadout = QString::asprintf("%.2f ", m_dSpeed) + m_strUnitName;
    const CPoint centre = DialCentre(dial);
    dc.TextOut(centre.x - dc.GetTextExtent(strReadout).cx / 2, box.top + metrics.tmHeight / 4,
               strReadout);
    DrawGaugeTitle(dc, dial, QStringLiteral("SPEED"));

    const double dAngle = SpeedometerNeedleAngle(m_dSpeed, m_dFullScale);
    dc.SelectBrush(pens.needleBrush);
    dc.SelectPen(pens.thinNeedle);
    DrawNeedleHead(dc, dial, dAngle);
    DrawDisc(dc, centre, HubRadius(rect));
    // The shaft goes over the hub.
    dc.SelectPen(pens.needle);
    DrawRadialLine(dc, dial, dAngle, 0.0, kShaftLength);
}
