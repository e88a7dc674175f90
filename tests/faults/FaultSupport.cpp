// SPDX-License-Identifier: MIT
#include "FaultSupport.h"

#include "source/SerialPort.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QTabBar>

#include <random>

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

std::unique_ptr<CMainFrame> MakeFrame(CMainFrame::Options options) {
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

bool TickUntil(CMainFrame& frame, const std::function<bool()>& done) {
    return ProcessEventsUntil([&] {
        Tick(frame);
        return done();
    });
}

std::array<QImage, 4> RenderPages(CMainFrame& frame) {
    CTabWnd& tabs = frame.View().TabWnd();
    const int nFront = tabs.TabControl()->currentIndex();
    std::array<QImage, 4> images;
    for (int i = 0; i < 4; ++i) {
        tabs.ShowPage(i);
        images[static_cast<size_t>(i)] = tabs.CurrentPage()->grab().toImage();
    }
    tabs.ShowPage(nFront);
    return images;
}

std::string RandomBytes(size_t nBytes, uint32_t nSeed) {
    std::mt19937 random(nSeed);
    std::string s(nBytes, '\0');
    for (char& c : s)
        c = static_cast<char>(random());
    return s;
}

void AnswerSourceDialog(CScriptedInteraction& person, const QString& strChoice, quint16 nPort,
                        const QString& strBaud) {
    person.AnswerDialog([=](QDialog& d) {
        if (auto* pList = GetDlgItemAs<QComboBox>(&d, IDC_PORT))
            pList->setCurrentIndex(pList->findText(strChoice, Qt::MatchStartsWith));
        if (auto* pBaud = GetDlgItemAs<QComboBox>(&d, IDC_BAUD); pBaud && !strBaud.isEmpty())
            pBaud->setEditText(strBaud);
        if (auto* pHost = GetDlgItemAs<QLineEdit>(&d, IDC_NET_HOST))
            pHost->setText(strChoice);
        if (auto* pPort = GetDlgItemAs<QLineEdit>(&d, IDC_NET_PORT))
            pPort->setText(QString::number(nPort));
        d.accept();
    });
}
