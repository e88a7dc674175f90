// The bars of the all-systems reading: one bar per satellite in view, in the order the table
// lists them (by system, then number), each system's bars in one sunken frame so the groups
// stand apart. Fifty satellites leave a 240-pixel window four pixels a bar, so the labels are
// what fits, tried in this order:
//
//   each bar's RINEX name (G05, S133)    one row, while every name fits its bar's slot
//   each bar's number, and the system    two rows, the numbers for each group whose numbers
//   once under its group ("GPS")         all fit their slots
//   the system under its group alone     one row
//
// A group's name is its system's name, a short form or its RINEX letter, whichever is the
// longest that fits under the group (each group is at least as wide as its letter). A label
// keeps a pixel clear on either side, so neighbours never touch; the SNR is written in a bar
// only when it fits there whole.
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
    const auto fits = [&dc](const QString& str, int nCell) {
        return dc.GetTextExtent(str).cx <= nCell - 2 * kLabelClear;
    };
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

    const int th = dc.GetTextMetrics().tmHeight;
    bool bRinexNames = true;
    for (int i = 0; i < n; ++i)
        bRinexNames = bRinexNames && fits(RinexName(m_Channels[static_cast<size_t>(i)]), s);
    // Otherwise numbers for each group whose numbers all fit (SBAS PRNs have three digits),
    // in a row of their own over the groups' names; two rows of text only while the bars
    // keep at least the height of one.
    std::vector<bool> numbered(groups.size(), false);
    const int nFrameTop = 2;
    const int nTwoRowBarHeight = (client.Height() - 1 - 2 * th - 1) - (nFrameTop + 2);
    bool bNumbers = false;
    if (!bRinexNames && nTwoRowBarHeight >= th) {
        for (size_t g = 0; g < groups.size(); ++g) {
            bool bFit = true;
            for (int j = 0; j < groups[g].nCount; ++j)
                bFit = bFit &&
                       fits(NumberName(m_Channels[static_cast<size_t>(groups[g].nFirst + j)]), s);
            numbered[g] = bFit;
            bNumbers = bNumbers || bFit;
        }
    }
    layout.nRows = bNumbers ? 2 : 1;

    const int nFrameBottom = client.Height() - 1 - layout.nRows * th;
    const int nLabelTop = client.Height() - layout.nRows * th;
    const int nGroupRow = nLabelTop + (layout.nRows - 1) * th;
    const int nBarGap = BarGap(s);
    int x = kEdge + 1;
    for (size_t g = 0; g < groups.size(); ++g) {
        const Group& group = groups[g];
        const int w = frameWidth(group, s);
        const CRect frame{x, nFrameTop, x + w, nFrameBottom};
        layout.groupFrames.push_back(frame);
        // A group widened to its letter keeps its bars in the middle.
        const int nFirstSlot = x + kFrame + (w - (group.nCount * s + nBarGap + 2 * kFrame)) / 2;
        for (int j = 0; j < group.nCount; ++j) {
            const int nSlot = nFirstSlot + j * s;
            // One row below the frame's top edge is left free: a full bar fills one row more.
            layout.bars.push_back({nSlot + nBarGap, nFrameTop + 2, nSlot + s, nFrameBottom - 1});
            const SignalChannel& channel = m_Channels[static_cast<size_t>(group.nFirst + j)];
            const CRect cell{nSlot + nBarGap / 2, nLabelTop, nSlot + nBarGap / 2 + s,
                             nLabelTop + th};
            if (bRinexNames)
                layout.labels.push_back({RinexName(channel), cell});
            else if (numbered[g])
                layout.labels.push_back({NumberName(channel), cell});
        }
        x += w + nGroupSpacing;
    }
    if (bRinexNames)
        return;
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
    const CFont oldFont = dc.SelectFont(dc.CreatePointFont(m_SystemLayout.nPointSize, kFace));
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const QColor oldText = dc.GetTextColor();
    LayOutSystemBars(dc);
    const SystemBarLayout& layout = m_SystemLayout;

    // Groups move as satellites come and go: every paint starts from the bare background.
    dc.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
    for (int i = 0; i < n; ++i)
        m_Range.Widen(m_Channels[static_cast<size_t>(i)].nSnr);
    for (const CRect& frame : layout.groupFrames)
        dc.Draw3dRect(frame, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));

    const int th = dc.GetTextMetrics().tmHeight;
    dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    for (int i = 0; i < n; ++i) {
        const SignalChannel& channel = m_Channels[static_cast<size_t>(i)];
        const CRect& bar = layout.bars[static_cast<size_t>(i)];
        const int h = m_Range.FilledHeight(bar.Height(), channel.nSnr);
        // One row taller than h, so an empty bar still shows a line in its colour.
        const CRect filled{bar.left, bar.top + (bar.Height() - h) - 1, bar.right, bar.bottom};
        dc.FillSolidRect(filled,
                         GetSysColor(channel.bUsed == 1 ? COLOR_HIGHLIGHT : COLOR_GRAYTEXT));
        const QString strSnr = QString::asprintf("%02d", channel.nSnr);
        if (filled.Height() >= th && dc.GetTextExtent(strSnr).cx <= filled.Width())
            dc.DrawText(strSnr, filled, DT_CENTER | DT_TOP);
    }

    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    for (const SystemBarLayout::Label& label : layout.labels)
        dc.DrawText(label.strText, label.cell, DT_CENTER | DT_TOP);

    dc.SetTextColor(oldText);
    dc.SetBkMode(nOldMode);
    dc.SelectFont(oldFont);
}
