#include "shell/TabWnd.h"

#include "platform/Dialog.h"
#include "platform/SystemMetrics.h"
#include "resources/resource.h"

#include <QTabBar>

CTabWnd::CTabWnd(QWidget* pParent) : CSurfaceWnd(pParent) {
    m_pTabs = new QTabBar(this);
    m_pTabs->setDrawBase(false);
    m_pTabs->setExpanding(false);
    SetDlgCtrlID(m_pTabs, ID_TAB_CONTROL);
    connect(m_pTabs, &QTabBar::currentChanged, this, [this](int nIndex) { ShowPage(nIndex); });
}

int CTabWnd::OnCreate() {
    m_pTabs->show();
    return 0;
}

bool CTabWnd::AddPage(QWidget* pPage, const QString& strLabel) {
    if (!pPage || m_nPages >= kMaxPages)
        return false;
    m_Pages[m_nPages++] = pPage;
    m_pTabs->addTab(strLabel); // selects the first tab, which shows its page
    ShowPage(m_pTabs->currentIndex());
    return true;
}

bool CTabWnd::ShowPage(int nIndex) {
    if (nIndex < 0 || nIndex >= m_nPages)
        return false;
    QWidget* pPage = m_Pages[nIndex];
    if (m_pCurrent && m_pCurrent != pPage)
        m_pCurrent->hide();
    m_pCurrent = pPage;
    if (m_pTabs->currentIndex() != nIndex)
        m_pTabs->setCurrentIndex(nIndex);
    Layout();
    m_pCurrent->show();
    return true;
}

bool CTabWnd::OnEraseBkgnd(CDrawContext&) {
    return true;
}

void CTabWnd::OnPaint(CDrawContext&) {
    Layout();
}

void CTabWnd::OnSize(int nWidth, int nHeight) {
    CSurfaceWnd::OnSize(nWidth, nHeight);
    Layout();
}

void CTabWnd::Layout() {
    const CRect client = GetClientRect();
    const int nTabHeight = m_pTabs->count() ? m_pTabs->tabRect(m_pTabs->currentIndex()).height()
                                            : m_pTabs->sizeHint().height();
    const int nStrip = GetSystemMetrics(SM_CYDLGFRAME) + 1 * nTabHeight; // one row of tabs
    const QRect strip(client.left, client.top, client.Width(), nStrip);
    if (m_pTabs->geometry() != strip)
        m_pTabs->setGeometry(strip);
    if (m_pCurrent) {
        const QRect page(client.left, client.top + nStrip, client.Width(),
                         client.bottom - client.top - nStrip);
        if (m_pCurrent->geometry() != page)
            m_pCurrent->setGeometry(page);
    }
}
