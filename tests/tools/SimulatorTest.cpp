// SPDX-License-Identifier: MIT
// The simulated receivers must be faithful stand-ins for hardware: the classic one decodes to
// the drive it reports, with fixes lost and regained; the current one sends each epoch a GN fix
// with one GSA per system and each second the sky in GSV groups per system and band,
// satellites rising and setting in every system; both keep their rate, their share of damage
// and, seed for seed, their bytes.
#include "common/NmeaSupport.h"
#include "sim/ReceiverSim.h"

#include <QByteArray>
#include <QList>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <ranges>
#include <set>

namespace {

// The lines of a stream, split without any decoder of the program (the simulators are what the
// decoders are tested against): a well-formed sentence ("$" body "*" two hex digits of the
// right checksum, CR LF) as its body's fields, the first being talker and type; any other
// line as "!".
using Fields = std::vector<std::string>;
std::vector<Fields> SplitSentences(const std::string& s) {
    std::vector<Fields> out;
    for (const QByteArray& line : QByteArray::fromStdString(s).split('\n')) {
        const QByteArray body = line.mid(1, line.size() - 5);
        if (line.isEmpty())
            continue;
        Fields& fields = out.emplace_back(Fields{"!"});
        if (line.size() < 6 || body.contains('$') || body.contains('\r') ||
            Sentence(body.toStdString()) != line.toStdString() + "\n")
            continue;
        fields.clear();
        for (const QByteArray& field : body.split(','))
            fields.push_back(field.toStdString());
    }
    return out;
}

TEST(ReceiverSim, DecodesToTheDriveItReportsWithFixesLostAndSatellitesSetting) {
    CReceiverSim sim;
    CNmeaParser parser;
    std::set<int> previous;
    bool bLostFix = false, bDifferential = false, b2D = false, bRising = false, bSetting = false;
    for (int t = 0; t < 300; ++t) {
        std::string s;
        sim.NextSecond(s);
        FeedChunks(parser, s);
        std::set<int> now;
        for (int i = 0; i < parser.m_nSatsInView && i < CNmeaParser::kSatellites; ++i)
            now.insert(parser.m_Sats[i].nPrn);
        bRising = bRising || (t > 0 && !std::ranges::includes(previous, now));
        bSetting = bSetting || !std::ranges::includes(now, previous);
        previous = now;
        bLostFix = bLostFix || (t > 20 && parser.m_nFixQuality == 0 && parser.m_cRmcStatus == 'V');
        bDifferential = bDifferential || (t > 20 && parser.m_nFixQuality == 2);
        b2D = b2D || parser.m_nFixMode == 2;
        if (parser.m_nFixQuality > 0) {
            EXPECT_NEAR(parser.m_dLatitude, sim.Latitude(), 1e-6);
            EXPECT_NEAR(parser.m_dLongitude, sim.Longitude(), 1e-6);
        }
    }
    // Each second GGA, GSA, RMC, RMB and ZDA and a whole GSV group, every one accepted.
    EXPECT_GE(parser.m_nGsvCount, 300u);
    EXPECT_EQ(parser.SentenceCount(), 5 * 300u + parser.m_nGsvCount);
    EXPECT_TRUE(bLostFix && bDifferential && b2D && bRising && bSetting);
}

// Each epoch from its GGA on: GGA, RMC, one GSA per system (IDs 1 to 4), the GSV groups (two
// bands a system, GP GL GA GB in that order, the second band a subset of the first), RMB and
// ZDA; every satellite used in a GSA is tracked on the first band; some forty satellites in
// view, rising and setting in every system.
TEST(ModernReceiverSim, EachEpochIsAFixPerSystemAndTheSkyPerBand) {
    std::vector<std::vector<Fields>> epochs;
    for (const Fields& s : SplitSentences(Simulate(SimKind::Modern, 300))) {
        if (s[0].ends_with("GGA") || epochs.empty())
            epochs.emplace_back();
        epochs.back().push_back(s);
    }
    ASSERT_EQ(epochs.size(), 300u);
    std::vector<std::set<int>> previous(4); // per system, in view
    std::set<size_t> changed;
    for (const std::vector<Fields>& epoch : epochs) {
        std::string strTypes, strTalkers;
        std::vector<std::map<int, bool>> bands; // number -> whether it has an SNR
        for (const Fields& f : epoch) {
            strTypes += f[0] + " ";
            if (!f[0].ends_with("GSV"))
                continue;
            if (f[2] == "1" || bands.empty()) {
                bands.emplace_back();
                strTalkers += f[0].substr(0, 2);
            }
            for (size_t i = 4; i + 4 < f.size(); i += 4)
                bands.back()[std::stoi(f[i])] = !f[i + 3].empty();
        }
        ASSERT_EQ(strTypes.substr(0, 42), "GNGGA GNRMC GNGSA GNGSA GNGSA GNGSA GPGSV ");
        ASSERT_TRUE(strTypes.ends_with("GNRMB GNZDA ")) << strTypes;
        ASSERT_EQ(strTalkers, "GPGPGLGLGAGAGBGB") << strTypes;
        size_t nInView = 0;
        for (size_t k = 0; k < 4; ++k) {
            std::set<int> inView;
            std::ranges::copy(std::views::keys(bands[2 * k]), std::inserter(inView, inView.end()));
            EXPECT_TRUE(std::ranges::includes(inView, std::views::keys(bands[2 * k + 1])))
                << "a satellite only on the second band";
            nInView += inView.size();
            if (&epoch != &epochs[0] && previous[k] != inView)
                changed.insert(k);
            previous[k] = inView;
            const Fields& gsa = epoch[2 + k];
            ASSERT_EQ(gsa.size(), 19u);
            EXPECT_EQ(gsa[18], std::to_string(k + 1)) << "system ID";
            for (size_t i = 3; i < 15; ++i)
                EXPECT_TRUE(gsa[i].empty() || bands[2 * k][std::stoi(gsa[i])]) << gsa[i];
        }
        EXPECT_TRUE(nInView >= 35 && nInView <= 45) << nInView << " in view";
    }
    EXPECT_EQ(changed.size(), 4u) << "a sky that never changed";
}

class BothReceivers : public testing::TestWithParam<SimKind> {};

// At 10 Hz: ten fixes a second with rising hundredths and moving positions, and the sky once a
// second, as at 1 Hz; at 3 Hz the hundredths are rounded (.00, .33, .67).
TEST_P(BothReceivers, RateTenGivesTenFixesASecondAndTheSkyOnce) {
    const auto of = [](int nRate, const char* pszType) {
        std::vector<Fields> found;
        for (const Fields& s : SplitSentences(Simulate(GetParam(), 30, 1, 0, nRate)))
            if (s[0].ends_with(pszType))
                found.push_back(s);
        return found;
    };
    EXPECT_EQ(of(10, "GSV"), of(1, "GSV"));
    EXPECT_EQ(of(3, "GGA")[2][1].substr(6), ".67");
    const std::vector<Fields> fixes = of(10, "GGA");
    ASSERT_EQ(fixes.size(), 300u);
    for (size_t i = 0; i < fixes.size(); ++i) {
        const std::string& strTime = fixes[i][1];
        EXPECT_EQ(strTime.substr(4),
                  QString::asprintf("%02zu.%zu0", i / 10 % 60, i % 10).toStdString());
        EXPECT_TRUE(i < 200 || fixes[i][2] + fixes[i][4] != fixes[i - 1][2] + fixes[i - 1][4])
            << strTime; // moving by then
    }
}

TEST_P(BothReceivers, CorruptionDamagesAboutTheShareAsked) {
    const auto valid = [](uint32_t nSeed, double dCorrupt) {
        const std::vector<Fields> lines =
            SplitSentences(Simulate(GetParam(), 120, nSeed, dCorrupt));
        return static_cast<double>(lines.size() - std::ranges::count(lines, Fields{"!"}));
    };
    const double dLost = 1.0 - valid(3, 0.2) / valid(1, 0);
    EXPECT_TRUE(dLost > 0.15 && dLost < 0.35) << dLost;
}

// The demonstration captures are the drives as the tool writes them by default.
TEST_P(BothReceivers, DemoCaptureIsTheDefaultDrive) {
    const char* pName = GetParam() == SimKind::Modern ? "/demo-gnss.nmea" : "/demo.nmea";
    EXPECT_TRUE(ReadWholeFile(RAVUZIZ_DATA_DIR + QString(pName)) == Simulate(GetParam(), 300))
        << pName << " differs";
    EXPECT_NE(Simulate(GetParam(), 30, 7), Simulate(GetParam(), 30, 8));
}

INSTANTIATE_TEST_SUITE_P(Sim, BothReceivers, testing::Values(SimKind::Classic, SimKind::Modern));

} // namespace
