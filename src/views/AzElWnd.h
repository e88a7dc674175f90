// SPDX-License-Identifier: MIT
// The "Azmth/Elvn" page: the sky plot of the satellites in view, redrawn incrementally each
// time the decoder finishes a group of GSV sentences, and the user's control of satellite
// trails (a persisted on/off setting, an erase command and a tap-and-hold menu).
//
// The page is a child window the tab container creates and sizes:
//
//     CAzElWnd page(gps);
//     page.Create("SatInfo", CRect{}, pTabWnd, 0xFFFF, false);
//     page.MoveWindow(rectBelowTheTabs);
//
// WM_GPS_GSV is posted to it (PostMessage(&page, WM_GPS_GSV)); commands 32800 and 32801 reach
// it through OnCommand/OnUpdateCommand, which the owner's command routing calls.
#pragma once

#include "platform/SurfaceWnd.h"
#include "views/SkyPlotWnd.h"

class CNmeaParser;

class CAzElWnd : public CSurfaceWnd {
public:
    explicit CAzElWnd(CNmeaParser& gps, QWidget* pParent = nullptr);

    bool OnCommand(int nId) override;
    bool OnUpdateCommand(CCommandState& state) override;

    const CSkyPlotWnd& SkyPlot() const { return m_SkyPlot; }

protected:
    // Configures the plot: 8-point text, rings every 15 degrees, the stored trails setting,
    // the two satellite icons and bare PRN numbers under them.
    int OnCreate() override;
    bool OnEraseBkgnd(CDrawContext& dc) override;
    void OnPaint(CDrawContext& dc) override;
    void OnMessage(int nMessage) override;
    bool OnContextMenu(const QPoint& ptScreen) override;

private:
    // The satellites of the current GSV group, from the GPS state record.
    SkySatelliteList BuildSatelliteList() const;
    // Every satellite of every system whose position is known, from the all-systems table.
    SkySatelliteList BuildSystemsList() const;
    void ToggleTrails();

    CNmeaParser& m_Gps;
    CSkyPlotWnd m_SkyPlot;
};
