// SPDX-License-Identifier: MIT
// The azimuth/elevation page: the record's satellites shown on each GSV notification, the
// trails setting taken at creation, trails switched and erased by command.
#include "ViewsTestSupport.h"

#include "platform/Commands.h"
#include "platform/Messages.h"
#include "resources/resource.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "views/AzElWnd.h"

namespace {

const QColor kGreen(0, 255, 0);
const QColor kYellow(255, 255, 0);

class AzElPage : public CleanStoreTest {
protected:
    CNmeaParser gps;
    QWidget parent;
    std::unique_ptr<CAzElWnd> page;

    void Create() {
        page = std::make_unique<CAzElWnd>(gps);
        ASSERT_TRUE(page->Create(QStringLiteral("SatInfo"), {0, 0, 240, 200}, &parent, 0xFFFF));
        Render(*page);
    }
    // One satellite in view at nAzimuth, and the notification the decoder posts for it.
    void Show(int nAzimuth) {
        SetSatellite(gps, 0, 4, nAzimuth, 60, 42, 1);
        gps.m_nSatsInView = 1;
        Notify(*page, WM_GPS_GSV);
    }
    bool Trails() { return QueryCommandState(page.get(), ID_ENABLE_TRAILS).IsChecked(); }
    QRgb PixelAt(int nAzimuth) {
        const CPoint pt = page->SkyPlot().Geometry().SkyPoint(nAzimuth, 60);
        return Render(*page).pixel(pt.x, pt.y);
    }
};

// Only the entries the count covers, and of 99 in view (as one sentence may claim) only the
// 36 of the table, reach the plot. (Used and other markers show in the captures' pictures.)
TEST_F(AzElPage, ShowsTheSatellitesOfTheRecordOnEachGsvNotification) {
    Create();
    for (int i = 0; i < CNmeaParser::kSatellites; ++i)
        SetSatellite(gps, i, i + 1, 10 * i, 40, 30, i % 2);
    gps.m_nSatsInView = 35;
    Notify(*page, WM_GPS_GSV);
    const SkySatelliteList& current = page->SkyPlot().CurrentSlots();
    EXPECT_EQ(current[35].nPrn, 0);
    gps.m_nSatsInView = 99;
    Notify(*page, WM_GPS_GSV);
    for (int i = 0; i < kSkySlots; ++i)
        EXPECT_EQ(current[static_cast<size_t>(i)].nPrn, i < CNmeaParser::kSatellites ? i + 1 : 0);
    EXPECT_EQ(page->Surface(), Repainted(*page));
}

// Any stored value but 0 is on. Trails switched on show the positions stored while they were
// off; erased, the trail is forgotten but the marker stays and the next position goes to the
// unchanged write index.
TEST_F(AzElPage, TrailsCommandsToggleWithTheSettingAndErase) {
    WriteSettingInt(kSectionAzimuthElevation, kEnableTrails, -1);
    Create();
    EXPECT_TRUE(Trails());
    EXPECT_TRUE(page->OnCommand(ID_ENABLE_TRAILS));
    Show(130);
    Show(200);
    EXPECT_NE(PixelAt(130), kGreen.rgb());
    for (const bool bOn : {true, false, true}) {
        EXPECT_TRUE(page->OnCommand(ID_ENABLE_TRAILS));
        EXPECT_EQ(ReadSettingInt(kSectionAzimuthElevation, kEnableTrails, -5), bOn ? 1 : 0);
        EXPECT_EQ(Trails(), bOn);
        EXPECT_EQ(PixelAt(130) == kGreen.rgb(), bOn);
        Show(bOn ? 260 : 270); // new positions are plotted as they come
        EXPECT_EQ(page->Surface(), Repainted(*page));
    }
    EXPECT_EQ(page->SkyPlot().TrailStore().WriteIndex(), 4);

    EXPECT_TRUE(page->OnCommand(ID_ERASE_TRAILS));
    EXPECT_EQ(PixelAt(130), QColor(0, 0, 0).rgb());
    EXPECT_EQ(page->SkyPlot().TrailStore().Count(), 0);
    EXPECT_GT(CountPixels(page->Surface(), kYellow), 0);
    Show(120);
    EXPECT_EQ(page->SkyPlot().TrailStore().Slot(4), (TrailPoint{120, 60}));
}

} // namespace
