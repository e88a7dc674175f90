// SPDX-License-Identifier: MIT
#include "PaintReports.h"

#include "shell/MainFrame.h"
#include "shell/MainView.h"

#include <QApplication>
#include <QTabBar>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace {

class CPaintWatcher : public QObject {
public:
    CPaintWatcher(bool bFrames, bool bCounts, QObject* pParent)
        : QObject(pParent), m_bFrames(bFrames), m_bCounts(bCounts) {}

    void ReportCounts() const {
        CMainFrame* pFrame = Frame();
        if (!m_bCounts || !pFrame)
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
        const QWidget* pPage = pFrame->View().TabWnd().CurrentPage();
        const bool bOnPage = pPage && (pPage == pWidget || pPage->isAncestorOf(pWidget));
        ++m_nWindowShown;
        m_nPageShown += bOnPage ? 1 : 0;
        if (m_bFrames)
            ReportFrame(*pFrame, bOnPage);
        return false;
    }

private:
    void ReportFrame(CMainFrame& frame, bool bOnPage) {
        if (!m_bFirst) {
            m_bFirst = true;
            ReportTime("first frame");
        }
        if (frame.Parser().SentenceCount() == 0)
            return;
        if (!m_bData) {
            m_bData = true;
            ReportTime("first frame with data");
        }
        if (bOnPage) {
            m_bFrames = false; // all three are told
            ReportTime("first page with data");
        }
    }

    static void ReportTime(const char* pszWhat) {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::fprintf(stderr, "ravuziz: %s at %lld.%09ld\n", pszWhat,
                     static_cast<long long>(now.tv_sec), now.tv_nsec);
    }

    static CMainFrame* Frame() {
        for (QWidget* pWidget : QApplication::topLevelWidgets())
            if (auto* pFrame = dynamic_cast<CMainFrame*>(pWidget))
                return pFrame;
        return nullptr;
    }

    bool m_bFrames;
    bool m_bCounts;
    bool m_bFirst = false;
    bool m_bData = false;
    int m_nPageShown = 0;
    int m_nWindowShown = 0;
};

} // namespace

void StartPaintReportsIfAsked() {
    const bool bFrames = !qEnvironmentVariableIsEmpty("RAVUZIZ_REPORT_FRAMES");
    const bool bCounts = !qEnvironmentVariableIsEmpty("RAVUZIZ_REPORT_PAINTS");
    if (!bFrames && !bCounts)
        return;
    QCoreApplication* pApp = QCoreApplication::instance();
    auto* pWatcher = new CPaintWatcher(bFrames, bCounts, pApp);
    pApp->installEventFilter(pWatcher);
    QObject::connect(pApp, &QCoreApplication::aboutToQuit, pWatcher,
                     [pWatcher] { pWatcher->ReportCounts(); });
}
