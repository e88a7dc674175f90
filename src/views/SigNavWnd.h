// SPDX-License-Identifier: MIT
// The "Sig/Nav" page: signal-strength bars per satellite in its top third, and below them the
// position, altitude and satellite counts as text in the user's units and coordinate format,
// then, as far as the page is tall enough, UTC, speed and course, the DOPs and the fix.
// A 1200 ms timer polls the GPS state record and redraws only what new sentences changed:
// the bars after a GSV sentence, the text after a GGA, GSA, RMC or ZDA sentence (the position
// comes from GGA, so a receiver that sends no GSA must not freeze it), and of the text only the
// values that read differently. Neither redraw erases, so the page does not flicker.
//
// The page is a child window the tab container creates and sizes:
//
//     CSigNavWnd page(gps);
//     page.Create("SigQual", CRect{}, pTabWnd, 0xFFFF, false);
//     page.MoveWindow(rectBelowTheTabs);
//
// Command 32789 (reset the SNR range) reaches it through OnCommand, from its own tap-and-hold
// menu or the bar graph's, by way of the owner's command routing.
//
// System colours: the text area is COLOR_BTNFACE with a sunken frame of COLOR_3DDKSHADOW (top,
// left) and COLOR_BTNHIGHLIGHT (bottom, right); text in COLOR_BTNTEXT on COLOR_BTNFACE.
#pragma once

#include "platform/ScaledFont.h"
#include "platform/SurfaceWnd.h"
#include "views/NavigationRows.h"
#include "views/SignalBarWnd.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class CNmeaParser;

class CSigNavWnd : public CSurfaceWnd {
public:
    static constexpr int kRefreshTimer = 1;
    static constexpr int kRefreshMs = 1200;

    explicit CSigNavWnd(CNmeaParser& gps, QWidget* pParent = nullptr);

    bool OnCommand(int nId) override;

    const CSigQualWnd& SignalBars() const { return m_SignalBars; }
    // The page's split of a client rectangle: the bars over the top third, the text below.
    static CRect BarArea(const CRect& client);
    static CRect TextArea(const CRect& client);

protected:
    // Creates the bar graph, named "SigQual", and starts the refresh timer.
    int OnCreate() override;
    bool OnEraseBkgnd(CDrawContext& dc) override;
    void OnPaint(CDrawContext& dc) override;
    // Any tick refreshes; behind another page it stops the timer, which showing starts again.
    void OnTimer(int nId) override;
    void showEvent(QShowEvent* pEvent) override;
    bool OnContextMenu(const QPoint& ptScreen) override;

private:
    void Refresh();
    void RefreshBars();
    void RefreshSystemBars();
    // The text block's rows in order: the position and the counts, then the navigation rows.
    std::vector<TextRow> TextRows() const;
    static std::vector<QString> Values(const std::vector<TextRow>& rows);
    // Over pShown, the values the surface shows in the same place and font, only those that
    // changed are written.
    void DrawTextBlock(CDrawContext& dc, const CRect& area, const std::vector<TextRow>& rows,
                       const std::vector<QString>* pShown);

    CNmeaParser& m_Gps;
    CSigQualWnd m_SignalBars;
    CScaledFont m_NormalFont;
    CScaledFont m_BoldFont;
    // The counters at the last refresh; none before the first, which refreshes both parts.
    std::optional<uint32_t> m_nLastGsvCount;
    std::optional<std::array<uint32_t, 4>> m_LastTextCounts; // GGA, GSA, RMC and ZDA
    // What the surface shows of the text block: where, at which dots per inch (the text size
    // scales them, and the fonts follow), and the values.
    struct ShownText {
        CRect area;
        int nDpiY = 0;
        std::vector<QString> values;
    };
    std::optional<ShownText> m_ShownText;
};
