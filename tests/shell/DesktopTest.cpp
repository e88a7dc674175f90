// SPDX-License-Identifier: MIT
// What a desktop user reaches from the keyboard through the real frame (the pages in turn
// either way, a page's own menu, the help) and the help page itself, which must speak of
// every page and every menu item the program has.
#include "ShellTest.h"

#include "platform/Commands.h"
#include "platform/SystemMetrics.h"
#include "resources/MenuResources.h"
#include "resources/resource.h"
#include "views/SigNavWnd.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QTabBar>
#include <QTextBrowser>

#include <functional>

namespace {

class Desktop : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        pFrame = Start();
        pFrame->activateWindow();
        QApplication::setActiveWindow(pFrame.get());
    }
    void TearDown() override {
        pFrame.reset();
        SetTextScale(100); // the scale is the program's, not the frame's
        ShellTest::TearDown();
    }

    // A key as the window system delivers it to whatever has the focus in the frame.
    void Press(QKeyCombination keys) {
        QWidget* pTarget = QApplication::focusWidget() ? QApplication::focusWidget() : pFrame.get();
        QKeyEvent press(QEvent::KeyPress, keys.key(), keys.keyboardModifiers());
        QApplication::sendEvent(pTarget, &press);
        QKeyEvent release(QEvent::KeyRelease, keys.key(), keys.keyboardModifiers());
        QApplication::sendEvent(pTarget, &release);
        ProcessPosted();
    }
    int CurrentPage() const { return pFrame->View().TabWnd().TabControl()->currentIndex(); }

    std::unique_ptr<CMainFrame> pFrame;
};

TEST_F(Desktop, KeysGoRoundThePagesEitherWayAndOpenAPagesMenu) {
    ASSERT_EQ(QApplication::activeWindow(), pFrame.get());
    const struct {
        QKeyCombination keys;
        int nPage;
    } steps[] = {
        {Qt::CTRL | Qt::Key_Tab, 1},
        {Qt::CTRL | Qt::Key_PageDown, 2},
        {Qt::CTRL | Qt::Key_Tab, 3},
        {Qt::CTRL | Qt::Key_Tab, 0},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 3},
        {Qt::CTRL | Qt::Key_PageUp, 2},
    };
    for (const auto& step : steps) {
        Press(step.keys);
        EXPECT_EQ(CurrentPage(), step.nPage) << QKeySequence(step.keys).toString().toStdString();
        EXPECT_EQ(pFrame->View().TabWnd().CurrentPage()->isVisible(), true);
    }

    // Both keys open the menu that a tap and hold on the page opens, with nothing chosen.
    CScriptedInteraction person;
    QWidget* pPage = pFrame->View().TabWnd().CurrentPage();
    QContextMenuEvent hold(QContextMenuEvent::Mouse, QPoint(5, 5),
                           pPage->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(pPage, &hold);
    ProcessPosted();
    Press(QKeyCombination(Qt::Key_Menu));
    Press(Qt::SHIFT | Qt::Key_F10);
    ASSERT_EQ(person.Prompts().size(), 3u);
    for (const Prompt& prompt : person.Prompts()) {
        EXPECT_EQ(prompt.kind, Prompt::Kind::Menu);
        ASSERT_EQ(prompt.menuItems.size(), person.Prompts()[0].menuItems.size());
        for (size_t i = 0; i < prompt.menuItems.size(); ++i)
            EXPECT_EQ(prompt.menuItems[i].strText, person.Prompts()[0].menuItems[i].strText);
    }
    EXPECT_FALSE(person.Prompts()[0].menuItems.empty());
}

// The lowest row of the Sig/Nav page with text ink on it, the text area's frame left out.
int LowestInkRow(CMainFrame& frame) {
    CSigNavWnd& page = frame.View().SignalPage();
    const QImage image = page.grab().toImage();
    const CRect area = CSigNavWnd::TextArea(page.GetClientRect());
    const QRect text(area.left + 1, area.top + 1, area.Width() - 2, area.Height() - 2);
    for (int y = text.bottom(); y >= text.top(); --y)
        for (int x = text.left(); x <= text.right(); ++x)
            if (image.pixel(x, y) == GetSysColor(COLOR_BTNTEXT).rgb())
                return y - text.top();
    return -1;
}

TEST_F(Desktop, TextSizeScalesThePagesTextAndIsKept) {
    pFrame->resize(480, 900); // room for every row at every size
    ProcessPosted();
    const int nNormal = LowestInkRow(*pFrame);
    ASSERT_GT(nNormal, 0);
    EXPECT_TRUE(pFrame->OnCommand(ID_TEXT_LARGER));
    ProcessPosted();
    const int nLarger = LowestInkRow(*pFrame);
    // Every row grows with its font, so the block's last row moves down by about half again.
    EXPECT_NEAR(static_cast<double>(nLarger) / nNormal, 1.5, 0.15);

    pFrame.reset();
    SetTextScale(100);
    pFrame = Start();
    EXPECT_EQ(TextScale(), 150);
    EXPECT_TRUE(QueryCommandState(pFrame.get(), ID_TEXT_LARGER).IsChecked());
    EXPECT_FALSE(QueryCommandState(pFrame.get(), ID_TEXT_NORMAL).IsChecked());
}

// Every text a menu shows, without its access-key marks and sub-menu names.
void MenuTexts(std::span<const MenuItemDef> items, QStringList& texts) {
    for (const MenuItemDef& item : items) {
        if (item.IsSeparator())
            continue;
        const QString strText = QString::fromUtf8(item.pszText).remove(QLatin1Char('&'));
        if (!strText.startsWith(QStringLiteral("IDR_")))
            texts << strText;
        MenuTexts(item.subItems, texts);
    }
}

TEST_F(Desktop, F1ShowsAHelpPageOnEveryPageAndEveryMenuItem) {
    CScriptedInteraction person;
    QString strHelp;
    person.AnswerDialog([&](QDialog& dialog) {
        if (const auto* pBrowser = dialog.findChild<QTextBrowser*>())
            strHelp = pBrowser->toPlainText();
        dialog.reject(); // Esc
    });
    Press(QKeyCombination(Qt::Key_F1));
    ASSERT_EQ(person.Prompts().size(), 1u);
    EXPECT_EQ(person.Prompts()[0].kind, Prompt::Kind::Dialog);

    QStringList expected;
    const QTabBar* pTabs = pFrame->View().TabWnd().TabControl();
    for (int i = 0; i < pTabs->count(); ++i)
        expected << pTabs->tabText(i);
    for (const MenuId menu :
         {IDR_MAINFRAME, IDR_SIG_QUAL_POPUP, IDR_AZEL_POPUP, IDR_PANEL_POPUP, IDR_STATS_POPUP})
        MenuTexts(FindMenuResource(menu), expected);
    ASSERT_GT(expected.size(), 20);
    for (const QString& strText : expected)
        EXPECT_TRUE(strHelp.contains(strText)) << strText.toStdString();
}

} // namespace
