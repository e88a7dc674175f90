// SPDX-License-Identifier: MIT
// The frame's client window: it owns the tab container and the four pages, passes the
// frame's commands to the pages in a fixed order, and forwards the decoder's fix and
// satellite notifications to the pages that act on them. It starts with the page that was in
// front when the program last ended (the frame stores it), unless the desktop is not
// remembered.
#pragma once

#include "gauges/GaugePanelWnd.h"
#include "platform/SurfaceWnd.h"
#include "shell/TabWnd.h"
#include "stats/StatsView.h"
#include "views/AzElWnd.h"
#include "views/SigNavWnd.h"

class CNmeaParser;

class CMainView : public CSurfaceWnd {
public:
    explicit CMainView(CNmeaParser& gps, QWidget* pParent = nullptr);

    CTabWnd& TabWnd() { return m_TabWnd; }
    CAzElWnd& SatellitePage() { return m_SatPage; }
    CSigNavWnd& SignalPage() { return m_SigPage; }
    CGaugePanelWnd& PanelPage() { return m_PanelPage; }
    CStatsView& StatsPage() { return m_StatsPage; }

    // The label of the page in front ("Sig/Nav", "Azmth/Elvn", "Panel", "Stats"), and the page
    // with that label brought to the front (false, and nothing changed, for no such page).
    QString FrontPageLabel() const;
    bool ShowPageLabelled(const QString& strLabel);

    // Repaints the container and every page from scratch, hidden ones included: after a
    // change of units, every page must show the new ones.
    void InvalidateAll();

    bool OnCommand(int nId) override;
    bool OnUpdateCommand(CCommandState& state) override;

protected:
    int OnCreate() override;
    bool OnEraseBkgnd(CDrawContext& dc) override;
    void OnPaint(CDrawContext& dc) override;
    void OnSize(int nWidth, int nHeight) override;
    void OnMessage(int nMessage) override;

private:
    // The pages in the order commands are offered to them.
    std::array<CCommandTarget*, 4> RoutingOrder();

    // Declared before the pages, which are its children, so they go first.
    CTabWnd m_TabWnd;
    CAzElWnd m_SatPage;
    CSigNavWnd m_SigPage;
    CGaugePanelWnd m_PanelPage;
    CStatsView m_StatsPage;
};
