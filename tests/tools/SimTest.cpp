// The receiver simulator must be a faithful stand-in for hardware: deterministic, well-formed
// and covering the situations the pages have to show.
#include "nmea/NmeaParser.h"
#include "sim/ReceiverSim.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::string Simulate(int nSeconds, uint32_t nSeed = 1, double dCorrupt = 0) {
    CReceiverSim sim(nSeed, dCorrupt);
    std::string s;
    for (int i = 0; i < nSeconds; ++i)
        sim.NextSecond(s);
    return s;
}

TEST(ReceiverSim, IsDeterministicPerSeed) {
    EXPECT_EQ(Simulate(120), Simulate(120));
    EXPECT_EQ(Simulate(120, 7, 0.1), Simulate(120, 7, 0.1));
    EXPECT_NE(Simulate(120, 7, 0.1), Simulate(120, 8, 0.1));
}

TEST(ReceiverSim, EverySentenceIsWellFormedAndDecoded) {
    CReceiverSim sim;
    CNmeaParser parser;
    std::set<int> prnsSeen;
    bool bLostFix = false, bDifferential = false, b2D = false, bSetting = false;
    std::set<int> previous;
    for (int t = 0; t < 300; ++t) {
        std::string s;
        sim.NextSecond(s);
        const uint32_t nBefore = parser.m_nSentenceCount;
        const uint32_t nGsvBefore = parser.m_nGsvCount;
        parser.Feed(s.data(), static_cast<uint32_t>(s.size()));
        const uint32_t nGsv = parser.m_nGsvCount - nGsvBefore;
        // GGA, GSA, RMC, RMB and ZDA and a whole GSV group, every one accepted.
        ASSERT_EQ(parser.m_nSentenceCount - nBefore, 5 + nGsv) << "second " << t;
        ASSERT_GE(nGsv, 1u);
        std::set<int> now;
        for (int i = 0; i < parser.m_nSatsInView && i < CNmeaParser::kSatellites; ++i)
            now.insert(parser.m_Sats[i].nPrn);
        for (int n : previous)
            bSetting = bSetting || !now.count(n);
        prnsSeen.insert(now.begin(), now.end());
        previous = now;
        if (t > 20) {
            bLostFix = bLostFix || (parser.m_nFixQuality == 0 && parser.m_cRmcStatus == 'V');
            bDifferential = bDifferential || parser.m_nFixQuality == 2;
        }
        b2D = b2D || parser.m_nFixMode == 2;
        if (parser.m_nFixQuality > 0) {
            EXPECT_NEAR(parser.m_dLatitude, sim.Latitude(), 1e-6);
            EXPECT_NEAR(parser.m_dLongitude, sim.Longitude(), 1e-6);
            EXPECT_EQ(parser.m_cRmbStatus, 'A');
        }
    }
    EXPECT_TRUE(bLostFix && bDifferential && b2D);
    EXPECT_TRUE(bSetting) << "no satellite set during the drive";
    EXPECT_GT(prnsSeen.size(), 12u) << "no satellite rose during the drive";
    EXPECT_STREQ(parser.m_szDestWaypoint, "SUMMIT");
    EXPECT_GT(parser.m_dSpeedKnots, 0);
}

TEST(ReceiverSim, CorruptionDamagesAboutTheShareAsked) {
    CNmeaParser clean, damaged;
    const std::string a = Simulate(300), b = Simulate(300, 3, 0.2);
    clean.Feed(a.data(), static_cast<uint32_t>(a.size()));
    damaged.Feed(b.data(), static_cast<uint32_t>(b.size()));
    const double dLost = 1.0 - double(damaged.m_nGgaCount) / clean.m_nGgaCount;
    EXPECT_GT(dLost, 0.1);
    EXPECT_LT(dLost, 0.4);
}

} // namespace
