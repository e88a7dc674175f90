// Signal strength per satellite channel as a row of vertical bars. A bar's filled height is
// the channel's SNR on the relative scale of CSnrRange, its colour tells whether the satellite
// is used in the solution, the SNR is written at the top of the filled part and the PRN under
// the bar. The owner fills the channels and the channel count and invalidates the window; the
// window never reads the GPS state record itself.
//
// System colours: COLOR_BTNFACE for the background, the empty part of a bar and the label
// cells; a sunken frame of COLOR_3DDKSHADOW (top, left) and COLOR_BTNHIGHLIGHT (bottom,
// right) round each bar; COLOR_HIGHLIGHT fills a used satellite's bar and COLOR_GRAYTEXT any
// other; the SNR in COLOR_HIGHLIGHTTEXT, the PRN in COLOR_WINDOWTEXT.
#pragma once

#include "platform/SurfaceWnd.h"
#include "views/SignalScale.h"

#include <array>
#include <cstdint>

struct SignalChannel {
    int32_t nPrn = 0;
    int32_t nSnr = 0;  // dB-Hz as decoded; 0 = no signal
    int32_t bUsed = 0; // 1 = used in the solution
};

class CSignalBarWnd : public CSurfaceWnd {
public:
    static constexpr int kChannels = 32;
    static constexpr int kDefaultChannelCount = 12;

    explicit CSignalBarWnd(QWidget* pParent = nullptr);

    // Channel nIndex (0 to 31); other indices are ignored.
    void SetChannel(int nIndex, const SignalChannel& channel);
    const SignalChannel& Channel(int nIndex) const;
    // The number of bars, bounded to the 32 channels there are. A change of count repaints
    // the whole window with erase at the next paint, as the bars move.
    void SetChannelCount(int nCount);
    int ChannelCount() const { return m_nChannelCount; }

    // Narrows the scale back to nothing seen and repaints with erase.
    void ResetRange();
    const CSnrRange& Range() const { return m_Range; }

protected:
    bool OnEraseBkgnd(CDrawContext& dc) override;
    void OnPaint(CDrawContext& dc) override;

private:
    void DrawBars(CDrawContext& dc);
    void DrawBar(CDrawContext& dc, int i, int nSlotWidth, int nTextHeight) const;

    std::array<SignalChannel, kChannels> m_Channels{};
    int m_nChannelCount = kDefaultChannelCount;
    int m_nPaintedChannelCount = kDefaultChannelCount;
    CSnrRange m_Range;
};

// The bar graph of the Sig/Nav page: the same bars, with the page's tap-and-hold menu
// ("&Reset SNR Max and Min", whose command reaches the page through the command routing).
class CSigQualWnd : public CSignalBarWnd {
public:
    using CSignalBarWnd::CSignalBarWnd;

protected:
    bool OnContextMenu(const QPoint& ptScreen) override;
};
