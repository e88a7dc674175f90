// The program as started from a terminal: its help, its version, refusals of bad arguments,
// and a picture of a page taken without a display while a recording replays.
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

const std::string kProgram = std::string(RAVUZIZ_BIN_DIR) + "/app/ravuziz";
const std::string kDemo = std::string(RAVUZIZ_DATA_DIR) + "/demo.nmea";

struct Result {
    int nStatus = -1;
    std::string strOut;
};

Result RunProgram(const std::string& strArgs) {
    Result r;
    std::FILE* p = popen((kProgram + " " + strArgs + " 2>/dev/null").c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
        r.strOut.append(buf, n);
    const int nWait = pclose(p);
    r.nStatus = WIFEXITED(nWait) ? WEXITSTATUS(nWait) : -1;
    return r;
}

TEST(Program, AnswersHelpAndVersionAndRefusesBadArguments) {
    const Result help = RunProgram("--help");
    EXPECT_EQ(help.nStatus, 0);
    EXPECT_NE(help.strOut.find("usage: ravuziz"), std::string::npos);
    const Result version = RunProgram("--version");
    EXPECT_EQ(version.nStatus, 0);
    EXPECT_EQ(version.strOut, "ravuziz 1.00.3\n");
    for (const char* pArgs :
         {"--frobnicate", "--replay", "--page Stats", "stray", "--screenshot x.png --size 0x5",
          "--screenshot x.png --after -1", "--screenshot x.png --page Nowhere"})
        EXPECT_EQ(RunProgram(pArgs).nStatus, 2) << pArgs;
}

TEST(Program, PicturesAPageOfAReplayWithoutADisplay) {
    QTemporaryDir dir;
    const std::string strPicture = dir.filePath("panel.png").toStdString();
    const Result r = RunProgram("--replay " + kDemo + " --screenshot " + strPicture +
                                " --page Panel --after 2 --size 240x320");
    ASSERT_EQ(r.nStatus, 0);
    const QImage picture(QString::fromStdString(strPicture));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(240, 320));
    // The panel's white dials fill the middle of the window.
    EXPECT_EQ(picture.pixel(120, 180), qRgb(255, 255, 255));
}

} // namespace
