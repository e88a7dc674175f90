// SPDX-License-Identifier: MIT
// The simulated receivers must be faithful stand-ins for hardware: the classic one decodes to
// the drive it reports, with fixes lost and regained; the current one sends each epoch a GN fix
// with one GSA per system and each second the sky in GSV groups per system and band,
// satellites rising and setting in every system; both keep their rate, their share of damage
// and, seed for seed, their bytes.
#include "SimTestSupport.h"

#include "nmea/NmeaParser.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace {

// The GSV talkers in the order of the GSA system IDs 1 to 4, with the NMEA numbers each uses
// for its satellites (the GPS talker carries SBAS as 33-64).
struct Talker {
    const char* pTalker;
    int nLow, nHigh;
};
constexpr Talker kTalkers[] = {{"GP", 1, 64}, {"GL", 65, 96}, {"GA", 1, 36}, {"GB", 1, 63}};

struct GsvGroup {
    std::string strTalker, strSignal;
    std::map<int, bool> sats; // number, whether it has an SNR
};

// The epochs of a stream, each from its GGA on.
std::vector<std::vector<SimSentence>> Epochs(const std::vector<SimSentence>& sentences) {
    std::vector<std::vector<SimSentence>> epochs;
    for (const SimSentence& s : sentences)
        if (s.Type().ends_with("GGA") || epochs.empty())
            epochs.emplace_back().push_back(s);
        else
            epochs.back().push_back(s);
    return epochs;
}

// Checks the framing of consecutive GSV messages into groups (message numbers 1 to n, a signal
// ID last, four satellites a message, satellites in view equal to the group's) and returns them.
std::vector<GsvGroup> Groups(const std::vector<SimSentence>& gsvs) {
    std::vector<GsvGroup> groups;
    int nExpected = 1, nTotal = 0, nInView = 0, nListed = 0;
    const auto finish = [&] {
        EXPECT_EQ(nExpected, nTotal + 1) << "group cut short";
        EXPECT_EQ(nListed, nInView) << groups.back().strTalker << groups.back().strSignal;
        EXPECT_EQ(groups.back().sats.size(), static_cast<size_t>(nListed)) << "listed twice";
    };
    for (const SimSentence& s : gsvs) {
        const std::vector<std::string>& f = s.fields;
        EXPECT_TRUE(s.Type().ends_with("GSV")) << s.Type();
        if (f.size() < 5 || (f.size() - 4) % 4 != 1) {
            ADD_FAILURE() << s.Type() << " has no signal ID field";
            continue;
        }
        const std::string strTalker = f[0].substr(0, 2), &strSignal = f.back();
        EXPECT_TRUE(strSignal.size() == 1 && std::isxdigit(strSignal[0])) << strSignal;
        const int nNumber = std::stoi(f[2]);
        if (nNumber == 1) {
            if (!groups.empty())
                finish();
            groups.push_back({strTalker, strSignal, {}});
            nExpected = 1, nTotal = std::stoi(f[1]), nInView = std::stoi(f[3]), nListed = 0;
        } else if (groups.empty() || strTalker != groups.back().strTalker ||
                   strSignal != groups.back().strSignal) {
            ADD_FAILURE() << s.Type() << " message " << nNumber << " starts no group";
            continue;
        }
        EXPECT_EQ(nNumber, nExpected++);
        EXPECT_EQ(std::stoi(f[1]), nTotal);
        const size_t nSats = (f.size() - 5) / 4;
        EXPECT_TRUE(nSats == 4 || (nNumber == nTotal && nSats > 0)) << nSats << " in a message";
        for (size_t i = 0; i < nSats; ++i)
            groups.back().sats[std::stoi(f[4 + 4 * i])] = !f[7 + 4 * i].empty();
        nListed += static_cast<int>(nSats);
    }
    if (!groups.empty())
        finish();
    return groups;
}

