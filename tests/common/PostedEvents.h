// SPDX-License-Identifier: MIT
// Delivers everything posted so far, and what that posts in turn, as the event loop would
// between two timer ticks, without waiting on anything.
#pragma once

#include <QCoreApplication>

inline void ProcessPosted() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::sendPostedEvents();
}
