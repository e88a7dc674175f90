// SPDX-License-Identifier: MIT
#include "shell/WindowPlacement.h"

#include "settings/DesktopMemory.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace {

struct Placement {
    QRect rect; // the client area, as QWidget::geometry() gives it
    bool bMaximized = false;
};

int ReadDesktopInt(const char* pszName, int nDefault) {
    return ReadSettingInt(QString::fromLatin1(kSectionDesktop), QString::fromLatin1(pszName),
                          nDefault);
}

void WriteDesktopInt(const char* pszName, int nValue) {
    WriteSettingInt(QString::fromLatin1(kSectionDesktop), QString::fromLatin1(pszName), nValue);
}

bool FitsOnAScreen(const QRect& rect) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&](const QScreen* pScreen) {
        return pScreen->availableGeometry().contains(rect);
    });
}

// The placement kept in the settings, if there is one and it fits on a screen now.
std::optional<Placement> StoredPlacement() {
    // A width or height of 0 is as good as none: nothing was stored, or not all of it.
    const QRect rect(ReadDesktopInt(kWindowLeft, 0), ReadDesktopInt(kWindowTop, 0),
                     ReadDesktopInt(kWindowWidth, 0), ReadDesktopInt(kWindowHeight, 0));
    if (rect.width() <= 0 || rect.height() <= 0 || !FitsOnAScreen(rect))
        return std::nullopt;
    return Placement{rect, ReadDesktopInt(kWindowMaximized, 0) != 0};
}

} // namespace

void PlaceWindow(QWidget& window, QSize defaultSize) {
    if (const std::optional<Placement> placement =
            RemembersDesktop() ? StoredPlacement() : std::nullopt) {
        window.setGeometry(placement->rect);
        if (placement->bMaximized)
            window.setWindowState(window.windowState() | Qt::WindowMaximized);
        return;
    }
    const QScreen* pScreen = QGuiApplication::primaryScreen();
    if (!pScreen) {
        window.resize(defaultSize);
        return;
    }
    window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, defaultSize,
                                           pScreen->availableGeometry()));
}

void StoreWindowPlacement(const QWidget& window) {
    const bool bMaximized = window.isMaximized();
    const QRect rect =
        bMaximized || window.isFullScreen() ? window.normalGeometry() : window.geometry();
    if (rect.isEmpty())
        return;
    WriteDesktopInt(kWindowLeft, rect.left());
    WriteDesktopInt(kWindowTop, rect.top());
    WriteDesktopInt(kWindowWidth, rect.width());
    WriteDesktopInt(kWindowHeight, rect.height());
    WriteDesktopInt(kWindowMaximized, bMaximized ? 1 : 0);
}
