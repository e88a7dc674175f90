// SPDX-License-Identifier: MIT
// A gauge panel on a fresh GPS state record and an empty settings store, created hidden at a
// given size and rendered on request; and the images against which its pages are checked.
#pragma once

#include "GaugeTestSupport.h"

#include "gauges/GaugePanelWnd.h"
#include "nmea/NmeaParser.h"
#include "platform/AppInfo.h"
#include "resources/resource.h"

#include "common/CleanStore.h"
#include "common/Events.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class PanelTest : public CleanStoreTest {
protected:
    // A hidden top-level panel of nWidth x nHeight, created and painted once.
    CGaugePanelWnd& MakePanel(int nWidth, int nHeight, QWidget* pParent = nullptr) {
        m_pPanel = std::make_unique<CGaugePanelWnd>(gps);
        EXPECT_TRUE(m_pPanel->Create(QStringLiteral("Panel"), {0, 0, nWidth, nHeight}, pParent,
                                     ID_PAGE_WND, pParent != nullptr));
        m_pPanel->UpdateSurface();
        return *m_pPanel;
    }

    // Runs the commands and renders the result.
    const QImage& Command(std::initializer_list<int> ids) {
        for (const int nId : ids)
            EXPECT_TRUE(m_pPanel->OnCommand(nId));
        m_pPanel->UpdateSurface();
        return m_pPanel->Surface();
    }

    const QImage& Tick() {
        FireTimers(m_pPanel.get()); // the feed's tick, as its period had passed
        m_pPanel->UpdateSurface();
        return m_pPanel->Surface();
    }

    CNmeaParser gps;
    std::unique_ptr<CGaugePanelWnd> m_pPanel;
    // The page as a step drew it, kept before the plain drawing it is compared with is made
    // (the order of a comparison's operands is not fixed).
    QImage page;
};

// The empty page: a one-pixel black frame round white.
QImage EmptyPage(int nWidth, int nHeight);

// The panel's page drawn the plain way: the empty page, then each of the gauges codes, in
// that order, drawn whole in the rectangle where the panel laid it out, with its values.
QImage PlainPage(const CGaugePanelWnd& panel, const std::vector<int>& codes);

