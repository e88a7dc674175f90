// SPDX-License-Identifier: MIT
#include "gauges/GaugePanelWnd.h"

#include "gauges/SpeedSetupDlg.h"
#include "nmea/NmeaParser.h"
#include "platform/PopupMenu.h"
#include "platform/Truncate.h"
#include "resources/resource.h"
#include "settings/DesktopMemory.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "settings/Units.h"

#include <cstdint>
#include <cstring>

namespace {

std::size_t Slot(int nGaugeCode) {
    return static_cast<std::size_t>(nGaugeCode);
}

// The gauge whose visibility command nId toggles, or -1.
int GaugeOfCommand(int nId) {
    switch (nId) {
        case ID_SHOW_ALTIMETER: return kGaugeAltimeter;
        case ID_SHOW_COMPASS: return kGaugeCompass;
        case ID_SHOW_SPEED: return kGaugeSpeedometer;
        case ID_SHOW_VERTICAL_SPEED: return kGaugeVerticalSpeed;
        default: return -1;
    }
}

// Where the shown flag of each gauge is kept, by gauge code.
const char* ShownKey(int nGaugeCode) {
    switch (nGaugeCode) {
        case kGaugeAltimeter: return kShowAltimeter;
        case kGaugeCompass: return kShowCompass;
        case kGaugeSpeedometer: return kShowSpeed;
        default: return kShowVerticalSpeed;
    }
}

// The waypoint identifier as received: 8-bit text up to its NUL, each byte one character.
QString WaypointText(const char* pszWaypoint) {
    return QString::fromLatin1(
        pszWaypoint, static_cast<qsizetype>(strnlen(pszWaypoint, CNmeaParser::kWaypointChars)));
}

} // namespace

CGaugePanelWnd::CGaugePanelWnd(CNmeaParser& gps, QWidget* pParent)
    : CSurfaceWnd(pParent), m_Gps(gps) {
    m_Order.Rebuild(m_Shown);
}

int CGaugePanelWnd::OnCreate() {
    if (CSurfaceWnd::OnCreate() < 0)
        return -1;
    SetTimer(kFeedTimer, kFeedPeriodMs);
    // Read as unsigned, as it always was: a negative value stored by an older version comes
    // back as a very large full scale.
    const auto nMaxSpeed = static_cast<std::uint32_t>(ReadSettingInt(
        QString::fromLatin1(kSectionPanel), QString::fromLatin1(kMaxSpeed), kDefaultMaxSpeed));
    m_Speedometer.SetFullScale(static_cast<double>(nMaxSpeed));
    RestoreChoices();
    return 0;
}

void CGaugePanelWnd::RestoreChoices() {
    if (!RemembersDesktop())
        return;
    const QString strSection = QString::fromLatin1(kSectionPanel);
    // Any value but 0 counts as on, so the flags stay 0 or 1 whatever the file holds.
    for (const int nCode : kGaugeTurnOrder)
        m_Shown[Slot(nCode)] =
            ReadSettingInt(strSection, QString::fromLatin1(ShownKey(nCode)), kDefaultShowGauge) != 0
                ? 1
                : 0;
    m_nCycleMode =
        ReadSettingInt(strSection, QString::fromLatin1(kCycleGauges), kDefaultCycleGauges) != 0 ? 1
                                                                                                : 0;
    m_Order.Rebuild(m_Shown);
}

bool CGaugePanelWnd::IsShown(int nGaugeCode) const {
    return m_Shown.at(Slot(nGaugeCode)) != 0;
}

const CRect& CGaugePanelWnd::GaugeRect(int nGaugeCode) const {
    return m_Rects.at(Slot(nGaugeCode));
}

bool CGaugePanelWnd::KeepsFace(int nGaugeCode) const {
    return m_Faces.at(Slot(nGaugeCode)).HasCopy();
}

bool CGaugePanelWnd::ShowedKeptFace(int nGaugeCode) const {
    return m_Faces.at(Slot(nGaugeCode)).ShowedCopy();
}

bool CGaugePanelWnd::OnEraseBkgnd(CDrawContext&) {
    // The paint covers every pixel; erasing first would only flicker.
    Layout(GetClientRect());
    return true;
}

