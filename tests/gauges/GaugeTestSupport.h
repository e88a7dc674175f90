// SPDX-License-Identifier: MIT
// Gauges drawn for tests: a white surface with a drawing context on it; a gauge panel on a
// fresh GPS state record and an empty settings store, created hidden at a given size and
// rendered on request, with a stand-in for the person at its speed setup; and the panel's pages
// drawn the plain way, against which it is checked.
#pragma once

#include "common/CleanStore.h"
#include "common/Events.h"
#include "common/Pixels.h"
#include "common/ScriptedInteraction.h"
#include "gauges/GaugePanelWnd.h"
#include "nmea/NmeaParser.h"
#include "platform/Dialog.h"
#include "platform/DrawContext.h"
#include "resources/resource.h"

#include <QComboBox>
#include <QDialog>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

struct Canvas {
    CBitmap bitmap;
    CDrawContext dc;

    Canvas(int nWidth, int nHeight) {
        bitmap.CreateCompatibleBitmap(nWidth, nHeight);
        bitmap.Image().fill(Qt::white);
        dc.SelectBitmap(&bitmap);
    }
    const QImage& Image() const { return bitmap.Image(); }
};

class PanelTest : public CleanStoreTest {
protected:
    // A hidden top-level panel of nWidth x nHeight, created and painted once.
    CGaugePanelWnd& MakePanel(int nWidth, int nHeight) {
        m_pPanel = std::make_unique<CGaugePanelWnd>(gps);
        EXPECT_TRUE(m_pPanel->Create(QStringLiteral("Panel"), {0, 0, nWidth, nHeight}, nullptr,
                                     ID_PAGE_WND, false));
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

    // Runs the speed setup with the person's moves on its speed box and accepts it; returns
    // what the box showed.
    QString SetUpSpeed(std::function<void(QComboBox&, QDialog&)> moves) {
        QString strShown;
        m_Person.AnswerDialog([&](QDialog& dialog) {
            auto* pSpeed = GetDlgItemAs<QComboBox>(&dialog, IDC_MAX_SPEED);
            ASSERT_NE(pSpeed, nullptr);
            strShown = pSpeed->currentText();
            moves(*pSpeed, dialog);
            dialog.accept();
        });
        EXPECT_TRUE(m_pPanel->OnCommand(ID_SETUP_SPEED));
        return strShown;
    }

    CNmeaParser gps;
    CScriptedInteraction m_Person;
    std::unique_ptr<CGaugePanelWnd> m_pPanel;
    QImage page; // copied before the plain drawing: the order of operands is not fixed
};

// The panel's page drawn the plain way: a one-pixel black frame round white, then each of the
// gauges codes, in that order, drawn whole in the rectangle where the panel laid it out, with
// its values.
QImage PlainPage(const CGaugePanelWnd& panel, const std::vector<int>& codes = {});
