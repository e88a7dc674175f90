// SPDX-License-Identifier: MIT
// Helpers shared by the view tests: pages rendered into images (with their window children),
// their handlers driven as the event loop drives them, satellites put straight into the
// record, and a receiver of every system.
#pragma once

#include "common/CleanStore.h"
#include "common/Events.h"
#include "common/Golden.h"
#include "common/NmeaSupport.h"
#include "common/Pixels.h"
#include "nmea/NmeaParser.h"
#include "platform/DrawContext.h"
#include "platform/SurfaceWnd.h"

#include <QPainter>

#include <memory>
#include <string>
#include <vector>

// Runs every outstanding repaint of wnd (a paint may ask for another) and returns its surface.
inline QImage Render(CSurfaceWnd& wnd) {
    for (int i = 0; i < 3; ++i)
        wnd.UpdateSurface();
    return wnd.Surface().copy();
}

// What the screen shows of wnd: its surface with the surfaces of its window children on top.
inline QImage Composite(CSurfaceWnd& wnd) {
    QImage image = Render(wnd);
    QPainter painter(&image);
    for (QObject* pObject : wnd.children()) {
        auto* pSurface = dynamic_cast<CSurfaceWnd*>(pObject);
        if (pSurface && !pSurface->isHidden())
            painter.drawImage(pSurface->pos(), Composite(*pSurface));
    }
    return image;
}

// The same page repainted whole, erase first, children included.
inline QImage Repainted(CSurfaceWnd& wnd) {
    wnd.Invalidate(true);
    for (QObject* pObject : wnd.children())
        if (auto* pSurface = dynamic_cast<CSurfaceWnd*>(pObject))
            pSurface->Invalidate(true);
    return Composite(wnd);
}

// A message posted to the page, delivered as the event loop would.
inline void Notify(CSurfaceWnd& wnd, int nMessage) {
    wnd.PostMessage(nMessage);
    ProcessPosted();
}

// What a fresh Sig/Nav page of the record shows in rect after its first tick.
template <typename SigNavPage>
QImage FreshPage(CNmeaParser& gps, QWidget& parent, const CRect& rect) {
    SigNavPage fresh(gps);
    EXPECT_TRUE(fresh.Create(QStringLiteral("SigQual"), rect, &parent, 0xFFFF));
    Composite(fresh);
    FireTimers(&fresh);
    return Composite(fresh);
}

// One page of the kinds every page is made as: a record to read, a parent to live in.
template <typename Page> std::unique_ptr<CSurfaceWnd> Make(CNmeaParser& gps, QWidget& parent) {
    auto pPage = std::make_unique<Page>(gps);
    EXPECT_TRUE(pPage->Create(QStringLiteral("Page"), {0, 0, 320, 400}, &parent, 0xFFFF));
    return pPage;
}

// Puts satellite i into the record's satellites-in-view table.
inline void SetSatellite(CNmeaParser& gps, int i, int nPrn, int nAzimuth, int nElevation,
                         int nSnr = 0, int bUsed = 0) {
    gps.m_Sats[i] = {static_cast<uint16_t>(nPrn), static_cast<uint16_t>(nSnr), bUsed,
                     static_cast<uint16_t>(nAzimuth), static_cast<uint16_t>(nElevation)};
}

// The fixes of a receiver of four systems and SBAS (data/multi-system.nmea): eight GPS
// satellites; six with two SBAS; fourteen and twenty of every system; all fifty (GLONASS 88
// without a position, GPS 24 untracked); all fifty moved on, with a GGA and an RMC.
inline std::vector<std::string> MultiSystemFixes() {
    const std::string str = ReadWholeFile(QStringLiteral(RAVUZIZ_DATA_DIR "/multi-system.nmea"));
    std::vector<std::string> fixes;
    for (size_t nAt = 0; nAt < str.size();) {
        const size_t nEnd = std::min(str.find("\r\n\r\n", nAt), str.size());
        fixes.push_back(str.substr(nAt, nEnd + 2 - nAt));
        nAt = nEnd + 4;
    }
    return fixes;
}
