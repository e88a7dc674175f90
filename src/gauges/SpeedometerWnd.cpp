// SPDX-License-Identifier: MIT
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

void CSpeedometerWnd::SetSpeed(double dSpeed, const QString& strUnitName) {
    m_dSpeed = dSpeed;
    m_strUnitName = strUnitName;
}

void CSpeedometerWnd::Draw(CDrawContext& dc, const CRect& rect) const {
    const GaugeLook look = LookIn(rect);
    DrawFace(dc, look);
    DrawMovingParts(dc, look);
}

GaugeLook CSpeedometerWnd::LookIn(const CRect& rect) const {
    GaugeLook look;
    look.face = {FitDial(rect), m_dFullScale, 0, m_strUnitName};
    look.rect = rect;
    look.texts[0] = QString::asprintf("%.2f ", m_dSpeed) + m_strUnitName;
    look.angles[0] = SpeedometerNeedleAngle(m_dSpeed, m_dFullScale);
    return look;
}

void CSpeedometerWnd::DrawFace(CDrawContext& dc, const GaugeLook& look) const {
    const DialGeometry& dial = look.face.dial;
    const DrawingObjects objects = ObjectsForSide(dial.Side(), m_Colours);
    const GaugePens& pens = objects.pens;
    CGaugeDrawingScope scope(dc, pens.outline, pens.face, objects.labelFont, m_Colours);
    dc.SetBkMode(TRANSPARENT);

    dc.Ellipse(dial.square);
    DrawTickRing(dc, dial, [&look](int nTick) {
        return QString::number(SpeedometerLabel(look.face.dScale, nTick));
    });

    dc.SelectFont(objects.readoutFont);
    DrawReadoutBox(dc, dial, look.face.strUnitName);
    DrawGaugeTitle(dc, dial, QStringLiteral("SPEED"));
}

void CSpeedometerWnd::DrawMovingParts(CDrawContext& dc, const GaugeLook& look) const {
    const DialGeometry& dial = look.face.dial;
    const DrawingObjects objects = ObjectsForSide(dial.Side(), m_Colours);
    const GaugePens& pens = objects.pens;
    CGaugeDrawingScope scope(dc, pens.outline, pens.face, objects.readoutFont, m_Colours);
    dc.SetBkMode(TRANSPARENT);

    const TextMetrics metrics = dc.GetTextMetrics();
    const CRect box = ReadoutBox(dc, dial, look.face.strUnitName);
    const QString& strReadout = look.texts[0];
    const CPoint centre = DialCentre(dial);
    dc.TextOut(centre.x - dc.GetTextExtent(strReadout).cx / 2, box.top + metrics.tmHeight / 4,
               strReadout);

    const double dAngle = look.angles[0];
    dc.SelectBrush(pens.needleBrush);
    dc.SelectPen(pens.thinNeedle);
    DrawNeedleHead(dc, dial, dAngle);
    DrawDisc(dc, centre, HubRadius(look.rect));
    // The shaft goes over the hub.
    dc.SelectPen(pens.needle);
    DrawRadialLine(dc, dial, dAngle, 0.0, kShaftLength);
}
