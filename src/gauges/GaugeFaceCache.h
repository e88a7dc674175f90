// A gauge's face kept as pixels. Faces are most of a gauge's drawing (the dial, dozens of
// ticks, the labels, the title) and change only with the size, the units or the scale, while
// the panel repaints every 1.1 seconds for the sake of needles and readouts.
//
// A face is drawn once on a bare page of its own (the scratch of a CFacePage, a copy of the
// panel's empty page), and the pixels its drawing touched are kept. Copied onto the panel's
// composition they give exactly what drawing the face there gives, as long as the composition
// under them still is the bare page. The panel tells where the gauges drawn before this one
// may have drawn (bounds, which hold all their pixels and often a little more); where those
// reach into the kept pixels, the composition is compared with the bare page. When it differs
// (labels of tiny dials reach into the next quarter), the face is drawn as always.
#pragma once

#include "gauges/GaugeDrawing.h"
#include "platform/DrawContext.h"
#include "platform/GdiObjects.h"

#include <functional>
#include <optional>
#include <span>

// The empty page of a composition, and a copy of it on which faces are drawn alone.
class CFacePage {
public:
    // Makes the page client's size, drawn by drawPage, unless it is that size already. False
    // when there is no memory for it; faces are then drawn as always.
    bool Prepare(const CRect& client, const std::function<void(CDrawContext&)>& drawPage);
    bool IsReady() const { return !m_Page.IsNull(); }
    // Changes whenever the page is made anew: what was drawn on an older page is stale.
    int Generation() const { return m_nGeneration; }

    CBitmap& Scratch() { return m_Scratch; }
    // Puts the empty page back on the scratch in area.
    void Restore(const CRect& area);
    // Whether dc's surface shows the empty page in area.
    bool IsBare(const CDrawContext& dc, const CRect& area) const;

private:
    CBitmap m_Page;
    CBitmap m_Scratch;
    int m_nGeneration = 0;
};

class CGaugeFaceCache {
public:
    // Puts the face, drawn by drawFace in rect, on dc: the kept pixels when they are of this
    // face on this page with dc's background mode and dc still shows the empty page under
    // them where drawnBefore reaches; otherwise drawFace draws on dc. A face not kept yet is
    // drawn on the page's scratch first and kept.
    void Draw(CDrawContext& dc, const GaugeFace& face, const CRect& rect, CFacePage& page,
              std::span<const CRect> drawnBefore,
              const std::function<void(CDrawContext&)>& drawFace);
    // Lets the copy go (a gauge no longer shown gives its memory back).
    void Clear();
    bool HasCopy() const { return m_Kept.has_value(); }
    // Whether the last Draw put the kept pixels on the composition instead of drawing.
    bool ShowedCopy() const { return m_bShowedCopy; }

private:
    // Besides the face, the kept pixels depend on where it was drawn, on which page and with
    // which background mode (the compass writes its texts on an opaque background).
    struct Kept {
        GaugeFace face;
        CRect rect;
        int nPageGeneration = 0;
        int nBkMode = 0;

        friend bool operator==(const Kept&, const Kept&) = default;
    };

    void Keep(const Kept& wanted, CFacePage& page,
              const std::function<void(CDrawContext&)>& drawFace);

    CBitmap m_Copy;
    CRect m_Area; // where the kept pixels go, composition coordinates
    std::optional<Kept> m_Kept;
    bool m_bShowedCopy = false;
};
