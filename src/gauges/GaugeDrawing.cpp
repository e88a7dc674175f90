// SPDX-License-Identifier: MIT
#include "gauges/GaugeDrawing.h"

#include "platform/SystemMetrics.h"

#include <array>

namespace {

constexpr int kOutlineDivisor = 80;
constexpr int kNeedleDivisor = 50;

// Radii below are in dial units, 90 at the edge.
constexpr int kTicks = 50;
constexpr double kTickStep = 7.2; // degrees; added up tick by tick, not multiplied
constexpr int kMajorEvery = 5;
constexpr double kTickOuter = 89.9;
constexpr double kTickInner = 80.0;
constexpr double kMajorTickInner = 73.0;
constexpr double kLabelRadius = 63.0;

constexpr int kTitleHeights = 3;
constexpr int kHubDivisor = 40;

constexpr double kNeedleHalfWidth = 5.0; // degrees either side at the shoulders
constexpr double kNeedleShoulder = 50.0;
constexpr double kNeedleTip = 65.0;

} // namespace

GaugeColours GaugeColours::FromSystem() {
    return {GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW)};
}

GaugePens GaugePens::ForSide(int nSide, const GaugeColours& colours) {
    return {CPen(PS_SOLID, DialPenWidth(nSide, kOutlineDivisor), colours.text),
            CBrush(colours.face),
            CPen(PS_SOLID, DialPenWidth(nSide, kNeedleDivisor), colours.highlight),
            CPen(PS_SOLID, 1, colours.highlight), CBrush(colours.highlight)};
}

CFont GaugeFont(int nTenthsOfPoint) {
    return CFont::FromPointSize(nTenthsOfPoint, QStringLiteral("Arial"), ScreenDpiY());
}

void DrawRadialLine(CDrawContext& dc, const DialGeometry& dial, double dAngle, double dRadius1,
                    double dRadius2) {
    const CPoint from = PolarPoint(dial, dAngle, dRadius1);
    const CPoint to = PolarPoint(dial, dAngle, dRadius2);
    dc.MoveTo(from.x, from.y);
    dc.LineTo(to.x, to.y);
}

void DrawCentredText(CDrawContext& dc, CPoint pt, const QString& strText) {
    const CSize extent = dc.GetTextExtent(strText);
    const TextMetrics metrics = dc.GetTextMetrics();
    dc.TextOut(pt.x - extent.cx / 2, pt.y - metrics.tmHeight / 2, strText);
}

void DrawGaugeTitle(CDrawContext& dc, const DialGeometry& dial, const QString& strTitle) {
    const CSize extent = dc.GetTextExtent(strTitle);
    const TextMetrics metrics = dc.GetTextMetrics();
    const CPoint centre = DialCentre(dial);
    dc.TextOut(centre.x - extent.cx / 2, centre.y - kTitleHeights * metrics.tmHeight, strTitle);
}

void DrawTickRing(CDrawContext& dc, const DialGeometry& dial,
                  const std::function<QString(int nTick)>& labelOf) {
    double dAngle = 0.0;
    for (int i = 0; i < kTicks; ++i) {
        const bool bMajor = i % kMajorEvery == 0;
        DrawRadialLine(dc, dial, dAngle, kTickOuter, bMajor ? kMajorTickInner : kTickInner);
        if (bMajor)
            DrawCentredText(dc, PolarPoint(dial, dAngle, kLabelRadius), labelOf(i));
        dAngle += kTickStep;
    }
}

CRect ReadoutBox(const CDrawContext& dc, const DialGeometry& dial, const QString& strUnitName) {
    // The widest readout a gauge writes, so the box keeps its size as the value changes.
    const CSize extent = dc.GetTextExtent(QStringLiteral("-00000.00 ") + strUnitName);
    const TextMetrics metrics = dc.GetTextMetrics();
    const CPoint centre = DialCentre(dial);
    CRect box{centre.x - extent.cx / 2, centre.y - extent.cy / 2, centre.x + extent.cx / 2,
              centre.y + extent.cy / 2};
    // One and a half box heights down: the box's top lands one text height below the centre.
    const int nHeight = box.Height();
    box.Offset(0, nHeight / 2 + nHeight);
    box.Inflate(metrics.tmAveCharWidth, metrics.tmHeight / 4);
    return box;
}

void DrawReadoutBox(CDrawContext& dc, const DialGeometry& dial, const QString& strUnitName) {
    dc.Rectangle(ReadoutBox(dc, dial, strUnitName));
}

void DrawNeedleHead(CDrawContext& dc, const DialGeometry& dial, double dAngle) {
    const std::array<CPoint, 4> points = {
        DialCentre(dial), PolarPoint(dial, dAngle - kNeedleHalfWidth, kNeedleShoulder),
        PolarPoint(dial, dAngle, kNeedleTip),
        PolarPoint(dial, dAngle + kNeedleHalfWidth, kNeedleShoulder)};
    dc.Polygon(points);
}

void DrawDisc(CDrawContext& dc, CPoint pt, int nRadius) {
    dc.Ellipse(pt.x - nRadius, pt.y - nRadius, pt.x + nRadius, pt.y + nRadius);
}

int HubRadius(const CRect& rect) {
    return (rect.right - rect.left) / kHubDivisor;
}

CGaugeDrawingScope::CGaugeDrawingScope(CDrawContext& dc, const CPen& pen, const CBrush& brush,
                                       const CFont& font, const GaugeColours& colours)
    : m_Saved(dc, true) {
    dc.SelectPen(pen);
    dc.SelectBrush(brush);
    dc.SelectFont(font);
    dc.SetTextColor(colours.text);
    dc.SetBkColor(colours.face);
}
