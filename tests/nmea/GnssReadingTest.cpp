// The all-systems reading: talkers, satellite numbering, the used sets of per-system GSAs, and
// GSV groups per talker and signal band, each rule with a small stream of its own.
#include "NmeaTestUtil.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct Case {
    const char* pszLegend;
    std::vector<std::string> sentences; // without '$', checksum and line end
    const char* pszExpected;            // GnssSummary afterwards
};

std::string Stream(const std::vector<std::string>& sentences) {
    std::string s;
    for (const std::string& str : sentences)
        s += Sentence(str);
    return s;
}

void ExpectCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        CNmeaParser parser;
        parser.SetAllSystems(true);
        FeedChunks(parser, Stream(c.sentences), 255);
        EXPECT_EQ(GnssSummary(parser), c.pszExpected) << c.pszLegend;
    }
}

// One satellite per number, each at its own elevation so the mapping can be followed.
std::string Gsv(const char* pszTalker, std::vector<int> numbers, const char* pszTail = "") {
    std::string s = std::string(pszTalker) + "GSV,1,1," + std::to_string(numbers.size());
    int nElevation = 5;
    for (int n : numbers)
        s += "," + std::to_string(n) + "," + std::to_string(nElevation++) + ",100,30";
    return s + pszTail;
}

TEST(GnssReading, SatelliteNumbersNameTheirSystem) {
    ExpectCases({
        {"combined numbering, GPS and SBAS",
         {Gsv("GP", {1, 32, 33, 64})},
         "G1 5/100 30 0:30; G32 6/100 30 0:30; S120 7/100 30 0:30; S151 8/100 30 0:30"},
        {"combined numbering, SBAS PRNs and GLONASS",
         {Gsv("GP", {65, 96, 120, 158})},
         "S120 7/100 30 0:30; S158 8/100 30 0:30; R1 5/100 30 0:30; R32 6/100 30 0:30"},
        {"combined numbering, QZSS and BeiDou",
         {Gsv("GN", {193, 200, 201, 263})},
         "C1 7/100 30 0:30; C63 8/100 30 0:30; J1 5/100 30 0:30; J8 6/100 30 0:30"},
        {"combined numbering, Galileo and BeiDou",
         {Gsv("GP", {301, 336, 401, 463})},
         "E1 5/100 30 0:30; E36 6/100 30 0:30; C1 7/100 30 0:30; C63 8/100 30 0:30"},
        {"numbers between the ranges name no satellite",
         {Gsv("GP", {0, 97, 119, 159}), Gsv("GN", {192, 264, 300, 337}), Gsv("GP", {400, 464})},
         ""},
        {"Galileo talker: its own numbers, 101-136, and the combined ones",
         {Gsv("GA", {11, 101, 336})},
         "E1 6/100 30 0:30; E11 5/100 30 0:30; E36 7/100 30 0:30"},
        {"BeiDou under GB, BD and PQ",
         {Gsv("GB", {5, 401}), Gsv("BD", {6}), Gsv("PQ", {63})},
         "C1 6/100 30 0:30; C5 5/100 30 0:30; C6 5/100 30 0:30; C63 5/100 30 0:30"},
        {"QZSS under QZ and GQ, 193-202 included",
         {Gsv("QZ", {2, 193, 202}), Gsv("GQ", {201})},
         "J1 6/100 30 0:30; J2 5/100 30 0:30; J9 5/100 30 0:30; J10 7/100 30 0:30"},
        {"NavIC under GI; GL uses the combined numbering",
         {Gsv("GI", {5, 14}), Gsv("GL", {5, 70})},
         "G5 5/100 30 0:30; R6 6/100 30 0:30; I5 5/100 30 0:30; I14 6/100 30 0:30"},
        {"a system ID after the signal ID decides the system; any other value does not",
         {Gsv("GN", {5}, ",1,3"), Gsv("GN", {6}, ",2,7"), Gsv("GN", {7}, ",3,6")},
         "G6 5/100 30 2:30; E5 5/100 30 1:30; I7 5/100 30 3:30"},
    });
}

