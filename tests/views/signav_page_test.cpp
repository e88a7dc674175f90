// SPDX-License-Identifier: MIT
// The signal/navigation page: the split into bars and text, the text block in the user's
// formats with the rows below it as far as they fit, and the timer's refresh that redraws the
// bars after GSV data and the text after GGA, GSA, RMC or ZDA data, and nothing else.
#include "ViewsTestSupport.h"

#include "platform/Dialog.h"
#include "platform/ScriptedInteraction.h"
#include "platform/SystemMetrics.h"
#include "resources/resource.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "views/SigNavWnd.h"

#include <QContextMenuEvent>

#include <gtest/gtest.h>

namespace {

const QColor kFace = GetSysColor(COLOR_BTNFACE);
const QColor kText = GetSysColor(COLOR_BTNTEXT);

// The page with its timer tick at hand.
class CTickedSigNavWnd : public CSigNavWnd {
public:
    using CSigNavWnd::CSigNavWnd;
    void Tick() { OnTimer(kRefreshTimer); }
};

CFont PageFont(int nWeight = FW_DONTCARE) {
    return CFont::FromPointSize(90, QStringLiteral("Arial"), ScreenDpiY(), nWeight);
}

class SigNavPage : public SettingsFixture {
protected:
    CNmeaParser gps;
    QWidget parent;
    std::unique_ptr<CTickedSigNavWnd> page;
    int th = 0; // the page font's character height
    int aw = 0; // and average character width

