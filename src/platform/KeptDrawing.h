// SPDX-License-Identifier: MIT
// A drawing kept as the pixels it sets, to be put on a surface again without drawing.
//
// Every drawing operation of CDrawContext but the combining block copies (SRCINVERT, SRCAND)
// and text sets pixels to colours of its own: shapes are filled spans, lines are drawn
// aliased in opaque colours. Text is anti-aliased: the edges of its strokes blend its colour
// with what lies under them. Over pixels the drawing has set itself, they blend with those,
// the same every time; past them (a label reaching beyond a small dial) they blend with what
// was on the surface before. So the drawing is drawn three times: on black, on white and on a
// copy of the surface it is to be put on (each time only over its own bounds, which a first
// drawing finds). Pixels that come out equal on all three are the ones it set, whatever lies
// under them, kept as runs of a device row and put back with one copy per run; pixels that
// come out differently are kept with what lay under them and what the drawing made of it, and
// the drawing can be put back only where those lie under them again.
#pragma once

#include "platform/DrawContext.h"

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QSize>

#include <cstdint>
#include <functional>
#include <vector>

class CKeptDrawing {
public:
    // Keeps what draw does to under, a surface of size (logical pixels) at dRatio device
    // pixels to a logical one, drawn by a context set up by setUp first. False, and nothing
    // kept, when there is no memory for the surfaces it is drawn on.
    bool Keep(CSize size, qreal dRatio, const QImage& under,
              const std::function<void(CDrawContext&)>& setUp,
              const std::function<void(CDrawContext&)>& draw);
    // Sets the kept pixels on dc's surface, as the drawing would have. False, and nothing
    // changed, when the surface is not of the size and resolution kept for, or what lies
    // under the pixels the drawing blends with is not what lay under them when it was kept.
    bool Put(CDrawContext& dc) const;
    void Clear();
    bool IsEmpty() const { return m_Runs.empty() && m_Blends.empty(); }

private:
    // A face is mostly stretches of one colour (the dial, the rim, thick ticks); those keep
    // one pixel each, so a kept face takes far less memory than its pixels would.
    struct Run {
        int x; // device pixels
        int y;
        int nCount;
        std::uint32_t nFirst : 31; // into m_Pixels
        std::uint32_t bUniform : 1;
    };

    struct Blend {
        int x; // device pixels
        int y;
        QRgb under;
        QRgb drawn;
    };
    void KeepRun(int y, const QRgb* pLine, int xStart, int xEnd);
    void KeepBlend(const Blend& blend);

    std::vector<Run> m_Runs;
    std::vector<QRgb> m_Pixels;
    std::vector<Blend> m_Blends;
    QRect m_Set;        // device pixels: every run and blend
    QSize m_DeviceSize; // of the surface kept for
};
