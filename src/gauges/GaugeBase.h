// SPDX-License-Identifier: MIT
// What the four gauges have in common besides their drawing pieces: the colours they fetch
// once. A gauge has no window of its own: the panel lays the gauges out and draws each with
// its own off-screen context.
#pragma once

#include "gauges/GaugeDrawing.h"

class CGaugeBase {
protected:
    CGaugeBase() : m_Colours(GaugeColours::FromSystem()) {}

    GaugeColours m_Colours;
};
