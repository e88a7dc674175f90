#include "shell/RavuzizApp.h"

#include "platform/AppInfo.h"

#include <QCoreApplication>

namespace {

// A desktop window about the shape of a handheld screen, a little larger.
constexpr int kInitialWidth = 480;
constexpr int kInitialHeight = 600;

} // namespace

CRavuzizApp::CRavuzizApp() {
    QCoreApplication::setApplicationName(QString::fromLatin1(kAppName));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));
}

bool CRavuzizApp::InitInstance(const CMainFrame::Options& options) {
    // Settings go to ~/.config/VEVO/Ravuziz.conf from here on; nothing reads one earlier.
    QCoreApplication::setOrganizationName(QString::fromLatin1(kCompanyKey));
    m_pMainWnd = std::make_unique<CMainFrame>(options);
    m_pMainWnd->resize(kInitialWidth, kInitialHeight);
    m_pMainWnd->show();
    m_pMainWnd->repaint();
    return true;
}
