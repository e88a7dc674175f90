// SPDX-License-Identifier: MIT
// Pens, brushes, fonts and bitmaps as the pages describe them: a pen by style, width and
// colour, a brush by colour, a font by face, tenths of a point and weight, an off-screen
// bitmap by size. They are small values; selecting one into a drawing context returns the
// previous one by value, so "select, draw, restore" needs no ownership bookkeeping.
#pragma once

#include "platform/Rect.h"
#include "resources/resource.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

inline constexpr int PS_SOLID = 0;
inline constexpr int PS_NULL = 5;

class CPen {
public:
    // Black, solid, one pixel: a drawing context's initial pen.
    CPen() = default;
    // A width below 1 draws one pixel wide.
    CPen(int nStyle, int nWidth, const QColor& colour);
    static CPen Null() { return CPen(PS_NULL, 1, Qt::black); }

    bool IsNull() const { return m_nStyle == PS_NULL; }
    int Width() const { return m_nWidth; }
    QColor Colour() const { return m_Colour; }

    friend bool operator==(const CPen&, const CPen&) = default;

private:
    int m_nStyle = PS_SOLID;
    int m_nWidth = 1;
    QColor m_Colour = Qt::black;
};

class CBrush {
public:
    // Solid white: a drawing context's initial brush.
    CBrush() = default;
    explicit CBrush(const QColor& colour) : m_Colour(colour) {}
    static CBrush Null() {
        CBrush brush;
        brush.m_bNull = true;
        return brush;
    }

    bool IsNull() const { return m_bNull; }
    QColor Colour() const { return m_Colour; }

    friend bool operator==(const CBrush&, const CBrush&) = default;

private:
    QColor m_Colour = Qt::white;
    bool m_bNull = false;
};

inline constexpr int FW_DONTCARE = 0;
inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_BOLD = 700;

// A font description. A negative height is the character height in pixels (what sizes in
// points turn into), a positive one the height of the whole cell, 0 the default size.
struct LogFont {
    int lfHeight = 0;
    int lfWeight = FW_DONTCARE; // 100-900; FW_DONTCARE gives normal weight
    QString lfFaceName;

    friend bool operator==(const LogFont&, const LogFont&) = default;
};

class CFont {
public:
    // "Arial" at 9 points for the screen: a drawing context's initial font.
    CFont();
    static CFont FromLogFont(const LogFont& logFont);
    // Height -(nDpiY x nTenthsOfPoint / 720), integer division, as the pages compute it.
    static CFont FromPointSize(int nTenthsOfPoint, const QString& strFace, int nDpiY,
                               int nWeight = FW_DONTCARE);

    // The description the font was made from.
    const LogFont& GetLogFont() const { return m_LogFont; }
    const QFont& QtFont() const { return m_Font; }

private:
    explicit CFont(const LogFont& logFont);

    LogFont m_LogFont;
    QFont m_Font;
};

// The pixel height for a size in tenths of a point on a device of nDpiY dots per inch:
// negative, as a character height.
constexpr int PointSizeToHeight(int nTenthsOfPoint, int nDpiY) {
    return -(nDpiY * nTenthsOfPoint / 720);
}

// An off-screen surface, nWidth x nHeight logical pixels at a device pixel ratio
// (platform/DevicePixels.h). Made bitmaps start black.
class CBitmap {
public:
    CBitmap() = default;
    // At the screen's resolution, as the surfaces it is drawn on or copied to.
    bool CreateCompatibleBitmap(int nWidth, int nHeight);
    bool CreateBitmap(int nWidth, int nHeight, qreal dRatio);
    // The bitmap resource id, one device pixel to a logical one (block copies to a surface
    // of another resolution scale it); false (and a null bitmap) when there is none.
    bool LoadBitmap(BitmapId id);
    // In logical pixels.
    CSize GetSize() const { return m_Size; }
    bool IsNull() const { return m_Image.isNull(); }

    // The device pixels, with the ratio set (a painter on it draws in logical pixels).
    QImage& Image() { return m_Image; }
    const QImage& Image() const { return m_Image; }

private:
    QImage m_Image;
    CSize m_Size;
};

// A mask for transparent drawing: white where source has the key colour, black elsewhere, at
// the source's resolution. ANDed onto (image XOR background) and XORed with the image again,
// it keeps the background where the key colour is and the image everywhere else.
CBitmap MakeKeyMask(const CBitmap& source, const QColor& key);
