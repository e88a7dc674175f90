// SPDX-License-Identifier: MIT
// Recording and replay: the log is the stream byte for byte, and a replay gives the same
// record. (What the parser counts of a recording is a decoder test.) (A disk that fills up is run
// through the whole program in the fault tests.)
#include "common/NmeaSupport.h"
#include "common/RecordOnly.h"

#include "platform/FileDevice.h"
#include "common/ScriptedInteraction.h"
#include "shell/PollLoop.h"
#include "source/LogFile.h"
#include "source/PacedReplay.h"
#include "source/Recording.h"
#include "source/SerialPort.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(Playback, A1000ByteFileReadsInChunksOf255ThenNothing) {
    QTemporaryDir dir;
    const QString strPath = dir.filePath("k.nmea");
    WriteWholeFile(strPath, SimulatedSeconds(5).substr(0, 1000));
    CSerialPort link;
    link.OpenPlaybackFile(strPath);
    ASSERT_TRUE(link.IsOpen());
    EXPECT_EQ(link.m_strSource, strPath);
    char buffer[256];
    for (int nExpected : {255, 255, 255, 235, 0, 0})
        EXPECT_EQ(link.Read(buffer, 255), nExpected);
    link.Close();
    EXPECT_TRUE(link.m_strSource.isEmpty());
}

TEST(Playback, AMissingFileSaysFileErrorAndDeliversNothing) {
    CScriptedInteraction person;
    person.AnswerMessageBox(IDOK);
    CSerialPort link;
    link.OpenPlaybackFile("/nonexistent/drive.nmea");
    EXPECT_EQ(person.Prompts().size(), 1u);
    EXPECT_FALSE(link.IsOpen());
    char buffer[256];
    EXPECT_EQ(link.Read(buffer, 255), 0);
}

// What keeps a recording off the file being replayed: the replay knows its file by what it is,
// not by the name it was given, paced or not.
TEST(Playback, AReplayKnowsItsFileWhateverItsName) {
    QTemporaryDir dir;
    const QString strPath = dir.filePath("drive.nmea"), strLink = dir.filePath("link.nmea");
    WriteWholeFile(strPath, SimulatedSeconds(1));
    ASSERT_TRUE(QFile::link(strPath, strLink));
    const auto identity = IdentityOfPath(strPath);
    ASSERT_TRUE(identity);
    CSerialPort link;
    link.OpenPlaybackFile(strLink);
    EXPECT_EQ(link.PlaybackIdentity(), identity);
    auto pFile = std::make_unique<CFileDevice>();
    ASSERT_TRUE(pFile->OpenRead(strLink));
    EXPECT_EQ(CPacedReplay(std::move(pFile), 1).Identity(), identity);
    WriteWholeFile(dir.filePath("copy.nmea"), SimulatedSeconds(1));
    EXPECT_NE(IdentityOfPath(dir.filePath("copy.nmea")), identity);
}

TEST(Recording, ReplayingARecordingGivesTheSameSentencesAndRecord) {
    QTemporaryDir dir;
    const QString strLog = dir.filePath("drive.nmea");
    const std::string strStream = SimulatedSeconds(90, 5);
    CNmeaParser live;
    EXPECT_FALSE(StartRecording(live, "/nonexistent/folder/x.nmea"));
    EXPECT_FALSE(live.IsRecording());
    ASSERT_TRUE(StartRecording(live, strLog));
    EXPECT_FALSE(StartRecording(live, dir.filePath("second.nmea")));
    FeedChunks(live, strStream);
    EXPECT_EQ(live.LoggedBytes(), strStream.size());
    ASSERT_TRUE(live.StopRecording());
    EXPECT_EQ(ReadWholeFile(strLog), strStream);

    CSerialPort link;
    link.OpenPlaybackFile(strLog);
    CNmeaParser replayed;
    CPollLoop loop(link, replayed);
    while (replayed.SentenceCount() < live.SentenceCount() && loop.EmptyReads() == 0)
        loop.Tick();
    EXPECT_EQ(RecordOnly(replayed), RecordOnly(live)); // the replay itself was not recorded
}

} // namespace
