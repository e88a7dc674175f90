// SPDX-License-Identifier: MIT
// The speedometer: speed over ground on a dial that runs once round from 0 at the top,
// clockwise, to a full-scale speed that lands on the top again; a boxed readout with two
// decimals and the unit under the centre and the title "SPEED" above it. Unlike the other
// gauges it keeps no layout: each drawing fits the dial into the rectangle it is given and
// builds its pens and fonts afresh.
//
// Colours: face and readout box in the window background, outline, ticks, labels and texts
// in the window text colour, needle and hub in the highlight colour.
#pragma once

#include "gauges/GaugeBase.h"

#include <QString>

class CSpeedometerWnd : public CGaugeBase {
public:
    static constexpr double kDefaultFullScale = 150.0;

    // What one drawing builds for a dial of a given side.
    struct DrawingObjects {
        CFont labelFont;   // max(side / 2, 70) tenths of a point
        CFont readoutFont; // max(side / 2, 60) tenths of a point, also the title
        GaugePens pens;
    };
    static DrawingObjects ObjectsForSide(int nSide, const GaugeColours& colours);

    // dSpeed in the unit strUnitName names.
    void SetSpeed(double dSpeed, const QString& strUnitName);
    // The speed at which the needle has gone once round; shown from the next drawing.
    void SetFullScale(double dFullScale) { m_dFullScale = dFullScale; }

    double Speed() const { return m_dSpeed; }
    double FullScale() const { return m_dFullScale; }
    const QString& UnitName() const { return m_strUnitName; }

    // Draws the whole gauge fitted into rect.
    void Draw(CDrawContext& dc, const CRect& rect) const;

    // Draw in two layers: what drawing in rect would show, the face alone (dial, ticks,
    // labels, readout box, title), and the readout and needle over a face already drawn.
    GaugeLook LookIn(const CRect& rect) const;
    void DrawFace(CDrawContext& dc, const GaugeLook& look) const;
    void DrawMovingParts(CDrawContext& dc, const GaugeLook& look) const;

private:
    QString m_strUnitName;
    double m_dFullScale = kDefaultFullScale;
    double m_dSpeed = 0.0;
};
