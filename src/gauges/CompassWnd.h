// SPDX-License-Identifier: MIT
// The compass: a course-up card. The card turns so that the course over ground stands under
// a fixed lubber line at the top; an arrow from the centre points to the destination waypoint
// at its bearing relative to the course; under the centre stand the waypoint's identifier and
// the range to it. Card texts stay upright, only their places turn. Texts are written on the
// background mode the context already has (opaque on the panel's fresh surface), so each sits
// on a patch of face colour.
//
// Colours: face in the window background (also behind opaque text), outline, ticks, card
// texts and lubber line in the window text colour, bearing arrow and hub in the highlight
// colour.
#pragma once

#include "gauges/GaugeBase.h"

#include <QString>

#include <optional>

class CCompassWnd : public CGaugeBase {
public:
    struct DrawingObjects {
        CFont cardFont;  // max(side / 2, 70) tenths of a point
        CPen bearing;    // side / 40, highlight: arrow shaft
        CPen thinNeedle; // one pixel, highlight: arrow head, hub
        CPen outline;    // side / 80, text colour: face, ticks
        CPen lubber;     // side / 60, text colour
        CBrush needleBrush;
    };

    // Course and bearing in whole degrees, the waypoint's identifier and the range to it in
    // the unit of DistanceUnitName(). Returns the course it replaces.
    int SetData(int nCourse, int nBearing, const QString& strWaypoint, double dRange);
    void SetDistanceUnitName(const QString& strUnitName) { m_strDistanceUnit = strUnitName; }

    int Course() const { return m_nCourse; }
    int Bearing() const { return m_nBearing; }
    const QString& Waypoint() const { return m_strWaypoint; }
    double Range() const { return m_dRange; }
    const QString& DistanceUnitName() const { return m_strDistanceUnit; }

    void Layout(const CRect& rect);
    const DialGeometry& Dial() const { return m_Dial; }
    const std::optional<DrawingObjects>& Objects() const { return m_Objects; }

    // Draws the card on the dial of the last layout; rect sizes the hub. Nothing is drawn
    // before the first layout.
    void Draw(CDrawContext& dc, const CRect& rect) const;

    // Draw in two layers: what drawing in rect would show, the face alone (the card, turned
    // for the course), and the texts, arrow, hub and lubber line over a face already drawn.
    // Both write their texts on the context's background mode. Nothing is drawn before the
    // first layout.
    GaugeLook LookIn(const CRect& rect) const;
    void DrawFace(CDrawContext& dc, const GaugeLook& look) const;
    void DrawMovingParts(CDrawContext& dc, const GaugeLook& look) const;

private:
    int m_nCourse = 0;
    int m_nBearing = 0;
    QString m_strWaypoint;
    QString m_strDistanceUnit;
    double m_dRange = 0.0;
    DialGeometry m_Dial;
    std::optional<DrawingObjects> m_Objects;
};
