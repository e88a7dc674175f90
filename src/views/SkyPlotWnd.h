// SPDX-License-Identifier: MIT
// The polar sky plot of the azimuth/elevation page: a black disc with blue elevation rings
// and azimuth spokes and white labels, one marker per satellite in view (a satellite icon with
// its PRN under it, yellow when the satellite is used in the solution, silver otherwise) and,
// when trails are on, green trail pixels where satellites have been. A satellite of the
// all-systems reading is labelled with its system's RINEX letter and its number within the
// system (G12, R05, S133); the letter tells the systems apart, so the colours keep telling
// only whether a satellite is used.
//
// Not a window: the page lays it out and paints it with its own drawing context. Markers and
// trail pixels are XORed onto the screen, so a satellite that moved is redrawn without a
// repaint by drawing its old marker a second time (which removes it) and its new one once. For
// that to leave no ghost, the markers on the screen must always be exactly those of the drawn
// slots: UpdateSatellites keeps them so, and a full Paint draws the current slots, which equal
// the drawn slots after every update. The same rule (IsShown) decides on both paths which
// satellites have a marker.
//
// Colours: grid pen blue (0, 0, 255); sky and label background black; label text white;
// marker text yellow (255, 255, 0) for used satellites, silver (192, 192, 192) for the others;
// trail pixels XORed with green (0, 255, 0). The window around the disc is COLOR_BTNFACE with
// a sunken frame of COLOR_3DDKSHADOW (top, left) and COLOR_BTNHIGHLIGHT (bottom, right).
#pragma once

#include "nmea/GnssSystems.h"
#include "resources/resource.h"
#include "views/SkyGeometry.h"
#include "views/TrailStore.h"

#include <QColor>
#include <QString>

#include <array>
#include <cstdint>

class CDrawContext;

struct SkySatellite {
    int32_t nPrn = 0; // 0 marks an empty slot
    int32_t nAzimuth = 0;
    int32_t nElevation = 0;
    int32_t bUsed = 0;       // 1 when used in the navigation solution
    int32_t nTextColour = 0; // marker text, 0xRRGGBB (set by UpdateSatellites)
    BitmapId nIcon{};        // bitmap resource of the marker (set by UpdateSatellites)
    // All systems: the satellite's system, nPrn its number within it; None in the GPS-only
    // reading, whose markers show the PRN through the marker format.
    GnssSystem system = GnssSystem::None;

    friend bool operator==(const SkySatellite&, const SkySatellite&) = default;
};

// Room for every satellite of the all-systems table; the GPS-only reading fills 36 at most.
inline constexpr int kSkySlots = 64;
using SkySatelliteList = std::array<SkySatellite, kSkySlots>;

class CSkyPlotWnd {
public:
    CSkyPlotWnd();

    // Configuration; values take effect at the next full paint.
    void SetPointSize(int nTenthsOfPoint) { m_nPointSize = nTenthsOfPoint; }
    // Degrees of elevation between rings; a step below 1 is ignored.
    void SetRingStep(int nDegrees);
    // Formats a marker's PRN (one %d) in the GPS-only reading.
    void SetMarkerFormat(const QString& strFormat) { m_strMarkerFormat = strFormat; }
    // Any non-zero flag turns trails on.
    void SetTrails(int nFlag) { m_nTrails = nFlag != 0 ? 1 : 0; }
    // Bitmap resources for used and other satellites; 0 or an unknown id draws no icon.
    void SetIcons(BitmapId nUsedIcon, BitmapId nNotUsedIcon);

    int PointSize() const { return m_nPointSize; }
    int RingStep() const { return m_nRingStep; }
    const QString& MarkerFormat() const { return m_strMarkerFormat; }
    int Trails() const { return m_nTrails; }
    BitmapId UsedIcon() const { return m_nUsedIcon; }
    BitmapId NotUsedIcon() const { return m_nNotUsedIcon; }

    // Fills and frames the whole client rectangle and lays the plot out in it.
    void Layout(CDrawContext& dc, const CRect& client);
    // Grid, trails when on, then the markers of the current slots.
    void Paint(CDrawContext& dc);
    // Takes PRN, azimuth, elevation, used flag and system of every record as the current
    // slots and redraws on dc only the markers that changed, adding a trail point for each
    // new one.
    void UpdateSatellites(CDrawContext& dc, const SkySatelliteList& list);
    // The same for a plot that is not on the screen: the slots and the trail follow, nothing
    // is drawn, so the screen no longer matches the drawn slots until the next full Paint.
    void KeepSatellites(const SkySatelliteList& list);

    // Stores a sky position in the trail and plots it, un-plotting the oldest position when
    // the store wraps; a position stored already changes nothing.
    void AddTrailPoint(CDrawContext& dc, int nAzimuth, int nElevation);
    // Forgets the trail (the screen keeps its pixels until the next full paint).
    void ClearTrails() { m_Trails.Clear(); }

    // Whether a slot has a marker on the screen. Elevations outside 0 to 90 can only come
    // from malformed receiver data; such a satellite is not shown on either drawing path.
    // Nor is one at azimuth 0 and elevation 0: receivers list satellites they have not
    // located yet with both fields empty (which the decoder stores as 0) or both 0, and
    // plotting them would put a cluster of markers on the north horizon.
    static bool IsShown(const SkySatellite& sat) {
        return sat.nPrn != 0 && sat.nElevation >= 0 && sat.nElevation <= 90 &&
               (sat.nAzimuth != 0 || sat.nElevation != 0);
    }

    const SkyGeometry& Geometry() const { return m_Geometry; }
    const SkySatelliteList& CurrentSlots() const { return m_Current; }
    const SkySatelliteList& DrawnSlots() const { return m_Drawn; }
    const CTrailStore& TrailStore() const { return m_Trails; }

    static const QColor kGridColour;
    static const QColor kSkyColour;
    static const QColor kLabelColour;
    static const QColor kUsedTextColour;
    static const QColor kNotUsedTextColour;
    static const QColor kTrailColour;

private:
    // Without a drawing context the slots and the trail change and nothing is drawn.
    void Update(CDrawContext* pDc, const SkySatelliteList& list);
    void AddTrailPoint(CDrawContext* pDc, int nAzimuth, int nElevation);
    void DrawGrid(CDrawContext& dc) const;
    void DrawCentredLabel(CDrawContext& dc, CPoint pt, const QString& strText) const;
    void DrawTrail(CDrawContext& dc) const;
    void PlotTrailPixel(CDrawContext& dc, const TrailPoint& point) const;
    void DrawMarker(CDrawContext& dc, const SkySatellite& sat) const;
    QString MarkerText(const SkySatellite& sat) const;

    int m_nPointSize = 90;
    int m_nRingStep = 15;
    int m_nSpokeStep = 30;
    int m_nSpokeLabelElevation = 15;
    QString m_strMarkerFormat = QStringLiteral("PRN:%d");
    BitmapId m_nUsedIcon{};
    BitmapId m_nNotUsedIcon{};
    int m_nTrails = 0;

    SkyGeometry m_Geometry;
    SkySatelliteList m_Current{};
    SkySatelliteList m_Drawn{};
    CTrailStore m_Trails;
};