TEST(ReceiverSim, DecodesToTheDriveItReportsWithFixesLostAndSatellitesSetting) {
    CReceiverSim sim;
    CNmeaParser parser;
    std::set<int> seen, previous;
    bool bLostFix = false, bDifferential = false, b2D = false, bSetting = false;
    for (int t = 0; t < 300; ++t) {
        std::string s;
        sim.NextSecond(s);
        const uint32_t nBefore = parser.m_nSentenceCount, nGsvBefore = parser.m_nGsvCount;
        parser.Feed(s.data(), static_cast<uint32_t>(s.size()));
        // GGA, GSA, RMC, RMB and ZDA and a whole GSV group, every one accepted.
        const uint32_t nGsv = parser.m_nGsvCount - nGsvBefore;
        ASSERT_GE(nGsv, 1u);
        ASSERT_EQ(parser.m_nSentenceCount - nBefore, 5 + nGsv) << "second " << t;
        std::set<int> now;
        for (int i = 0; i < parser.m_nSatsInView && i < CNmeaParser::kSatellites; ++i)
            now.insert(parser.m_Sats[i].nPrn);
        for (int n : previous)
            bSetting = bSetting || !now.count(n);
        seen.insert(now.begin(), now.end());
        previous = now;
        bLostFix = bLostFix || (t > 20 && parser.m_nFixQuality == 0 && parser.m_cRmcStatus == 'V');
        bDifferential = bDifferential || (t > 20 && parser.m_nFixQuality == 2);
        b2D = b2D || parser.m_nFixMode == 2;
        if (parser.m_nFixQuality > 0) {
            EXPECT_NEAR(parser.m_dLatitude, sim.Latitude(), 1e-6);
            EXPECT_NEAR(parser.m_dLongitude, sim.Longitude(), 1e-6);
        }
    }
    EXPECT_TRUE(bLostFix && bDifferential && b2D && bSetting);
    EXPECT_GT(seen.size(), 12u) << "no satellite rose during the drive";
    EXPECT_STREQ(parser.m_szDestWaypoint, "SUMMIT");
}

TEST(ModernReceiverSim, EachEpochIsAFixPerSystemAndTheSkyPerBand) {
    const std::vector<SimSentence> sentences = SplitSentences(Simulate(SimKind::Modern, 300));
    for (const SimSentence& s : sentences)
        ASSERT_TRUE(s.bValid);
    const auto epochs = Epochs(sentences);
    ASSERT_EQ(epochs.size(), 300u);

    std::map<std::string, std::set<int>> previous;
    std::set<std::string> rose, set;
    size_t nFirstBandSnrs = 0, nSecondBandSnrs = 0, nFewestInView = 1000, nMostInView = 0;
    for (const std::vector<SimSentence>& epoch : epochs) {
        ASSERT_GT(epoch.size(), 8u);
        const std::vector<std::string>& gga = epoch[0].fields;
        const std::vector<std::string>& rmc = epoch[1].fields;
        SCOPED_TRACE(gga.at(1));
        ASSERT_EQ(gga[0], "GNGGA");
        ASSERT_EQ(rmc[0], "GNRMC");
        EXPECT_EQ(epoch[epoch.size() - 2].Type(), "GNRMB");
        EXPECT_EQ(epoch.back().Type(), "GNZDA");
        const std::vector<GsvGroup> groups = Groups({epoch.begin() + 6, epoch.end() - 2});
        ASSERT_EQ(groups.size(), 2 * std::size(kTalkers));

        // Per system: its two bands, then its GSA.
        const int nQuality = std::stoi(gga.at(6));
        size_t nUsed = 0, nInView = 0;
        for (size_t k = 0; k < std::size(kTalkers); ++k) {
            const GsvGroup &first = groups[2 * k], &second = groups[2 * k + 1];
            EXPECT_EQ(first.strTalker, kTalkers[k].pTalker);
            EXPECT_EQ(second.strTalker, kTalkers[k].pTalker);
            EXPECT_NE(first.strSignal, second.strSignal);
            std::set<int> inView;
            for (const auto& [nNumber, bSnr] : first.sats) {
                EXPECT_GE(nNumber, kTalkers[k].nLow);
                EXPECT_LE(nNumber, kTalkers[k].nHigh);
                inView.insert(nNumber);
                nFirstBandSnrs += bSnr;
            }
            for (const auto& [nNumber, bSnr] : second.sats) {
                EXPECT_TRUE(inView.count(nNumber)) << nNumber << " only on the second band";
                nSecondBandSnrs += bSnr;
            }
            nInView += inView.size();
            const std::string strTalker = kTalkers[k].pTalker;
            if (previous.count(strTalker)) {
                for (int n : inView)
                    if (!previous[strTalker].count(n))
                        rose.insert(strTalker);
                for (int n : previous[strTalker])
                    if (!inView.count(n))
                        set.insert(strTalker);
            }
            previous[strTalker] = inView;

            const std::vector<std::string>& gsa = epoch[2 + k].fields;
            ASSERT_EQ(gsa.size(), 19u) << "GSA of system " << k + 1;
            EXPECT_EQ(gsa[0], "GNGSA");
            EXPECT_EQ(gsa[18], std::to_string(k + 1)) << "system ID";
            EXPECT_EQ(gsa[2] == "1", nQuality == 0);
            EXPECT_EQ(gsa[16], gga[8]) << "HDOP";
            for (size_t i = 3; i < 15; ++i) {
                if (gsa[i].empty())
                    continue;
                ++nUsed;
                const auto it = first.sats.find(std::stoi(gsa[i]));
                EXPECT_TRUE(it != first.sats.end() && it->second) << gsa[i] << " used untracked";
            }
        }
        EXPECT_EQ(std::stoul(gga[7]), nUsed);
        EXPECT_TRUE(nQuality == 0 || nUsed >= 4) << nUsed << " satellites for a fix";
        EXPECT_EQ(rmc.at(2), nQuality ? "A" : "V");
        EXPECT_EQ(rmc.at(12), nQuality == 2 ? "D" : nQuality ? "A" : "N") << "mode";
        nFewestInView = std::min(nFewestInView, nInView);
        nMostInView = std::max(nMostInView, nInView);
    }
    for (const Talker& talker : kTalkers) {
        EXPECT_TRUE(rose.count(talker.pTalker)) << "nothing rose in " << talker.pTalker;
        EXPECT_TRUE(set.count(talker.pTalker)) << "nothing set in " << talker.pTalker;
    }
    // The second band's strengths mostly empty, but not all.
    EXPECT_GT(nSecondBandSnrs, 0u);
    EXPECT_LT(nSecondBandSnrs, nFirstBandSnrs / 2);
    // Some forty satellites at once, so the pages have many to show.
    EXPECT_GE(nFewestInView, 35u);
    EXPECT_LE(nMostInView, 45u);
}

