// SPDX-License-Identifier: MIT
#include "FrameTimes.h"

#include "shell/MainFrame.h"
#include "shell/MainView.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace {

class CFrameWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override {
        if (pEvent->type() != QEvent::Paint || !pObject->isWidgetType())
            return false;
        auto* pWidget = static_cast<QWidget*>(pObject);
        auto* pFrame = dynamic_cast<CMainFrame*>(pWidget->window());
        if (!pFrame)
            return false;
        if (!m_bFirst) {
            m_bFirst = true;
            Report("first frame");
        }
        if (pFrame->Parser().SentenceCount() == 0)
            return false;
        if (!m_bData) {
            m_bData = true;
            Report("first frame with data");
        }
        const QWidget* pPage = pFrame->View().TabWnd().CurrentPage();
        if (!m_bPage && pPage && (pPage == pWidget || pPage->isAncestorOf(pWidget))) {
            m_bPage = true;
            Report("first page with data");
            QCoreApplication::instance()->removeEventFilter(this);
        }
        return false;
    }

private:
    static void Report(const char* pszWhat) {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::fprintf(stderr, "ravuziz: %s at %lld.%09ld\n", pszWhat,
                     static_cast<long long>(now.tv_sec), now.tv_nsec);
    }

    bool m_bFirst = false;
    bool m_bData = false;
    bool m_bPage = false;
};

} // namespace

void ReportFrameTimesIfAsked() {
    if (qEnvironmentVariableIsEmpty("RAVUZIZ_REPORT_FRAMES"))
        return;
    QCoreApplication* pApp = QCoreApplication::instance();
    pApp->installEventFilter(new CFrameWatcher(pApp));
}