    void SetUp() override {
        SettingsFixture::SetUp();
        CDrawContext dc;
        dc.SelectFont(PageFont());
        th = dc.GetTextMetrics().tmHeight;
        aw = dc.GetTextMetrics().tmAveCharWidth;
    }
    void Create(int w = 240, int h = 300) {
        page = std::make_unique<CTickedSigNavWnd>(gps);
        ASSERT_TRUE(page->Create(QStringLiteral("SigQual"), {0, 0, w, h}, &parent, 0xFFFF));
        Render(*page);
    }
    const CSigQualWnd& Bars() const { return page->SignalBars(); }
    // Where line k of the text block (0 = the heading) starts on a 300-pixel-high page.
    QPoint LineAt(int k) const { return {3, 103 + k * th}; }
    QPoint ValueAt(int k) const { return {3 + 25 * aw, 103 + k * th}; }
    bool Shows(const QString& strText, QPoint at, const CFont& font = PageFont()) const {
        return ShowsAt(page->Surface(), TextCell(strText, font, kText, kFace), at);
    }
    // The text area as a fresh page of the same record draws it.
    QImage FreshTextArea() {
        CSigNavWnd fresh(gps);
        fresh.Create(QStringLiteral("SigQual"), {0, 0, 240, 300}, &parent, 0xFFFF);
        return Render(fresh).copy(0, 100, 240, 200);
    }
};

TEST_F(SigNavPage, PutsTheBarsOverTheTopThirdAndTheTextBelow) {
    Create();
    EXPECT_EQ(Bars().objectName(), QStringLiteral("SigQual"));
    EXPECT_EQ(Bars().parentWidget(), page.get());
    EXPECT_EQ(GetDlgCtrlID(&Bars()), 0xFFFF);
    EXPECT_EQ(Bars().geometry(), QRect(0, 0, 240, 100));

    const QImage& image = page->Surface();
    EXPECT_EQ(image.pixel(0, 100), GetSysColor(COLOR_3DDKSHADOW).rgb());
    EXPECT_EQ(image.pixel(239, 299), GetSysColor(COLOR_BTNHIGHLIGHT).rgb());
    EXPECT_EQ(image.pixel(239, 150), GetSysColor(COLOR_BTNHIGHLIGHT).rgb());
    EXPECT_EQ(image.pixel(1, 101), kFace.rgb());
    EXPECT_TRUE(Shows(QStringLiteral("Position"), LineAt(0), PageFont(FW_BOLD)));
    EXPECT_FALSE(Shows(QStringLiteral("Position"), LineAt(0)));
}

TEST_F(SigNavPage, WritesPositionAltitudeAndCountsInTheUsersFormats) {
    WriteSettingInt(kSectionSettings, kPositionFormat, 1);
    WriteSettingInt(kSectionSettings, kAltitudeElevationUnits, 1);
    gps.m_dLatitude = 47.5;
    gps.m_dLongitude = -122.08541666666667;
    gps.m_dAltitude = 123.456;
    gps.m_nSatsUsed = 10;
    gps.m_nSatsInView = 12;
    Create();

    const char* lines[][2] = {
        {"   Latitude:", "N 47\u00B0 30' 00.000"}, {"   Longitude:", "W 122\u00B0 05' 07.500"},
        {"   Altitude:", "123.46   m     "},       {"   Satellites In Use:", "10    "},
        {"   Satellites In View:", "12    "},
    };
    for (int k = 1; k <= 5; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(Shows(QString::fromUtf8(lines[k - 1][0]), LineAt(k)));
        EXPECT_TRUE(Shows(QString::fromUtf8(lines[k - 1][1]), ValueAt(k)));
    }
}

TEST_F(SigNavPage, ShorterCountsWipeTheDigitsOfLongerOnes) {
    gps.m_nSatsUsed = 10;
    Create();
    page->Tick();
    gps.m_nSatsUsed = 9;
    gps.m_nGsaCount = 1;
    page->Tick();
    EXPECT_TRUE(Shows(QStringLiteral("9    "), ValueAt(4)));
    EXPECT_EQ(page->Surface().copy(0, 100, 240, 200), FreshTextArea());
}

TEST_F(SigNavPage, RefreshesTheTextAfterNewGgaGsaOrRmcDataOnly) {
    Create();
    page->Tick();
    const QImage before = page->Surface().copy();
    gps.m_dLatitude = 12.25;
    gps.m_nSatsUsed = 7;
    gps.m_nGsvCount = 3; // satellites alone leave the text as it is
    page->Tick();
    EXPECT_EQ(page->Surface().copy(0, 100, 240, 200), before.copy(0, 100, 240, 200));

    // Without GSA the position still follows GGA (and RMC).
    for (uint32_t CNmeaParser::*pCount :
         {&CNmeaParser::m_nGgaCount, &CNmeaParser::m_nGsaCount, &CNmeaParser::m_nRmcCount}) {
        gps.m_dLatitude += 1;
        ++(gps.*pCount);
        page->Tick();
        EXPECT_EQ(page->Surface().copy(0, 100, 240, 200), FreshTextArea());
    }
    EXPECT_TRUE(Shows(QStringLiteral("N 15\u00B0 15.0000"), ValueAt(1)));
    EXPECT_TRUE(Shows(QStringLiteral("7    "), ValueAt(4)));
}

TEST_F(SigNavPage, ShorterTextsLeaveNothingOfLongerOnes) {
    // The first southern latitude: "S" is narrower than "N".
    gps.m_dLatitude = 47.5;
    Create();
    page->Tick();
    gps.m_dLatitude = -47.5;
    ++gps.m_nGgaCount;
    page->Tick();
    EXPECT_EQ(page->Surface().copy(0, 100, 240, 200), FreshTextArea());
}

TEST_F(SigNavPage, BelowTheCountsComeTimeSpeedDopsAndFixAsFarAsTheyFit) {
    WriteSettingInt(kSectionSettings, kDistanceSpeedUnits, 2);
    Create();
    const char* labels[] = {"   UTC:", "   Speed:", "   Course:", "   HDOP/PDOP/VDOP:", "   Fix:"};
    // Nothing decoded yet: no zero passes for a measurement.
    for (int k = 6; k <= 10; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(Shows(QString::fromLatin1(labels[k - 6]), LineAt(k)));
        EXPECT_TRUE(Shows(QStringLiteral("--"), ValueAt(k)));
    }

    Feed(gps, Sentence("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,071226,003.1,W"));
    Feed(gps, Sentence("GPGGA,123519,4807.038,N,01131.000,E,2,08,0.9,545.4,M,46.9,M,,"));
    page->Tick();
    // Before the first GSA the DOPs are unknown and the fix has no mode.
    EXPECT_TRUE(Shows(QStringLiteral("--"), ValueAt(9)));
    EXPECT_TRUE(Shows(QStringLiteral("Differential GPS"), ValueAt(10)));
    Feed(gps, Sentence("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1"));
    page->Tick();
    const char* values[] = {"12:35:19 2026-12-07", "41.5 Km/h", "84.4\u00B0", "1.3 / 2.5 / 2.1",
                            "3D, Differential GPS"};
    for (int k = 6; k <= 10; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(Shows(QString::fromUtf8(values[k - 6]), ValueAt(k)));
    }
    // ZDA, with its four-digit year, is the clock once it comes.
    Feed(gps, Sentence("GPZDA,201530.00,04,07,2002,00,00"));
    page->Tick();
    EXPECT_TRUE(Shows(QStringLiteral("20:15:30 2002-07-04"), ValueAt(6)));
    Feed(gps, Sentence("GPGSA,A,2,04,05,,09,12,,,24,,,,,2.5,1.3,2.1"));
    page->Tick();
    EXPECT_TRUE(Shows(QStringLiteral("2D, Differential GPS"), ValueAt(10)));
    EXPECT_EQ(page->Surface().copy(0, 100, 240, 200), FreshTextArea());

    // A page with room for the specified rows only shows nothing more, and its frame is whole.
    const int nHeight = (3 * (4 + 6 * th + th / 2) + 1) / 2;
    page = std::make_unique<CTickedSigNavWnd>(gps);
    ASSERT_TRUE(page->Create(QStringLiteral("SigQual"), {0, 0, 240, nHeight}, &parent, 0xFFFF));
    const QImage image = Render(*page);
    const int yText = nHeight / 3 + 3; // the text block's top
    EXPECT_TRUE(ShowsAt(
        image, TextCell(QString::fromLatin1("   Satellites In View:"), PageFont(), kText, kFace),
        {3, yText + 5 * th}));
    EXPECT_FALSE(ShowsAt(image, TextCell(QString::fromLatin1(labels[0]), PageFont(), kText, kFace),
                         {3, yText + 6 * th}));
    for (int x = 1; x < 240; ++x)
        ASSERT_EQ(image.pixel(x, nHeight - 1), GetSysColor(COLOR_BTNHIGHLIGHT).rgb()) << x;
}

TEST_F(SigNavPage, RefreshesTheBarsOnlyAfterNewGsvData) {
    Create();
    SetSatellite(gps, 0, 4, 100, 40, 42, 1);
    gps.m_nSatsInView = 8;
    page->Tick();
    EXPECT_EQ(Bars().ChannelCount(), 8);
    EXPECT_EQ(Bars().Channel(0).nSnr, 42);
    EXPECT_EQ(Bars().Channel(0).bUsed, 1);

    SetSatellite(gps, 0, 4, 100, 40, 20, 0);
    gps.m_nSatsInView = 3;
    gps.m_nGsaCount = 9;
    page->Tick();
    EXPECT_EQ(Bars().Channel(0).nSnr, 42);
    EXPECT_EQ(Bars().ChannelCount(), 8);

    gps.m_nGsvCount = 1;
    page->Tick();
    EXPECT_EQ(Bars().Channel(0).nSnr, 20);
    EXPECT_EQ(Bars().ChannelCount(), 3);
}

TEST_F(SigNavPage, TheFirstTickRefreshesBothParts) {
    Create();
    // The counters are still 0, as in a fresh record, yet the first tick takes everything.
    SetSatellite(gps, 2, 17, 100, 40, 33, 1);
    gps.m_nSatsUsed = 5;
    page->Tick();
    EXPECT_EQ(Bars().ChannelCount(), 12);
    EXPECT_EQ(Bars().Channel(2).nPrn, 17);
    EXPECT_TRUE(Shows(QStringLiteral("5    "), ValueAt(4)));
}

TEST_F(SigNavPage, EightSatellitesGiveEightBars) {
    Create();
    gps.m_nSatsInView = 8;
    gps.m_nGsvCount = 2;
    page->Tick();
    const QImage image = Composite(*page);
    const int s = (240 - 2) / 8;
    EXPECT_EQ(image.pixel(2 + 7 * s, 2), GetSysColor(COLOR_3DDKSHADOW).rgb());
    EXPECT_EQ(image.pixel(2 + 8 * s, 2), kFace.rgb());
}

TEST_F(SigNavPage, AnAbsurdSatelliteCountGivesThirtyTwoBarsFromTheTable) {
    Create();
    Feed(gps, Sentence("GPGSV,1,1,99,01,40,000,30"));
    ASSERT_EQ(gps.m_nSatsInView, 99);
    for (int i = 0; i < CNmeaParser::kSatellites; ++i)
        SetSatellite(gps, i, i + 1, 10 * i, 40, 20 + i, i % 2);
    page->Tick();
    EXPECT_EQ(Bars().ChannelCount(), 32);
    // Beyond the first twelve, every bar shows its own table entry.
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(Bars().Channel(i).nPrn, i + 1);
    const QImage image = Composite(*page);
    EXPECT_EQ(Bars().Range().Maximum(), 51);
    EXPECT_EQ(image.pixel(2 + 31 * 7, 2), GetSysColor(COLOR_3DDKSHADOW).rgb());
}

TEST_F(SigNavPage, ARecordResetShowsTwelveEmptyBarsAndTheResetValues) {
    Create();
    Feed(gps, Sentence("GPGSA,A,3,04,09,,,,,,,,,,,2.0,1.0,1.7"));
    Feed(gps, Sentence("GPGSV,1,1,03,04,50,110,42,09,12,300,31,12,67,200,45"));
    Feed(gps, Sentence("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"));
    page->Tick();
    Composite(*page);
    EXPECT_EQ(Bars().ChannelCount(), 3);
    EXPECT_EQ(Bars().Range().Maximum(), 45);

    gps.Reset();
    page->Tick();
    EXPECT_EQ(Bars().ChannelCount(), 12);
    const QImage image = Composite(*page);
    const CFont barFont = CDrawContext().CreatePointFont(79, QStringLiteral("Arial"));
    CDrawContext measure;
    measure.SelectFont(barFont);
    const int nBarText = measure.GetTextMetrics().tmHeight;
    const QImage zero =
        TextCell(QStringLiteral("0"), barFont, GetSysColor(COLOR_WINDOWTEXT), kFace);
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Bars().Channel(i).nPrn, 0);
        // Empty: the face colour down to the one row every bar shows.
        const int left = 3 + 19 * i;
        const int bottom = 100 - 2 - nBarText;
        EXPECT_EQ(image.pixel(left, bottom - 2), kFace.rgb());
        EXPECT_EQ(image.pixel(left, bottom - 1), GetSysColor(COLOR_GRAYTEXT).rgb());
        EXPECT_TRUE(ShowsAt(image, zero, QPoint(left + (16 - zero.width()) / 2, bottom + 2)));
    }
    EXPECT_TRUE(Shows(QStringLiteral("N 00\u00B0 00.0000"), ValueAt(1)));
    EXPECT_TRUE(Shows(QStringLiteral("E 000\u00B0 00.0000"), ValueAt(2)));
    EXPECT_TRUE(Shows(QStringLiteral("0.00     ft     "), ValueAt(3)));
    EXPECT_TRUE(Shows(QStringLiteral("0    "), ValueAt(5)));

    // Reading every system, a sky that empties shows the same twelve empty bars.
    gps.SetAllSystems(true);
    Feed(gps, Sentence("GPGSV,1,1,01,04,50,110,42"));
    page->Tick();
    ASSERT_TRUE(Bars().BySystem());
    Feed(gps, Sentence("GPGSV,1,1,00"));
    page->Tick();
    EXPECT_FALSE(Bars().BySystem());
    EXPECT_EQ(Bars().ChannelCount(), 12);
    EXPECT_EQ(Composite(*page).copy(0, 0, 240, 100), image.copy(0, 0, 240, 100));
}

