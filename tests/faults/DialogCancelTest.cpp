// SPDX-License-Identifier: MIT
// Every question the program asks, answered "no", one after another in one frame: each dialog
// cancelled or closed, each file chooser cancelled, the reset question declined, a
// tap-and-hold menu dismissed (every page's menu is the same gesture). None of them changes a
// setting, the source, the recording, the record or a single pixel of a page.
#include "FaultSupport.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFile>

namespace {

// Everything a cancelled question could have changed.
struct State {
    QByteArray settings;
    CMainFrame::Source source;
    bool bOpen;
    QString strReplay;
    bool bRecording;
    std::string strRecord;
    uint32_t nAveraged;
    std::array<QImage, 4> pages;

    friend bool operator==(const State&, const State&) = default;
};

State Capture(CMainFrame& frame, const QString& strSettings) {
    QFile file(strSettings);
    file.open(QIODevice::ReadOnly);
    return {file.readAll(),
            frame.SourceMode(),
            frame.Link().IsOpen(),
            frame.Link().m_strSource,
            frame.Parser().IsRecording(),
            Snapshot(frame.Parser()),
            frame.View().StatsPage().Averages().m_avgLatitude.m_nCount,
            RenderPages(frame)};
}

enum class Answer { Reject, NoFile, No, NoChoice };

TEST_F(FaultTest, EveryQuestionAnsweredNoChangesNothing) {
    const struct {
        int nCommand; // 0: the page's tap-and-hold menu, nPage
        Answer answer;
        int nPage = 0;
    } questions[] = {
        {ID_LOG_START, Answer::NoFile},
        {ID_CONNECT_SERIAL, Answer::Reject},
        {ID_CONNECT_LOGGED_FILE, Answer::NoFile},
        {ID_CONNECT_GPSD, Answer::Reject},
        {ID_CONNECT_TCP, Answer::Reject},
        {ID_CONNECT_UDP, Answer::Reject},
        {ID_UNITS, Answer::Reject},
        {ID_APP_ABOUT, Answer::Reject},
        {ID_SETUP_SPEED, Answer::Reject},
        {ID_AVG_THRESHOLDS, Answer::Reject},
        {ID_STATS_RESET, Answer::No},
        {0, Answer::NoChoice, 3}, // the Stats page's menu
    };
    auto pFrame = MakeFrame(QStringLiteral(RAVUZIZ_DATA_DIR "/demo.nmea"));
    CMainFrame& frame = *pFrame;
    Tick(frame, 60);
    for (const auto& question : questions) {
        SCOPED_TRACE(question.nCommand);
        frame.View().TabWnd().ShowPage(question.nPage);
        // Each page once in front first: a page behind another catches up only when it shows.
        RenderPages(frame);
        const State before = Capture(frame, ConfigFile());
        CScriptedInteraction person;
        switch (question.answer) {
            case Answer::Reject: person.AnswerDialog([](QDialog& d) { d.reject(); }); break;
            case Answer::NoFile: person.AnswerFile(QString()); break;
            case Answer::No: person.AnswerMessageBox(IDNO); break;
            case Answer::NoChoice: person.AnswerMenu(0); break;
        }
        if (question.nCommand != 0) {
            EXPECT_TRUE(frame.OnCommand(question.nCommand));
        } else {
            QWidget* pPage = frame.View().TabWnd().CurrentPage();
            QContextMenuEvent gesture(QContextMenuEvent::Mouse, QPoint(10, 10),
                                      pPage->mapToGlobal(QPoint(10, 10)));
            QCoreApplication::sendEvent(pPage, &gesture);
        }
        ProcessPosted();
        ASSERT_EQ(person.Prompts().size(), 1u);
        EXPECT_EQ(person.UnusedAnswers(), 0);
        EXPECT_TRUE(Capture(frame, ConfigFile()) == before);
    }
}

} // namespace
