// SPDX-License-Identifier: MIT
// The bars of the all-systems reading: one bar per satellite in view, in the order the table
// lists them (by system, then number), each system's bars in one sunken frame so the groups
// stand apart. Fifty satellites leave a 240-pixel window four pixels a bar, so the labels are
// what fits, tried in this order:
//
//   each bar's RINEX name (G05, S133)    one row, while every name fits its bar's slot
//   each bar's number, and the system    the numbers on one row, or on two rows taking turns
//   once under its group ("GPS")         so that each may spread over two slots; whichever
//                                        numbers more bars (fewer rows when even), and only
//                                        the groups whose numbers all fit
//   the system under its group alone     one row
//
// The rows of text never take more than half the window's height: the bars come first. A
// group's name is its system's name, a short form or its RINEX letter, whichever is the longest
// that fits under the group (each group is at least as wide as its letter). A label keeps a
// pixel clear on either side, so neighbours never touch; the SNR is written in a bar only when
// it fits there whole.
#include "views/SignalBarWnd.h"

#include "platform/DrawContext.h"
#include "platform/SystemMetrics.h"

#include <algorithm>

namespace {

const QString kFace = QStringLiteral("Arial");
// Labels at a third of the usable width in tenths of a point like the bars of bare PRNs, but
// no larger than the page's own nine-point text, so a wide window has room for more labels;
// never below six points, where digits stop being legible.
constexpr int kMinPointSize = 60;
constexpr int kMaxPointSize = 90;
constexpr int kEdge = 1;       // the window's outermost pixel on either side
constexpr int kGroupGap = 2;   // between two groups' frames, at least
constexpr int kFrame = 1;      // the sunken frame's edges
constexpr int kLabelClear = 1; // free pixels on either side of a label within its cell

// The names under a group, longest first; the RINEX letter is the last resort.
QString ShortName(GnssSystem system) {
    switch (system) {
        case GnssSystem::Glonass: return QStringLiteral("GLO");
        case GnssSystem::Galileo: return QStringLiteral("GAL");
        case GnssSystem::BeiDou: return QStringLiteral("BDS");
        default: return QString::fromLatin1(SystemName(system));
    }
}

QString RinexName(const SignalChannel& channel) {
    return QString::asprintf("%c%02d", RinexLetter(channel.system), channel.nPrn);
}

QString NumberName(const SignalChannel& channel) {
    return QString::asprintf("%02d", channel.nPrn);
}

struct Group {
    GnssSystem system;
    int nFirst; // channel
    int nCount;
};

// Between a bar and the next, in a slot of s pixels: wide slots keep their bars apart as the
// bars of bare PRNs are, narrow ones give all but one pixel to the bar.
int BarGap(int s) {
    return std::max(1, s / 5);
}

} // namespace

