// SPDX-License-Identifier: MIT
// The simulated receivers must be faithful stand-ins for hardware: the classic one decodes to
// the drive it reports, with fixes lost and regained; the current one sends each epoch a GN fix
// with one GSA per system and each second the sky in GSV groups per system and band,
// satellites rising and setting in every system; both keep their rate, their share of damage
// and, seed for seed, their bytes.
#include "SimTestSupport.h"

#include "nmea/NmeaParser.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

TEST(ReceiverSim, DecodesToTheDriveItReportsWithFixesLostAndSatellitesSetting) {
    CReceiverSim sim;
    CNmeaParser parser;
    std::set<int> seen, previous;
    bool bLostFix = false, bDifferential = false, b2D = false, bSetting = false;
    for (int t = 0; t < 300; ++t) {
        std::string s;
        sim.NextSecond(s);
        const uint32_t nBefore = parser.SentenceCount(), nGsvBefore = parser.m_nGsvCount;
        parser.Feed(s.data(), static_cast<uint32_t>(s.size()));
        // GGA, GSA, RMC, RMB and ZDA and a whole GSV group, every one accepted.
        const uint32_t nGsv = parser.m_nGsvCount - nGsvBefore;
        ASSERT_GE(nGsv, 1u);
        ASSERT_EQ(parser.SentenceCount() - nBefore, 5 + nGsv) << "second " << t;
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

// The GSV talkers in the order of the GSA system IDs 1 to 4.
constexpr const char* kTalkers[] = {"GP", "GL", "GA", "GB"};

// Each epoch from its GGA on: GGA, RMC, one GSA per system, the GSV groups (two signal bands a
// system, the second a subset of the first), RMB and ZDA; every satellite used in a GSA is
// tracked on the first band; some forty satellites in view, rising and setting in every system.
TEST(ModernReceiverSim, EachEpochIsAFixPerSystemAndTheSkyPerBand) {
    std::map<std::string, std::set<int>> previous;
    std::set<std::string> changed;
    size_t nEpochs = 0;
    std::vector<SimSentence> epoch;
    const auto check = [&] {
        ++nEpochs;
        std::string strTypes;
        // talker and signal ID -> number -> whether it has an SNR
        std::map<std::string, std::map<int, bool>> bands;
        std::vector<std::string> order; // of the bands
        for (const SimSentence& s : epoch) {
            strTypes += (s.bValid ? "" : "!") + s.Type() + " ";
            const std::vector<std::string>& f = s.fields;
            if (!s.Type().ends_with("GSV"))
                continue;
            if (f[2] == "1")
                order.push_back(f[0].substr(0, 2) + f.back());
            for (size_t i = 4; i + 4 < f.size(); i += 4)
                bands[order.back()][std::stoi(f[i])] = !f[i + 3].empty();
        }
        ASSERT_EQ(strTypes.substr(0, 42), "GNGGA GNRMC GNGSA GNGSA GNGSA GNGSA GPGSV ");
        ASSERT_TRUE(strTypes.ends_with("GNRMB GNZDA ")) << strTypes;
        ASSERT_EQ(bands.size(), 2 * std::size(kTalkers)) << strTypes;
        ASSERT_EQ(order.size(), bands.size()) << strTypes;
        size_t nInView = 0;
        for (size_t k = 0; k < std::size(kTalkers); ++k) {
            std::map<int, bool>&first = bands[order[2 * k]], &second = bands[order[2 * k + 1]];
            EXPECT_EQ(order[2 * k].substr(0, 2) + order[2 * k + 1].substr(0, 2),
                      std::string(kTalkers[k]) + kTalkers[k]);
            std::set<int> inView;
            for (const auto& [nNumber, bSnr] : first)
                inView.insert(nNumber);
            for (const auto& [nNumber, bSnr] : second)
                EXPECT_TRUE(inView.count(nNumber)) << nNumber << " only on the second band";
            nInView += inView.size();
            if (previous.count(kTalkers[k]) && previous[kTalkers[k]] != inView)
                changed.insert(kTalkers[k]);
            previous[kTalkers[k]] = inView;
            const std::vector<std::string>& gsa = epoch[2 + k].fields;
            ASSERT_EQ(gsa.size(), 19u);
            EXPECT_EQ(gsa[18], std::to_string(k + 1)) << "system ID";
            for (size_t i = 3; i < 15; ++i) {
                if (!gsa[i].empty()) {
                    EXPECT_TRUE(first[std::stoi(gsa[i])]) << gsa[i] << " used untracked";
                }
            }
        }
        EXPECT_TRUE(nInView >= 35 && nInView <= 45) << nInView << " in view";
    };
    for (const SimSentence& s : SplitSentences(Simulate(SimKind::Modern, 300))) {
        if (s.Type().ends_with("GGA") && !epoch.empty()) {
            check();
            epoch.clear();
        }
        epoch.push_back(s);
    }
    check();
    EXPECT_EQ(nEpochs, 300u);
    EXPECT_EQ(changed.size(), std::size(kTalkers)) << "a sky that never changed";
}

class BothReceivers : public testing::TestWithParam<SimKind> {};

// At 10 Hz: ten fixes a second with rising hundredths and moving positions, and the sky once a
// second, as at 1 Hz.
TEST_P(BothReceivers, RateTenGivesTenFixesASecondAndTheSkyOnce) {
    const std::vector<SimSentence> fast = SplitSentences(Simulate(GetParam(), 30, 1, 0, 10));
    const std::vector<SimSentence> slow = SplitSentences(Simulate(GetParam(), 30));
    const auto of = [](const std::vector<SimSentence>& sentences, const char* pszType) {
        std::vector<std::vector<std::string>> found;
        for (const SimSentence& s : sentences)
            if (s.bValid && s.Type().ends_with(pszType))
                found.push_back(s.fields);
        return found;
    };
    EXPECT_EQ(of(fast, "GSV"), of(slow, "GSV"));
    const std::vector<std::vector<std::string>> fixes = of(fast, "GGA");
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
    EXPECT_TRUE(ReadWholeFile(RAVUZIZ_DATA_DIR + QString(pName)) == Simulate(GetParam(), 300))
        << pName << " differs";
    EXPECT_NE(Simulate(GetParam(), 30, 7), Simulate(GetParam(), 30, 8));
}

INSTANTIATE_TEST_SUITE_P(Sim, BothReceivers, testing::Values(SimKind::Classic, SimKind::Modern),
                         [](const auto& info) {
                             return info.param == SimKind::Modern ? "Modern" : "Classic";
                         });

} // namespace
