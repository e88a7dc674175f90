// SPDX-License-Identifier: MIT
// A GDI-style drawing context over a QImage, so the pages can draw the way their layouts are
// written: select a pen, brush or font and get the previous one back, set text and
// background colours and the background mode, draw shapes whose bounding boxes exclude the
// right and bottom edge, write text at a point or in a rectangle, read and set pixels, and
// combine surfaces by copy, XOR or AND. Shapes are not anti-aliased: markers are removed by
// XORing them a second time, and pages repaint parts of themselves, which both only work when
// every pixel is exact; text is, in grey levels, and as exact: the same text on the same
// pixels comes out the same.
//
// A context draws into a window's surface (CPaintDC, CClientDC in platform/SurfaceWnd.h) or
// into an off-screen bitmap (a memory context). All coordinates are logical pixels of that
// surface, whatever its resolution (platform/DevicePixels.h): on a surface of two device
// pixels to one, a one-pixel line is two device pixels wide, circles, slanted lines and
// polygons of the same geometry step in the finer device pixels (still aliased), and text is
// as sharp as the screen can show it.
#pragma once

#include "platform/GdiObjects.h"
#include "platform/Rect.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <memory>
#include <span>
#include <utility>

class QPainter;

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// DrawText formats.
inline constexpr unsigned DT_TOP = 0x0000;
inline constexpr unsigned DT_LEFT = 0x0000;
inline constexpr unsigned DT_CENTER = 0x0001;
inline constexpr unsigned DT_RIGHT = 0x0002;
inline constexpr unsigned DT_VCENTER = 0x0004; // with DT_SINGLELINE only
inline constexpr unsigned DT_BOTTOM = 0x0008;  // with DT_SINGLELINE only
inline constexpr unsigned DT_SINGLELINE = 0x0020;
inline constexpr unsigned DT_NOCLIP = 0x0100;

// Block-copy operations.
inline constexpr unsigned SRCCOPY = 0x00CC0020;
inline constexpr unsigned SRCINVERT = 0x00660046; // XOR
inline constexpr unsigned SRCAND = 0x008800C6;

// GetDeviceCaps indices.
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

struct TextMetrics {
    int tmHeight = 0; // ascent + descent: the height of a text cell
    int tmAscent = 0;
    int tmDescent = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
};

class CDrawContext {
public:
    // A memory context with no bitmap selected (drawing does nothing until one is).
    CDrawContext();
    // A memory context drawing into bitmap, which must outlive it.
    explicit CDrawContext(CBitmap& bitmap);
    virtual ~CDrawContext();

    CDrawContext(const CDrawContext&) = delete;
    CDrawContext& operator=(const CDrawContext&) = delete;

    // Selects a bitmap into a memory context; returns the one it replaces (or nullptr).
    CBitmap* SelectBitmap(CBitmap* pBitmap);
    // For a context that alone draws on its surface while it lives (a memory context composing
    // a page): keeps one painter open for its text, polygons and block copies (and the rare
    // wide line not kept by shape) instead of opening one per operation, which is most of the
    // cost of a drawing made of hundreds of them. Nothing else may paint on the surface
    // meanwhile.
    void KeepPainterOpen();

    CPen SelectPen(const CPen& pen);
    CBrush SelectBrush(const CBrush& brush);
    CFont SelectFont(const CFont& font);
    const CPen& GetPen() const { return m_Pen; }
    const CBrush& GetBrush() const { return m_Brush; }
    const CFont& GetFont() const { return m_Font; }

    QColor SetTextColor(const QColor& colour);
    QColor SetBkColor(const QColor& colour);
    int SetBkMode(int nMode); // OPAQUE fills a text's cell with the background colour first
    QColor GetTextColor() const { return m_TextColour; }
    QColor GetBkColor() const { return m_BkColour; }
    int GetBkMode() const { return m_nBkMode; }

    // A font of the given size for this context's resolution.
    CFont CreatePointFont(int nTenthsOfPoint, const QString& strFace,
                          int nWeight = FW_DONTCARE) const;
    int GetDeviceCaps(int nIndex) const;

    // Lines leave out their end point, so a chain of LineTo calls draws each joint once.
    CPoint MoveTo(int x, int y);
    void LineTo(int x, int y);

