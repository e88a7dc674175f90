// SPDX-License-Identifier: MIT
// The vertical-speed indicator: rate of climb or descent like an aircraft variometer. Zero
// sits at 9 o'clock; climbing ("Up") swings the needle clockwise over the top, descending
// ("Dn") counter-clockwise over the bottom, each way up to the scale 150 degrees from zero,
// where a larger value stops. The title "VERTICAL SPEED" stands above the centre and the unit
// name to its right; there is no numeric readout.
//
// Colours: face in the window background, outline, ticks, labels and texts in the window
// text colour, needle and hub in the highlight colour.
#pragma once

#include "gauges/GaugeBase.h"

#include <QString>

#include <optional>

class CVerticalSpeedWnd : public CGaugeBase {
public:
    static constexpr double kFeetScale = 2000.0; // feet per minute
    static constexpr double kMetresScale = 5.0;  // metres per second

    struct DrawingObjects {
        CFont labelFont; // max(trunc(side x 2/3), 60) tenths of a point
        CFont textFont;  // trunc(side x 10/23) tenths of a point, no floor: title, unit, Up, Dn
        GaugePens pens;
    };

    void SetValue(double dValue) { m_dValue = dValue; }
    // The value at full deflection either way (the labels change with it).
    void SetScale(double dScale) { m_dScale = dScale; }
    void SetUnitName(const QString& strUnitName) { m_strUnitName = strUnitName; }

    // The value as last drawn: a drawing clamps it to the scale.
    double Value() const { return m_dValue; }
    double Scale() const { return m_dScale; }
    const QString& UnitName() const { return m_strUnitName; }

    void Layout(const CRect& rect);
    const DialGeometry& Dial() const { return m_Dial; }
    const std::optional<DrawingObjects>& Objects() const { return m_Objects; }

    // Draws the gauge on the dial of the last layout; rect sizes the hub. Clamps the value to
    // the scale. Nothing is drawn before the first layout.
    void Draw(CDrawContext& dc, const CRect& rect);

    // Draw in two layers: what drawing in rect would show (clamping the value to the scale, as
    // a drawing does), the face alone (dial, scale, title, unit, "Up" and "Dn"), and the needle
    // over a face already drawn. Nothing is drawn before the first layout.
    GaugeLook LookIn(const CRect& rect);
    void DrawFace(CDrawContext& dc, const GaugeLook& look) const;
    void DrawMovingParts(CDrawContext& dc, const GaugeLook& look) const;

private:
    double m_dValue = 0.0;
    double m_dScale = kFeetScale;
    QString m_strUnitName = QStringLiteral("ft");
    DialGeometry m_Dial;
    std::optional<DrawingObjects> m_Objects;
};