void CGaugePanelWnd::Layout(const CRect& client) {
    int nGauges = 1;
    if (!m_nCycleMode) {
        nGauges = 0;
        for (const int nShown : m_Shown)
            nGauges += nShown == 1 ? 1 : 0;
    }
    for (const int nCode : kGaugeTurnOrder) {
        if (m_Shown[Slot(nCode)] != 1)
            continue;
        const CRect rect = nGauges > 1 ? GaugeQuarter(nCode, client) : client;
        m_Rects[Slot(nCode)] = rect;
        switch (nCode) {
            case kGaugeCompass: m_Compass.Layout(rect); break;
            case kGaugeAltimeter: m_Altimeter.Layout(rect); break;
            case kGaugeVerticalSpeed: m_VerticalSpeed.Layout(rect); break;
            default: break; // the speedometer fits itself at every drawing
        }
    }
}

void CGaugePanelWnd::OnPaint(CDrawContext& dc) {
    // Composed on the window's own surface, which reaches the screen only once the paint is
    // done: it cannot flicker.
    dc.KeepPainterOpen(); // nothing else draws on the page while it is composed
    // The context's own pen and brush: a one-pixel black frame round a white page.
    dc.Rectangle(GetClientRect());
    m_Painted = LooksToDraw();
    for (const int nCode : kGaugeTurnOrder) {
        const std::optional<GaugeLook>& look = m_Painted[Slot(nCode)];
        if (look)
            DrawGauge(dc, nCode, *look);
        else
            m_Faces[Slot(nCode)].Clear();
    }
}

CGaugePanelWnd::PanelLooks CGaugePanelWnd::LooksToDraw() {
    PanelLooks looks;
    if (m_nCycleMode) {
        // After the list shrank the index may point past its end until the next advance:
        // show the first gauge then, and nothing when every gauge is hidden.
        if (m_Order.nCount > 0) {
            const int nIndex = m_Cycle.nIndex < m_Order.nCount ? m_Cycle.nIndex : 0;
            const int nCode = m_Order.list[Slot(nIndex)];
            looks[Slot(nCode)] = LookOf(nCode);
        }
    } else {
        for (const int nCode : kGaugeTurnOrder)
            if (m_Shown[Slot(nCode)])
                looks[Slot(nCode)] = LookOf(nCode);
    }
    return looks;
}

GaugeLook CGaugePanelWnd::LookOf(int nGaugeCode) {
    const CRect& rect = m_Rects[Slot(nGaugeCode)];
    switch (nGaugeCode) {
        case kGaugeCompass: return m_Compass.LookIn(rect);
        case kGaugeAltimeter: return m_Altimeter.LookIn(rect);
        case kGaugeSpeedometer: return m_Speedometer.LookIn(rect);
        default: return m_VerticalSpeed.LookIn(rect);
    }
}

namespace {

// A gauge drawn as two layers: its face, kept or drawn, then its moving parts.
template <typename Gauge>
void DrawLayers(CDrawContext& dc, const Gauge& gauge, const GaugeLook& look,
                CGaugeFaceCache& face) {
    face.Draw(dc, look.face, [&](CDrawContext& faceDC) { gauge.DrawFace(faceDC, look); });
    gauge.DrawMovingParts(dc, look);
}

} // namespace

void CGaugePanelWnd::DrawGauge(CDrawContext& dc, int nGaugeCode, const GaugeLook& look) {
    CGaugeFaceCache& face = m_Faces[Slot(nGaugeCode)];
    switch (nGaugeCode) {
        case kGaugeCompass: DrawLayers(dc, m_Compass, look, face); break;
        case kGaugeAltimeter: DrawLayers(dc, m_Altimeter, look, face); break;
        case kGaugeSpeedometer: DrawLayers(dc, m_Speedometer, look, face); break;
        case kGaugeVerticalSpeed: DrawLayers(dc, m_VerticalSpeed, look, face); break;
        default: break;
    }
}

void CGaugePanelWnd::OnTimer(int) {
    // The cycle keeps its time behind another page; the gauges are fed when they show.
    if (m_nCycleMode)
        m_Cycle.Tick(m_Order.nCount);
    if (IsPutAway()) {
        // Without a cycle to keep, nothing here needs the ticks until the page shows again.
        if (!m_nCycleMode)
            KillTimer(kFeedTimer);
        return;
    }
    FeedGauges();
    // Same texts and pointers on the same faces would draw the same pixels: the page shows
    // them already, or a repaint on its way will.
    if (LooksToDraw() != m_Painted)
        Invalidate(false);
}

void CGaugePanelWnd::showEvent(QShowEvent* pEvent) {
    ResumeFeed();
    FeedGauges();
    CSurfaceWnd::showEvent(pEvent);
}