TEST(GnssReading, GsvGroupsAreKeptPerTalkerAndSignal) {
    ExpectCases({
        {"a dual-band second group without SNRs does not blank the first",
         {"GPGSV,1,1,02,05,62,281,44,13,41,055,40,1", "GPGSV,1,1,02,05,62,281,30,13,41,055,,8"},
         "G5 62/281 44 1:44,8:30; G13 41/55 40 1:40,8:0"},
        {"no signal ID, an empty one and an explicit 0 are one group",
         {"GPGSV,1,1,01,05,62,281,44", "GPGSV,1,1,01,13,41,055,40,", "GPGSV,1,2,01,15,1,1,1,0"},
         "G13 41/55 40 0:40; G15 1/1 1 0:1"},
        {"message 1 starts the group afresh",
         {"GPGSV,2,1,05,01,1,1,1,02,2,2,2,03,3,3,3,04,4,4,4", "GPGSV,2,2,05,05,5,5,5",
          "GPGSV,2,1,05,06,6,6,6,07,7,7,7,08,8,8,8,09,9,9,9"},
         "G6 6/6 6 0:6; G7 7/7 7 0:7; G8 8/8 8 0:8; G9 9/9 9 0:9"},
        {"a message number not above the previous one starts afresh, a gap does not",
         {"GPGSV,3,1,09,01,1,1,1", "GPGSV,3,3,09,03,3,3,3", "GPGSV,3,3,09,04,4,4,4",
          "GPGSV,3,1,09,11,1,1,1,1", "GPGSV,3,3,09,13,3,3,3,1"},
         "G4 4/4 4 0:4; G11 1/1 1 1:1; G13 3/3 3 1:3"},
        {"a group with no satellites in view empties its own key only",
         {"GPGSV,1,1,01,05,10,100,30,1", "GPGSV,1,1,01,06,10,100,30", "GAGSV,1,1,01,11,10,100,30,7",
          "GPGSV,1,1,00,1"},
         "G6 10/100 30 0:30; E11 10/100 30 7:30"},
        {"so does a later message with none in view; a message numbered 0 is ignored",
         {"GPGSV,2,1,01,05,10,100,30", "GPGSV,2,2,00", "GAGSV,1,1,01,11,10,100,30",
          "GAGSV,1,0,01,12,10,100,30"},
         "E11 10/100 30 0:30"},
        {"elevation and azimuth come from the latest mention that has them",
         {"GPGSV,1,1,01,05,62,281,44,1", "GPGSV,1,1,01,05,,,40,1", "GPGSV,1,1,01,05,63,,41,1"},
         "G5 63/281 41 1:41"},
        {"position known only when given; a satellite listed twice appears once",
         {"GPGSV,2,1,02,05,10,100,30,05,20,200,40", "GNGSV,1,1,01,05,30,300,35",
          "GPGSV,2,2,01,12,,,20"},
         "G5 30/300 40 0:40; G12 ?/? 20 0:20"},
        {"a satellite that left keeps its position while newcomers find room elsewhere",
         {"GPGSV,1,1,01,05,10,100,30", "GPGSV,1,1,01,06,20,200,40", "GPGSV,1,1,01,05,,,35"},
         "G5 10/100 35 0:35"},
        {"a satellite left between two messages keeps its position",
         {"GPGSV,2,1,05,01,1,1,1,02,2,2,2,03,3,3,3,04,4,4,4", "GPGSV,2,2,05,05,50,150,5",
          "GPGSV,2,1,05,01,1,1,1,02,2,2,2,03,3,3,3,04,4,4,4", "GPGSV,2,2,05,05,,,6"},
         "G1 1/1 1 0:1; G2 2/2 2 0:2; G3 3/3 3 0:3; G4 4/4 4 0:4; G5 50/150 6 0:6"},
    });
}

