// SPDX-License-Identifier: MIT
#include "gauges/GaugeOrder.h"

void GaugeOrder::Rebuild(const std::array<int, kGaugeCount>& shown) {
    nCount = 0;
    for (const int nCode : kGaugeTurnOrder)
        if (shown[static_cast<std::size_t>(nCode)])
            list[static_cast<std::size_t>(nCount++)] = nCode;
}

CRect GaugeQuarter(int nCode, const CRect& client) {
    const int nHalfWidth = client.Width() / 2;
    const int nHalfHeight = client.Height() / 2;
    const int l = client.left;
    const int t = client.top;
    const int r = client.right;
    const int b = client.bottom;
    switch (nCode) {
        case kGaugeSpeedometer: return {l, t, l + nHalfWidth, t + nHalfHeight};
        case kGaugeAltimeter: return {r - nHalfWidth, t, r, t + nHalfHeight};
        case kGaugeCompass: return {l, b - nHalfHeight, l + nHalfWidth, b};
        case kGaugeVerticalSpeed: return {r - nHalfWidth, b - nHalfHeight, r, b};
        default: return {};
    }
}

void GaugeCycle::Tick(int nOrderCount) {
    if (++nTicks < kTicksPerGauge)
        return;
    nTicks = 0;
    if (++nIndex >= nOrderCount)
        nIndex = 0;
}