TEST_F(SigNavPage, ResetCommandNarrowsTheBarRange) {
    Create();
    SetSatellite(gps, 0, 4, 100, 40, 42, 1);
    SetSatellite(gps, 1, 5, 100, 40, 30, 1);
    page->Tick();
    Composite(*page);
    ASSERT_EQ(Bars().Range().Minimum(), 30);

    EXPECT_TRUE(page->OnCommand(ID_RESET_SNR));
    EXPECT_EQ(Bars().Range().Minimum(), CSnrRange::kNoMinimum);
    EXPECT_FALSE(page->OnCommand(ID_ENABLE_TRAILS));
    // The next paint of the bars takes the range from the channels then drawn.
    SetSatellite(gps, 1, 5, 100, 40, 35, 1);
    gps.m_nGsvCount = 4;
    page->Tick();
    Composite(*page);
    EXPECT_EQ(Bars().Range().Minimum(), 35);
}

TEST_F(SigNavPage, TapAndHoldOnThePageOrTheBarsOffersTheReset) {
    // Standing alone, the page is the top-level owner that the chosen command comes back to.
    CTickedSigNavWnd topLevel(gps);
    ASSERT_TRUE(
        topLevel.Create(QStringLiteral("SigQual"), {0, 0, 240, 300}, nullptr, 0xFFFF, false));
    SetSatellite(gps, 0, 4, 100, 40, 42, 1);
    topLevel.Tick();
    Composite(topLevel);
    ASSERT_EQ(topLevel.SignalBars().Range().Maximum(), 42);

    CScriptedInteraction person;
    person.AnswerMenu(ID_RESET_SNR);
    person.AnswerMenu(ID_RESET_SNR);
    QWidget* targets[] = {&topLevel, const_cast<CSigQualWnd*>(&topLevel.SignalBars())};
    for (QWidget* pTarget : targets) {
        QContextMenuEvent hold(QContextMenuEvent::Mouse, QPoint(50, 60), QPoint(150, 160));
        QCoreApplication::sendEvent(pTarget, &hold);
        EXPECT_TRUE(hold.isAccepted());
        DeliverPosted();
        EXPECT_EQ(topLevel.SignalBars().Range().Maximum(), CSnrRange::kNoMaximum);
        Composite(topLevel);
        EXPECT_EQ(topLevel.SignalBars().Range().Maximum(), 42);
    }
    ASSERT_EQ(person.Prompts().size(), 2u);
    for (const Prompt& menu : person.Prompts()) {
        ASSERT_EQ(menu.menuItems.size(), 1u);
        EXPECT_EQ(menu.menuItems[0].strText, QStringLiteral("&Reset SNR Max and Min"));
    }
}

TEST_F(SigNavPage, ItsTimerRefreshesThePage) {
    Create();
    gps.m_nSatsInView = 5;
    // Waits for the first tick, whenever it comes.
    EXPECT_TRUE(ProcessEventsUntilTrue([&] { return Bars().ChannelCount() == 5; }));
}

TEST_F(SigNavPage, OnScreenThePageAndItsBarsPaintThroughTheWindowSystem) {
    gps.m_nSatsUsed = 6;
    SetSatellite(gps, 0, 4, 100, 40, 42, 1);
    CTickedSigNavWnd shown(gps);
    ASSERT_TRUE(shown.Create(QStringLiteral("SigQual"), {0, 0, 240, 300}, nullptr, 0xFFFF));
    shown.Tick();
    ASSERT_TRUE(ProcessEventsUntilTrue([&] { return shown.SignalBars().width() == 240; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(shown.grab().toImage().convertToFormat(QImage::Format_RGB32), Composite(shown));
}

} // namespace
