// SPDX-License-Identifier: MIT
// The signal/navigation page: the bars over the top third and the text block below in the
// user's formats, the rows under the counts as far as they fit, and the timer's refresh of
// each part after its sentences only; what it draws in part is what a fresh page draws.
#include "ViewsTestSupport.h"

#include "platform/SystemMetrics.h"
#include "resources/resource.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "views/NavigationRows.h"
#include "views/SigNavWnd.h"

namespace {

// The rows under the counts after each sentence of data/golden/views/navigation-rows.txt, as
// the file says (RAVUZIZ_WRITE_GOLDEN=1 writes them anew; read the diff): they follow the
// sentences as they come, ZDA with its four-digit year is the clock once it comes, and
// undecoded values read "--".
TEST(NavigationRows, FollowTheSentencesAsTheyCome) {
    const QString strGolden = QStringLiteral(RAVUZIZ_DATA_DIR "/golden/views/navigation-rows.txt");
    const std::string strKept = ReadWholeFile(strGolden);
    CNmeaParser gps;
    const auto rows = [&] {
        QStringList values;
        for (const TextRow& row : NavigationRows(gps, 2))
            values << row.strValue;
        return values.join(" | ").toStdString() + "\n";
    };
    std::string strListing = rows();
    for (const QString& strLine : QString::fromStdString(strKept).split('\n'))
        if (strLine.startsWith(QStringLiteral("> "))) {
            FeedChunks(gps, Sentence(strLine.mid(2).toStdString()));
            strListing += strLine.toStdString() + "\n" + rows();
        }
    if (qEnvironmentVariableIsSet("RAVUZIZ_WRITE_GOLDEN"))
        WriteWholeFile(strGolden, strListing);
    EXPECT_EQ(strListing, strKept);
}

class SigNavPage : public CleanStoreTest {
protected:
    CNmeaParser gps;
    QWidget parent;
    std::unique_ptr<CSigNavWnd> page;

