// SPDX-License-Identifier: MIT
// Files of the recording and the replay: reads in chunks up to the end, and a write that
// cannot be stored reports a file error naming the file instead of losing bytes silently.
#include "TestSupport.h"

#include "platform/FileDevice.h"
#include "platform/ScriptedInteraction.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

TEST(FileDevice, ReplaysAFileInChunksUpToItsEnd) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString strPath = folder.filePath(QStringLiteral("track.txt"));
    QByteArray content;
    for (int i = 0; i < 1000; ++i)
        content.append(static_cast<char>(i % 251));

    CFileDevice log;
    ASSERT_TRUE(log.Create(strPath));
    ASSERT_TRUE(log.Write(content.constData(), 600));
    ASSERT_TRUE(log.Write(content.constData() + 600, 400));
    log.Close();

    CFileDevice replay;
    ASSERT_TRUE(replay.OpenRead(strPath));
    char buffer[256];
    std::vector<int> chunks;
    QByteArray read;
    for (int i = 0; i < 5; ++i) {
        const int nRead = replay.Read(buffer, 255);
        chunks.push_back(nRead);
        read.append(buffer, nRead);
    }
    EXPECT_EQ(chunks, (std::vector<int>{255, 255, 255, 235, 0}));
    EXPECT_EQ(read, content);
}

TEST(FileDevice, CreateReplacesAndOpenNeedsAnExistingFile) {
    QTemporaryDir folder;
    const QString strPath = folder.filePath(QStringLiteral("log.txt"));
    CFileDevice file;
    EXPECT_FALSE(file.OpenRead(strPath));
    ASSERT_TRUE(file.Create(strPath));
    ASSERT_TRUE(file.Write("old content", 11));
    ASSERT_TRUE(file.Create(strPath));
    file.Close();
    ASSERT_TRUE(file.OpenRead(strPath));
    char buffer[16];
    EXPECT_EQ(file.Read(buffer, 16), 0);
    EXPECT_FALSE(file.Create(folder.filePath(QStringLiteral("no/such/folder/log.txt"))));
}

TEST(FileDevice, AWriteToAFullDiskRaisesTheDiskFullError) {
    CFileDevice file;
    ASSERT_TRUE(file.Create(QStringLiteral("/dev/full")));
    EXPECT_FALSE(file.Write("$GPGGA\r\n", 8));
    EXPECT_EQ(file.LastError().GetCause(), CFileError::Cause::DiskFull);
    EXPECT_EQ(file.LastError().Text(), QStringLiteral("Disk full while accessing /dev/full."));
    // The file stays open, so the next chunk is tried again.
    EXPECT_TRUE(file.IsOpen());
    EXPECT_FALSE(file.Write("x", 1));
}

TEST(FileDevice, AFileErrorIsShownAfterTheCurrentHandler) {
    CScriptedInteraction person;
    PostFileError(CFileError(CFileError::Cause::DiskFull, QStringLiteral("/media/card/log.txt")));
    EXPECT_TRUE(person.Prompts().empty());
    ASSERT_TRUE(ProcessEventsUntil([&] { return !person.Prompts().empty(); }));
    EXPECT_EQ(person.Prompts()[0].strText,
              QStringLiteral("Disk full while accessing /media/card/log.txt."));
    EXPECT_EQ(person.Prompts()[0].strCaption, QStringLiteral("Ravuziz"));
}

// A person who leaves the first box open while the program goes on under it.
class CAbsentPerson : public CScriptedInteraction {
public:
    int nOpen = 0, nMaxOpen = 0;
    bool bWentOn = false;
    int MessageBox(QWidget* pOwner, const QString& strText, const QString& strCaption,
                   unsigned nType) override {
        nMaxOpen = std::max(nMaxOpen, ++nOpen);
        if (!std::exchange(bWentOn, true)) {
            PostFileError(CFileError(CFileError::Cause::DiskFull, QStringLiteral("/a")));
            PostFileNotice(QStringLiteral("second"), MB_OK);
            QCoreApplication::processEvents();
        }
        const int nAnswer = CScriptedInteraction::MessageBox(pOwner, strText, strCaption, nType);
        --nOpen;
        return nAnswer;
    }
};

TEST(FileDevice, ANoticeWaitsForTheOpenFileBoxAndRepeatedErrorsAreDropped) {
    CAbsentPerson person;
    PostFileError(CFileError(CFileError::Cause::DiskFull, QStringLiteral("/a")));
    ASSERT_TRUE(ProcessEventsUntil([&] { return person.Prompts().size() >= 2; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(person.nMaxOpen, 1);
    ASSERT_EQ(person.Prompts().size(), 2u);
    EXPECT_EQ(person.Prompts()[0].strText, QStringLiteral("Disk full while accessing /a."));
    EXPECT_EQ(person.Prompts()[1].strText, QStringLiteral("second"));

    PostFileNotice(QStringLiteral("alone"), MB_OK | MB_ICONEXCLAMATION); // nothing open: at once
    ASSERT_TRUE(ProcessEventsUntil([&] { return person.Prompts().size() == 3; }));
    EXPECT_EQ(person.Prompts()[2].nType, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace
