// SPDX-License-Identifier: MIT
// The tab container: tabs on top, one page shown below them, at most sixteen pages.
#include "shell/TabWnd.h"

#include <QCoreApplication>
#include <QTabBar>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

TEST(TabWnd, ShowsOnePageBelowTheStripAndRefusesTheSeventeenth) {
    QWidget top;
    top.resize(240, 300);
    CTabWnd tabs;
    ASSERT_TRUE(tabs.Create("TabWnd", CRect{0, 0, 240, 300}, &top, 101, true));
    top.show();
    std::vector<std::unique_ptr<QWidget>> pages;
    for (int i = 0; i < 17; ++i) {
        pages.push_back(std::make_unique<QWidget>(&tabs));
        pages.back()->hide();
        EXPECT_EQ(tabs.AddPage(pages.back().get(), QString("P%1").arg(i)), i < 16) << i;
    }
    EXPECT_FALSE(tabs.AddPage(nullptr, "none"));
    EXPECT_EQ(tabs.PageCount(), 16);
    EXPECT_EQ(tabs.TabControl()->count(), 16);
    EXPECT_EQ(tabs.CurrentPage(), pages[0].get());
    EXPECT_TRUE(pages[0]->isVisible());

    ASSERT_TRUE(tabs.ShowPage(3));
    EXPECT_FALSE(pages[0]->isVisible());
    EXPECT_TRUE(pages[3]->isVisible());
    EXPECT_EQ(tabs.TabControl()->currentIndex(), 3);
    EXPECT_FALSE(tabs.ShowPage(16));
    EXPECT_FALSE(tabs.ShowPage(-1));
    EXPECT_EQ(tabs.CurrentPage(), pages[3].get());

    // Tapping a tab shows its page; the strip stays at the top, the page fills the rest.
    tabs.TabControl()->setCurrentIndex(5);
    EXPECT_EQ(tabs.CurrentPage(), pages[5].get());
    EXPECT_FALSE(pages[3]->isVisible());
    const QRect strip = tabs.TabControl()->geometry();
    const QRect page = pages[5]->geometry();
    EXPECT_EQ(strip.topLeft(), QPoint(0, 0));
    EXPECT_EQ(strip.width(), 240);
    EXPECT_EQ(page.top(), strip.bottom() + 1);
    EXPECT_EQ(page.bottom(), 299);
    EXPECT_EQ(page.width(), 240);
    EXPECT_GT(strip.height(), tabs.TabControl()->tabRect(5).height()); // plus the frame margin

    tabs.MoveWindow(CRect{0, 0, 320, 200});
    QCoreApplication::processEvents();
    EXPECT_EQ(pages[5]->geometry().width(), 320);
    EXPECT_EQ(pages[5]->geometry().bottom(), 199);
}

} // namespace
