// SPDX-License-Identifier: MIT
// The main frame as a whole: start-up order, the poll loop reaching the pages through the
// frame and the client window, status texts and the activity light, the menu commands with
// their dialogs, and the menu states.
#include "ShellTest.h"
#include "common/NmeaSupport.h"
#include "nmea/NmeaMessages.h"
#include "platform/Dialog.h"
#include "platform/Messages.h"
#include "views/NavigationRows.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

const QString kDemo = QStringLiteral(RAVUZIZ_DATA_DIR "/demo.nmea");
const QString kSample = QStringLiteral(RAVUZIZ_DATA_DIR "/sample.nmea");

class Frame : public ShellTest {
protected:
    static void Tick(CMainFrame& frame, int nTicks) {
        for (int i = 0; i < nTicks; ++i) {
            frame.OnTimer(CPollLoop::kTimerId);
            ProcessPosted();
        }
    }
};

// Only agreeing goes on; the warning cancelled or closed any other way ends the program
// without storing anything.
TEST_F(Frame, ShowsItselfBeforeTheWarningAndOnlyAgreeGoesOn) {
    for (const int nAnswer : {int{QDialog::Accepted}, int{QDialog::Rejected}, 7}) {
        const std::string strBefore = ReadWholeFile(StorePath());
        {
            CScriptedInteraction person;
            bool bShownBefore = false;
            CMainFrame* pFrame = nullptr;
            person.AnswerDialog([&](QDialog& d) {
                bShownBefore = pFrame && pFrame->isVisible();
                d.done(nAnswer);
            });
            CMainFrame frame;
            pFrame = &frame;
            EXPECT_FALSE(frame.isVisible()); // nothing shown until the posted request
            ProcessPosted();
            EXPECT_TRUE(bShownBefore);
            ASSERT_EQ(person.Prompts().size(), 1u);
            EXPECT_EQ(frame.isVisible(), nAnswer == QDialog::Accepted);
        }
        EXPECT_TRUE(nAnswer == QDialog::Accepted || ReadWholeFile(StorePath()) == strBefore)
            << nAnswer;
    }
}

TEST_F(Frame, AReplayTickReachesTheStatisticsAndSatellitePages) {
    // The GPS-only reading, whose satellite table the sky plot draws from.
    WriteSettingInt(kSectionSerial, kAllSystems, 0);
    CMainFrame::Options options;
    options.strReplayPath = kDemo;
    const auto pFrame = Start(options);
    CMainFrame& frame = *pFrame;
    EXPECT_EQ(frame.SourceMode(), CMainFrame::Source::LoggedFile);
    Tick(frame, 60); // a few seconds of the drive
    EXPECT_GT(frame.Parser().m_nGgaCount, 10u);
    EXPECT_GT(frame.View().StatsPage().Averages().m_avgLatitude.m_nCount, 0u);
    int nMarkers = 0;
    for (const SkySatellite& sat : frame.View().SatellitePage().SkyPlot().CurrentSlots())
        nMarkers += sat.nPrn != 0;
    EXPECT_GT(nMarkers, 0);
}

// Bytes, then thousands below a million, then millions to two decimals.
TEST_F(Frame, LogSizeTexts) {
    const std::pair<uint32_t, const char*> cases[] = {
        {0, "Log:0"},         {999, "Log:999"},       {1000, "Log:1K"},
        {999999, "Log:999K"}, {1000000, "Log:1.00M"}, {4294967295u, "Log:4294.97M"}};
    for (const auto& [nBytes, pszText] : cases)
        EXPECT_EQ(CMainFrame::LogSizeText(true, nBytes), pszText);
    EXPECT_EQ(CMainFrame::LogSizeText(false, 5000), "No Log");
}

SourceStatus Source(SourceStatus::Kind kind, const QString& strWhere, uint32_t nNumber,
                    int nPercent = -1, SourceStatus::State state = SourceStatus::State::Open) {
    SourceStatus status;
    status.kind = kind;
    status.strWhere = strWhere;
    status.nNumber = nNumber;
    status.nPercent = nPercent;
    status.state = state;
    return status;
}

