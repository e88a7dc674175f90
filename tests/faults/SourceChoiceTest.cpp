// SPDX-License-Identifier: MIT
// Sources chosen that cannot work as they are: the file being recorded chosen as the replay,
// or the file being replayed as the recording, under any of its names and from the start; a
// FIFO or standard input, which must never freeze the window; and a port or file that fails
// to open, which must leave the source that worked running and ticked.
#include "FaultSupport.h"
#include "common/NmeaSupport.h"
#include "common/Pty.h"

#include "platform/Commands.h"
#include "platform/Dialog.h"
#include "resources/resource.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"

#include <QComboBox>
#include <QDir>
#include <QThread>

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// An open or a read that waits would hang the test: the alarm ends it instead.
class CHangGuard {
public:
    CHangGuard() { alarm(20); }
    ~CHangGuard() { alarm(0); }
};

bool Ticked(CMainFrame& frame, int nCommand) {
    return QueryCommandState(&frame, nCommand).IsChecked();
}

// The person's last message box, or an empty text.
QString LastBox(const CScriptedInteraction& person) {
    for (auto it = person.Prompts().rbegin(); it != person.Prompts().rend(); ++it)
        if (it->kind == Prompt::Kind::MessageBox)
            return it->strText;
    return QString();
}

void Command(CScriptedInteraction& person, CMainFrame& frame, int nCommand,
             const QString& strPath) {
    person.AnswerFile(strPath);
    frame.OnCommand(nCommand);
}

void ChoosePort(CScriptedInteraction& person, CMainFrame& frame, int nPort) {
    person.AnswerDialog([nPort](QDialog& d) {
        auto* pList = GetDlgItemAs<QComboBox>(&d, IDC_PORT);
        pList->setCurrentIndex(
            pList->findText(QStringLiteral("COM%1:").arg(nPort), Qt::MatchStartsWith));
        d.accept();
    });
    frame.OnCommand(ID_CONNECT_SERIAL);
}

// Sends str to the receiver and ticks until the frame has decoded all of it; false if it
// never arrives.
bool Receive(CPty& pty, CMainFrame& frame, const std::string& str) {
    const uint32_t nWanted = frame.Parser().m_nSentenceCount + CountSentences(str);
    pty.Send(str);
    for (int i = 0; i < 2000 && frame.Parser().m_nSentenceCount < nWanted; ++i) {
        Tick(frame);
        QThread::msleep(1);
    }
    return frame.Parser().m_nSentenceCount == nWanted;
}

TEST_F(FaultTest, TheRecordingAndTheReplayAreNeverOneFile) {
    const std::string strDrive = SimulatedSeconds(20);
    const QString strReplay = TempPath(QStringLiteral("drive.nmea"));
    WriteWholeFile(strReplay, strDrive);
    // Other names of the same file: a hard link, a symbolic link, a relative path.
    const auto NamesOf = [this](const QString& strPath) {
        const QString strHard = strPath + QStringLiteral(".hard");
        const QString strSoft = strPath + QStringLiteral(".soft");
        EXPECT_EQ(link(qPrintable(strPath), qPrintable(strHard)), 0);
        EXPECT_EQ(symlink(qPrintable(strPath), qPrintable(strSoft)), 0);
        return QStringList{strPath, strHard, strSoft, QDir::current().relativeFilePath(strPath)};
    };
    auto pFrame = MakeFrame(strReplay);
    CMainFrame& frame = *pFrame;
    CScriptedInteraction person;
    Tick(frame, 3);

    // Recording onto the replay would empty it (the save dialog has asked before replacing).
    for (const QString& strName : NamesOf(strReplay)) {
        Command(person, frame, ID_LOG_START, strName);
        EXPECT_FALSE(frame.Parser().IsRecording()) << qPrintable(strName);
        EXPECT_TRUE(LastBox(person).startsWith("Cannot record to " + strName +
                                               ": it is the file "
                                               "being replayed"))
            << qPrintable(LastBox(person));
    }
    EXPECT_EQ(ReadWholeFile(strReplay), strDrive);

    // Replaying the recording would read back what it records, again and again.
    const QString strLog = TempPath(QStringLiteral("log.nmea"));
    Command(person, frame, ID_LOG_START, strLog);
    ASSERT_TRUE(frame.Parser().IsRecording());
    const size_t nBoxes = person.Prompts().size();
    for (const QString& strName : NamesOf(strLog)) {
        Command(person, frame, ID_CONNECT_LOGGED_FILE, strName);
        EXPECT_TRUE(LastBox(person).startsWith("Cannot replay " + strName +
                                               ": it is the file "
                                               "being recorded"))
            << qPrintable(LastBox(person));
        EXPECT_EQ(frame.Link().m_strSource, strReplay); // the replay goes on
    }
    EXPECT_EQ(person.Prompts().size(), nBoxes + 8); // a file dialog and a box for each name
    Tick(frame, 5);
    EXPECT_EQ(frame.Parser().LoggedBytes(), 5u * 255);

    // Once the recording has stopped it can be replayed.
    frame.OnCommand(ID_LOG_STOP);
    Command(person, frame, ID_CONNECT_LOGGED_FILE, strLog);
    EXPECT_EQ(frame.Link().m_strSource, strLog);
    EXPECT_TRUE(frame.Link().IsOpen());
    EXPECT_EQ(person.Prompts().size(), nBoxes + 9);
}