class BothReceivers : public testing::TestWithParam<SimKind> {};

// At 10 Hz: ten fixes a second with rising hundredths and moving positions, and the sky once a
// second, as at 1 Hz.
TEST_P(BothReceivers, RateTenGivesTenFixesASecondAndTheSkyOnce) {
    const std::vector<SimSentence> fast = SplitSentences(Simulate(GetParam(), 30, 1, 0, 10));
    const std::vector<SimSentence> slow = SplitSentences(Simulate(GetParam(), 30));
    const auto sky = [](const std::vector<SimSentence>& sentences) {
        std::vector<std::vector<std::string>> gsvs;
        for (const SimSentence& s : sentences)
            if (s.Type().ends_with("GSV"))
                gsvs.push_back(s.fields);
        return gsvs;
    };
    EXPECT_EQ(sky(fast), sky(slow));

    std::vector<std::vector<std::string>> fixes;
    for (const SimSentence& s : fast) {
        ASSERT_TRUE(s.bValid);
        if (s.Type().ends_with("GGA"))
            fixes.push_back(s.fields);
    }
    ASSERT_EQ(fixes.size(), 300u);
    for (size_t i = 0; i < fixes.size(); ++i) {
        const std::string& strTime = fixes[i][1];
        ASSERT_EQ(strTime.size(), 9u) << strTime;
        EXPECT_EQ(std::stoi(strTime.substr(4, 2)), static_cast<int>(i / 10) % 60) << strTime;
        EXPECT_EQ(strTime.substr(6), "." + std::to_string(i % 10) + "0") << strTime;
        if (i / 10 >= 20) { // driving by then
            EXPECT_NE(fixes[i][2] + fixes[i][4], fixes[i - 1][2] + fixes[i - 1][4]) << strTime;
        }
    }
}

TEST_P(BothReceivers, CorruptionDamagesAboutTheShareAsked) {
    size_t nClean = 0, nKept = 0;
    for (const SimSentence& s : SplitSentences(Simulate(GetParam(), 120)))
        nClean += s.bValid;
    for (const SimSentence& s : SplitSentences(Simulate(GetParam(), 120, 3, 0.2)))
        nKept += s.bValid;
    const double dLost = 1.0 - static_cast<double>(nKept) / static_cast<double>(nClean);
    EXPECT_GT(dLost, 0.15);
    EXPECT_LT(dLost, 0.35);
}

// The demonstration captures are the drives as the tool writes them by default.
TEST_P(BothReceivers, DemoCaptureIsTheDefaultDrive) {
    const char* pName = GetParam() == SimKind::Modern ? "/demo-gnss.nmea" : "/demo.nmea";
    std::ifstream in(std::string(RAVUZIZ_DATA_DIR) + pName, std::ios::binary);
    std::ostringstream capture;
    capture << in.rdbuf();
    EXPECT_TRUE(capture.str() == Simulate(GetParam(), 300)) << pName << " differs";
    EXPECT_NE(Simulate(GetParam(), 30, 7), Simulate(GetParam(), 30, 8));
}

INSTANTIATE_TEST_SUITE_P(Sim, BothReceivers, testing::Values(SimKind::Classic, SimKind::Modern),
                         [](const auto& info) {
                             return info.param == SimKind::Modern ? "Modern" : "Classic";
                         });

} // namespace
