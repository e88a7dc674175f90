// SPDX-License-Identifier: MIT
#include "shell/TabWnd.h"

#include "platform/Dialog.h"
#include "platform/SystemMetrics.h"
#include "resources/resource.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QShortcut>
#include <QTabBar>

CTabWnd::CTabWnd(QWidget* pParent) : CSurfaceWnd(pParent) {
    SetCoveredByChildren();
    m_pTabs = new QTabBar(this);
    m_pTabs->setDrawBase(false);
    m_pTabs->setExpanding(false);
    SetDlgCtrlID(m_pTabs, ID_TAB_CONTROL);
    connect(m_pTabs, &QTabBar::currentChanged, this, [this](int nIndex) { ShowPage(nIndex); });

    // The keys of every tabbed window on the desktop, and the keyboard's way to a page's
    // tap-and-hold menu. They act while the main window is the active one, not over a dialog.
    const auto bind = [this](QKeyCombination keys, void (CTabWnd::*pAction)()) {
        auto* pShortcut = new QShortcut(QKeySequence(keys), this);
        pShortcut->setContext(Qt::WindowShortcut);
        connect(pShortcut, &QShortcut::activated, this, pAction);
    };
    bind(Qt::CTRL | Qt::Key_Tab, &CTabWnd::ShowNextPage);
    bind(Qt::CTRL | Qt::Key_PageDown, &CTabWnd::ShowNextPage);
    // Shift turns Tab into Backtab on the way in; both spellings are bound.
    bind(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, &CTabWnd::ShowPreviousPage);
    bind(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, &CTabWnd::ShowPreviousPage);
    bind(Qt::CTRL | Qt::Key_PageUp, &CTabWnd::ShowPreviousPage);
    bind(QKeyCombination(Qt::Key_Menu), &CTabWnd::OpenPageMenu);
    bind(Qt::SHIFT | Qt::Key_F10, &CTabWnd::OpenPageMenu);
}

void CTabWnd::ShowNextPage() {
    if (m_nPages > 0)
        ShowPage((m_pTabs->currentIndex() + 1) % m_nPages);
}

void CTabWnd::ShowPreviousPage() {
    if (m_nPages > 0)
        ShowPage((m_pTabs->currentIndex() + m_nPages - 1) % m_nPages);
}

void CTabWnd::OpenPageMenu() {
    if (!m_pCurrent)
        return;
    // The menu opens where a keyboard user looks: the middle of the page.
    const QPoint centre = m_pCurrent->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, centre, m_pCurrent->mapToGlobal(centre));
    QCoreApplication::sendEvent(m_pCurrent, &event);
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