TEST_F(FaultTest, FromTheStartTooTheRecordingAndTheReplayAreNeverOneFile) {
    const std::string strDrive = SimulatedSeconds(5);
    const QString strReplay = TempPath(QStringLiteral("drive.nmea"));
    WriteWholeFile(strReplay, strDrive);
    CMainFrame::Options options; // --replay drive.nmea --record drive.nmea --force
    options.bSkipWarning = true;
    options.strReplayPath = strReplay;
    options.strRecordPath = strReplay;
    {
        CMainFrame frame(options);
        EXPECT_TRUE(frame.StartError().startsWith("cannot record to " + strReplay +
                                                  ": it is the file being replayed"))
            << qPrintable(frame.StartError());
        EXPECT_FALSE(frame.Parser().IsRecording());
    }
    EXPECT_EQ(ReadWholeFile(strReplay), strDrive);

    // A recording started with the program cannot be replayed either.
    options.strReplayPath.clear();
    options.strRecordPath = TempPath(QStringLiteral("log.nmea"));
    CMainFrame frame(options);
    ASSERT_TRUE(frame.Parser().IsRecording());
    CScriptedInteraction person;
    Command(person, frame, ID_CONNECT_LOGGED_FILE, options.strRecordPath);
    EXPECT_TRUE(LastBox(person).startsWith("Cannot replay " + options.strRecordPath))
        << qPrintable(LastBox(person));
}

TEST_F(FaultTest, AFifoIsALiveSourceThatNeverFreezesTheWindow) {
    const QString strFifo = TempPath(QStringLiteral("receiver"));
    ASSERT_EQ(mkfifo(qPrintable(strFifo), 0600), 0);
    auto pFrame = MakeFrame();
    CMainFrame& frame = *pFrame;
    CScriptedInteraction person;
    {
        // No writer yet: the open and the reads return at once.
        CHangGuard guard;
        Command(person, frame, ID_CONNECT_LOGGED_FILE, strFifo);
        Tick(frame, 3);
    }
    ASSERT_TRUE(frame.Link().IsOpen());
    EXPECT_EQ(person.Prompts().size(), 1u); // the file dialog, no "File Error!"
    EXPECT_TRUE(Ticked(frame, ID_CONNECT_LOGGED_FILE));

    // Writers come and go; each one's stream is decoded whole, and without a writer the FIFO
    // falls silent as an unplugged receiver does.
    CNmeaParser reference;
    reference.SetAllSystems(frame.Parser().AllSystems());
    for (uint32_t nWriter = 1; nWriter <= 2; ++nWriter) {
        const int nFd = open(qPrintable(strFifo), O_WRONLY | O_NONBLOCK);
        ASSERT_GE(nFd, 0);
        const std::string str = SimulatedSeconds(5, nWriter); // well within a pipe's buffer
        ASSERT_EQ(write(nFd, str.data(), str.size()), static_cast<ssize_t>(str.size()));
        close(nFd);
        reference.Feed(str.data(), static_cast<uint32_t>(str.size()));
        ASSERT_GT(TickUntilSilent(frame, 200), 0);
        reference.Reset(); // what the silence did
        EXPECT_EQ(Snapshot(frame.Parser()), Snapshot(reference)) << nWriter;
    }
}

