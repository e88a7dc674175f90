// SPDX-License-Identifier: MIT
// The drawing pieces all four gauges are made of, written once so that every dial has the
// same face, ticks, texts, needle and hub: the three colour roles, the standard pens and
// brushes for a dial size, radial lines, the ring of fifty ticks, text centred on a point,
// the title, the boxed readout, the needle polygon and the hub, and the select-draw-restore
// protocol of a drawing.
//
// Colour roles (system colours): the dial face and readout box are the window background
// (COLOR_WINDOW), the outline, ticks and scale texts the window text (COLOR_WINDOWTEXT), and
// needles, pointers and hubs the highlight (COLOR_HIGHLIGHT).
#pragma once

#include "gauges/GaugeGeometry.h"
#include "platform/DrawContext.h"

#include <QColor>
#include <QString>

#include <array>
#include <functional>

// What one drawing of a gauge shows. The face is what stays while the values change (dial,
// ticks, labels, title, readout box); the texts and pointer angles are the moving parts,
// drawn over it. Equal looks give equal pixels, so a face can be kept as pixels and a repaint
// that would show the same look can be left out.
struct GaugeFace {
    DialGeometry dial;
    double dScale = 0.0; // the scale the labels are made from; 0 for a dial without one
    int nCourse = 0;     // how far the compass card is turned
    QString strUnitName; // where the face shows the unit or sizes a box for it

    friend bool operator==(const GaugeFace&, const GaugeFace&) = default;
};

struct GaugeLook {
    GaugeFace face;
    CRect rect;                     // drawn in; sizes the hubs
    std::array<QString, 2> texts;   // readouts, in the gauge's order
    std::array<double, 3> angles{}; // pointers, degrees

    friend bool operator==(const GaugeLook&, const GaugeLook&) = default;
};

struct GaugeColours {
    QColor highlight; // needles, pointers, hubs
    QColor text;      // outline, ticks, labels, texts
    QColor face;      // dial face, readout box, opaque text background

    // The system colours, fetched once when a gauge is made.
    static GaugeColours FromSystem();
};

// The pens and brushes every dial uses, sized for its side.
struct GaugePens {
    CPen outline;       // side / 80, text colour: face outline, ticks, readout box
    CBrush face;        // face colour
    CPen needle;        // side / 50, highlight: needle shafts
    CPen thinNeedle;    // one pixel, highlight: needle outlines, hub
    CBrush needleBrush; // highlight

    static GaugePens ForSide(int nSide, const GaugeColours& colours);
};

// Gauge texts are "Arial" at a size in tenths of a point, for the screen's resolution.
CFont GaugeFont(int nTenthsOfPoint);

// A line from dRadius1 to dRadius2 dial units out at dAngle, with the selected pen.
void DrawRadialLine(CDrawContext& dc, const DialGeometry& dial, double dAngle, double dRadius1,
                    double dRadius2);

// Text with its cell centred on pt (nothing clipped), in the selected font and colours.
void DrawCentredText(CDrawContext& dc, CPoint pt, const QString& strText);

// The gauge's title, centred over the dial, its top three text heights above the centre.
void DrawGaugeTitle(CDrawContext& dc, const DialGeometry& dial, const QString& strTitle);

// Fifty ticks 7.2 degrees apart from the top, from the edge to radius 80 and every fifth to
// 73, with the selected pen; labelOf(i) is centred at radius 63 of each long tick i (0, 5 ...
// 45).
void DrawTickRing(CDrawContext& dc, const DialGeometry& dial,
                  const std::function<QString(int nTick)>& labelOf);

// The box under the centre in which a readout goes, sized for "-00000.00 <unit>" in the
// selected font plus a margin.
CRect ReadoutBox(const CDrawContext& dc, const DialGeometry& dial, const QString& strUnitName);
// Draws that box with the selected pen and brush.
void DrawReadoutBox(CDrawContext& dc, const DialGeometry& dial, const QString& strUnitName);

// The standard needle's head: a kite from the centre to radius 65, five degrees wide at 50,
// with the selected pen and brush.
void DrawNeedleHead(CDrawContext& dc, const DialGeometry& dial, double dAngle);

// A circle of nRadius pixels round pt, with the selected pen and brush.
void DrawDisc(CDrawContext& dc, CPoint pt, int nRadius);

// The hub and marker size: a fortieth of the width of the rectangle a gauge is drawn in.
int HubRadius(const CRect& rect);

// Selects a gauge's first pen, brush and font and its text and background colours for one
// drawing, and gives the context back as it found them (pen, brush, font and both colours;
// the background mode is deliberately left as the gauge set it).
class CGaugeDrawingScope {
public:
    CGaugeDrawingScope(CDrawContext& dc, const CPen& pen, const CBrush& brush, const CFont& font,
                       const GaugeColours& colours);

private:
    CDrawingScope m_Saved;
};