void CGaugePanelWnd::ResumeFeed() {
    // Running already, it keeps its beat.
    if (!IsTimerSet(kFeedTimer))
        SetTimer(kFeedTimer, kFeedPeriodMs);
}

void CGaugePanelWnd::FeedGauges() {
    // Each selection read once a tick: every read of the store looks at its files again.
    const int nDistanceSpeedUnits = DistanceSpeedUnits();
    const int nAltitudeUnits = AltitudeUnits();

    // Range is in nautical miles; the speed factors turn it into the chosen distance unit.
    m_Compass.SetDistanceUnitName(QString::fromUtf8(units::DistanceUnitName(nDistanceSpeedUnits)));
    m_Compass.SetData(TruncToInt(m_Gps.m_dCourse), TruncToInt(m_Gps.m_dBearingToDest),
                      WaypointText(m_Gps.m_szDestWaypoint),
                      units::ConvertSpeed(nDistanceSpeedUnits, m_Gps.m_dRangeToDest));

    m_Altimeter.SetUnitName(QString::fromUtf8(units::AltitudeUnitName(nAltitudeUnits)));
    m_Altimeter.SetAltitude(units::ConvertAltitude(nAltitudeUnits, m_Gps.m_dAltitude));

    m_Speedometer.SetSpeed(units::ConvertSpeed(nDistanceSpeedUnits, m_Gps.m_dSpeedKnots),
                           QString::fromUtf8(units::SpeedUnitName(nDistanceSpeedUnits)));

    // Feet per minute swing up to 2000 each way, metres per second up to 5; any altitude
    // setting but 0 counts as metres here.
    m_VerticalSpeed.SetScale(nAltitudeUnits == 0 ? CVerticalSpeedWnd::kFeetScale
                                                 : CVerticalSpeedWnd::kMetresScale);
    m_VerticalSpeed.SetUnitName(QString::fromUtf8(units::VerticalSpeedUnitName(nAltitudeUnits)));
    m_VerticalSpeed.SetValue(units::ConvertVerticalSpeed(nAltitudeUnits, m_Gps.m_dVerticalSpeed));
}

bool CGaugePanelWnd::OnCommand(int nId) {
    if (nId == ID_SETUP_SPEED) {
        RunSpeedSetup();
        return true;
    }
    if (nId == ID_CYCLE_GAUGES) {
        // The count restarts; the position in the turn order is kept.
        m_nCycleMode = m_nCycleMode ? 0 : 1;
        m_Cycle.nTicks = 0;
        ResumeFeed();
        if (RemembersDesktop())
            WriteSettingInt(QString::fromLatin1(kSectionPanel), QString::fromLatin1(kCycleGauges),
                            m_nCycleMode);
    } else if (const int nCode = GaugeOfCommand(nId); nCode >= 0) {
        m_Shown[Slot(nCode)] = m_Shown[Slot(nCode)] ? 0 : 1;
        if (RemembersDesktop())
            WriteSettingInt(QString::fromLatin1(kSectionPanel),
                            QString::fromLatin1(ShownKey(nCode)), m_Shown[Slot(nCode)]);
    } else {
        return false;
    }
    m_Order.Rebuild(m_Shown);
    Invalidate(true);
    return true;
}

bool CGaugePanelWnd::OnUpdateCommand(CCommandState& state) {
    if (state.Id() == ID_CYCLE_GAUGES) {
        state.SetCheck(m_nCycleMode != 0);
        return true;
    }
    const int nCode = GaugeOfCommand(state.Id());
    if (nCode < 0)
        return false;
    state.SetCheck(m_Shown[Slot(nCode)] != 0);
    return true;
}

void CGaugePanelWnd::RunSpeedSetup() {
    const QString strSection = QString::fromLatin1(kSectionPanel);
    const QString strName = QString::fromLatin1(kMaxSpeed);
    CSpeedSetupDlg dlg(this);
    dlg.SetMaxSpeed(ReadSettingInt(strSection, strName, kDefaultMaxSpeed));
    if (dlg.DoModal() != IDOK)
        return;
    WriteSettingInt(strSection, strName, dlg.MaxSpeed());
    // Shown at the next tick's repaint.
    m_Speedometer.SetFullScale(static_cast<double>(dlg.MaxSpeed()));
}

bool CGaugePanelWnd::OnContextMenu(const QPoint& ptScreen) {
    // Owned by the main frame, so the chosen command comes back down through its routing.
    TrackPopupMenu(IDR_PANEL_POPUP, ptScreen, TopLevelOwner(this), TPM_RIGHTALIGN | TPM_NONOTIFY);
    return true;
}
