// SPDX-License-Identifier: MIT
// System colours by index and the few screen measures the pages ask for. The colours come
// from one fixed table rather than the desktop theme: the pages were designed around this
// light-grey scheme (black text on button face, navy highlight) and must stay legible on
// any theme.
#pragma once

#include <QColor>

// Indices of the system colours the pages use.
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;

// The colour of system colour nIndex; black for an index outside the table.
QColor GetSysColor(int nIndex);

// Vertical logical dots per inch of the primary screen (96 without a screen), times the text
// scale; font pixel heights are computed from it, so the scale sizes every page's text as a
// screen of that many more dots per inch would.
int ScreenDpiY();
// Device pixels to a logical pixel's side on the primary screen (1 without a screen): the
// resolution of surfaces made compatible with the screen (platform/DevicePixels.h).
qreal ScreenPixelRatio();
// The user's text size in per cent of the screen's own (100 at first; 50 to 400 taken).
void SetTextScale(int nPercent);
int TextScale();

inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXDLGFRAME = 7;
inline constexpr int SM_CYDLGFRAME = 8;

// Screen width and height in pixels, or the fixed dialog-frame thickness; 0 for other indices.
int GetSystemMetrics(int nIndex);
