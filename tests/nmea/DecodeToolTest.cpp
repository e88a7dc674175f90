// SPDX-License-Identifier: MIT
// ravuziz-decode as scripts use it: the expected output of a capture (which the golden test
// checks against a direct feed), in every chunk size and from standard input, and exit
// status 2 with nothing on standard output for bad arguments or files.
#include "common/NmeaSupport.h"
#include "common/RunProgram.h"

#include <gtest/gtest.h>

namespace {

const std::string kTool = std::string(RAVUZIZ_BIN_DIR) + "/tools/ravuziz-decode";
const std::string kData = RAVUZIZ_DATA_DIR;

TEST(DecodeTool, PrintsTheExpectedOutputInEveryChunkSizeInBothReadings) {
    const std::string strPath = kData + "/quirks.nmea";
    for (const bool bAllSystems : {true, false}) {
        const std::string strExpected = ReadWholeFile(QString::fromStdString(
            kData + (bAllSystems ? "/golden/quirks.json" : "/golden/quirks.gps-only.json")));
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
