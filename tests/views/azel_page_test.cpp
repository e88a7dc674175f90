// SPDX-License-Identifier: MIT
// The azimuth/elevation page: configured from the settings at creation, fed by GSV
// notifications through the record, trails switched and erased by command and by its
// tap-and-hold menu.
#include "ViewsTestSupport.h"

#include "platform/Commands.h"
#include "platform/Messages.h"
#include "platform/ScriptedInteraction.h"
#include "resources/resource.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "views/AzElWnd.h"

#include <QContextMenuEvent>

#include <gtest/gtest.h>

namespace {

const QColor kGreen(0, 255, 0);
const QColor kYellow(255, 255, 0);

class AzElPage : public SettingsFixture {
protected:
    CNmeaParser gps;
    QWidget parent;
    std::unique_ptr<CAzElWnd> page;

    void Create() {
        page = std::make_unique<CAzElWnd>(gps);
        ASSERT_TRUE(page->Create(QStringLiteral("SatInfo"), {0, 0, 240, 200}, &parent, 0xFFFF));
        Render(*page);
    }
    // Writes satellites into the record and delivers the notification the decoder posts at
    // the end of a GSV group.
    void Notify() {
        page->PostMessage(WM_GPS_GSV);
        DeliverPosted();
    }
    QImage Repainted() {
        page->Invalidate(true);
        return Render(*page);
    }
};

TEST_F(AzElPage, ConfiguresThePlotAtCreation) {
    Create();
    const CSkyPlotWnd& plot = page->SkyPlot();
    EXPECT_EQ(plot.PointSize(), 80);
    EXPECT_EQ(plot.RingStep(), 15);
    EXPECT_EQ(plot.MarkerFormat(), QStringLiteral("%d"));
    EXPECT_EQ(plot.UsedIcon(), IDB_SAT_USED);
    EXPECT_EQ(plot.NotUsedIcon(), IDB_SAT_NOT_USED);
    EXPECT_EQ(plot.Trails(), 0); // the setting is absent
    EXPECT_EQ(page->objectName(), QStringLiteral("SatInfo"));
    EXPECT_EQ(page->parentWidget(), &parent);
    EXPECT_EQ(page->geometry(), QRect(0, 0, 240, 200));
}

TEST_F(AzElPage, TakesTheTrailsSettingAtCreation) {
    struct Case {
        int nStored;
        int nTrails;
    } const cases[] = {{0, 0}, {1, 1}, {2, 1}, {-1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nStored);
        WriteSettingInt(kSectionAzimuthElevation, kEnableTrails, c.nStored);
        Create();
        EXPECT_EQ(page->SkyPlot().Trails(), c.nTrails);
        EXPECT_EQ(QueryCommandState(page.get(), ID_ENABLE_TRAILS).IsChecked(), c.nTrails == 1);
    }
}

TEST_F(AzElPage, ShowsTheSatellitesOfTheRecordOnEachGsvNotification) {
    Create();
    SetSatellite(gps, 0, 4, 110, 50, 42, 1);
    SetSatellite(gps, 1, 9, 300, 12, 31, 0);
    SetSatellite(gps, 2, 17, 20, 5, 0, 0); // beyond the count: not shown
    gps.m_nSatsInView = 2;
    Notify();

    const SkySatelliteList& current = page->SkyPlot().CurrentSlots();
    EXPECT_EQ(current[0], (SkySatellite{4, 110, 50, 1, 0xFFFF00, IDB_SAT_USED}));
    EXPECT_EQ(current[1], (SkySatellite{9, 300, 12, 0, 0xC0C0C0, IDB_SAT_NOT_USED}));
    EXPECT_EQ(current[2].nPrn, 0);
    EXPECT_GT(CountColour(page->Surface(), kYellow), 0);
    EXPECT_EQ(page->Surface(), Repainted());

    // The satellites move; the next group moves the markers without a repaint.
    SetSatellite(gps, 0, 4, 112, 51, 42, 0);
    gps.m_nSatsInView = 1;
    Notify();
    EXPECT_EQ(page->SkyPlot().CurrentSlots()[1].nPrn, 0);
    EXPECT_EQ(page->Surface(), Repainted());

    // A group without satellites removes every marker; the record's reset sends nothing.
    gps.m_nSatsInView = 0;
    Notify();
    EXPECT_EQ(CountColour(page->Surface(), kYellow), 0);
    EXPECT_EQ(page->Surface(), Repainted());
}

TEST_F(AzElPage, AnAbsurdSatelliteCountReadsNoFurtherThanTheTable) {
    Create();
    // 99 satellites in view, from one sentence: only the 36 table entries can reach the plot.
    Feed(gps, Sentence("GPGSV,1,1,99,01,40,000,30"));
    ASSERT_EQ(gps.m_nSatsInView, 99);
    for (int i = 0; i < CNmeaParser::kSatellites; ++i)
        SetSatellite(gps, i, i + 1, 10 * i, 40, 30, i % 2);
    Notify();

    const SkySatelliteList& current = page->SkyPlot().CurrentSlots();
    for (int i = 0; i < kSkySlots; ++i)
        EXPECT_EQ(current[static_cast<size_t>(i)].nPrn, i < CNmeaParser::kSatellites ? i + 1 : 0);
    EXPECT_EQ(page->Surface(), Repainted());
}

TEST_F(AzElPage, TrailsCommandTogglesPersistsAndRepaints) {
    Create();
    SetSatellite(gps, 0, 4, 130, 60, 42, 1);
    gps.m_nSatsInView = 1;
    Notify();
    SetSatellite(gps, 0, 4, 200, 60, 42, 1);
    Notify();
    ASSERT_EQ(page->SkyPlot().TrailStore().Count(), 2);
    const CPoint old = page->SkyPlot().Geometry().SkyPoint(130, 60);
    EXPECT_NE(page->Surface().pixel(old.x, old.y), kGreen.rgb());

    EXPECT_TRUE(page->OnCommand(ID_ENABLE_TRAILS));
    EXPECT_EQ(page->SkyPlot().Trails(), 1);
    EXPECT_EQ(ReadSettingInt(kSectionAzimuthElevation, kEnableTrails, -5), 1);
    EXPECT_TRUE(QueryCommandState(page.get(), ID_ENABLE_TRAILS).IsChecked());
    const QImage withTrails = Render(*page);
    EXPECT_EQ(withTrails.pixel(old.x, old.y), kGreen.rgb());

    // New positions are plotted as they come.
    SetSatellite(gps, 0, 4, 260, 60, 42, 1);
    Notify();
    EXPECT_EQ(page->Surface().pixel(old.x, old.y), kGreen.rgb());
    EXPECT_EQ(page->Surface(), Repainted());

    EXPECT_TRUE(page->OnCommand(ID_ENABLE_TRAILS));
    EXPECT_EQ(ReadSettingInt(kSectionAzimuthElevation, kEnableTrails, -5), 0);
    EXPECT_FALSE(QueryCommandState(page.get(), ID_ENABLE_TRAILS).IsChecked());
    EXPECT_NE(Render(*page).pixel(old.x, old.y), kGreen.rgb());
    EXPECT_EQ(page->SkyPlot().TrailStore().Count(), 3);
}

TEST_F(AzElPage, EraseCommandForgetsTheTrailButNotTheWriteIndex) {
    WriteSettingInt(kSectionAzimuthElevation, kEnableTrails, 1);
    Create();
    for (int nAzimuth = 100; nAzimuth < 110; nAzimuth += 3) {
        SetSatellite(gps, 0, 4, nAzimuth, 60, 42, 1);
        gps.m_nSatsInView = 1;
        Notify();
    }
    EXPECT_EQ(page->SkyPlot().TrailStore().WriteIndex(), 4);
    const CPoint first = page->SkyPlot().Geometry().SkyPoint(100, 60);
    EXPECT_EQ(page->Surface().pixel(first.x, first.y), kGreen.rgb());

    EXPECT_TRUE(page->OnCommand(ID_ERASE_TRAILS));
    EXPECT_EQ(Render(*page).pixel(first.x, first.y), QColor(0, 0, 0).rgb());
    EXPECT_EQ(page->SkyPlot().TrailStore().Count(), 0);
    EXPECT_EQ(page->SkyPlot().TrailStore().WriteIndex(), 4);
    // The marker stays, and the next new position goes to the unchanged index.
    EXPECT_GT(CountColour(page->Surface(), kYellow), 0);
    SetSatellite(gps, 0, 4, 120, 60, 42, 1);
    Notify();
    EXPECT_EQ(page->SkyPlot().TrailStore().Slot(4), (TrailPoint{120, 60}));
    EXPECT_FALSE(page->OnCommand(ID_RESET_SNR));
}

TEST_F(AzElPage, TapAndHoldOffersTheTrailsMenu) {
    // Standing alone, the page is its own top-level owner: the chosen command comes back to
    // it as it would through the frame's routing.
    CAzElWnd topLevel(gps);
    ASSERT_TRUE(
        topLevel.Create(QStringLiteral("SatInfo"), {0, 0, 240, 200}, nullptr, 0xFFFF, false));
    CScriptedInteraction person;
    person.AnswerMenu(ID_ENABLE_TRAILS);
    QContextMenuEvent hold(QContextMenuEvent::Mouse, QPoint(50, 60), QPoint(150, 160));
    QCoreApplication::sendEvent(&topLevel, &hold);
    EXPECT_TRUE(hold.isAccepted());

    ASSERT_EQ(person.Prompts().size(), 1u);
    const Prompt& menu = person.Prompts()[0];
    EXPECT_EQ(menu.kind, Prompt::Kind::Menu);
    ASSERT_EQ(menu.menuItems.size(), 2u);
    EXPECT_EQ(menu.menuItems[0].nId, ID_ENABLE_TRAILS);
    EXPECT_EQ(menu.menuItems[0].strText, QStringLiteral("&Enable Satellite Trails"));
    EXPECT_FALSE(menu.menuItems[0].bChecked);
    EXPECT_EQ(menu.menuItems[1].nId, ID_ERASE_TRAILS);
    EXPECT_EQ(menu.menuItems[1].strText, QStringLiteral("Erase &Satellite Trails"));
    // Right-aligned at the point of the gesture.
    EXPECT_LT(menu.ptScreen.x(), 150);
    EXPECT_EQ(menu.ptScreen.y(), 160);

    DeliverPosted();
    EXPECT_EQ(topLevel.SkyPlot().Trails(), 1);
}

} // namespace
