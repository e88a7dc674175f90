// SPDX-License-Identifier: MIT
// Running the event loop for tests without waiting on wall-clock periods: what was posted, until
// something has happened (with a generous limit as a safety net, not a measure of speed), or
// firing the timers a window tree has set once each, as if their periods had passed.
#pragma once

#include <QCoreApplication>

#include <functional>

// Delivers everything posted so far, and what that posts in turn, as the event loop would
// between two timer ticks.
inline void ProcessPosted() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::sendPostedEvents();
}

// Processes events until done() holds; false if it still does not after nLimitMs.
bool ProcessEventsUntil(const std::function<bool()>& done, int nLimitMs = 10000);

// Delivers one tick of every timer that pRoot and its descendants have running, then what
// the ticks posted.
void FireTimers(QObject* pRoot);