TEST_F(FaultTest, StandardInputIsALiveSourceWhoseEndEndsTheReplay) {
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const int nSavedStdin = dup(STDIN_FILENO);
    dup2(pipeFds[0], STDIN_FILENO);
    close(pipeFds[0]);
    {
        std::unique_ptr<CMainFrame> pFrame;
        {
            CHangGuard guard;
            pFrame = MakeFrame(QStringLiteral("-"));
            Tick(*pFrame, 3);
        }
        EXPECT_TRUE(pFrame->Link().IsOpen());
        const std::string str = SimulatedSeconds(5);
        ASSERT_EQ(write(pipeFds[1], str.data(), str.size()), static_cast<ssize_t>(str.size()));
        close(pipeFds[1]); // the end of the pipe
        EXPECT_GT(TickUntilSilent(*pFrame, 200), 0);
        EXPECT_EQ(pFrame->Parser().m_nSentenceCount, static_cast<uint32_t>(CountSentences(str)));
    }
    dup2(nSavedStdin, STDIN_FILENO);
    close(nSavedStdin);
}

TEST_F(FaultTest, ASourceThatFailsToOpenIsNotTickedAndTheOneThatWorkedStays) {
    setenv("RAVUZIZ_COM9", "/nonexistent/receiver", 1);
    CScriptedInteraction person;
    WriteSettingInt(kSectionSerial, kPort, 9);
    for (const QString& strReplay : {QString(), TempPath(QStringLiteral("missing.nmea"))}) {
        auto pFrame = MakeFrame(strReplay);
        EXPECT_FALSE(pFrame->Link().IsOpen());
        EXPECT_FALSE(Ticked(*pFrame, ID_CONNECT_SERIAL)) << qPrintable(strReplay);
        EXPECT_FALSE(Ticked(*pFrame, ID_CONNECT_LOGGED_FILE)) << qPrintable(strReplay);
    }
    EXPECT_EQ(LastBox(person), "File Error!");

    CPty pty(5);
    WriteSettingInt(kSectionSerial, kPort, 5);
    WriteSettingInt(kSectionSerial, kBaud, 9600);
    auto pFrame = MakeFrame();
    CMainFrame& frame = *pFrame;
    ASSERT_TRUE(Receive(pty, frame, SimulatedSeconds(2)));

    // A missing file and then a port that will not open: each says why, and the receiver
    // goes on as before.
    Command(person, frame, ID_CONNECT_LOGGED_FILE, TempPath(QStringLiteral("missing.nmea")));
    EXPECT_EQ(LastBox(person), "File Error!");
    ChoosePort(person, frame, 9);
    EXPECT_EQ(person.Prompts().back().strCaption, "Communication Error");
    EXPECT_TRUE(Ticked(frame, ID_CONNECT_SERIAL));
    EXPECT_FALSE(Ticked(frame, ID_CONNECT_LOGGED_FILE));
    EXPECT_EQ(frame.Link().m_nBaud, 9600u);
    EXPECT_TRUE(Receive(pty, frame, SimulatedSeconds(2, 7)));
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kPort, 0), 5);

    // A replay that a failing port interrupts goes on where it was.
    const std::string strDrive = SimulatedSeconds(20);
    WriteWholeFile(TempPath(QStringLiteral("drive.nmea")), strDrive);
    Command(person, frame, ID_CONNECT_LOGGED_FILE, TempPath(QStringLiteral("drive.nmea")));
    const uint32_t nBefore = frame.Parser().m_nSentenceCount;
    Tick(frame, 10);
    ChoosePort(person, frame, 9);
    EXPECT_TRUE(Ticked(frame, ID_CONNECT_LOGGED_FILE));
    EXPECT_FALSE(Ticked(frame, ID_CONNECT_SERIAL));
    ASSERT_GT(TickUntilSilent(frame, 1000), 0);
    EXPECT_EQ(frame.Parser().m_nSentenceCount - nBefore,
              static_cast<uint32_t>(CountSentences(strDrive)));

    // A device named at the start (--port) is opened again by its name.
    CPty device(6);
    CMainFrame::Options options;
    options.bSkipWarning = true;
    options.strPortDevice = QString::fromStdString(device.Path());
    options.nPortBaud = 38400;
    CMainFrame named(options);
    ASSERT_TRUE(Receive(device, named, SimulatedSeconds(2)));
    ChoosePort(person, named, 9);
    EXPECT_TRUE(Ticked(named, ID_CONNECT_SERIAL));
    EXPECT_EQ(named.Link().m_nBaud, 38400u);
    EXPECT_TRUE(Receive(device, named, SimulatedSeconds(2, 7)));
    unsetenv("RAVUZIZ_COM9");
}

} // namespace
