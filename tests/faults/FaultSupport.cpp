// SPDX-License-Identifier: MIT
#include "FaultSupport.h"

#include "settings/SettingsStore.h"
#include "shell/MainView.h"
#include "source/SerialPort.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QSettings>
#include <QTabBar>

#include <algorithm>

namespace {

// A pseudo-terminal has no driver to settle after a close.
[[maybe_unused]] const bool kNoSettlePause = (CSerialPort::SetSettlePause(0), true);

} // namespace

void FaultTest::SetUp() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_Config.path());
    ReopenSettingsStore();
}

void FaultTest::TearDown() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       qEnvironmentVariable("XDG_CONFIG_HOME"));
    ReopenSettingsStore();
}

QString FaultTest::ConfigFile() const {
    return m_Config.filePath(QStringLiteral("VEVO/Ravuziz.conf"));
}

std::unique_ptr<CMainFrame> MakeFrame(const QString& strReplay) {
    CMainFrame::Options options;
    options.strReplayPath = strReplay;
    options.bSkipWarning = true;
    auto pFrame = std::make_unique<CMainFrame>(options);
    pFrame->resize(480, 600);
    ProcessPosted();
    return pFrame;
}

void Tick(CMainFrame& frame, int nTicks) {
    for (int i = 0; i < nTicks; ++i) {
        frame.OnTimer(CPollLoop::kTimerId);
        ProcessPosted();
    }
}

int TickUntilSilent(CMainFrame& frame, int nMaxTicks) {
    for (int n = 1; n <= nMaxTicks; ++n) {
        Tick(frame);
        if (frame.PollLoop().NoData())
            return n;
    }
    return -1;
}

namespace {

void RenderWindow(QWidget& widget, QPainter& painter, QPoint ptOrigin) {
    if (auto* pSurface = dynamic_cast<CSurfaceWnd*>(&widget)) {
        pSurface->UpdateSurface();
        if (!pSurface->Surface().isNull())
            painter.drawImage(ptOrigin, pSurface->Surface());
    }
    for (QObject* pChild : widget.children()) {
        auto* pChildWidget = qobject_cast<QWidget*>(pChild);
        if (pChildWidget && !pChildWidget->isHidden())
            RenderWindow(*pChildWidget, painter, ptOrigin + pChildWidget->pos());
    }
}

} // namespace

std::array<QImage, 4> RenderPages(CMainFrame& frame) {
    CTabWnd& tabs = frame.View().TabWnd();
    const int nFront = tabs.TabControl()->currentIndex();
    std::array<QImage, 4> images;
    for (int i = 0; i < 4; ++i) {
        tabs.ShowPage(i);
        QWidget& page = *tabs.CurrentPage();
        QImage image(page.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        RenderWindow(page, painter, QPoint());
        painter.end();
        images[static_cast<size_t>(i)] = image;
    }
    tabs.ShowPage(nFront);
    return images;
}

int CountSentences(const std::string& str) {
    return static_cast<int>(std::count(str.begin(), str.end(), '$'));
}

int CSlowPerson::MessageBox(QWidget* pOwner, const QString& strText, const QString& strCaption,
                            unsigned nType) {
    ++m_nOpen;
    nMaxOpen = std::max(nMaxOpen, m_nOpen);
    if (m_nOpen == 1 && whileOpen)
        whileOpen();
    const int nAnswer = CScriptedInteraction::MessageBox(pOwner, strText, strCaption, nType);
    --m_nOpen;
    return nAnswer;
}
