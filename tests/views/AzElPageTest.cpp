// SPDX-License-Identifier: MIT
// The azimuth/elevation page: the trails setting taken at creation, the record's satellites
// shown on each GSV notification, trails switched and erased by command.
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

TEST_F(AzElPage, TakesTheTrailsSettingAtCreation) {
    for (const auto& [nStored, bTrails] :
         {std::pair{0, false}, std::pair{1, true}, std::pair{2, true}, std::pair{-1, true}}) {
        SCOPED_TRACE(nStored);
        WriteSettingInt(kSectionAzimuthElevation, kEnableTrails, nStored);
        Create();
        EXPECT_EQ(page->SkyPlot().Trails(), bTrails ? 1 : 0);
        EXPECT_EQ(Trails(), bTrails);
    }
}

TEST_F(AzElPage, ShowsTheSatellitesOfTheRecordOnEachGsvNotification) {
    Create();
    SetSatellite(gps, 0, 4, 110, 50, 42, 1);
    SetSatellite(gps, 1, 9, 300, 12, 31, 0);
    SetSatellite(gps, 2, 17, 20, 5, 0, 0); // beyond the count: not shown
    gps.m_nSatsInView = 2;
    Notify(*page, WM_GPS_GSV);
    const SkySatelliteList& current = page->SkyPlot().CurrentSlots();
    EXPECT_EQ(current[0], (SkySatellite{4, 110, 50, 1, 0xFFFF00, IDB_SAT_USED}));
    EXPECT_EQ(current[1], (SkySatellite{9, 300, 12, 0, 0xC0C0C0, IDB_SAT_NOT_USED}));
    EXPECT_EQ(current[2].nPrn, 0);

    // 99 in view, from one sentence: only the 36 table entries can reach the plot.
    FeedChunks(gps, Sentence("GPGSV,1,1,99,01,40,000,30"));
    ASSERT_EQ(gps.m_nSatsInView, 99);
    for (int i = 0; i < CNmeaParser::kSatellites; ++i)
        SetSatellite(gps, i, i + 1, 10 * i, 40, 30, i % 2);
    Notify(*page, WM_GPS_GSV);
    for (int i = 0; i < kSkySlots; ++i)
        EXPECT_EQ(current[static_cast<size_t>(i)].nPrn, i < CNmeaParser::kSatellites ? i + 1 : 0);
    EXPECT_EQ(page->Surface(), Repainted(*page));
}

// Trails switched on show the positions stored while they were off; erased, the trail is
// forgotten but the marker stays and the next position goes to the unchanged write index.
TEST_F(AzElPage, TrailsCommandsToggleWithTheSettingAndErase) {
    Create();
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
    EXPECT_FALSE(page->OnCommand(ID_RESET_SNR));
}

} // namespace
