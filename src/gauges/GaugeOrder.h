// SPDX-License-Identifier: MIT
// Which gauge the panel shows where and in what turn: the gauge codes, the turn order of the
// shown gauges, the quarter each gauge owns, and the count of ticks after which cycle mode
// moves on to the next gauge. Standard library only.
#pragma once

#include "platform/Rect.h"

#include <array>

inline constexpr int kGaugeAltimeter = 0;
inline constexpr int kGaugeCompass = 1;
inline constexpr int kGaugeSpeedometer = 2;
inline constexpr int kGaugeVerticalSpeed = 3;
inline constexpr int kGaugeCount = 4;

// The order in which the panel lays out, draws and cycles through its gauges; it is not the
// order of the codes.
inline constexpr std::array<int, kGaugeCount> kGaugeTurnOrder = {
    kGaugeCompass, kGaugeAltimeter, kGaugeSpeedometer, kGaugeVerticalSpeed};

// The shown gauges in turn order. Entries past the count keep what they held before.
struct GaugeOrder {
    std::array<int, kGaugeCount> list = kGaugeTurnOrder;
    int nCount = kGaugeCount;

    // Refills the list from the shown flags, indexed by gauge code.
    void Rebuild(const std::array<int, kGaugeCount>& shown);
};

// The fixed quarter of gauge nCode in client, each half-size truncated and each quarter
// anchored at the panel's outer corner, so an odd width or height leaves the middle line
// empty: speedometer top-left, altimeter top-right, compass bottom-left, vertical speed
// bottom-right.
CRect GaugeQuarter(int nCode, const CRect& client);

// Cycle mode's position: a gauge stays for four ticks, then the next one in the turn order
// follows, and after the last the first again.
struct GaugeCycle {
    static constexpr int kTicksPerGauge = 4;

    int nTicks = 0; // ticks since the cycle last advanced
    int nIndex = 0; // position in the order list

    void Tick(int nOrderCount);
};
