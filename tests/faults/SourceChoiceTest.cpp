// SPDX-License-Identifier: MIT
// Sources chosen that cannot work as they are: a file, port or network source that fails,
// which must leave the source that worked running and ticked; the file being recorded chosen
// as the replay, or the file being replayed as the recording, under any of its names and from
// the start; a FIFO or standard input, which must never freeze the window.
#include "FaultSupport.h"
#include "common/Loopback.h"

#include <QDir>
#include <QUdpSocket>

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Number of sentences a clean stream holds.
uint32_t Sentences(const std::string& str) {
    return static_cast<uint32_t>(std::count(str.begin(), str.end(), '$'));
}

bool Ticked(CMainFrame& frame, int nCommand) {
    return QueryCommandState(&frame, nCommand).IsChecked();
}

QString LastText(const CScriptedInteraction& person) {
    return person.Prompts().empty() ? QString() : person.Prompts().back().strText;
}

void Command(CScriptedInteraction& person, CMainFrame& frame, int nCommand,
             const QString& strPath) {
    person.AnswerFile(strPath);
    frame.OnCommand(nCommand);
}

// A missing file, a port that will not open, a refusing TCP peer, an unknown gpsd host and a
// UDP port another program holds are each told in one box and not ticked, unless none worked
// from the start; a recording onto the replay, or a replay of the recording, is refused with
// its name. Meanwhile the replay that worked goes on where it was, to its end.
TEST_F(FaultTest, ASourceThatCannotWorkIsToldOnceAndTheOneThatWorkedStays) {
    setenv("RAVUZIZ_COM9", "/nonexistent/receiver", 1);
    WriteSettingInt(kSectionSerial, kPort, 9);
    CScriptedInteraction person;
    for (const QString& strReplay : {QString(), TempPath(QStringLiteral("missing.nmea"))}) {
        auto pFrame = MakeFrame(strReplay);
        EXPECT_FALSE(pFrame->Link().IsOpen());
        EXPECT_FALSE(Ticked(*pFrame, ID_CONNECT_SERIAL) || Ticked(*pFrame, ID_CONNECT_LOGGED_FILE));
    }
    EXPECT_EQ(person.Prompts().size(), 1u); // the missing replay
    const std::string strDrive = SimulatedSeconds(600);
    const QString strReplay = TempPath(QStringLiteral("drive.nmea"));
    WriteWholeFile(strReplay, strDrive);
    CMainFrame::Options options; // --replay drive.nmea --record drive.nmea --force
    options.strReplayPath = options.strRecordPath = strReplay;
    EXPECT_FALSE(MakeFrame(options)->Parser().IsRecording());
    auto pFrame = MakeFrame(strReplay);
    CMainFrame& frame = *pFrame;
    Tick(frame, 10);

    // A label longer than DNS allows: the name is unknown without a query leaving the machine.
    const std::string strUnknownHost = std::string(64, 'x') + ".invalid";
    QUdpSocket taken;
    ASSERT_TRUE(taken.bind(QHostAddress::Any, 0, QUdpSocket::DontShareAddress));
    const struct {
        int nCommand;
        const char* pszHost; // or the file
        quint16 nPort;
    } cases[] = {{ID_CONNECT_LOGGED_FILE, "/nonexistent/drive.nmea", 0},
                 {ID_CONNECT_SERIAL, "COM9:", 0},
                 {ID_CONNECT_TCP, "127.0.0.1", FreeLoopbackPort()},
                 {ID_CONNECT_GPSD, strUnknownHost.c_str(), 2947},
                 {ID_CONNECT_UDP, "", taken.localPort()}};
    for (const auto& c : cases) {
        CScriptedInteraction chooser;
        chooser.AnswerFile(QString::fromLatin1(c.pszHost));
        AnswerSourceDialog(chooser, QString::fromLatin1(c.pszHost), c.nPort);
        frame.OnCommand(c.nCommand);
        ASSERT_TRUE(TickUntil(frame, [&] { return chooser.Prompts().size() == 2; })) << c.pszHost;
        Tick(frame, 10);
        EXPECT_EQ(chooser.Prompts().size(), 2u) << c.pszHost; // the chooser and one box
        EXPECT_TRUE(Ticked(frame, ID_CONNECT_LOGGED_FILE)) << c.pszHost;
        EXPECT_FALSE(c.nCommand != ID_CONNECT_LOGGED_FILE && Ticked(frame, c.nCommand));
        EXPECT_EQ(frame.Link().m_strSource, strReplay);
    }
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kPort, 0), 9);
    EXPECT_EQ(ReadSettingInt(kSectionNetwork, kTcpPort, 0), 0);
    unsetenv("RAVUZIZ_COM9");

    // Other names of the same file: a hard link, a symbolic link, a relative path.
    const auto NamesOf = [](const QString& strPath) {
        EXPECT_EQ(link(qPrintable(strPath), qPrintable(strPath + ".hard")), 0);
        EXPECT_EQ(symlink(qPrintable(strPath), qPrintable(strPath + ".soft")), 0);
        return QStringList{strPath, strPath + ".hard", strPath + ".soft",
                           QDir::current().relativeFilePath(strPath)};
    };
    // Recording onto the replay would empty it (the save dialog has asked before replacing).
    for (const QString& strName : NamesOf(strReplay)) {
        Command(person, frame, ID_LOG_START, strName);
        EXPECT_FALSE(frame.Parser().IsRecording()) << qPrintable(strName);
        EXPECT_TRUE(LastText(person).contains(strName)) << qPrintable(LastText(person));
    }
    EXPECT_EQ(ReadWholeFile(strReplay), strDrive);
    // Replaying the recording would read back what it records, again and again.
    const QString strLog = TempPath(QStringLiteral("log.nmea"));
    Command(person, frame, ID_LOG_START, strLog);
    ASSERT_TRUE(frame.Parser().IsRecording());
    const size_t nBoxes = person.Prompts().size();
    for (const QString& strName : NamesOf(strLog)) {
        Command(person, frame, ID_CONNECT_LOGGED_FILE, strName);
        EXPECT_TRUE(LastText(person).contains(strName)) << qPrintable(LastText(person));
        EXPECT_EQ(frame.Link().m_strSource, strReplay); // the replay goes on
    }
    EXPECT_EQ(person.Prompts().size(), nBoxes + 8); // a file dialog and a box for each name
    Tick(frame, 5);
    EXPECT_EQ(frame.Parser().LoggedBytes(), 5u * 255);
    ASSERT_GT(TickUntilSilent(frame, 5000), 0);
    EXPECT_EQ(frame.Parser().SentenceCount(), Sentences(strDrive));

    // Once the recording has stopped it can be replayed.
    frame.OnCommand(ID_LOG_STOP);
    Command(person, frame, ID_CONNECT_LOGGED_FILE, strLog);
    EXPECT_EQ(frame.Link().m_strSource, strLog);
    EXPECT_EQ(person.Prompts().size(), nBoxes + 9);
}

