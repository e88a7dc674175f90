// SPDX-License-Identifier: MIT
#include "gauges/CompassWnd.h"

#include "gauges/GaugeScales.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kCardFontFloor = 70; // tenths of a point
constexpr int kBearingDivisor = 40;
constexpr int kOutlineDivisor = 80;
constexpr int kLubberDivisor = 60;

constexpr int kCardStep = 10; // degrees between ticks
constexpr int kFullTurn = 360;
constexpr int kNumberedEvery = 30;
constexpr double kTickOuter = 89.0; // dial units
constexpr double kTickInner = 80.0;
constexpr double kCardTextRadius = 70.0;

constexpr double kArrowShaft = 40.0;
constexpr double kArrowTip = 55.0;
constexpr double kArrowBase = 40.0;
constexpr double kArrowHalfWidth = 10.0; // degrees
constexpr double kLubberInner = 60.0;
constexpr double kLubberOuter = 90.0;

QString CardText(int nDegrees) {
    switch (nDegrees) {
        case 0: return QStringLiteral("N");
        case 90: return QStringLiteral("E");
        case 180: return QStringLiteral("S");
        case 270: return QStringLiteral("W");
        default: return nDegrees % kNumberedEvery == 0 ? QString::number(nDegrees) : QString();
    }
}

} // namespace

int CCompassWnd::SetData(int nCourse, int nBearing, const QString& strWaypoint, double dRange) {
    const int nPrevious = m_nCourse;
    m_nCourse = nCourse;
    m_nBearing = nBearing;
    m_strWaypoint = strWaypoint;
    m_dRange = dRange;
    return nPrevious;
}

void CCompassWnd::Layout(const CRect& rect) {
    m_Dial = FitDial(rect);
    const int nSide = m_Dial.Side();
    m_Objects =
        DrawingObjects{GaugeFont(std::max(nSide / 2, kCardFontFloor)),
                       CPen(PS_SOLID, DialPenWidth(nSide, kBearingDivisor), m_Colours.highlight),
                       CPen(PS_SOLID, 1, m_Colours.highlight),
                       CPen(PS_SOLID, DialPenWidth(nSide, kOutlineDivisor), m_Colours.text),
                       CPen(PS_SOLID, DialPenWidth(nSide, kLubberDivisor), m_Colours.text),
                       CBrush(m_Colours.highlight)};
}

void CCompassWnd::Draw(CDrawContext& dc, const CRect& rect) const {
    if (!m_Objects)
        return;
    const GaugeLook look = LookIn(rect);
    DrawFace(dc, look);
    DrawMovingParts(dc, look);
}

GaugeLook CCompassWnd::LookIn(const CRect& rect) const {
    GaugeLook look;
    look.face = {m_Dial, 0.0, m_nCourse, QString()};
    look.rect = rect;
    look.texts = {m_strWaypoint, QString::asprintf("%.01f ", m_dRange) + m_strDistanceUnit};
    look.angles[0] = CompassScreenAngle(m_nBearing, m_nCourse);
    return look;
}

void CCompassWnd::DrawFace(CDrawContext& dc, const GaugeLook& look) const {
    if (!m_Objects)
        return;
    const DialGeometry& dial = look.face.dial;
    const DrawingObjects& objects = *m_Objects;
    // The face brush lives for this drawing only.
    CGaugeDrawingScope scope(dc, objects.outline, CBrush(m_Colours.face), objects.cardFont,
                             m_Colours);
    dc.Ellipse(dial.square);

    for (int nDegrees = 0; nDegrees < kFullTurn; nDegrees += kCardStep) {
        const double dAngle = CompassScreenAngle(nDegrees, look.face.nCourse);
        DrawRadialLine(dc, dial, dAngle, kTickOuter, kTickInner);
        const QString strText = CardText(nDegrees);
        if (!strText.isEmpty())
            DrawCentredText(dc, PolarPoint(dial, dAngle, kCardTextRadius), strText);
    }
}

void CCompassWnd::DrawMovingParts(CDrawContext& dc, const GaugeLook& look) const {
    if (!m_Objects)
        return;
    const DialGeometry& dial = look.face.dial;
    const DrawingObjects& objects = *m_Objects;
    CGaugeDrawingScope scope(dc, objects.outline, CBrush(m_Colours.face), objects.cardFont,
                             m_Colours);

    const TextMetrics metrics = dc.GetTextMetrics();
    const CPoint centre = DialCentre(dial);
    const QString& strWaypoint = look.texts[0];
    dc.TextOut(centre.x - dc.GetTextExtent(strWaypoint).cx / 2, centre.y + metrics.tmHeight,
               strWaypoint);
    const QString& strRange = look.texts[1];
    dc.TextOut(centre.x - dc.GetTextExtent(strRange).cx / 2, centre.y + 2 * metrics.tmHeight,
               strRange);

    const double dBearing = look.angles[0];
    dc.SelectPen(objects.bearing);
    DrawRadialLine(dc, dial, dBearing, 0.0, kArrowShaft);
    dc.SelectBrush(objects.needleBrush);
    dc.SelectPen(objects.thinNeedle);
    const std::array<CPoint, 3> arrowHead = {
        PolarPoint(dial, dBearing, kArrowTip),
        PolarPoint(dial, dBearing - kArrowHalfWidth, kArrowBase),
        PolarPoint(dial, dBearing + kArrowHalfWidth, kArrowBase)};
    dc.Polygon(arrowHead);
    DrawDisc(dc, centre, HubRadius(look.rect));

    // Fixed, but drawn last, over the arrow.
    dc.SelectPen(objects.lubber);
    DrawRadialLine(dc, dial, 0.0, kLubberInner, kLubberOuter);
}
