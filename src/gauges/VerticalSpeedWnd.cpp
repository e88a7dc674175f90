// SPDX-License-Identifier: MIT
#include "gauges/VerticalSpeedWnd.h"

#include "gauges/GaugeScales.h"
#include "platform/Truncate.h"

#include <algorithm>

namespace {

constexpr int kLabelFontFloor = 60; // tenths of a point
constexpr double kLabelFontPerSide = 0.6666666666666666;
constexpr double kTextFontPerSide = 0.4347826086956522; // 10 / 23

constexpr double kZero = 270.0; // degrees: 9 o'clock
constexpr double kTickStep = 7.5;
constexpr int kTickSteps = 21; // per arc, zero included
constexpr int kMajorEvery = 5;
constexpr double kTickOuter = 89.9; // dial units
constexpr double kTickInner = 80.0;
constexpr double kMajorTickInner = 73.0;
constexpr double kLabelRadius = 63.0;

constexpr int kUnitOffsetChars = 3; // unit name starts this many average widths right of centre
constexpr double kUpAngle = 290.0;  // 20 degrees above zero
constexpr double kDownAngle = 250.0;
constexpr double kUpDownRadius = 70.0;
constexpr double kShaftLength = 40.0;

} // namespace

void CVerticalSpeedWnd::Layout(const CRect& rect) {
    m_Dial = FitDial(rect);
    const int nSide = m_Dial.Side();
    m_Objects = DrawingObjects{
        GaugeFont(std::max(TruncToInt(nSide * kLabelFontPerSide), kLabelFontFloor)),
        GaugeFont(TruncToInt(nSide * kTextFontPerSide)), GaugePens::ForSide(nSide, m_Colours)};
}

void CVerticalSpeedWnd::Draw(CDrawContext& dc, const CRect& rect) {
    if (!m_Objects)
        return;
    const GaugeLook look = LookIn(rect);
    DrawFace(dc, look);
    DrawMovingParts(dc, look);
}

GaugeLook CVerticalSpeedWnd::LookIn(const CRect& rect) {
    GaugeLook look;
    look.face = {m_Dial, m_dScale, 0, m_strUnitName};
    look.rect = rect;
    look.angles[0] = VerticalSpeedNeedleAngle(m_dValue, m_dScale);
    return look;
}

void CVerticalSpeedWnd::DrawFace(CDrawContext& dc, const GaugeLook& look) const {
    if (!m_Objects)
        return;
    const DialGeometry& dial = look.face.dial;
    const GaugePens& pens = m_Objects->pens;
    CGaugeDrawingScope scope(dc, pens.outline, pens.face, m_Objects->labelFont, m_Colours);
    dc.SetBkMode(TRANSPARENT);

    dc.Ellipse(dial.square);

    // Both arcs start at zero, so its tick and label are drawn twice.
    const double dStep = VerticalSpeedLabelStep(look.face.dScale);
    double dLabel = 0.0;
    double dUpper = kZero;
    for (int j = 0; j < kTickSteps; ++j) {
        const bool bMajor = j % kMajorEvery == 0;
        const double dLower = kZero - (dUpper - kZero);
        for (const double dAngle : {dUpper, dLower}) {
            DrawRadialLine(dc, dial, dAngle, kTickOuter, bMajor ? kMajorTickInner : kTickInner);
            if (bMajor)
                DrawCentredText(dc, PolarPoint(dial, dAngle, kLabelRadius),
                                QString::asprintf("%.f", dLabel));
        }
        if (bMajor)
            dLabel += dStep;
        dUpper += kTickStep;
    }

    dc.SelectFont(m_Objects->textFont);
    const TextMetrics metrics = dc.GetTextMetrics();
    DrawGaugeTitle(dc, dial, QStringLiteral("VERTICAL SPEED"));
    const CPoint centre = DialCentre(dial);
    dc.TextOut(centre.x + kUnitOffsetChars * metrics.tmAveCharWidth,
               centre.y - metrics.tmHeight / 2, look.face.strUnitName);
    // Written from the point on, not centred.
    const CPoint up = PolarPoint(dial, kUpAngle, kUpDownRadius);
    dc.TextOut(up.x, up.y - metrics.tmHeight / 2, QStringLiteral("Up"));
    const CPoint down = PolarPoint(dial, kDownAngle, kUpDownRadius);
    dc.TextOut(down.x, down.y - metrics.tmHeight / 2, QStringLiteral("Dn"));
}

void CVerticalSpeedWnd::DrawMovingParts(CDrawContext& dc, const GaugeLook& look) const {
    if (!m_Objects)
        return;
    const DialGeometry& dial = look.face.dial;
    const GaugePens& pens = m_Objects->pens;
    CGaugeDrawingScope scope(dc, pens.needle, pens.needleBrush, m_Objects->textFont, m_Colours);
    dc.SetBkMode(TRANSPARENT);

    const double dAngle = look.angles[0];
    dc.SelectPen(pens.thinNeedle);
    DrawNeedleHead(dc, dial, dAngle);
    dc.SelectPen(pens.needle);
    DrawRadialLine(dc, dial, dAngle, 0.0, kShaftLength);
    // The hub covers the shaft's root.
    dc.SelectPen(pens.thinNeedle);
    DrawDisc(dc, DialCentre(dial), HubRadius(look.rect));
}