void CSignalBarWnd::LayOutSystemBars(CDrawContext& dc) {
    const CRect client = GetClientRect();
    const int n = m_nChannelCount;
    SystemBarLayout& layout = m_SystemLayout;
    layout.groupFrames.clear();
    layout.bars.clear();
    layout.labels.clear();

    std::vector<Group> groups;
    for (int i = 0; i < n; ++i) {
        const GnssSystem system = m_Channels[static_cast<size_t>(i)].system;
        if (groups.empty() || groups.back().system != system)
            groups.push_back({system, i, 0});
        ++groups.back().nCount;
    }
    const int nGroups = static_cast<int>(groups.size());
    const auto letterWidth = [&dc](const Group& group) {
        return dc.GetTextExtent(QString(QLatin1Char(RinexLetter(group.system)))).cx;
    };
    const auto frameWidth = [&](const Group& group, int s) {
        return std::max(group.nCount * s + BarGap(s) + 2 * kFrame, letterWidth(group));
    };
    const auto rowWidth = [&](int s) {
        int w = kGroupGap * (nGroups - 1);
        for (const Group& group : groups)
            w += frameWidth(group, s);
        return w;
    };

    // The frames sit between x = 2 and the width less 2, as the bars of bare PRNs do.
    const int nAvailable = client.Width() - 2 * (kEdge + 1);
    int s = n > 0 ? std::max(nAvailable / n, 1) : 1;
    while (s > 1 && rowWidth(s) > nAvailable)
        --s;
    layout.nSlotWidth = s;
    // What is left widens the gaps between groups, up to a slot.
    const int nSpare = std::max(nAvailable - rowWidth(s), 0);
    const int nGroupSpacing = kGroupGap + (nGroups > 1 ? std::min(nSpare / (nGroups - 1), s) : 0);
    const int nBarGap = BarGap(s);

    // Across the window: each group's frame, and where each bar's slot starts.
    std::vector<int> frameLeft, slotLeft;
    int x = kEdge + 1;
    for (const Group& group : groups) {
        const int w = frameWidth(group, s);
        frameLeft.push_back(x);
        // A group widened to its letter keeps its bars in the middle.
        const int nFirstSlot = x + kFrame + (w - (group.nCount * s + nBarGap + 2 * kFrame)) / 2;
        for (int j = 0; j < group.nCount; ++j)
            slotLeft.push_back(nFirstSlot + j * s);
        x += w + nGroupSpacing;
    }
    // The columns of bar i's label when it may spread over nSlots slots, centred under the bar
    // and kept inside the window.
    const auto labelColumns = [&](int i, int nSlots) {
        const int nLeft = slotLeft[static_cast<size_t>(i)] + nBarGap / 2 - (nSlots - 1) * s / 2;
        return std::pair{std::max(nLeft, 0), std::min(nLeft + nSlots * s, client.Width())};
    };
    const auto fits = [&dc](const QString& str, int nWidth) {
        return dc.GetTextExtent(str).cx <= nWidth - 2 * kLabelClear;
    };
    const auto allFit = [&](int nFirst, int nCount, int nSlots,
                            QString (*name)(const SignalChannel&)) {
        for (int i = nFirst; i < nFirst + nCount; ++i) {
            const auto [nLeft, nRight] = labelColumns(i, nSlots);
            if (!fits(name(m_Channels[static_cast<size_t>(i)]), nRight - nLeft))
                return false;
        }
        return true;
    };

    const int th = dc.GetTextMetrics().tmHeight;
    const bool bRinexNames = allFit(0, n, 1, RinexName);
    // Otherwise numbers for each group whose numbers all fit (SBAS PRNs have three digits).
    // Taking turns on two rows, neighbouring bars' numbers are never on the same row, even
    // across groups, so each has two slots.
    std::vector<bool> numbered(groups.size(), false);
    int nNumberRows = 0;
    if (!bRinexNames) {
        const int nMaxRows = client.Height() / 2 / std::max(th, 1);
        int nMostNumbered = 0;
        for (int nRows = 1; nRows <= 2 && nRows + 1 <= nMaxRows; ++nRows) {
            std::vector<bool> fit(groups.size(), false);
            int nNumbered = 0;
            for (size_t g = 0; g < groups.size(); ++g) {
                fit[g] = allFit(groups[g].nFirst, groups[g].nCount, nRows, NumberName);
                nNumbered += fit[g] ? groups[g].nCount : 0;
            }
            if (nNumbered > nMostNumbered) {
                nMostNumbered = nNumbered;
                numbered = fit;
                nNumberRows = nRows;
            }
        }
    }
    layout.nRows = bRinexNames ? 1 : nNumberRows + 1;

    const int nFrameTop = 2;
    const int nFrameBottom = client.Height() - 1 - layout.nRows * th;
    const int nLabelTop = client.Height() - layout.nRows * th;
    for (size_t g = 0; g < groups.size(); ++g) {
        const Group& group = groups[g];
        const int nLeft = frameLeft[g];
        layout.groupFrames.push_back(
            {nLeft, nFrameTop, nLeft + frameWidth(group, s), nFrameBottom});
        for (int i = group.nFirst; i < group.nFirst + group.nCount; ++i) {
            const int nSlot = slotLeft[static_cast<size_t>(i)];
            // One row below the frame's top edge is left free: a full bar fills one row more.
            layout.bars.push_back({nSlot + nBarGap, nFrameTop + 2, nSlot + s, nFrameBottom - 1});
            const SignalChannel& channel = m_Channels[static_cast<size_t>(i)];
            if (bRinexNames || numbered[g]) {
                const int nSlots = bRinexNames ? 1 : nNumberRows;
                const int nTop = nLabelTop + (nSlots == 2 ? i % 2 : 0) * th;
                const auto [nCellLeft, nCellRight] = labelColumns(i, nSlots);
                layout.labels.push_back({bRinexNames ? RinexName(channel) : NumberName(channel),
                                         {nCellLeft, nTop, nCellRight, nTop + th},
                                         i});
            }
        }
    }
    if (bRinexNames)
        return;
    const int nGroupRow = nLabelTop + nNumberRows * th;
    for (size_t g = 0; g < groups.size(); ++g) {
        const CRect& frame = layout.groupFrames[g];
        const CRect cell{frame.left - kGroupGap / 2, nGroupRow, frame.right + kGroupGap / 2,
                         nGroupRow + th};
        const GnssSystem system = groups[g].system;
        for (const QString& strName : {QString::fromLatin1(SystemName(system)), ShortName(system),
                                       QString(QLatin1Char(RinexLetter(system)))}) {
            if (fits(strName, cell.Width())) {
                layout.labels.push_back({strName, cell});
                break;
            }
        }
    }
}

void CSignalBarWnd::DrawSystemBars(CDrawContext& dc) {
    const CRect client = GetClientRect();
    const int n = m_nChannelCount;
    m_SystemLayout.nPointSize =
        std::clamp((client.Width() - 2 * kEdge) / 3, kMinPointSize, kMaxPointSize);
    const CDrawingScope scope(dc);
    dc.SelectFont(dc.CreatePointFont(m_SystemLayout.nPointSize, kFace));
    dc.SetBkMode(TRANSPARENT);
    LayOutSystemBars(dc);
    const SystemBarLayout& layout = m_SystemLayout;

    // Groups move as satellites come and go: every paint starts from the bare background.
    dc.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
    for (int i = 0; i < n; ++i)
        m_Range.Widen(m_Channels[static_cast<size_t>(i)].nSnr);
    for (const CRect& frame : layout.groupFrames)
        dc.Draw3dRect(frame, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));

    const int th = dc.GetTextMetrics().tmHeight;
    for (int i = 0; i < n; ++i) {
        const SignalChannel& channel = m_Channels[static_cast<size_t>(i)];
        const CRect& bar = layout.bars[static_cast<size_t>(i)];
        const int h = m_Range.FilledHeight(bar.Height(), channel.nSnr);
        // One row taller than h, so an empty bar still shows a line in its colour.
        const CRect filled{bar.left, bar.top + (bar.Height() - h) - 1, bar.right, bar.bottom};
        dc.FillSolidRect(filled,
                         GetSysColor(channel.bUsed == 1 ? COLOR_HIGHLIGHT : COLOR_GRAYTEXT));
        const QString strSnr = QString::asprintf("%02d", channel.nSnr);
        if (dc.GetTextExtent(strSnr).cx <= filled.Width() &&
            (filled.Height() >= th || filled.top - bar.top >= th))
            DrawSnr(dc, strSnr, bar, filled, th);
    }

    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    for (const SystemBarLayout::Label& label : layout.labels)
        dc.DrawText(label.strText, label.cell, DT_CENTER | DT_TOP);
}
