// SPDX-License-Identifier: MIT
// Where the main window opens: where and as large as it was left, when that still lies whole
// on one of the screens there are now (a screen unplugged since, or a smaller resolution, must
// not leave the window out of reach), otherwise at its default size in the middle of the
// primary screen. Places and sizes are in device-independent pixels, so a change of display
// scaling keeps the window's place on the desktop.
#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// Gives window (not yet shown) its kept placement when the desktop is remembered
// (settings/DesktopMemory.h), otherwise defaultSize in the primary screen's middle.
void PlaceWindow(QWidget& window, QSize defaultSize);
// Keeps where window is now; a maximised window keeps the place it returns to.
void StoreWindowPlacement(const QWidget& window);
