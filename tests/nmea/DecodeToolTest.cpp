// ravuziz-decode as scripts use it: the same JSON in every chunk size and from standard input,
// the same record a direct feed gives, and exit status 2 for bad arguments or files.
#include "NmeaTestUtil.h"
#include "RecordJson.h"
#include "common/RunProgram.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const std::string kTool = std::string(RAVUZIZ_BIN_DIR) + "/tools/ravuziz-decode";
const std::string kData = RAVUZIZ_DATA_DIR;

ProgramResult RunTool(const std::string& strArgs) {
    return RunProgram(kTool + " " + strArgs);
}

std::string ReadFile(const std::string& strPath) {
    std::ifstream in(strPath, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(DecodeTool, PrintsWhatADirectFeedGivesInEveryChunkSizeInBothReadings) {
    for (const char* pName : {"sample.nmea", "quirks.nmea"}) {
        for (const bool bAllSystems : {true, false}) {
            const std::string strPath = kData + "/" + pName;
            const std::string strBytes = ReadFile(strPath);
            ASSERT_FALSE(strBytes.empty()) << strPath;

            RecordingNotify notify;
            CNmeaParser parser(&notify);
            parser.SetAllSystems(bAllSystems);
            FeedChunks(parser, strBytes, 255);
            MessageCounts counts{};
            for (unsigned n : notify.all)
                ++counts[n - WM_GPS_SENTENCE];
            const std::string strExpected = RecordJson(parser, counts) + "\n";

            const std::string strReading = bAllSystems ? "" : "--gps-only ";
            for (const std::string& strArgs :
                 {strPath, "--chunk 1 " + strPath, "--chunk=2 " + strPath, "--chunk 13 " + strPath,
                  "--chunk 100000 " + strPath, "< " + strPath, "- < " + strPath,
                  "--chunk 3 - < " + strPath}) {
                const ProgramResult r = RunTool(strReading + strArgs);
                EXPECT_EQ(r.nStatus, 0) << strReading << strArgs;
                EXPECT_EQ(r.strOut, strExpected) << strReading << strArgs;
            }
        }
    }
}

// Every capture in data/ against its expected output in data/golden/ (scripts/golden.sh writes
// them; a change of the decoder's results shows as a diff of those files).
TEST(DecodeTool, EveryCaptureDecodesToItsGoldenOutputInBothReadings) {
    int nCaptures = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kData)) {
        if (entry.path().extension() != ".nmea")
            continue;
        ++nCaptures;
        const std::string strName = entry.path().stem().string();
        for (const auto& [strArgs, strSuffix] : {std::pair<std::string, std::string>{"", ".json"},
                                                 {"--gps-only ", ".gps-only.json"}}) {
            const ProgramResult r = RunTool(strArgs + entry.path().string());
            EXPECT_EQ(r.nStatus, 0) << strName;
            EXPECT_EQ(r.strOut, ReadFile(kData + "/golden/" + strName + strSuffix))
                << strName << strSuffix;
        }
    }
    EXPECT_GE(nCaptures, 5);
}

TEST(DecodeTool, OutputFollowsTheContract) {
    const ProgramResult r = RunTool("--gps-only " + kData + "/quirks.nmea");
    ASSERT_EQ(r.nStatus, 0);
    const std::string& s = r.strOut;
    EXPECT_EQ(s.rfind("{\"m_nGgaHour\":", 0), 0u);
    EXPECT_EQ(s.find('\n'), s.size() - 1);
    EXPECT_NE(s.find("\"m_szOriginWaypoint\":\"ABCDEFGHIJKLMNOPQRSTUVWX\""), std::string::npos);
    EXPECT_NE(s.find("\"m_Sats\":[{\"nPrn\":20,\"nSnr\":0,\"bUsed\":0,\"nAzimuth\":0,"
                     "\"nElevation\":0},{\"nPrn\":24,"),
              std::string::npos);
    EXPECT_NE(s.find("\"m_nUsedPrn\":[0,0,0,0,0,0,0,0,0,0,0,0]"), std::string::npos);
    EXPECT_NE(s.find("\"m_nSentenceCount\":13,\"m_nLogBytes\":0,\"messages\":{"
                     "\"WM_GPS_SENTENCE\":13,\"WM_GPS_GGA\":4,\"WM_GPS_GSV\":1,\"WM_GPS_GSA\":0,"
                     "\"WM_GPS_RMB\":1,\"WM_GPS_RMC\":2,\"WM_GPS_ZDA\":2}}"),
              std::string::npos)
        << s;
}

TEST(DecodeTool, EscapesTextAndKeepsDoublesExact) {
    CNmeaParser parser;
    const std::string s = Sentence("GPRMB,A,0.1,R,a\"b\\c\xE9\x01,,4807.0381,N");
    parser.Feed(s.data(), static_cast<uint32_t>(s.size()));
    const std::string strJson = RecordJson(parser, {});
    EXPECT_NE(strJson.find("\"m_szOriginWaypoint\":\"a\\\"b\\\\c\\u00E9\\u0001\""),
              std::string::npos)
        << strJson;
    EXPECT_NE(strJson.find("\"m_cSteerDirection\":\"R\""), std::string::npos);
    // Shortest text that reads back to the same double.
    const size_t nAt = strJson.find("\"m_dDestLatitude\":") + 18;
    EXPECT_EQ(std::stod(strJson.substr(nAt)), parser.m_dDestLatitude);
}

TEST(DecodeTool, RefusesBadArgumentsAndFilesWithStatus2) {
    for (const std::string& strArgs :
         {std::string("/nonexistent/capture.nmea"), std::string("--chunk 0 ") + kData,
          std::string("--chunk abc"), std::string("--chunk"), std::string("--chunk -5"),
          std::string("--frobnicate"), kData + "/sample.nmea " + kData + "/quirks.nmea",
          kData /* a folder is not readable as a capture */}) {
        const ProgramResult r = RunTool(strArgs);
        EXPECT_EQ(r.nStatus, 2) << strArgs;
        EXPECT_TRUE(r.strOut.empty()) << strArgs;
    }
    const ProgramResult help = RunTool("--help");
    EXPECT_EQ(help.nStatus, 0);
    EXPECT_NE(help.strOut.find("usage: ravuziz-decode"), std::string::npos);
}

} // namespace
