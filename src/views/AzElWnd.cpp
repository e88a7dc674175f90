// SPDX-License-Identifier: MIT
// The sky page's side of the data path: the record's satellites-in-view table (or, reading
// every system, the all-systems table) becomes the plot's list on every GSV notification,
// and the user's trail choices reach the plot and the settings store.
#include "views/AzElWnd.h"

#include "nmea/NmeaParser.h"
#include "platform/PopupMenu.h"
#include "resources/resource.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"

#include <algorithm>

namespace {

constexpr int kPointSize = 80; // tenths of a point
constexpr int kRingStep = 15;  // degrees of elevation

static_assert(kSkySlots >= CGnssTable::kCapacity, "a slot for every satellite of the table");

} // namespace

CAzElWnd::CAzElWnd(CNmeaParser& gps, QWidget* pParent) : CSurfaceWnd(pParent), m_Gps(gps) {}

int CAzElWnd::OnCreate() {
    m_SkyPlot.SetPointSize(kPointSize);
    m_SkyPlot.SetRingStep(kRingStep);
    m_SkyPlot.SetTrails(
        ReadSettingInt(kSectionAzimuthElevation, kEnableTrails, kDefaultEnableTrails));
    m_SkyPlot.SetIcons(IDB_SAT_USED, IDB_SAT_NOT_USED);
    m_SkyPlot.SetMarkerFormat(QStringLiteral("%d"));
    return 0;
}

bool CAzElWnd::OnEraseBkgnd(CDrawContext& dc) {
    m_SkyPlot.Layout(dc, GetClientRect());
    return true;
}

void CAzElWnd::OnPaint(CDrawContext& dc) {
    m_SkyPlot.Layout(dc, GetClientRect());
    m_SkyPlot.Paint(dc);
}

void CAzElWnd::OnMessage(int nMessage) {
    if (nMessage != WM_GPS_GSV) {
        CSurfaceWnd::OnMessage(nMessage);
        return;
    }
    const SkySatelliteList list = BuildSatelliteList();
    // Behind another page the trail still grows; the page is drawn whole when it comes back.
    if (IsPutAway()) {
        m_SkyPlot.KeepSatellites(list);
        return;
    }
    CClientDC dc(this);
    m_SkyPlot.UpdateSatellites(dc, list);
}

SkySatelliteList CAzElWnd::BuildSatelliteList() const {
    if (m_Gps.AllSystems())
        return BuildSystemsList();
    SkySatelliteList list{};
    // The count comes straight from the receiver; the table holds at most 36 satellites.
    const int n = std::min<int>(m_Gps.m_nSatsInView, CNmeaParser::kSatellites);
    for (int i = 0; i < n; ++i) {
        const GpsSatellite& sat = m_Gps.m_Sats[i];
        list[static_cast<size_t>(i)].nPrn = sat.nPrn;
        list[static_cast<size_t>(i)].bUsed = sat.bUsed;
        list[static_cast<size_t>(i)].nAzimuth = sat.nAzimuth;
        list[static_cast<size_t>(i)].nElevation = sat.nElevation;
    }
    return list;
}

SkySatelliteList CAzElWnd::BuildSystemsList() const {
    SkySatelliteList list{};
    GnssSatelliteView sats[CGnssTable::kCapacity];
    const int n = m_Gps.m_Gnss.List(sats);
    for (int i = 0; i < n; ++i) {
        const GnssSatelliteView& sat = sats[i];
        if (!sat.bHasPosition)
            continue;
        // The table keeps a satellite in one entry while it stays in view, so its marker
        // keeps its slot when satellites before it in the list come or go: only markers that
        // moved are redrawn.
        SkySatellite& slot = list[static_cast<size_t>(sat.nEntry)];
        slot.nPrn = sat.id.nSvid;
        slot.bUsed = sat.bUsed ? 1 : 0;
        slot.nAzimuth = sat.nAzimuth;
        slot.nElevation = sat.nElevation;
        slot.system = sat.id.system;
    }
    return list;
}

bool CAzElWnd::OnCommand(int nId) {
    switch (nId) {
        case ID_ENABLE_TRAILS: ToggleTrails(); return true;
        case ID_ERASE_TRAILS:
            m_SkyPlot.ClearTrails();
            Invalidate(false);
            return true;
        default: return false;
    }
}

bool CAzElWnd::OnUpdateCommand(CCommandState& state) {
    if (state.Id() != ID_ENABLE_TRAILS)
        return false;
    state.SetCheck(m_SkyPlot.Trails() == 1);
    return true;
}

void CAzElWnd::ToggleTrails() {
    m_SkyPlot.SetTrails(m_SkyPlot.Trails() == 1 ? 0 : 1);
    WriteSettingInt(kSectionAzimuthElevation, kEnableTrails, m_SkyPlot.Trails());
    Invalidate(false);
}

bool CAzElWnd::OnContextMenu(const QPoint& ptScreen) {
    // The platform asks the owner for the item states even without notifications, so the
    // trails item shows its check mark.
    TrackPopupMenu(IDR_AZEL_POPUP, ptScreen, TopLevelOwner(this), TPM_RIGHTALIGN | TPM_NONOTIFY);
    return true;
}