TEST_F(Frame, SourceTexts) {
    using Kind = SourceStatus::Kind;
    using State = SourceStatus::State;
    const std::pair<SourceStatus, const char*> cases[] = {
        {{}, "no source"},
        {Source(Kind::Serial, "/dev/ttyACM0", 9600), "ttyACM0 9600"},
        {Source(Kind::Serial, "/dev/pts/4", 19200, -1, State::Searching),
         "pts/4 auto (trying 19200)"},
        {Source(Kind::Replay, "/home/me/demo.nmea", 0, 35), "replay demo.nmea 35 %"},
        {Source(Kind::Replay, "/home/me/demo.nmea", 0, 35, State::Paused),
         "replay demo.nmea 35 % (paused)"},
        {Source(Kind::Replay, "demo.nmea", 0, 100, State::Ended), "replay demo.nmea ended"},
        {Source(Kind::Replay, "/tmp/receiver", 0), "replay receiver"}, // a FIFO: no share
        {Source(Kind::Gpsd, "localhost", 2947), "gpsd localhost"},
        {Source(Kind::Gpsd, "localhost", 2947, -1, State::Away), "gpsd localhost (reconnecting)"},
        {Source(Kind::Gpsd, "::1", 2948), "gpsd [::1]:2948"},
        {Source(Kind::Tcp, "192.168.1.5", 10110, -1, State::Connecting),
         "tcp 192.168.1.5:10110 (connecting)"},
        {Source(Kind::Udp, "", 10110), "udp 10110"},
    };
    for (const auto& [status, pszText] : cases)
        EXPECT_EQ(CMainFrame::SourceText(status), pszText);
}

// The recorded pace on a clock the test turns: sample.nmea holds a fix a second; at x2 one
// comes every half second, none while paused (nor does the pause count as silence), and at
// the end the pane says so and the silence rule follows.
TEST_F(Frame, AReplayAtTheRecordedPaceFollowsItsClockPausesAndEnds) {
    double dNow = 0;
    CMainFrame::Options options;
    options.strReplayPath = kSample;
    options.nReplayPace = 2;
    options.replayClock = [&dNow] { return dNow; };
    const auto pFrame = Start(options);
    CMainFrame& frame = *pFrame;
    const auto tick = [&](int nTicks) {
        for (int i = 0; i < nTicks; ++i) {
            dNow += CPollLoop::kPeriodMs / 1000.0;
            Tick(frame, 1);
        }
    };
    EXPECT_TRUE(QueryCommandState(&frame, ID_PACE_X2).IsChecked());
    EXPECT_FALSE(QueryCommandState(&frame, ID_PACE_FIXED).IsChecked());
    tick(5); // the first fix at once, then 1.2 s at twice the pace
    EXPECT_NEAR(frame.Parser().m_nGgaCount, 1 + 1.2 * 2, 1.01);
    const QString strPane = frame.PaneText(3);
    EXPECT_TRUE(strPane.startsWith("replay sample.nmea ") && strPane.endsWith(" %"))
        << qPrintable(strPane);

    frame.OnCommand(ID_REPLAY_PAUSE);
    EXPECT_TRUE(QueryCommandState(&frame, ID_REPLAY_PAUSE).IsChecked());
    const uint32_t nPaused = frame.Parser().m_nGgaCount;
    tick(2 * CPollLoop::kSilentTicks);
    EXPECT_EQ(frame.Parser().m_nGgaCount, nPaused);
    EXPECT_FALSE(frame.PollLoop().NoData());
    EXPECT_EQ(frame.PaneText(3), strPane + " (paused)");

    frame.OnCommand(ID_REPLAY_PAUSE);
    tick(2);
    EXPECT_NEAR(frame.Parser().m_nGgaCount, nPaused + 0.6 * 2, 1.01);
    QFile sample(kSample);
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const auto nFixes = static_cast<uint32_t>(sample.readAll().count("GGA,"));
    tick(10);
    EXPECT_EQ(frame.Parser().m_nGgaCount, nFixes);
    EXPECT_EQ(frame.PaneText(3), "replay sample.nmea ended");
    tick(CPollLoop::kSilentTicks);
    EXPECT_TRUE(frame.PollLoop().NoData());
    EXPECT_FALSE(QueryCommandState(&frame, ID_REPLAY_PAUSE).IsChecked());

    frame.OnCommand(ID_PACE_FIXED); // kept for the next replay
    EXPECT_EQ(ReadSettingInt(kSectionReplay, kPace, -1), 0);
    EXPECT_EQ(frame.ReplayPace(), 0);
}

TEST_F(Frame, TheLightFollowsTheFixQualityAndTurnsRedWhenSilent) {
    const auto pFrame = Start();
    CMainFrame& frame = *pFrame;
    CNmeaParser& gps = frame.Parser();
    struct Step {
        int nQuality;
        CStatusLight::Colour expected;
    } const steps[] = {{0, CStatusLight::Colour::Red},   {2, CStatusLight::Colour::Blue},
                       {9, CStatusLight::Colour::Blue},  {8, CStatusLight::Colour::Green},
                       {1, CStatusLight::Colour::Green}, {200, CStatusLight::Colour::Green}};
    for (const Step& step : steps) {
        gps.m_nFixQuality = static_cast<uint8_t>(step.nQuality);
        PostMessage(&frame, WM_GPS_SENTENCE);
        ProcessPosted();
        EXPECT_EQ(frame.LedColour(), step.expected) << step.nQuality;
        EXPECT_TRUE(frame.LedLit());
    }
    frame.OnTimer(CMainFrame::kLedTimerId);
    EXPECT_FALSE(frame.LedLit());
    gps.m_nFixQuality = 1;
    for (int i = 0; i < CPollLoop::kSilentTicks; ++i) // no source: silence
        frame.OnTimer(CPollLoop::kTimerId);
    EXPECT_EQ(gps.m_nFixQuality, 0); // the record was reset
    gps.m_nFixQuality = 1;           // and a fix in it is no sign of life
    PostMessage(&frame, WM_GPS_SENTENCE);
    ProcessPosted();
    EXPECT_EQ(frame.LedColour(), CStatusLight::Colour::Red);
}

