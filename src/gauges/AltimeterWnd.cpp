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

void CAltimeterWnd::SetAltitude(double dAltitude, bool bRedraw) {
    m_dAltitude = dAltitude;
    if (bRedraw)
        Draw(nullptr, WindowRect());
}

void CAltimeterWnd::Layout(const CRect& rect) {
    m_Dial = FitDial(rect);
    const int nSide = m_Dial.Side();
    m_Objects = DrawingObjects{GaugeFont(std::max(nSide, kDigitFontFloor)),
                               GaugeFont(std::max(nSide / 2, kReadoutFontFloor)),
                               GaugePens::ForSide(nSide, m_Colours)};
}

void CAltimeterWnd::Draw(CDrawContext* pDC, const CRect& rect) const {
    if (!m_Objects)
        return;
    OnSurface(pDC, [&](CDrawContext& dc) { DrawOn(dc, rect); });
}

void CAltimeterWnd::DrawOn(CDrawContext& dc, const CRect& rect) const {
    const DialGeometry& dial = m_Dial;
    const GaugePens& pens = m_Objects->pens;
    CGaugeDrawingScope scope(dc, pens.outline, pens.face, m_Objects->digitFont, m_Colours);
    dc.SetBkMode(TRANSPARENT);

    dc.Ellipse(dial.square);
    DrawTickRing(dc, dial, [](int nTick) { return QString::number(nTick / kTicksPerDigit); });

    dc.SelectFont(m_Objects->readoutFont);
    const TextMetrics metrics = dc.GetTextMetrics();
    const CRect box = DrawReadoutBox(dc, dial, m_strUnitName);
    // Left-aligned where the box stood before its margin was added.
    dc.TextOut(box.left + metrics.tmAveCharWidth, box.top + metrics.tmHeight / 4,
               QString::asprintf("%08.2f ", m_dAltitude) + m_strUnitName);
    DrawGaugeTitle(dc, dial, QStringLiteral("ALT"));

    const AltimeterHands hands = AltimeterHandAngles(m_dAltitude);
    const CPoint centre = DialCentre(dial);
    const int nHub = HubRadius(rect);
    dc.SelectBrush(pens.needleBrush);

    dc.SelectPen(pens.needle);
    DrawRadialLine(dc, dial, hands.dLong, 0.0, kLongShaft);
    dc.SelectPen(pens.thinNeedle);
    const std::array<CPoint, 4> longHead = {
        PolarPoint(dial, hands.dLong, kLongHeadBack),
        PolarPoint(dial, hands.dLong - kLongHeadHalfWidth, kLongHeadShoulder),
        PolarPoint(dial, hands.dLong, kLongHeadTip),
        PolarPoint(dial, hands.dLong + kLongHeadHalfWidth, kLongHeadShoulder)};
    dc.Polygon(longHead);

    const std::array<CPoint, 4> shortHand = {
        centre, PolarPoint(dial, hands.dShort - kShortHalfWidth, kShortShoulder),
        PolarPoint(dial, hands.dShort, kShortTip),
        PolarPoint(dial, hands.dShort + kShortHalfWidth, kShortShoulder)};
    dc.Polygon(shortHand);
    dc.SelectPen(pens.needle);
    DrawRadialLine(dc, dial, hands.dShort, 0.0, kShortShaft);

    dc.SelectPen(pens.thinNeedle);
    DrawDisc(dc, PolarPoint(dial, hands.dMarker, kMarkerRadius), nHub);
    DrawDisc(dc, centre, nHub);
}
