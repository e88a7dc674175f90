// SPDX-License-Identifier: MIT
// The desktop as the person left it comes back at the next start, through the real frame:
// the gauges chosen on the panel and its cycling, the page in front, the window's place and
// size (unless no screen has room for it any more), the folders of the replay and record
// dialogs; and with remembering turned off, every start is the first.
#include "ShellTest.h"

#include "gauges/GaugeOrder.h"
#include "resources/resource.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTabBar>
#include <QTemporaryDir>

namespace {

class Remember : public ShellTest {
protected:
    // Where the replay (or record) dialog opens: what it was shown, cancelled.
    static QString DialogFolder(CMainFrame& frame, int nCommand) {
        CScriptedInteraction person;
        person.AnswerFile(QString());
        frame.OnCommand(nCommand);
        return person.Prompts().empty() ? QString()
                                        : QFileInfo(person.Prompts().back().strInitialPath).path();
    }
};

bool IsAtDefault(const CMainFrame& frame) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    return frame.size() == CMainFrame::kDefaultSize && frame.geometry().center() == screen.center();
}

TEST_F(Remember, TheDesktopComesBackAsItWasLeftUnlessRememberingIsOff) {
    QTemporaryDir replays, records;
    const QString strReplay = replays.filePath(QStringLiteral("drive.nmea"));
    QFile(strReplay).open(QIODevice::WriteOnly);
    const QRect placed(40, 30, 400, 500);
    {
        auto pFrame = Start();
        EXPECT_TRUE(IsAtDefault(*pFrame)) << "the first start";
        for (const int nCommand : {ID_SHOW_COMPASS, ID_SHOW_SPEED, ID_CYCLE_GAUGES})
            EXPECT_TRUE(pFrame->OnCommand(nCommand));
        pFrame->View().TabWnd().TabControl()->setCurrentIndex(3); // a click on "Stats"
        pFrame->setGeometry(placed);
        CScriptedInteraction person;
        person.AnswerFile(strReplay);
        person.AnswerFile(records.filePath(QStringLiteral("log.txt")));
        pFrame->OnCommand(ID_CONNECT_LOGGED_FILE);
        pFrame->OnCommand(ID_LOG_START);
        pFrame->OnCommand(ID_LOG_STOP);
    }

    for (const bool bRemember : {true, false}) {
        SCOPED_TRACE(bRemember ? "remembered" : "remembering off");
        if (!bRemember)
            WriteSettingInt(kSectionDesktop, kRememberDesktop, 0);
        auto pFrame = Start();
        const CGaugePanelWnd& panel = pFrame->View().PanelPage();
        EXPECT_EQ(panel.IsShown(kGaugeCompass), !bRemember);
        EXPECT_EQ(panel.IsShown(kGaugeSpeedometer), !bRemember);
        EXPECT_TRUE(panel.IsShown(kGaugeAltimeter));
        EXPECT_TRUE(panel.IsShown(kGaugeVerticalSpeed));
        EXPECT_EQ(panel.IsCycling(), bRemember);
        EXPECT_EQ(pFrame->View().TabWnd().CurrentPage(),
                  bRemember ? static_cast<QWidget*>(&pFrame->View().StatsPage())
                            : &pFrame->View().SignalPage());
        if (bRemember)
            EXPECT_EQ(pFrame->geometry(), placed);
        else
            EXPECT_TRUE(IsAtDefault(*pFrame));
        EXPECT_EQ(DialogFolder(*pFrame, ID_CONNECT_LOGGED_FILE) == QDir(replays.path()).path(),
                  bRemember);
        EXPECT_EQ(DialogFolder(*pFrame, ID_LOG_START) == QDir(records.path()).path(), bRemember);
        if (!bRemember) { // changed with remembering off, nothing is kept
            pFrame->OnCommand(ID_SHOW_ALTIMETER);
            pFrame->View().TabWnd().ShowPage(1);
        }
    }
    WriteSettingInt(kSectionDesktop, kRememberDesktop, 1);
    auto pFrame = Start();
    EXPECT_TRUE(pFrame->View().PanelPage().IsShown(kGaugeAltimeter));
    EXPECT_FALSE(pFrame->View().PanelPage().IsShown(kGaugeCompass));
    EXPECT_EQ(pFrame->View().FrontPageLabel(), "Stats");
}

TEST_F(Remember, AWindowNoScreenHasRoomForOpensAtItsDefaultSizeInTheMiddle) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        const char* pszLegend;
        QRect rect;
    } cases[] = {
        {"on a screen unplugged since", screen.translated(screen.width() + 100, 0)},
        {"reaching past the screen's edge", QRect(screen.right() - 100, 0, 400, 300)},
        {"larger than the screen", QRect(screen.topLeft(), screen.size() + QSize(1, 0))},
        {"no size", QRect(screen.topLeft(), QSize(0, 300))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLegend);
        WriteSettingInt(kSectionDesktop, kWindowLeft, c.rect.left());
        WriteSettingInt(kSectionDesktop, kWindowTop, c.rect.top());
        WriteSettingInt(kSectionDesktop, kWindowWidth, c.rect.width());
        WriteSettingInt(kSectionDesktop, kWindowHeight, c.rect.height());
        auto pFrame = Start();
        EXPECT_TRUE(IsAtDefault(*pFrame));
    }
}

} // namespace