TEST(GnssReading, EachSystemsGsaSetsWhatItsFixUses) {
    const std::string strSky = "GPGSV,1,1,03,05,10,100,30,12,10,100,30,46,10,100,30";
    const std::string strGalileo = "GAGSV,1,1,01,05,10,100,30";
    const std::string strGlonass = "GLGSV,1,1,01,70,10,100,30";
    const char* const pszNothingUsed =
        "G5 10/100 30 0:30; G12 10/100 30 0:30; S133 10/100 30 0:30; R6 10/100 30 0:30; "
        "E5 10/100 30 0:30";
    ExpectCases({
        {"the system ID chooses the system",
         {strSky, strGlonass, strGalileo, "GNGSA,A,3,05,,,,,,,,,,,,1.0,1.0,1.0,3"},
         "G5 10/100 30 0:30; G12 10/100 30 0:30; S133 10/100 30 0:30; R6 10/100 30 0:30; "
         "E5 10/100 30u 0:30"},
        {"GSAs in a row make one fix; the first after another sentence starts the next",
         {strSky, strGlonass, strGalileo, "GNGSA,A,3,05,,,,,,,,,,,,1.0,1.0,1.0,1",
          "GNGSA,A,3,05,,,,,,,,,,,,1.0,1.0,1.0,3", "GNGGA,1", "GNGSA,A,3,12,,,,,,,,,,,,1,1,1,1"},
         "G5 10/100 30 0:30; G12 10/100 30u 0:30; S133 10/100 30 0:30; R6 10/100 30 0:30; "
         "E5 10/100 30 0:30"},
        {"GN without a system ID: each number names its own system",
         {strSky, strGlonass, strGalileo, "GNGSA,A,3,05,70,305,,,,,,,,,,1.0,1.0,1.0"},
         "G5 10/100 30u 0:30; G12 10/100 30 0:30; S133 10/100 30 0:30; R6 10/100 30u 0:30; "
         "E5 10/100 30u 0:30"},
        {"a TDOP after the VDOP is no system ID",
         {strSky, strGlonass, strGalileo, "GNGSA,A,3,05,,,,,,,,,,,,1.0,1.0,1.0,3.3"},
         "G5 10/100 30u 0:30; G12 10/100 30 0:30; S133 10/100 30 0:30; R6 10/100 30 0:30; "
         "E5 10/100 30 0:30"},
        {"SBAS numbers of a GPS GSA set the SBAS used set",
         {strSky, strGlonass, strGalileo, "GNGSA,A,3,46,,,,,,,,,,,,1.0,1.0,1.0,1", "GPGSA,A,3,12"},
         "G5 10/100 30 0:30; G12 10/100 30u 0:30; S133 10/100 30u 0:30; R6 10/100 30 0:30; "
         "E5 10/100 30 0:30"},
        {"without a system ID, the talker's system",
         {strSky, strGlonass, strGalileo, "GAGSA,A,3,05", "GLGSA,A,3,06"},
         "G5 10/100 30 0:30; G12 10/100 30 0:30; S133 10/100 30 0:30; R6 10/100 30u 0:30; "
         "E5 10/100 30u 0:30"},
        {"the empty GSA of a lost fix leaves nothing used",
         {strSky, strGlonass, strGalileo, "GNGSA,A,3,05,12,,,,,,,,,,,1,1,1,1", "GNRMC,1",
          "GNGSA,A,1,,,,,,,,,,,,,,,,1"},
         pszNothingUsed},
        {"a GSA before the GSV counts as well",
         {"GNGSA,A,3,05,,,,,,,,,,,,1.0,1.0,1.0,1", strSky, strGlonass, strGalileo},
         "G5 10/100 30u 0:30; G12 10/100 30 0:30; S133 10/100 30 0:30; R6 10/100 30 0:30; "
         "E5 10/100 30 0:30"},
    });
}

