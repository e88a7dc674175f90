// SPDX-License-Identifier: MIT
// Reading gauges back from their pixels: rendering a gauge into an image, finding the angles
// at which pointers of one colour cross a circle round the dial's centre, and finding a text
// written in a given font.
#pragma once

#include "gauges/GaugeDrawing.h"
#include "gauges/GaugeGeometry.h"
#include "platform/DrawContext.h"

#include <QImage>

#include <optional>
#include <vector>

// A white surface of the given size with a drawing context on it.
struct Canvas {
    CBitmap bitmap;
    CDrawContext dc;

    Canvas(int nWidth, int nHeight);
    const QImage& Image() const { return bitmap.Image(); }
};

// The centres of the arcs of the circle of dRadius dial units round the dial's centre whose
// pixels have colour, in degrees clockwise from the top (0 to 360), sampled every quarter
// degree.
std::vector<double> AnglesOfColourAt(const QImage& image, const DialGeometry& dial, double dRadius,
                                     const QColor& colour);

// Whether one of angles lies within dTolerance degrees of dExpected, going round the circle.
bool HasAngleNear(const std::vector<double>& angles, double dExpected, double dTolerance = 1.0);

// Where strText written in font in colour has the top-left corner of its cell within area:
// the first position at which every pixel of the glyphs has colour and every other pixel
// inside the glyphs' bounds has not. Pixels in the highlight colour are pointers drawn over
// the text and are not looked at. Empty when there is none.
std::optional<CPoint> FindText(const QImage& image, const CFont& font, const QString& strText,
                               const QColor& colour, const CRect& area);

// Whether strText in font is written centred on pt (its cell's centre on pt, give or take a
// pixel). Ticks and lines may cross a label: every pixel of its glyphs must have colour, but
// up to dMaxStray of the other pixels inside the glyphs' bounds may too.
bool ShowsTextCentredOn(const QImage& image, const CFont& font, const QString& strText,
                        const QColor& colour, CPoint pt, double dMaxStray = 0.2);

// Whether the pixel dRadius dial units out at dAngle has colour.
bool HasColourAt(const QImage& image, const DialGeometry& dial, double dAngle, double dRadius,
                 const QColor& colour);

// Counts the pixels of image inside area (whole image when empty) that have colour.
int CountColour(const QImage& image, const QColor& colour, const CRect& area = {});

inline const GaugeColours& Colours() {
    static const GaugeColours colours = GaugeColours::FromSystem();
    return colours;
}
