// SPDX-License-Identifier: MIT
// ravuziz-decode as scripts use it: what a direct feed gives, in every chunk size and from
// standard input, and exit status 2 with nothing on standard output for bad arguments or files.
#include "common/NmeaSupport.h"
#include "common/RunProgram.h"

#include "RecordJson.h"

#include <gtest/gtest.h>

namespace {

const std::string kTool = std::string(RAVUZIZ_BIN_DIR) + "/tools/ravuziz-decode";
const std::string kData = RAVUZIZ_DATA_DIR;

TEST(DecodeTool, PrintsWhatADirectFeedGivesInEveryChunkSizeInBothReadings) {
    const std::string strPath = kData + "/quirks.nmea";
    for (const bool bAllSystems : {true, false}) {
        RecordingNotify notify;
        CNmeaParser parser(&notify);
        parser.SetAllSystems(bAllSystems);
        FeedChunks(parser, ReadWholeFile(QString::fromStdString(strPath)));
        MessageCounts counts{};
        for (unsigned n : notify.all)
            ++counts[n - WM_GPS_SENTENCE];
        const std::string strExpected = RecordJson(parser, counts) + "\n";
        const std::string strReading = bAllSystems ? "" : "--gps-only ";
        for (const std::string& strArgs :
             {strPath, "--chunk 1 " + strPath, "--chunk=2 " + strPath, "--chunk 100000 " + strPath,
              "< " + strPath, "--chunk 3 - < " + strPath}) {
            const ProgramResult r = RunProgram(kTool + " " + strReading + strArgs);
            EXPECT_EQ(r.nStatus, 0) << strReading << strArgs;
            EXPECT_EQ(r.strOut, strExpected) << strReading << strArgs;
        }
    }
}

TEST(DecodeTool, RefusesBadArgumentsAndFilesWithStatus2) {
    for (const std::string& strArgs :
         {std::string("/nonexistent/capture.nmea"), "--chunk 0 " + kData,
          std::string("--chunk abc"), std::string("--chunk"), std::string("--chunk -5"),
          std::string("--frobnicate"), kData + "/sample.nmea " + kData + "/quirks.nmea",
          kData /* a folder is not readable as a capture */}) {
        const ProgramResult r = RunProgram(kTool + " " + strArgs);
        EXPECT_EQ(r.nStatus, 2) << strArgs;
        EXPECT_TRUE(r.strOut.empty()) << strArgs;
    }
    const ProgramResult help = RunProgram(kTool + " --help");
    EXPECT_EQ(help.nStatus, 0);
    EXPECT_EQ(help.strOut.rfind("usage: ravuziz-decode", 0), 0u);
}

} // namespace
