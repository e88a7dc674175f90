// SPDX-License-Identifier: MIT
#include "gauges/AltimeterWnd.h"

#include "gauges/GaugeScales.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kDigitFontFloor = 60; // tenths of a point
constexpr int kReadoutFontFloor = 60;
constexpr int kTicksPerDigit = 5;

// Hand shapes, in dial units and degrees.
constexpr double kLongShaft = 65.0;
constexpr double kLongHeadBack = 45.0;
constexpr double kLongHeadShoulder = 50.0;
constexpr double kLongHeadTip = 75.0;
constexpr double kLongHeadHalfWidth = 5.0;
constexpr double kShortShoulder = 30.0;
constexpr double kShortTip = 45.0;
constexpr double kShortHalfWidth = 8.0;
constexpr double kShortShaft = 20.0;
constexpr double kMarkerRadius = 80.0;

} // namespace

void CAltimeterWnd::Layout(const CRect& rect) {
    m_Dial = FitDial(rect);
    const int nSide = m_Dial.Side();
    m_Objects = DrawingObjects{GaugeFont(std::max(nSide, kDigitFontFloor)),
                               GaugeFont(std::max(nSide / 2, kReadoutFontFloor)),
                               GaugePens::ForSide(nSide, m_Colours)};
}

void CAltimeterWnd::Draw(CDrawContext& dc, const CRect& rect) const {
    if (!m_Objects)
        return;
    const GaugeLook look = LookIn(rect);
    DrawFace(dc, look);
    DrawMovingParts(dc, look);
}

GaugeLook CAltimeterWnd::LookIn(const CRect& rect) const {
    GaugeLook look;
    look.face = {m_Dial, 0.0, 0, m_strUnitName};
    look.rect = rect;
    look.texts[0] = QString::asprintf("%08.2f ", m_dAltitude) + m_strUnitName;
    const AltimeterHands hands = AltimeterHandAngles(m_dAltitude);
    look.angles = {hands.dLong, hands.dShort, hands.dMarker};
    return look;
}

void CAltimeterWnd::DrawFace(CDrawContext& dc, const GaugeLook& look) const {
    if (!m_Objects)
        return;
    const DialGeometry& dial = look.face.dial;
    const GaugePens& pens = m_Objects->pens;
    CGaugeDrawingScope scope(dc, pens.outline, pens.face, m_Objects->digitFont, m_Colours);
    dc.SetBkMode(TRANSPARENT);

    dc.Ellipse(dial.square);
    DrawTickRing(dc, dial, [](int nTick) { return QString::number(nTick / kTicksPerDigit); });

    dc.SelectFont(m_Objects->readoutFont);
    DrawReadoutBox(dc, dial, look.face.strUnitName);
    DrawGaugeTitle(dc, dial, QStringLiteral("ALT"));
}

void CAltimeterWnd::DrawMovingParts(CDrawContext& dc, const GaugeLook& look) const {
    if (!m_Objects)
        return;
    const DialGeometry& dial = look.face.dial;
    const GaugePens& pens = m_Objects->pens;
    CGaugeDrawingScope scope(dc, pens.outline, pens.face, m_Objects->readoutFont, m_Colours);
    dc.SetBkMode(TRANSPARENT);

    const TextMetrics metrics = dc.GetTextMetrics();
    const CRect box = ReadoutBox(dc, dial, look.face.strUnitName);
    // Left-aligned where the box stood before its margin was added.
    dc.TextOut(box.left + metrics.tmAveCharWidth, box.top + metrics.tmHeight / 4, look.texts[0]);

    const double dLong = look.angles[0];
    const double dShort = look.angles[1];
    const double dMarker = look.angles[2];
    const CPoint centre = DialCentre(dial);
    const int nHub = HubRadius(look.rect);
    dc.SelectBrush(pens.needleBrush);

    dc.SelectPen(pens.needle);
    DrawRadialLine(dc, dial, dLong, 0.0, kLongShaft);
    dc.SelectPen(pens.thinNeedle);
    const std::array<CPoint, 4> longHead = {
        PolarPoint(dial, dLong, kLongHeadBack),
        PolarPoint(dial, dLong - kLongHeadHalfWidth, kLongHeadShoulder),
        PolarPoint(dial, dLong, kLongHeadTip),
        PolarPoint(dial, dLong + kLongHeadHalfWidth, kLongHeadShoulder)};
    dc.Polygon(longHead);

    const std::array<CPoint, 4> shortHand = {
        centre, PolarPoint(dial, dShort - kShortHalfWidth, kShortShoulder),
        PolarPoint(dial, dShort, kShortTip),
        PolarPoint(dial, dShort + kShortHalfWidth, kShortShoulder)};
    dc.Polygon(shortHand);
    dc.SelectPen(pens.needle);
    DrawRadialLine(dc, dial, dShort, 0.0, kShortShaft);

    dc.SelectPen(pens.thinNeedle);
    DrawDisc(dc, PolarPoint(dial, dMarker, kMarkerRadius), nHub);
    DrawDisc(dc, centre, nHub);
}
