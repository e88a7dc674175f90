// SPDX-License-Identifier: MIT
// The altimeter: altitude shown like a three-pointer barometric altimeter. A dial numbered 0
// to 9, a long hand once round per 1 000 units, a broad short hand once round per 10 000 and
// a small disc once round per 100 000; under the centre a box with the altitude zero-padded
// to eight characters and its unit, above it the title "ALT". The dial and its pens and fonts
// are kept from one layout to the next, so repaints build nothing.
//
// Colours: face and readout box in the window background, outline, ticks, digits and texts
// in the window text colour, hands, marker disc and hub in the highlight colour.
#pragma once

#include "gauges/GaugeBase.h"

#include <QString>

#include <optional>

class CAltimeterWnd : public CGaugeBase {
public:
    struct DrawingObjects {
        CFont digitFont;   // max(side, 60) tenths of a point: the whole side, not half
        CFont readoutFont; // max(side / 2, 60) tenths of a point, also the title
        GaugePens pens;
    };

    // dAltitude in the unit of UnitName().
    void SetAltitude(double dAltitude) { m_dAltitude = dAltitude; }
    void SetUnitName(const QString& strUnitName) { m_strUnitName = strUnitName; }

    double Altitude() const { return m_dAltitude; }
    const QString& UnitName() const { return m_strUnitName; }

    // Fits the dial into rect and builds the pens and fonts for its size.
    void Layout(const CRect& rect);
    const DialGeometry& Dial() const { return m_Dial; }
    // Empty until the first layout.
    const std::optional<DrawingObjects>& Objects() const { return m_Objects; }

    // Draws the gauge on the dial of the last layout; rect sizes the hub and the marker disc.
    // Nothing is drawn before the first layout.
    void Draw(CDrawContext& dc, const CRect& rect) const;

    // Draw in two layers: what drawing in rect would show, the face alone (dial, digits,
    // readout box, title), and the readout and hands over a face already drawn. Nothing is
    // drawn before the first layout.
    GaugeLook LookIn(const CRect& rect) const;
    void DrawFace(CDrawContext& dc, const GaugeLook& look) const;
    void DrawMovingParts(CDrawContext& dc, const GaugeLook& look) const;

private:
    double m_dAltitude = 0.0;
    QString m_strUnitName;
    DialGeometry m_Dial;
    std::optional<DrawingObjects> m_Objects;
};
