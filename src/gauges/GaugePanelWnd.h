// SPDX-License-Identifier: MIT
// The "Panel" page: the instruments people glance at while moving. It owns the compass,
// altimeter, speedometer and vertical-speed indicator and draws them itself: all shown gauges
// in their quarters, a single one over the whole page, or one at a time in turn (cycle
// mode). Its own 1.1 s timer, independent of sentence arrival, copies the GPS state record
// into the gauges in the user's units and repaints. A tap-and-hold menu chooses the gauges,
// cycle mode and the speedometer's full scale.
//
// The page is composed on the window's surface, which reaches the screen only once the paint
// is done, and its erase paints nothing, so a repaint does not flicker. The gauges' faces are
// kept as pixels (GaugeFaceCache.h), and a tick that would show the same texts and pointers
// repaints nothing. Layout (which rebuilds the gauges' pens and fonts) happens only on
// an erase: the first paint, a panel command, a resize; the timer's repaint does not erase.
//
// Creation as a page of the tab window, hidden until its tab is chosen:
//
//     m_pPanel = new CGaugePanelWnd(gps);
//     m_pPanel->Create("Panel", CRect{}, pTabWnd, ID_PAGE_WND, false);
//
// The page takes its size from MoveWindow; commands 32790-32793, 32804 and 32807 reach it
// through OnCommand and their check marks through OnUpdateCommand. The gauges shown and cycle
// mode are kept in the settings as they are chosen and come back at the next start (unless
// the desktop is not remembered, settings/DesktopMemory.h).
#pragma once

#include "gauges/AltimeterWnd.h"
#include "gauges/CompassWnd.h"
#include "gauges/GaugeFaceCache.h"
#include "gauges/GaugeOrder.h"
#include "gauges/SpeedometerWnd.h"
#include "gauges/VerticalSpeedWnd.h"
#include "platform/SurfaceWnd.h"

#include <array>
#include <optional>

class CNmeaParser;

class CGaugePanelWnd : public CSurfaceWnd {
public:
    static constexpr int kFeedTimer = 1;
    static constexpr int kFeedPeriodMs = 1100;

    // gps is the one state record the page reads; it must outlive the page.
    explicit CGaugePanelWnd(CNmeaParser& gps, QWidget* pParent = nullptr);

    bool OnCommand(int nId) override;
    bool OnUpdateCommand(CCommandState& state) override;

    bool IsShown(int nGaugeCode) const;
    bool IsCycling() const { return m_nCycleMode != 0; }
    const GaugeCycle& Cycle() const { return m_Cycle; }
    const GaugeOrder& Order() const { return m_Order; }
    // Where gauge nGaugeCode was last laid out (panel client coordinates).
    const CRect& GaugeRect(int nGaugeCode) const;
    // Whether the face of gauge nGaugeCode is kept as pixels for the next repaint, and
    // whether the last repaint showed those pixels instead of drawing the face.
    bool KeepsFace(int nGaugeCode) const;
    bool ShowedKeptFace(int nGaugeCode) const;

    const CCompassWnd& Compass() const { return m_Compass; }
    const CAltimeterWnd& Altimeter() const { return m_Altimeter; }
    const CSpeedometerWnd& Speedometer() const { return m_Speedometer; }
    const CVerticalSpeedWnd& VerticalSpeed() const { return m_VerticalSpeed; }

protected:
    int OnCreate() override;
    bool OnEraseBkgnd(CDrawContext& dc) override;
    void OnPaint(CDrawContext& dc) override;
    void OnTimer(int nId) override;
    void showEvent(QShowEvent* pEvent) override;
    bool OnContextMenu(const QPoint& ptScreen) override;

private:
    // By gauge code: what each gauge drawn on the page shows, empty for a gauge not drawn.
    using PanelLooks = std::array<std::optional<GaugeLook>, kGaugeCount>;

    // The shown gauges and cycle mode as the person last chose them, when they are kept.
    void RestoreChoices();
    void Layout(const CRect& client);
    // Starts the feed's timer unless it runs; behind another page it stops unless cycling.
    void ResumeFeed();
    void FeedGauges();
    PanelLooks LooksToDraw();
    GaugeLook LookOf(int nGaugeCode);
    void DrawGauge(CDrawContext& dc, int nGaugeCode, const GaugeLook& look);
    void ToggleShown(int nGaugeCode);
    void RunSpeedSetup();

    CNmeaParser& m_Gps;
    CCompassWnd m_Compass;
    CAltimeterWnd m_Altimeter;
    CSpeedometerWnd m_Speedometer;
    CVerticalSpeedWnd m_VerticalSpeed;
    std::array<CRect, kGaugeCount> m_Rects{};         // by gauge code
    std::array<int, kGaugeCount> m_Shown{1, 1, 1, 1}; // by gauge code, 0 or 1
    int m_nCycleMode = 0;
    GaugeCycle m_Cycle;
    GaugeOrder m_Order;
    std::array<CGaugeFaceCache, kGaugeCount> m_Faces; // by gauge code
    PanelLooks m_Painted;                             // by the last paint
};
