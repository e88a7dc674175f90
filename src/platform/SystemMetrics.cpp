// SPDX-License-Identifier: MIT
#include "platform/SystemMetrics.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <array>

namespace {

// The classic light scheme, by index 0 to 24.
constexpr std::array<QRgb, 25> kSysColors = {
    0xFFC0C0C0, //  0 scroll bar
    0xFF008080, //  1 background (desktop)
    0xFF000080, //  2 active caption
    0xFF808080, //  3 inactive caption
    0xFFC0C0C0, //  4 menu
    0xFFFFFFFF, //  5 window
    0xFF000000, //  6 window frame
    0xFF000000, //  7 menu text
    0xFF000000, //  8 window text
    0xFFFFFFFF, //  9 caption text
    0xFFC0C0C0, // 10 active border
    0xFFC0C0C0, // 11 inactive border
    0xFF808080, // 12 application workspace
    0xFF000080, // 13 highlight
    0xFFFFFFFF, // 14 highlight text
    0xFFC0C0C0, // 15 button face
    0xFF808080, // 16 button shadow
    0xFF808080, // 17 grey text
    0xFF000000, // 18 button text
    0xFFC0C0C0, // 19 inactive caption text
    0xFFFFFFFF, // 20 button highlight
    0xFF000000, // 21 3-D dark shadow
    0xFFC0C0C0, // 22 3-D light
    0xFF000000, // 23 tool-tip text
    0xFFFFFFE1, // 24 tool-tip background
};

// Thickness of a dialog frame in pixels.
constexpr int kDialogFrame = 3;

int g_nTextScale = 100;

const QScreen* PrimaryScreen() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QGuiApplication::primaryScreen()
               : nullptr;
}

} // namespace

QColor GetSysColor(int nIndex) {
    if (nIndex < 0 || nIndex >= static_cast<int>(kSysColors.size()))
        return QColor(Qt::black);
    return QColor::fromRgb(kSysColors[static_cast<std::size_t>(nIndex)]);
}

int ScreenDpiY() {
    const QScreen* pScreen = PrimaryScreen();
    const int nDpi = pScreen ? static_cast<int>(pScreen->logicalDotsPerInchY()) : 96;
    return nDpi * g_nTextScale / 100;
}

qreal ScreenPixelRatio() {
    const QScreen* pScreen = PrimaryScreen();
    return pScreen ? pScreen->devicePixelRatio() : 1.0;
}

void SetTextScale(int nPercent) {
    g_nTextScale = std::clamp(nPercent, 50, 400);
}

int TextScale() {
    return g_nTextScale;
}

int GetSystemMetrics(int nIndex) {
    const QScreen* pScreen = PrimaryScreen();
    switch (nIndex) {
        case SM_CXSCREEN: return pScreen ? pScreen->geometry().width() : 0;
        case SM_CYSCREEN: return pScreen ? pScreen->geometry().height() : 0;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME: return kDialogFrame;
        default: return 0;
    }
}