// The record's fix, time and navigation fields are the same whatever talker sends them: the
// all-systems reading of GN, GL, GA ... equals the GPS-only reading of the same sentences
// as GP, every field and notification alike, while the satellites have their own table.
TEST(GnssReading, AnyTalkerWritesTheRecordAsGpDoes) {
    const std::vector<std::string> bodies = {
        "GGA,123519,4807.038,N,01131.000,E,1,24,0.9,545.4,M,46.9,M,,",
        "RMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A",
        "RMB,A,0.66,L,003,004,4917.24,N,12309.57,W,001.3,052.5,000.5,V",
        "ZDA,201530.00,04,07,2002,-05,30",
        "GSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1",
    };
    for (const char* pszTalker : {"GN", "GL", "GA", "GB", "BD", "GQ", "QZ", "PQ", "GI", "GP"}) {
        RecordingNotify gpsNotify, allNotify;
        CNmeaParser gps(&gpsNotify), all(&allNotify);
        all.SetAllSystems(true);
        for (const std::string& strBody : bodies) {
            FeedChunks(gps, Sentence("GP" + strBody), 255);
            FeedChunks(all, Sentence(pszTalker + strBody), 255);
        }
        all.SetAllSystems(false); // the same JSON keys for both
        EXPECT_EQ(Snapshot(all), Snapshot(gps)) << pszTalker;
        EXPECT_EQ(allNotify.all, gpsNotify.all) << pszTalker;
    }
    // Neither reading decodes a talker outside the list; both count and announce it.
    CNmeaParser parser;
    parser.SetAllSystems(true);
    const std::string strFresh = Snapshot(parser);
    FeedChunks(parser, Sentence("GXGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,"), 255);
    parser.m_nSentenceCount = 0;
    EXPECT_EQ(Snapshot(parser), strFresh);
}

TEST(GnssReading, CountsAreOverAllSystemsAndFixFieldsFollowTheLatestGsa) {
    CNmeaParser parser;
    parser.SetAllSystems(true);
    FeedChunks(
        parser,
        Stream({"GPGSV,2,1,05,01,1,1,1,02,2,2,2,03,3,3,3,04,4,4,4,1", "GPGSV,2,2,05,05,5,5,5,1",
                "GPGSV,1,1,02,01,1,1,1,02,2,2,2,8", "GAGSV,1,1,02,01,1,1,1,02,2,2,2,7",
                "GNGSA,A,3,01,,,,,,,,,,,,2.0,1.0,1.5,1", "GNGSA,M,2,01,,,,,,,,,,,,4.0,3.0,2.5,3"}),
        255);
    EXPECT_EQ(parser.m_nSatsInView, 7);
    EXPECT_EQ(parser.m_nGsvCount, 4u);
    EXPECT_EQ(parser.m_nGsaCount, 2u);
    EXPECT_EQ(parser.m_cGsaMode, 'M');
    EXPECT_EQ(parser.m_nFixMode, 2);
    EXPECT_EQ(parser.m_dPdop, 4.0);
    EXPECT_EQ(parser.m_dVdop, 2.5);
    // The GPS-only table is not the all-systems reading's.
    for (const GpsSatellite& sat : parser.m_Sats)
        EXPECT_EQ(sat.nPrn, 0);
}

TEST(GnssReading, TheTableIsTheSameInEveryChunking) {
    const std::string s =
        Stream({"GNGSA,A,3,05,46,,,,,,,,,,,1.6,0.9,1.3,1", "GNGSA,A,3,65,,,,,,,,,,,,1.6,0.9,1.3,2",
                "GPGSV,2,1,05,05,62,281,44,13,41,055,40,15,26,144,38,18,71,323,45,1",
                "GPGSV,2,2,05,46,30,200,35,1", "GPGSV,1,1,02,05,62,281,30,13,,,,8",
                "GLGSV,1,1,02,65,10,020,33,71,50,120,40,1", "GAGSV,1,1,02,11,44,030,43,12,,,,7",
                "GNRMC,123519.00,A"});
    CNmeaParser whole;
    whole.SetAllSystems(true);
    FeedChunks(whole, s, s.size());
    ASSERT_EQ(whole.m_nSatsInView, 9);
    for (const Chunking& chunking : Chunkings(s.size())) {
        CNmeaParser parser;
        parser.SetAllSystems(true);
        FeedCuts(parser, s, chunking.cuts);
        ASSERT_EQ(Snapshot(parser), Snapshot(whole)) << chunking.strName;
    }
}

