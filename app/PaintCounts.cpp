// SPDX-License-Identifier: MIT
#include "PaintCounts.h"

#include "shell/MainFrame.h"
#include "shell/MainView.h"

#include <QApplication>
#include <QTabBar>
#include <QWidget>

#include <cstdio>

namespace {

class CPaintCounter : public QObject {
public:
    using QObject::QObject;

    void Report() const {
        CMainFrame* pFrame = Frame();
        if (!pFrame)
            return;
        const CTabWnd& tabs = pFrame->View().TabWnd();
        QWidget* pPage = tabs.CurrentPage();
        int nDrawn = 0;
        if (auto* pSurface = dynamic_cast<CSurfaceWnd*>(pPage))
            nDrawn += pSurface->DrawCount();
        if (pPage)
            for (QWidget* pChild : pPage->findChildren<QWidget*>())
                if (auto* pChildSurface = dynamic_cast<CSurfaceWnd*>(pChild))
                    nDrawn += pChildSurface->DrawCount();
        const QTabBar* pTabs = tabs.TabControl();
        std::fprintf(stderr, "ravuziz: paints: page %s drawn %d, shown %d, window shown %d\n",
                     pTabs->tabText(pTabs->currentIndex()).toLocal8Bit().constData(), nDrawn,
                     m_nPageShown, m_nWindowShown);
    }

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override {
        if (pEvent->type() != QEvent::Paint || !pObject->isWidgetType())
            return false;
        auto* pWidget = static_cast<QWidget*>(pObject);
        auto* pFrame = dynamic_cast<CMainFrame*>(pWidget->window());
        if (!pFrame)
            return false;
        ++m_nWindowShown;
        const QWidget* pPage = pFrame->View().TabWnd().CurrentPage();
        if (pPage && (pPage == pWidget || pPage->isAncestorOf(pWidget)))
            ++m_nPageShown;
        return false;
    }

private:
    static CMainFrame* Frame() {
        for (QWidget* pWidget : QApplication::topLevelWidgets())
            if (auto* pFrame = dynamic_cast<CMainFrame*>(pWidget))
                return pFrame;
        return nullptr;
    }

    int m_nPageShown = 0;
    int m_nWindowShown = 0;
};

} // namespace

void ReportPaintCountsIfAsked() {
    if (qEnvironmentVariableIsEmpty("RAVUZIZ_REPORT_PAINTS"))
        return;
    QCoreApplication* pApp = QCoreApplication::instance();
    auto* pCounter = new CPaintCounter(pApp);
    pApp->installEventFilter(pCounter);
    QObject::connect(pApp, &QCoreApplication::aboutToQuit, pCounter,
                     [pCounter] { pCounter->Report(); });
}