    void Create(int nHeight = 300) {
        page = std::make_unique<CSigNavWnd>(gps);
        ASSERT_TRUE(page->Create(QStringLiteral("SigQual"), {0, 0, 240, nHeight}, &parent, 0xFFFF));
        Composite(*page);
    }
    // One tick of the refresh timer, and the repaints it asked for.
    QImage Tick() {
        FireTimers(page.get());
        return Composite(*page);
    }
    const CSigQualWnd& Bars() const { return page->SignalBars(); }
    QImage Fresh() { return FreshPage<CSigNavWnd>(gps, parent, page->GetClientRect()); }
};

// The position in degrees and minutes and seconds, metres, the counts, the navigation rows;
// and a page with room for the rows above them only, its frame whole.
TEST_F(SigNavPage, DrawsTheBarsAndTheTextBlockAsKept) {
    WriteSettingInt(kSectionSettings, kPositionFormat, 1);
    WriteSettingInt(kSectionSettings, kAltitudeElevationUnits, 1);
    WriteSettingInt(kSectionSettings, kDistanceSpeedUnits, 2);
    FeedChunks(gps,
               Sentence("GPRMC,123519,A,4730.000,N,12205.125,W,022.4,084.4,071226,003.1,W") +
                   Sentence("GPGGA,123519,4730.000,N,12205.125,W,2,10,0.9,123.456,M,46.9,M,,") +
                   Sentence("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1") +
                   Sentence("GPGSV,1,1,03,04,50,110,42,09,12,300,31,12,67,200,45"));
    Create();
    EXPECT_TRUE(MatchesPicture(Tick(), "signav"));
    const CFont font = CFont::FromPointSize(90, QStringLiteral("Arial"), ScreenDpiY());
    CDrawContext dc;
    dc.SelectFont(font);
    const int th = dc.GetTextMetrics().tmHeight;
    Create((3 * (4 + 6 * th + th / 2) + 1) / 2);
    EXPECT_TRUE(MatchesPicture(Tick(), "signav-short"));
}

// The bars after new GSV data, the text after new GGA, GSA, RMC or ZDA data, and both at the
// first tick.
TEST_F(SigNavPage, RefreshesTheBarsAfterGsvDataAndTheTextAfterGgaGsaRmcOrZdaDataOnly) {
    Create();
    // The counters are still 0, as in a fresh record, yet the first tick takes everything.
    SetSatellite(gps, 0, 4, 100, 40, 42, 1);
    gps.m_nSatsInView = 8;
    gps.m_nSatsUsed = 5;
    EXPECT_EQ(Tick(), Fresh());
    EXPECT_EQ(Bars().Channel(0), (SignalChannel{4, 42, 1}));

    SetSatellite(gps, 0, 4, 100, 40, 20, 0);
    gps.m_nSatsInView = 3;
    gps.m_nGsaCount = 9;
    Tick();
    EXPECT_EQ(Bars().Channel(0).nSnr, 42);

    gps.m_nGsvCount = 1;
    Tick();
    EXPECT_EQ(Bars().Channel(0).nSnr, 20);
    EXPECT_EQ(Bars().ChannelCount(), 3);

    // 99 in view: 32 bars, each showing its own table entry, also beyond the first twelve.
    FeedChunks(gps, Sentence("GPGSV,1,1,99,01,40,000,30"));
    for (int i = 0; i < CNmeaParser::kSatellites; ++i)
        SetSatellite(gps, i, i + 1, 10 * i, 40, 20 + i, i % 2);
    Tick();
    ASSERT_EQ(Bars().ChannelCount(), 32);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(Bars().Channel(i).nPrn, i + 1);

    const QImage before = Tick();
    gps.m_dLatitude = 12.25;
    gps.m_nSatsUsed = 10;
    gps.m_nGsvCount = 3; // satellites alone leave the text as it is
    EXPECT_EQ(Tick().copy(0, 100, 240, 200), before.copy(0, 100, 240, 200));

    // Shorter counts and texts wipe what longer ones left: "9" after "10", "S" after "N".
    for (uint32_t CNmeaParser::*pCount : {&CNmeaParser::m_nGgaCount, &CNmeaParser::m_nGsaCount,
                                          &CNmeaParser::m_nRmcCount, &CNmeaParser::m_nZdaCount}) {
        gps.m_dLatitude = -gps.m_dLatitude - 1;
        gps.m_nSatsUsed = 19 - gps.m_nSatsUsed;
        ++(gps.*pCount);
        EXPECT_NE(Tick(), before);
        EXPECT_EQ(Composite(*page), Fresh());
    }
}

TEST_F(SigNavPage, TheResetCommandNarrowsTheRangeAndARecordResetEmptiesTheBars) {
    Create();
    FeedChunks(gps, Sentence("GPGSA,A,3,04,09,,,,,,,,,,,2.0,1.0,1.7") +
                        Sentence("GPGSV,1,1,03,04,50,110,42,09,12,300,31,12,67,200,45") +
                        Sentence("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"));
    Tick();
    // The reset command narrows the range; the next paint takes it from the bars drawn then.
    EXPECT_TRUE(page->OnCommand(ID_RESET_SNR));
    EXPECT_EQ(Bars().Range().Minimum(), CSnrRange::kNoMinimum);
    Composite(*page);
    EXPECT_EQ(Bars().Range().Minimum(), 31);
    gps.Reset();
    const QImage reset = Tick();
    EXPECT_EQ(Bars().ChannelCount(), 12);
    EXPECT_EQ(reset, Fresh());
    EXPECT_TRUE(MatchesPicture(reset, "signav-reset"));

    // As many bars by system and then by bare PRN: what the frames drew before is erased.
    const std::string strGsv = Sentence("GPGSV,1,1,03,04,50,110,42,09,12,300,31,12,67,200,45");
    gps.SetAllSystems(true);
    FeedChunks(gps, strGsv);
    Tick();
    ASSERT_TRUE(Bars().BySystem());
    gps.SetAllSystems(false);
    FeedChunks(gps, strGsv);
    // (GSV alone leaves the text as it was: the bars are compared.)
    EXPECT_EQ(Tick().copy(0, 0, 240, 100), Fresh().copy(0, 0, 240, 100));
    gps.SetAllSystems(true); // an empty sky shows the twelve empty bars again
    FeedChunks(gps, Sentence("GPGSV,1,1,00"));
    Tick();
    EXPECT_FALSE(Bars().BySystem());
}

} // namespace