TEST(GnssReading, ABandBeyondTheLastKeyWaitsForAGroupThatListsNothing) {
    // Thirty-two GPS bands take every key; a Galileo band gets one once a group lists nothing.
    std::string s;
    for (int k = 1; k <= CGnssTable::kKeys; ++k)
        s += Sentence("GPGSV,1,1,01," + std::to_string(k) + ",10,100,30,S" + std::to_string(k));
    const std::string strGalileo = Sentence("GAGSV,1,1,01,01,10,100,30,7");
    CNmeaParser parser;
    parser.SetAllSystems(true);
    FeedChunks(parser, s + strGalileo, 255);
    EXPECT_EQ(parser.m_nSatsInView, CGnssTable::kKeys);
    EXPECT_EQ(GnssSummary(parser).find("E1 "), std::string::npos);
    FeedChunks(parser, Sentence("GPGSV,1,1,00,S1") + strGalileo, 255);
    EXPECT_EQ(parser.m_nSatsInView, CGnssTable::kKeys);
    EXPECT_NE(GnssSummary(parser).find("E1 10/100 30 7:30"), std::string::npos);
}

TEST(GnssReading, AFullTableTakesNoMoreUntilASatelliteLeaves) {
    // Sixty-three BeiDou satellites and ten GPS ones: more than the table holds.
    std::vector<std::string> sentences;
    for (int m = 1; m <= 16; ++m) {
        std::string s = "GBGSV,16," + std::to_string(m) + ",63";
        for (int n = 4 * m - 3; n <= 4 * m && n <= 63; ++n)
            s += "," + std::to_string(n) + ",10,100,30";
        sentences.push_back(s);
    }
    sentences.push_back("GPGSV,3,1,10,01,1,1,1,02,2,2,2,03,3,3,3,04,4,4,4");
    sentences.push_back("GPGSV,3,2,10,05,5,5,5,06,6,6,6,07,7,7,7,08,8,8,8");
    sentences.push_back("GPGSV,3,3,10,09,9,9,9,10,10,10,10");
    CNmeaParser parser;
    parser.SetAllSystems(true);
    FeedChunks(parser, Stream(sentences), 255);
    GnssSatelliteView sats[CGnssTable::kCapacity];
    EXPECT_EQ(parser.m_Gnss.List(sats), CGnssTable::kCapacity);
    EXPECT_EQ(parser.m_nSatsInView, CGnssTable::kCapacity);
    std::set<std::pair<int, int>> ids;
    for (const GnssSatelliteView& v : sats)
        ids.insert({static_cast<int>(v.id.system), v.id.nSvid});
    EXPECT_EQ(ids.size(), size_t{CGnssTable::kCapacity});

    // BeiDou's group reports nothing in view: room for the whole GPS group.
    FeedChunks(parser, Stream({"GBGSV,1,1,00"}), 255);
    FeedChunks(parser, Stream({sentences.end() - 3, sentences.end()}), 255);
    EXPECT_EQ(GnssSummary(parser),
              "G1 1/1 1 0:1; G2 2/2 2 0:2; G3 3/3 3 0:3; G4 4/4 4 0:4; G5 5/5 5 0:5; "
              "G6 6/6 6 0:6; G7 7/7 7 0:7; G8 8/8 8 0:8; G9 9/9 9 0:9; G10 10/10 10 0:10");
}

} // namespace
