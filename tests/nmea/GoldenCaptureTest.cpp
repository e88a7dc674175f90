// SPDX-License-Identifier: MIT
// Every capture in data/ and data/rules/ against its expected ravuziz-decode output in
// data/golden/, in both readings (scripts/golden.sh writes them; a change of what the decoder
// makes of a capture shows as a diff of those files). data/rules holds one small capture per
// rule family of the decoder; the others are whole drives. Whatever chunking the bytes
// arrive in, the output must be the same.
#include "common/NmeaSupport.h"

#include "RecordJson.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

struct Decoded {
    std::string strJson; // as ravuziz-decode prints it
    std::vector<unsigned> notifications;
};

Decoded Decode(const std::string& strBytes, bool bAllSystems, const std::vector<size_t>& cuts) {
    RecordingNotify notify;
    CNmeaParser parser(&notify);
    parser.SetAllSystems(bAllSystems);
    FeedCuts(parser, strBytes, cuts);
    MessageCounts counts{};
    for (unsigned n : notify.all)
        ++counts[n - WM_GPS_SENTENCE];
    return {RecordJson(parser, counts) + "\n", notify.all};
}

TEST(GoldenCapture, EachDecodesToItsExpectedOutputInBothReadingsAndAnyChunking) {
    std::vector<fs::path> captures;
    for (const char* pszFolder : {"", "rules"})
        for (const auto& entry : fs::directory_iterator(fs::path(RAVUZIZ_DATA_DIR) / pszFolder))
            if (entry.path().extension() == ".nmea")
                captures.push_back(entry.path());
    std::sort(captures.begin(), captures.end());
    ASSERT_GE(captures.size(), 30u);
    for (const fs::path& capture : captures) {
        const std::string strBytes = ReadWholeFile(QString::fromStdString(capture.string()));
        const fs::path relative = capture.lexically_relative(RAVUZIZ_DATA_DIR);
        for (const bool bAllSystems : {true, false}) {
            const fs::path golden =
                fs::path(RAVUZIZ_DATA_DIR) / "golden" / relative.parent_path() /
                (capture.stem().string() + (bAllSystems ? ".json" : ".gps-only.json"));
            SCOPED_TRACE(golden.string());
            const Decoded whole = Decode(strBytes, bAllSystems, {strBytes.size()});
            EXPECT_EQ(whole.strJson, ReadWholeFile(QString::fromStdString(golden.string())));
            for (const Chunking& chunking : Chunkings(strBytes.size(), 16)) {
                const Decoded pieces = Decode(strBytes, bAllSystems, chunking.cuts);
                ASSERT_EQ(pieces.strJson, whole.strJson) << chunking.strName;
                ASSERT_EQ(pieces.notifications, whole.notifications) << chunking.strName;
            }
        }
    }
}

} // namespace
