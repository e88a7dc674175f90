// The program as started from a terminal: its help, its version, refusals of bad arguments,
// and a picture of a page taken without a display while a recording replays.
#include "common/RunProgram.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kProgram = std::string(RAVUZIZ_BIN_DIR) + "/app/ravuziz";
const std::string kDemo = std::string(RAVUZIZ_DATA_DIR) + "/demo.nmea";

ProgramResult RunRavuziz(const std::string& strArgs) {
    return RunProgram(kProgram + " " + strArgs);
}

TEST(Program, AnswersHelpAndVersionAndRefusesBadArguments) {
    const ProgramResult help = RunRavuziz("--help");
    EXPECT_EQ(help.nStatus, 0);
    EXPECT_NE(help.strOut.find("usage: ravuziz"), std::string::npos);
    const ProgramResult version = RunRavuziz("--version");
    EXPECT_EQ(version.nStatus, 0);
    EXPECT_EQ(version.strOut, "ravuziz 1.00.3\n");
    for (const char* pArgs :
         {"--frobnicate", "--replay", "--page Stats", "stray", "--screenshot x.png --size 0x5",
          "--screenshot x.png --after -1", "--screenshot x.png --page Nowhere"})
        EXPECT_EQ(RunRavuziz(pArgs).nStatus, 2) << pArgs;
}

TEST(Program, PicturesAPageOfAReplayWithoutADisplay) {
    QTemporaryDir dir;
    const std::string strPicture = dir.filePath("panel.png").toStdString();
    const ProgramResult r = RunRavuziz("--replay " + kDemo + " --screenshot " + strPicture +
                                " --page Panel --after 2 --size 240x320");
    ASSERT_EQ(r.nStatus, 0);
    const QImage picture(QString::fromStdString(strPicture));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(240, 320));
    // The panel's white dials fill the middle of the window.
    EXPECT_EQ(picture.pixel(120, 180), qRgb(255, 255, 255));
}

} // namespace
