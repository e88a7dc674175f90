// SPDX-License-Identifier: MIT
// A gauge's face kept as pixels. Faces are most of a gauge's drawing (the dial, dozens of
// ticks, the labels, the title) and change only with the size, the units or the scale (the
// compass card also with the course), while the panel repaints every 1.1 seconds for the sake
// of needles and readouts.
//
// The kept pixels are those the face's drawing sets (see platform/KeptDrawing.h), so putting
// them on the composition gives exactly what drawing the face there gives, whatever the
// gauges drawn before left under it. A face is kept when it is drawn a second time unchanged:
// one that changes at every repaint (a turning compass card) is just drawn, never kept.
// Keeping costs about four drawings of the face, so a face that keeps changing after a few
// repaints (a card that turns a degree every few seconds) waits twice as many repaints
// before it is kept again, until a kept copy pays for itself. Where
// a face's text reaches past its dial (a dial too small for its labels) its anti-aliased edges
// blend with what lies under them: the kept pixels go back there only over what they were
// kept over, and otherwise the face is drawn.
#pragma once

#include "gauges/GaugeDrawing.h"
#include "platform/KeptDrawing.h"

#include <functional>
#include <optional>

class CGaugeFaceCache {
public:
    // Puts of the kept pixels that make up for keeping them.
    static constexpr int kPutsToPay = 5;

    // Puts the face drawn by drawFace on dc: the kept pixels when they are of this face drawn
    // the way dc would draw it, otherwise drawFace's drawing.
    void Draw(CDrawContext& dc, const GaugeFace& face,
              const std::function<void(CDrawContext&)>& drawFace);
    // Lets the pixels go (a gauge no longer shown gives its memory back).
    void Clear();
    bool HasCopy() const { return m_Kept.has_value(); }
    // Whether the last Draw put the kept pixels on dc instead of drawing.
    bool ShowedCopy() const { return m_bShowedCopy; }

private:
    // Besides the face, its pixels depend on the surface's size (it clips labels of tiny
    // dials) and resolution, on dc's background mode, which a gauge's drawing leaves behind
    // for the next and the compass writes its card in, and on the screen's dots per inch,
    // which the text size scales and the labels' fonts follow.
    struct Key {
        GaugeFace face;
        CSize surface;
        qreal dRatio = 1.0;
        int nBkMode = 0;
        int nDpiY = 0;

        friend bool operator==(const Key&, const Key&) = default;
    };

    static constexpr int kFirstWait = 2; // drawings of one face before it is kept
    static constexpr int kLongestWait = 32;

    CKeptDrawing m_Pixels;
    std::optional<Key> m_Kept;  // what m_Pixels show
    std::optional<Key> m_Drawn; // what the last Draw put on its context
    int m_nDrawnRun = 0;        // draws in a row of m_Drawn
    int m_nWait = kFirstWait;
    int m_nPuts = 0; // of the kept pixels
    bool m_bShowedCopy = false;
};
