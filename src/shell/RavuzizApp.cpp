// SPDX-License-Identifier: MIT
#include "shell/RavuzizApp.h"

#include "platform/AppInfo.h"
#include "platform/DeferredIconStyle.h"

#include <QCoreApplication>

CRavuzizApp::CRavuzizApp() {
    QCoreApplication::setApplicationName(QString::fromLatin1(kAppName));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));
}

bool CRavuzizApp::InitInstance(const CMainFrame::Options& options) {
    // Settings go to ~/.config/VEVO/Ravuziz.conf from here on; nothing reads one earlier.
    QCoreApplication::setOrganizationName(QString::fromLatin1(kCompanyKey));
    DeferStandardIcons();
    // The frame places itself: where it was left, or in the middle of the screen.
    m_pMainWnd = std::make_unique<CMainFrame>(options);
    m_pMainWnd->show();
    m_pMainWnd->repaint();
    return true;
}