// Neither a FIFO without a writer nor standard input waits in an open or a read. Writers come
// and go, each one's stream decoded whole; without a writer the FIFO falls silent as an
// unplugged receiver does, and the end of standard input ends the replay.
TEST_F(FaultTest, AFifoAndStandardInputAreLiveSourcesThatNeverFreezeTheWindow) {
    const QString strFifo = TempPath(QStringLiteral("receiver"));
    ASSERT_EQ(mkfifo(qPrintable(strFifo), 0600), 0);
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const int nSavedStdin = dup(STDIN_FILENO);
    dup2(pipeFds[0], STDIN_FILENO);
    close(pipeFds[0]);
    CScriptedInteraction person;
    alarm(20); // an open or a read that waits would hang the test: the alarm ends it instead
    auto pFifo = MakeFrame(), pStdin = MakeFrame(QStringLiteral("-"));
    Command(person, *pFifo, ID_CONNECT_LOGGED_FILE, strFifo);
    Tick(*pFifo, 3);
    Tick(*pStdin, 3);
    alarm(0);
    ASSERT_TRUE(pFifo->Link().IsOpen() && pStdin->Link().IsOpen());
    EXPECT_EQ(person.Prompts().size(), 1u); // the file dialog, no error
    EXPECT_TRUE(Ticked(*pFifo, ID_CONNECT_LOGGED_FILE));

    CNmeaParser reference;
    reference.SetAllSystems(pFifo->Parser().AllSystems());
    for (uint32_t nWriter = 1; nWriter <= 2; ++nWriter) {
        const int nFd = open(qPrintable(strFifo), O_WRONLY | O_NONBLOCK);
        ASSERT_GE(nFd, 0);
        const std::string str = SimulatedSeconds(5, nWriter); // well within a pipe's buffer
        ASSERT_EQ(write(nFd, str.data(), str.size()), static_cast<ssize_t>(str.size()));
        close(nFd);
        reference.Feed(str.data(), static_cast<uint32_t>(str.size()));
        ASSERT_GT(TickUntilSilent(*pFifo, 200), 0);
        reference.Reset(); // what the silence did
        EXPECT_EQ(Snapshot(pFifo->Parser()), Snapshot(reference)) << nWriter;
    }
    const std::string str = SimulatedSeconds(5);
    ASSERT_EQ(write(pipeFds[1], str.data(), str.size()), static_cast<ssize_t>(str.size()));
    close(pipeFds[1]);
    EXPECT_GT(TickUntilSilent(*pStdin, 200), 0);
    EXPECT_EQ(pStdin->Parser().SentenceCount(), Sentences(str));
    pStdin.reset();
    dup2(nSavedStdin, STDIN_FILENO);
    close(nSavedStdin);
}

} // namespace
