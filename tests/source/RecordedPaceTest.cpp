// SPDX-License-Identifier: MIT
// Replay at the recorded pace, on a clock the test turns: fixes come out when their time has
// come, at any speed (a pause is run through the frame), gaps and midnight not waited for,
// and every byte of the recording comes out once, in order.
#include "source/RecordedPace.h"
#include "common/NmeaSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

namespace {

// A replay of strRecording on a turned clock; strOut is what it has let through so far.
struct PacedReplay {
    explicit PacedReplay(std::string str) : strRecording(std::move(str)) {}
    std::string strRecording;
    CRecordedPace pace;
    size_t nFed = 0;
    std::string strOut;

    // Turns the clock to dNow and takes what is due, feeding the recording in odd pieces.
    const std::string& At(double dNow) {
        char buffer[255];
        for (;;) {
            while (nFed < strRecording.size() && pace.Room() > 0) {
                const size_t n = std::min<size_t>(
                    {977, strRecording.size() - nFed, static_cast<size_t>(pace.Room())});
                pace.Append(strRecording.data() + nFed, static_cast<int>(n));
                nFed += n;
            }
            const int n = pace.Take(buffer, sizeof buffer, dNow, nFed == strRecording.size());
            if (n == 0)
                return strOut;
            strOut.append(buffer, static_cast<size_t>(n));
        }
    }
    size_t Count(const char* pszType) const {
        size_t n = 0;
        for (size_t i = strOut.find(pszType); i != std::string::npos;
             i = strOut.find(pszType, i + 1))
            ++n;
        return n;
    }
};

TEST(RecordedPace, FixesComeWhenTheirTimeHasComeAtAnySpeed) {
    struct Case {
        SimKind kind;
        int nRate;
        double dSpeed;
    };
    for (const Case& c : {Case{SimKind::Classic, 1, 1}, Case{SimKind::Modern, 10, 1},
                          Case{SimKind::Classic, 1, 4}, Case{SimKind::Modern, 1, 8}}) {
        const std::string strRecording = Simulate(c.kind, 40, 1, 0, c.nRate);
        PacedReplay replay{strRecording};
        replay.pace.SetSpeed(c.dSpeed, 0);
        for (double t = 0; t <= 4.0; t += 0.3) {
            replay.At(t);
            // The first fix at once, then one per recorded 1/rate second.
            const double dFixes = std::min(40.0 * c.nRate, 1 + t * c.dSpeed * c.nRate);
            EXPECT_NEAR(static_cast<double>(replay.Count("GGA,")), dFixes, 1.01)
                << "rate " << c.nRate << " speed " << c.dSpeed << " at " << t;
        }
        // In the end, every byte once, in order.
        EXPECT_TRUE(replay.At(1e6) == strRecording)
            << replay.At(1e6).size() << " bytes of " << strRecording.size();
    }
}

TEST(RecordedPace, GapsAndMidnightAreNotWaitedFor) {
    const std::string strRecording =
        "$GPGGA,235958.00,1*00\r\n$GPGSV,junk\r\n$GPGGA,235959.00,1*00\r\n"
        "$GPGGA,000000.00,1*00\r\n$GPGGA,000001.00,1*00\r\n" // midnight
        "$GPRMC,013000.00,A*00\r\n$GPRMC,013001.00,A*00\r\n" // the receiver was off
        "no time in this line at all";
    PacedReplay replay{strRecording};
    EXPECT_EQ(replay.At(0).find("235959"), std::string::npos);
    replay.At(1);
    EXPECT_EQ(replay.Count("GGA,"), 3u); // 23:59:59, and at once 00:00:00
    replay.At(2);
    EXPECT_EQ(replay.Count("GGA,"), 4u);
    EXPECT_EQ(replay.Count("RMC,"), 1u); // 01:30:00 at once
    EXPECT_EQ(replay.At(3), strRecording);
}

} // namespace
