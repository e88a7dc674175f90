// A drawing kept as the pixels it sets, to be put on a surface again without drawing.
//
// Every drawing operation of CDrawContext but the combining block copies (SRCINVERT, SRCAND)
// only sets pixels: shapes are filled spans, lines and text are drawn aliased in opaque
// colours. What such a drawing leaves on a surface is therefore the same whatever lay under
// it: the pixels it set, in their colours, and everything else as it was. Drawn once on black
// and once on white, the pixels that come out equal are exactly the ones it set; kept as runs
// of a row, they are put back with one copy per run.
#pragma once

#include "platform/DrawContext.h"

#include <QRgb>

#include <functional>
#include <vector>

class CKeptDrawing {
public:
    // Keeps what draw sets on a surface of size, drawn by a context set up by setUp first.
    // False, and nothing kept, when there is no memory for the two surfaces it is drawn on.
    bool Keep(CSize size, const std::function<void(CDrawContext&)>& setUp,
              const std::function<void(CDrawContext&)>& draw);
    // Sets the kept pixels on dc's surface as the drawing would have (clipped to it).
    void Put(CDrawContext& dc) const;
    void Clear();
    bool IsEmpty() const { return m_Runs.empty(); }
    // The smallest rectangle holding every kept pixel (empty for none).
    const CRect& Bounds() const { return m_Bounds; }

private:
    struct Run {
        int x;
        int y;
        int nCount;
        std::size_t nFirst; // into m_Pixels
    };

    std::vector<Run> m_Runs;
    std::vector<QRgb> m_Pixels;
    CRect m_Bounds;
};
