// SPDX-License-Identifier: MIT
// The tab container: a strip of tabs on top and, below it, the one page that is current.
// Pages are added once at start-up, never removed, and switching tabs only hides one page and
// shows another, so hidden pages keep running their timers and handlers.
#pragma once

#include "platform/SurfaceWnd.h"

#include <array>

class QTabBar;

class CTabWnd : public CSurfaceWnd {
public:
    static constexpr int kMaxPages = 16;

    explicit CTabWnd(QWidget* pParent = nullptr);

    // Adds pPage under a new tab labelled strLabel; false without a page or when 16 are there.
    bool AddPage(QWidget* pPage, const QString& strLabel);
    // Makes page nIndex the visible one; false for an index outside the pages added.
    bool ShowPage(int nIndex);
    // Ctrl+Tab and Ctrl+PgDown, Ctrl+Shift+Tab and Ctrl+PgUp: round the pages either way.
    void ShowNextPage();
    void ShowPreviousPage();
    // The Menu key and Shift+F10: the current page's own menu, as a tap and hold opens it.
    void OpenPageMenu();

    int PageCount() const { return m_nPages; }
    QWidget* CurrentPage() const { return m_pCurrent; }
    QTabBar* TabControl() const { return m_pTabs; }

protected:
    int OnCreate() override;
    // The pages cover everything below the strip; nothing to erase, so no flash.
    bool OnEraseBkgnd(CDrawContext& dc) override;
    void OnPaint(CDrawContext& dc) override;
    void OnSize(int nWidth, int nHeight) override;

private:
    // The strip across the top, the current page under it.
    void Layout();

    QTabBar* m_pTabs;
    std::array<QWidget*, kMaxPages> m_Pages{};
    int m_nPages = 0;
    QWidget* m_pCurrent = nullptr;
};
