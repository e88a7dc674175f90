// SPDX-License-Identifier: MIT
// The "Stats" page: averages the receiver's fixes into the six accumulators, one fix per GGA
// sentence while averaging is enabled, and shows the running averages, the least-squares
// estimates, their spreads, the sample counts and the current DOPs as a fixed text table.
// Its tap-and-hold menu enables or disables averaging, resets the accumulators (after asking)
// and opens the thresholds dialog.
//
// Colours: the background, the text cells and the text are the button-face and button-text
// system colours; the sunken frame is 3D dark shadow (top, left) and button highlight
// (bottom, right).
//
// The page is created hidden under the tab window and sized by it:
//
//     CStatsView m_StatsView{gps};
//     m_StatsView.Create(kStatsViewName, CRect(), pTabWnd, ID_PAGE_WND, false);
//     m_StatsView.MoveWindow(rcPage);
//
// WM_GPS_GGA posted to it samples the GPS state record; commands ID_STATS_ENABLE,
// ID_STATS_RESET and ID_AVG_THRESHOLDS reach it through OnCommand / OnUpdateCommand.
#pragma once

#include "platform/GdiObjects.h"
#include "platform/ScaledFont.h"
#include "platform/SurfaceWnd.h"
#include "stats/Averaging.h"
#include "stats/StatsTable.h"

#include <optional>
#include <vector>

class CNmeaParser;

// The page's window name.
inline constexpr char kStatsViewName[] = "StatViewWnd";

class CStatsView : public CSurfaceWnd {
public:
    // gps is the one GPS state record the page samples; it must outlive the page.
    explicit CStatsView(CNmeaParser& gps, QWidget* pParent = nullptr);

    bool OnCommand(int nId) override;
    bool OnUpdateCommand(CCommandState& state) override;

    const PositionAverages& Averages() const { return m_Averages; }
    // Whether GGA sentences are being averaged.
    bool IsEnabled() const { return m_bEnabled == 1; }

protected:
    bool OnEraseBkgnd(CDrawContext& dc) override;
    void OnPaint(CDrawContext& dc) override;
    void OnMessage(int nMessage) override;
    bool OnContextMenu(const QPoint& ptScreen) override;

private:
    // The table's texts for the client area as it is now.
    std::vector<StatsText> TableTexts() const;
    void LoadSettings();
    AveragingSettings Settings() const;
    void OnReset();
    void OnAvgThresholds();

    CNmeaParser& m_Gps;
    CScaledFont m_fontBold;   // headings
    CScaledFont m_fontNormal; // labels and values
    PositionAverages m_Averages;
    int m_bEnabled = 1; // not stored: every start averages
    int m_bUseAveraging = 1;
    int m_bLatLonUseHdop = 1;
    int m_bAltUseVdop = 1;
    double m_dAltThreshold = 3.0;
    double m_dLatLonThreshold = 3.0;
    // The texts the surface shows, as the last paint left them; none after an erase.
    std::optional<std::vector<StatsText>> m_Shown;
};
