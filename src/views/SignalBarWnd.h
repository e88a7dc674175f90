// SPDX-License-Identifier: MIT
// Signal strength per satellite channel as a row of vertical bars. A bar's filled height is
// the channel's SNR on the relative scale of CSnrRange, its colour tells whether the satellite
// is used in the solution, the SNR is written at the top of the filled part (above it, on the
// empty part, when the filled part is too short for it) and the PRN under the bar. The owner fills
// the channels and the channel count and invalidates the window; the window never reads the GPS
// state record itself.
//
// Reading every system, the bars come grouped by system (SetSystemChannelCount): a sunken
// frame round each system's bars, and under them what fits: each bar's RINEX name (G12),
// else each bar's number (on two rows taking turns when one row is too narrow) with the
// system's name once under its group, else the group's name alone (see SystemBars.cpp).
//
// System colours: COLOR_BTNFACE for the background, the empty part of a bar and the label
// cells; a sunken frame of COLOR_3DDKSHADOW (top, left) and COLOR_BTNHIGHLIGHT (bottom,
// right) round each bar; COLOR_HIGHLIGHT fills a used satellite's bar and COLOR_GRAYTEXT any
// other; the SNR in COLOR_HIGHLIGHTTEXT (COLOR_WINDOWTEXT above a short bar), the PRN in
// COLOR_WINDOWTEXT.
#pragma once

#include "nmea/GnssSystems.h"
#include "platform/SurfaceWnd.h"
#include "views/SignalScale.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

struct SignalChannel {
    int32_t nPrn = 0;
    int32_t nSnr = 0;  // dB-Hz as decoded; 0 = no signal
    int32_t bUsed = 0; // 1 = used in the solution
    // All systems: the satellite's system, nPrn its number within it. None: a bare PRN.
    GnssSystem system = GnssSystem::None;

    friend bool operator==(const SignalChannel&, const SignalChannel&) = default;
};

// Where the bars grouped by system go in the window, as the last paint laid them out.
struct SystemBarLayout {
    struct Label {
        QString strText;
        CRect cell;        // the text is centred in it, top-aligned; it never reaches another's
        int nChannel = -1; // the bar it names; -1 for a group's name
    };
    int nPointSize = 0;             // of the labels, tenths of a point
    int nSlotWidth = 0;             // pixels per bar, its gap included
    int nRows = 0;                  // text rows under the frames
    std::vector<CRect> groupFrames; // the sunken frame round each run of one system's bars
    std::vector<CRect> bars;        // the inside of each channel's bar
    std::vector<Label> labels;      // per-bar labels first, then the groups' names
};

class CSignalBarWnd : public CSurfaceWnd {
public:
    static constexpr int kChannels = 32;       // bars of bare PRNs at most
    static constexpr int kSystemChannels = 64; // bars grouped by system at most
    static constexpr int kDefaultChannelCount = 12;

    explicit CSignalBarWnd(QWidget* pParent = nullptr);

    // Channel nIndex (0 to 63); other indices are ignored.
    void SetChannel(int nIndex, const SignalChannel& channel);
    const SignalChannel& Channel(int nIndex) const;
    // The number of bars labelled with bare PRNs, bounded to 32. A change of count repaints
    // the whole window with erase at the next paint, as the bars move.
    void SetChannelCount(int nCount);
    // The number of bars grouped by their channels' systems, in channel order, bounded to 64.
    void SetSystemChannelCount(int nCount);
    int ChannelCount() const { return m_nChannelCount; }
    bool BySystem() const { return m_bBySystem; }
    const SystemBarLayout& SystemLayout() const { return m_SystemLayout; }

    // Asks for a repaint (without erase) unless the last one showed these bars already.
    void InvalidateIfChanged();

    // Narrows the scale back to nothing seen and repaints with erase.
    void ResetRange();
    const CSnrRange& Range() const { return m_Range; }

protected:
    bool OnEraseBkgnd(CDrawContext& dc) override;
    void OnPaint(CDrawContext& dc) override;

private:
    // The SNR in its filled part, or above it when the bar is too short for it.
    static void DrawSnr(CDrawContext& dc, const QString& strSnr, const CRect& bar,
                        const CRect& filled, int nTextHeight);
    void DrawBars(CDrawContext& dc);
    void DrawBar(CDrawContext& dc, int i, int nSlotWidth, int nTextHeight) const;
    // SystemBars.cpp
    void LayOutSystemBars(CDrawContext& dc);
    void DrawSystemBars(CDrawContext& dc);

    std::array<SignalChannel, kSystemChannels> m_Channels{};
    std::optional<std::array<SignalChannel, kSystemChannels>> m_PaintedChannels;
    int m_nChannelCount = kDefaultChannelCount;
    int m_nPaintedChannelCount = kDefaultChannelCount;
    bool m_bBySystem = false;
    bool m_bPaintedBySystem = false;
    CSnrRange m_Range;
    SystemBarLayout m_SystemLayout;
};

// The bar graph of the Sig/Nav page: the same bars, with the page's tap-and-hold menu
// ("&Reset SNR Max and Min", whose command reaches the page through the command routing).
class CSigQualWnd : public CSignalBarWnd {
public:
    using CSignalBarWnd::CSignalBarWnd;

protected:
    bool OnContextMenu(const QPoint& ptScreen) override;
};