// (Recording itself, its menu states and its faults are run through the whole program in the
// fault tests.)
TEST_F(Frame, LoggingShowsItsSizeAndAFileThatCannotBeMadeIsTold) {
    QTemporaryDir dir;
    const auto pFrame = Start();
    CMainFrame& frame = *pFrame;
    EXPECT_FALSE(QueryCommandState(&frame, ID_LOG_STOP).IsEnabled());
    CScriptedInteraction person;
    person.AnswerFile(dir.filePath("drive.txt"));
    EXPECT_TRUE(frame.OnCommand(ID_LOG_START));
    EXPECT_FALSE(QueryCommandState(&frame, ID_LOG_START).IsEnabled());
    frame.Parser().Feed("$GPZDA,1*55\r\n", 13);
    EXPECT_EQ(frame.PaneText(2), "Log:13");
    EXPECT_TRUE(frame.OnCommand(ID_LOG_STOP));
    EXPECT_EQ(QFileInfo(dir.filePath("drive.txt")).size(), 13);

    person.AnswerFile(dir.filePath("no/such/folder/x.txt"));
    frame.OnCommand(ID_LOG_START);
    EXPECT_FALSE(frame.Parser().IsRecording());
    EXPECT_EQ(person.Prompts().back().kind, Prompt::Kind::MessageBox);
}

// Every satellite system is read unless the user turned it off; the choice is kept, and
// switching leaves nothing of the other reading behind.
TEST_F(Frame, AllSatelliteSystemsIsAKeptChoice) {
    const std::string strGga = "$GNGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,*4C\r\n";
    const auto feed = [&strGga](CMainFrame& frame) {
        frame.Parser().Feed(strGga.data(), static_cast<uint32_t>(strGga.size()));
        return frame.Parser().m_nGgaCount;
    };
    {
        const auto pFrame = Start();
        CMainFrame& frame = *pFrame;
        EXPECT_TRUE(QueryCommandState(&frame, ID_ALL_SYSTEMS).IsChecked());
        EXPECT_EQ(feed(frame), 1u);
        EXPECT_TRUE(frame.OnCommand(ID_ALL_SYSTEMS));
        EXPECT_FALSE(QueryCommandState(&frame, ID_ALL_SYSTEMS).IsChecked());
        EXPECT_EQ(frame.Parser().m_dLatitude, 0); // the record started afresh
        EXPECT_EQ(feed(frame), 0u);               // and reads talker GP only
    }
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kAllSystems, kDefaultAllSystems), 0);
    const auto pFrame = Start();
    EXPECT_FALSE(pFrame->Parser().AllSystems());
    pFrame->OnCommand(ID_ALL_SYSTEMS);
    EXPECT_EQ(feed(*pFrame), 1u);
}

TEST_F(Frame, UnitsAreStoredOnOkAndPageCommandsComeBackDownToTheirPages) {
    const auto pFrame = Start();
    CMainFrame& frame = *pFrame;
    CScriptedInteraction person;
    person.AnswerDialog([](QDialog& d) {
        GetDlgItemAs<QComboBox>(&d, IDC_DISTANCE_SPEED)->setCurrentIndex(2);
        GetDlgItemAs<QComboBox>(&d, IDC_ALTITUDE)->setCurrentIndex(1);
        d.accept();
    });
    frame.OnCommand(ID_UNITS);
    EXPECT_EQ(ReadSettingInt(kSectionSettings, kDistanceSpeedUnits, -1), 2);
    EXPECT_EQ(ReadSettingInt(kSectionSettings, kAltitudeElevationUnits, -1), 1);
    EXPECT_EQ(ReadSettingInt(kSectionSettings, kPositionFormat, -1), 0);

    EXPECT_TRUE(QueryCommandState(&frame, ID_STATS_ENABLE).IsChecked());
    EXPECT_TRUE(frame.OnCommand(ID_STATS_ENABLE));
    EXPECT_FALSE(frame.View().StatsPage().IsEnabled());
    EXPECT_FALSE(QueryCommandState(&frame, ID_STATS_ENABLE).IsChecked());
    EXPECT_FALSE(frame.OnCommand(12345)); // nobody's command
}

} // namespace