    // Outlined with the pen (inside the box) and filled with the brush. The box's right and
    // bottom edges are outside the shape: Rectangle(0, 0, 10, 10) covers pixels 0 to 9.
    void Rectangle(int nLeft, int nTop, int nRight, int nBottom);
    void Rectangle(const CRect& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void Ellipse(int nLeft, int nTop, int nRight, int nBottom);
    void Ellipse(const CRect& rect) { Ellipse(rect.left, rect.top, rect.right, rect.bottom); }
    // A closed polygon, filled alternately, outlined with the pen.
    void Polygon(std::span<const CPoint> points);

    // Fills rect (right and bottom excluded) without touching pen, brush or colours.
    void FillSolidRect(const CRect& rect, const QColor& colour);
    // A one-pixel frame: top and left edges in clrTopLeft, right and bottom in clrBottomRight.
    void Draw3dRect(const CRect& rect, const QColor& clrTopLeft, const QColor& clrBottomRight);

    // Text with the top-left corner of its cell at (x, y).
    void TextOut(int x, int y, const QString& strText);
    // Text placed in rect by nFormat (DT_*); clipped to rect unless DT_NOCLIP. Returns the
    // height of the text drawn.
    int DrawText(const QString& strText, const CRect& rect, unsigned nFormat);
    CSize GetTextExtent(const QString& strText) const;
    TextMetrics GetTextMetrics() const;

    // An invalid colour outside the surface. A logical pixel reads as its top-left device
    // pixel and is set whole.
    QColor GetPixel(int x, int y) const;
    QColor SetPixel(int x, int y, const QColor& colour);
    // XORs the pixel (each of its device pixels) with colour; twice leaves it as it was.
    void InvertPixel(int x, int y, const QColor& colour);
    // Device row y of the surface to write to directly (null off it), for what sets many
    // device pixels at once: what was kept of a drawing goes back this way
    // (platform/KeptDrawing.h). The row is the context's own, not shared with a copy of the
    // surface; what is written there counts as drawn once it is added with
    // AccumulateDeviceRect (device pixels, clipped to the surface).
    QRgb* DeviceRow(int y);
    void AccumulateDeviceRect(const QRect& device);

    // Combines the w x h block at (xSrc, ySrc) of source into this surface at (x, y) by
    // nRop (SRCCOPY, SRCINVERT or SRCAND); false for another operation.
    bool BitBlt(int x, int y, int nWidth, int nHeight, const CDrawContext& source, int xSrc,
                int ySrc, unsigned nRop);

    // The surface drawn on, null for a memory context without a bitmap.
    const QImage* Surface() const { return m_pImage; }
    // Its size in logical pixels and its device pixels to a logical pixel's side.
    CSize SurfaceSize() const;
    qreal DevicePixelRatio() const { return HasSurface() ? m_pImage->devicePixelRatio() : 1.0; }

    // Bounds accumulation: the smallest rectangle of surface pixels holding every pixel the
    // context's drawing may have changed since it was made or last reset (empty for none).
    // Text counts with its cell and its glyphs' ink, shapes with their pen.
    CRect GetBounds() const { return m_Bounds; }
    // Starts afresh; returns what had been accumulated.
    CRect ResetBounds() { return std::exchange(m_Bounds, CRect{}); }
    // Adds rect (clipped to the surface) as if it had been drawn on.
    void AccumulateBounds(const CRect& rect);

protected:
    // A context drawing into image, which must outlive it (a window's back buffer).
    explicit CDrawContext(QImage* pImage);

private:
    bool HasSurface() const { return m_pImage && !m_pImage->isNull(); }
    void DrawBresenhamLine(CPoint from, CPoint to);
    template <typename SpanOf> void DrawShape(const CRect& rect, SpanOf spanOf);
    bool IsOnSurface(int x, int y) const;
    void DrawTextLine(const QString& strText, int x, int y, const CRect* pClip);

    QImage* m_pImage = nullptr;
    CBitmap* m_pBitmap = nullptr;
    std::unique_ptr<QPainter> m_pKeptPainter; // see KeepPainterOpen
    int m_nDpiY = 96;
    CPen m_Pen;
    CBrush m_Brush;
    CFont m_Font;
    QColor m_TextColour = Qt::black;
    QColor m_BkColour = Qt::white;
    int m_nBkMode = OPAQUE;
    CPoint m_ptCurrent;
    CRect m_Bounds;
};

// Puts back, when it ends, the pen, brush, font, colours and background mode dc had when it
// began: a drawing routine changes them freely and leaves the context as it found it.
class CDrawingScope {
public:
    // With bLeaveBkMode the background mode stays as the routine set it.
    explicit CDrawingScope(CDrawContext& dc, bool bLeaveBkMode = false)
        : m_dc(dc), m_Pen(dc.GetPen()), m_Brush(dc.GetBrush()), m_Font(dc.GetFont()),
          m_TextColour(dc.GetTextColor()), m_BkColour(dc.GetBkColor()),
          m_nBkMode(bLeaveBkMode ? -1 : dc.GetBkMode()) {}
    ~CDrawingScope() {
        if (m_nBkMode >= 0)
            m_dc.SetBkMode(m_nBkMode);
        m_dc.SetBkColor(m_BkColour);
        m_dc.SetTextColor(m_TextColour);
        m_dc.SelectFont(m_Font);
        m_dc.SelectBrush(m_Brush);
        m_dc.SelectPen(m_Pen);
    }
    CDrawingScope(const CDrawingScope&) = delete;
    CDrawingScope& operator=(const CDrawingScope&) = delete;

private:
    CDrawContext& m_dc;
    CPen m_Pen;
    CBrush m_Brush;
    CFont m_Font;
    QColor m_TextColour;
    QColor m_BkColour;
    int m_nBkMode; // -1: left alone
};
