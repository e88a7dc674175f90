// SPDX-License-Identifier: MIT
// The tab container: tabs on top, one page shown below them, at most sixteen pages.
#include "shell/TabWnd.h"

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
        EXPECT_EQ(tabs.AddPage(pages.back().get(), QString("P%1").arg(i)), i < 16) << i;
    }
    EXPECT_EQ(tabs.TabControl()->count(), 16);
    EXPECT_FALSE(tabs.ShowPage(16));
    // Tapping a tab shows its page alone; the strip stays at the top, the page fills the rest.
    tabs.TabControl()->setCurrentIndex(5);
    EXPECT_EQ(tabs.CurrentPage(), pages[5].get());
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(pages[i]->isVisible(), i == 5) << i;
    const QRect strip = tabs.TabControl()->geometry();
    EXPECT_EQ(strip, QRect(0, 0, 240, strip.height()));
    EXPECT_EQ(pages[5]->geometry(), QRect(0, strip.bottom() + 1, 240, 299 - strip.bottom()));
}

} // namespace
