// SPDX-License-Identifier: MIT
#include "shell/MainView.h"

#include "nmea/NmeaMessages.h"
#include "platform/Commands.h"
#include "platform/SystemMetrics.h"
#include "resources/resource.h"
#include "settings/DesktopMemory.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"

#include <QTabBar>

namespace {

// The Text Size items and the scale each stands for, in per cent.
constexpr struct {
    int nId;
    int nPercent;
} kTextSizes[] = {{ID_TEXT_NORMAL, 100}, {ID_TEXT_LARGE, 125}, {ID_TEXT_LARGER, 150}};

} // namespace

CMainView::CMainView(CNmeaParser& gps, QWidget* pParent)
    : CSurfaceWnd(pParent), m_SatPage(gps), m_SigPage(gps), m_PanelPage(gps), m_StatsPage(gps) {
    SetBackgroundColour(GetSysColor(COLOR_WINDOW));
    SetCoveredByChildren();
}

int CMainView::OnCreate() {
    // Before any page paints, so every font is made at the chosen size from the start.
    SetTextScale(ReadSettingInt(kSectionSettings, kTextSize, kDefaultTextSize));
    m_TabWnd.Create(QStringLiteral("TabWnd"), CRect{}, this, ID_TAB_WND, true);
    // A page that fails to create is not reported; its tab is added all the same.
    m_SatPage.Create(QStringLiteral("SatInfo"), CRect{}, &m_TabWnd, ID_PAGE_WND, false);
    m_SigPage.Create(QStringLiteral("SigQual"), CRect{}, &m_TabWnd, ID_PAGE_WND, false);
    m_PanelPage.Create(QStringLiteral("Panel"), CRect{}, &m_TabWnd, ID_PAGE_WND, false);
    m_StatsPage.Create(QStringLiteral("StatViewWnd"), CRect{}, &m_TabWnd, ID_PAGE_WND, false);
    m_TabWnd.AddPage(&m_SigPage, QStringLiteral("Sig/Nav"));
    m_TabWnd.AddPage(&m_SatPage, QStringLiteral("Azmth/Elvn"));
    m_TabWnd.AddPage(&m_PanelPage, QStringLiteral("Panel"));
    m_TabWnd.AddPage(&m_StatsPage, QStringLiteral("Stats"));
    if (RemembersDesktop())
        ShowPageLabelled(ReadSettingString(QString::fromLatin1(kSectionDesktop),
                                           QString::fromLatin1(kFrontPage), QString()));
    return 0;
}

QString CMainView::FrontPageLabel() const {
    const QTabBar* pTabs = m_TabWnd.TabControl();
    return pTabs->tabText(pTabs->currentIndex());
}

bool CMainView::ShowPageLabelled(const QString& strLabel) {
    const QTabBar* pTabs = m_TabWnd.TabControl();
    for (int i = 0; i < pTabs->count(); ++i)
        if (pTabs->tabText(i) == strLabel)
            return m_TabWnd.ShowPage(i);
    return false;
}

bool CMainView::OnEraseBkgnd(CDrawContext&) {
    return true;
} // the container covers it all

void CMainView::OnPaint(CDrawContext&) {
    m_TabWnd.MoveWindow(GetClientRect());
}

void CMainView::OnSize(int nWidth, int nHeight) {
    CSurfaceWnd::OnSize(nWidth, nHeight);
    m_TabWnd.MoveWindow(GetClientRect());
}

void CMainView::InvalidateAll() {
    Invalidate(true);
    m_TabWnd.Invalidate(true);
    for (CSurfaceWnd* pPage :
         {static_cast<CSurfaceWnd*>(&m_SatPage), static_cast<CSurfaceWnd*>(&m_SigPage),
          static_cast<CSurfaceWnd*>(&m_PanelPage), static_cast<CSurfaceWnd*>(&m_StatsPage)})
        pPage->Invalidate(true);
}

std::array<CCommandTarget*, 4> CMainView::RoutingOrder() {
    return {&m_SigPage, &m_PanelPage, &m_SatPage, &m_StatsPage};
}

bool CMainView::OnCommand(int nId) {
    for (const auto& size : kTextSizes) {
        if (size.nId != nId)
            continue;
        WriteSettingInt(kSectionSettings, kTextSize, size.nPercent);
        SetTextScale(size.nPercent);
        InvalidateAll();
        return true;
    }
    for (CCommandTarget* pPage : RoutingOrder())
        if (pPage->OnCommand(nId))
            return true;
    return false;
}

bool CMainView::OnUpdateCommand(CCommandState& state) {
    for (const auto& size : kTextSizes) {
        if (size.nId == state.Id()) {
            state.SetCheck(TextScale() == size.nPercent);
            return true;
        }
    }
    for (CCommandTarget* pPage : RoutingOrder())
        if (pPage->OnUpdateCommand(state))
            return true;
    return false;
}

void CMainView::OnMessage(int nMessage) {
    switch (nMessage) {
        case WM_GPS_GGA: m_StatsPage.PostMessage(WM_GPS_GGA); break;
        case WM_GPS_GSV: m_SatPage.PostMessage(WM_GPS_GSV); break;
        default: CSurfaceWnd::OnMessage(nMessage); break;
    }
}
