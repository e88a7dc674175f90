// What each decoder writes into the GPS state record, present and absent fields alike.
#include "NmeaTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct Decoders : ::testing::Test {
    RecordingNotify notify;
    CNmeaParser parser{&notify};

    void Feed(const std::string& strAddressAndBody) {
        const std::string s = Sentence(strAddressAndBody);
        parser.Feed(s.data(), static_cast<uint32_t>(s.size()));
    }
};

const double kMinute = 1.0 / 60.0;

// The decimal reader's result for "i.f" with L fraction characters: not always the double
// nearest the decimal text (0.66 reads as 0 + 66 x 0.1^2).
double Dec(double i, double f, int L) {
    return i + f * std::pow(0.1, L);
}

TEST_F(Decoders, ConstructionLeavesEveryFieldAtItsResetValue) {
    EXPECT_EQ(parser.m_cGsaMode, 'M');
    EXPECT_EQ(parser.m_nFixMode, 1);
    EXPECT_EQ(parser.m_cRmbStatus, 'V');
    EXPECT_EQ(parser.m_cSteerDirection, '?');
    EXPECT_EQ(parser.m_cArrivalStatus, 'V');
    EXPECT_EQ(parser.m_cRmcStatus, 'V');
    EXPECT_EQ(parser.m_nRmcDay, 1);
    EXPECT_EQ(parser.m_nRmcMonth, 1);
    EXPECT_EQ(parser.m_nRmcYear, 2000);
    EXPECT_EQ(parser.m_nZdaDay, 1);
    EXPECT_EQ(parser.m_nZdaMonth, 1);
    EXPECT_EQ(parser.m_nZdaYear, 2000);
    EXPECT_STREQ(parser.m_szOriginWaypoint, "");
    EXPECT_STREQ(parser.m_szDestWaypoint, "");
    for (const GpsSatellite& s : parser.m_Sats)
        EXPECT_TRUE(s.nPrn == 0 && s.nSnr == 0 && s.bUsed == 0 && s.nAzimuth == 0 &&
                    s.nElevation == 0);
    EXPECT_EQ(parser.m_nState, 0);
    EXPECT_EQ(parser.m_nSentenceCount, 0u);
    EXPECT_EQ(parser.LoggedBytes(), 0u);
    EXPECT_FALSE(parser.IsRecording());
}

TEST_F(Decoders, ResetRestoresWhatAStreamChanged) {
    for (const bool bAllSystems : {false, true}) {
        parser.SetAllSystems(bAllSystems);
        const std::string strFresh = Snapshot(parser);
        Feed("GPGGA,123519,4807.038,S,01131.000,W,1,08,0.9,545.4,M,46.9,M,,");
        Feed("GPGSA,A,3,04,05,,,,,,,,,,,2.5,1.3,2.1");
        Feed("GPGSV,1,1,02,04,10,100,40,05,20,200,30");
        Feed("GPRMB,A,0.66,L,003,004,4917.24,N,12309.57,W,001.3,052.5,000.5,A");
        Feed("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W");
        Feed("GPZDA,201530.00,04,07,2002,-05,30");
        ASSERT_NE(Snapshot(parser), strFresh);
        parser.Reset();
        parser.m_nSentenceCount = 0;
        EXPECT_EQ(Snapshot(parser), strFresh) << "all systems " << bAllSystems;
    }
}

TEST_F(Decoders, Gga) {
    Feed("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    EXPECT_EQ(parser.m_nGgaHour, 12);
    EXPECT_EQ(parser.m_nGgaMinute, 35);
    EXPECT_EQ(parser.m_nGgaSecond, 19);
    EXPECT_EQ(parser.m_dLatitude, 7.038 * kMinute + 48);
    EXPECT_EQ(parser.m_dLongitude, 31.0 * kMinute + 11);
    EXPECT_EQ(parser.m_nFixQuality, 1);
    EXPECT_EQ(parser.m_nSatsUsed, 8);
    EXPECT_EQ(parser.m_dGgaHdop, 0.9);
    EXPECT_EQ(parser.m_dAltitude, 545.4);
    EXPECT_EQ(parser.m_nGgaCount, 1u);
    EXPECT_EQ(notify.posted, std::vector<unsigned>{WM_GPS_GGA});

    Feed("GPGGA,123520.75,4807.038,S,01131.000,W,2,123,1.5,-12.5,M,,M,,");
    EXPECT_EQ(parser.m_nGgaSecond, 20); // the fraction is dropped
    EXPECT_EQ(parser.m_dLatitude, -(7.038 * kMinute + 48));
    EXPECT_EQ(parser.m_dLongitude, -(31.0 * kMinute + 11));
    EXPECT_EQ(parser.m_nFixQuality, 2);
    EXPECT_EQ(parser.m_nSatsUsed, 12); // the first two characters only
    EXPECT_EQ(parser.m_dAltitude, -12.5);

    // A receiver without a fix: the old position stays, quality and time change.
    Feed("GPGGA,123521,,,,,0,00,,,M,,M,,");
    EXPECT_EQ(parser.m_nGgaSecond, 21);
    EXPECT_EQ(parser.m_nFixQuality, 0);
    EXPECT_EQ(parser.m_nSatsUsed, 0);
    EXPECT_EQ(parser.m_dLatitude, -(7.038 * kMinute + 48));
    EXPECT_EQ(parser.m_dGgaHdop, 1.5);
    EXPECT_EQ(parser.m_dAltitude, -12.5);

    // A hemisphere letter negates whatever is stored, even with the coordinate absent.
    Feed("GPGGA,123522,,S,,W,1,,,,M,,M,,");
    EXPECT_EQ(parser.m_dLatitude, 7.038 * kMinute + 48);
    EXPECT_EQ(parser.m_dLongitude, 31.0 * kMinute + 11);
    EXPECT_EQ(parser.m_nGgaCount, 4u);
}

TEST_F(Decoders, GgaVerticalSpeedPerMinuteWithinTheHour) {
    struct Step {
        const char* pTime;
        const char* pAltitude;
        double dExpected;
    } const steps[] = {
        {"000100", "60.0", 60},  // the first is measured from altitude 0 at minute 0
        {"120010", "100.0", 60}, // 00:10 is not after 01:00: unchanged
        {"120040", "110.0", 20}, // 10 up in half a minute
        {"120040", "200.0", 20}, // the same second again: unchanged
        {"125955", "300.0", (200.0 - 300.0) / ((40 - 3595) * kMinute)},
        {"130005", "400.0", (200.0 - 300.0) / ((40 - 3595) * kMinute)}, // past the hour
        {"130010", "", 0}, // altitude absent: it stays, so no climb
    };
    for (const Step& step : steps) {
        Feed(std::string("GPGGA,") + step.pTime + ",,,,,1,05,1.0," + step.pAltitude + ",M,,M,,");
        EXPECT_EQ(parser.m_dVerticalSpeed, step.dExpected) << step.pTime;
    }
    EXPECT_EQ(parser.m_nPrevGgaSeconds, 10);
    EXPECT_EQ(parser.m_dPrevAltitude, 400.0);
}

TEST_F(Decoders, Gsa) {
    Feed("GPGSA,A,3,04,05,09,12,24,123,,,,,,,2.5,1.3,2.1");
    EXPECT_EQ(parser.m_cGsaMode, 'A');
    EXPECT_EQ(parser.m_nFixMode, 3);
    const uint16_t expected[12] = {4, 5, 9, 12, 24, 12, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(parser.m_nUsedPrn[i], expected[i]) << i;
    EXPECT_EQ(parser.m_dPdop, 2.5);
    EXPECT_EQ(parser.m_dHdop, 1.3);
    EXPECT_EQ(parser.m_dVdop, 2.1);
    Feed("GPGSA,,,01,,,,,,,,,,,,,,");
    EXPECT_EQ(parser.m_cGsaMode, 'A');
    EXPECT_EQ(parser.m_nFixMode, 3);
    EXPECT_EQ(parser.m_nUsedPrn[0], 1);
    EXPECT_EQ(parser.m_nUsedPrn[1], 0);
    EXPECT_EQ(parser.m_dPdop, 0);
    EXPECT_EQ(parser.m_dHdop, 0);
    EXPECT_EQ(parser.m_dVdop, 0);
    EXPECT_EQ(parser.m_nGsaCount, 2u);
    EXPECT_EQ(notify.posted, (std::vector<unsigned>{WM_GPS_GSA, WM_GPS_GSA}));
}

TEST_F(Decoders, Rmc) {
    Feed("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W");
    EXPECT_EQ(parser.m_nRmcHour, 12);
    EXPECT_EQ(parser.m_nRmcMinute, 35);
    EXPECT_EQ(parser.m_nRmcSecond, 19);
    EXPECT_EQ(parser.m_cRmcStatus, 'A');
    EXPECT_EQ(parser.m_dRmcLatitude, 7.038 * kMinute + 48);
    EXPECT_EQ(parser.m_dRmcLongitude, 31.0 * kMinute + 11);
    EXPECT_EQ(parser.m_dSpeedKnots, 22.4);
    EXPECT_EQ(parser.m_dCourse, 84.4);
    EXPECT_EQ(parser.m_nRmcDay, 23);
    EXPECT_EQ(parser.m_nRmcMonth, 3);
    EXPECT_EQ(parser.m_nRmcYear, 2094);
    EXPECT_EQ(parser.m_dMagneticVariation, -3.1);
    EXPECT_EQ(parser.m_dLatitude, 0); // the GGA copy is separate

    Feed("GPRMC,,,,S,,,,,311299,,");
    EXPECT_EQ(parser.m_nRmcHour, 12);
    EXPECT_EQ(parser.m_cRmcStatus, 'V');
    EXPECT_EQ(parser.m_dRmcLatitude, -(7.038 * kMinute + 48));
    EXPECT_EQ(parser.m_dSpeedKnots, 0);
    EXPECT_EQ(parser.m_dCourse, 0);
    EXPECT_EQ(parser.m_nRmcDay, 31);
    EXPECT_EQ(parser.m_nRmcMonth, 12);
    EXPECT_EQ(parser.m_nRmcYear, 2099);
    EXPECT_EQ(parser.m_dMagneticVariation, 0);
    EXPECT_EQ(parser.m_nRmcCount, 2u);
    EXPECT_EQ(notify.posted, (std::vector<unsigned>{WM_GPS_RMC, WM_GPS_RMC}));
}

TEST_F(Decoders, GsvPlacesEachMessageAndAnnouncesTheGroupOnce) {
    Feed("GPGSA,A,3,05,12,29,,,,,,,,,,2.5,1.3,2.1");
    notify.posted.clear();
    Feed("GPGSV,3,1,11,03,03,111,00,05,15,270,00,06,01,010,00,12,06,292,00");
    Feed("GPGSV,3,2,11,14,25,170,00,16,57,208,39,18,67,296,40,19,40,246,00");
    Feed("GPGSV,3,3,11,22,42,067,42,24,14,311,43,29,05,244,");
    EXPECT_EQ(notify.posted, std::vector<unsigned>{WM_GPS_GSV});
    EXPECT_EQ(parser.m_nGsvCount, 3u);
    EXPECT_EQ(parser.m_nSatsInView, 11);
    const GpsSatellite& s16 = parser.m_Sats[5];
    EXPECT_EQ(s16.nPrn, 16);
    EXPECT_EQ(s16.nElevation, 57);
    EXPECT_EQ(s16.nAzimuth, 208);
    EXPECT_EQ(s16.nSnr, 39);
    const GpsSatellite& s29 = parser.m_Sats[10];
    EXPECT_EQ(s29.nPrn, 29);
    EXPECT_EQ(s29.nSnr, 0); // in view, not tracked
    EXPECT_EQ(s29.nAzimuth, 244);
    EXPECT_EQ(parser.m_Sats[11].nPrn, 0); // the missing fourth is written empty
    for (int i = 0; i < 12; ++i) {
        const uint16_t n = parser.m_Sats[i].nPrn;
        EXPECT_EQ(parser.m_Sats[i].bUsed, n == 5 || n == 12 || n == 29 ? 1 : 0) << n;
    }

    // A shorter group leaves the old third message in place; a later GSA does not touch the
    // marks until the next GSV.
    Feed("GPGSA,A,3,03,,,,,,,,,,,,2.5,1.3,2.1");
    EXPECT_EQ(parser.m_Sats[1].bUsed, 1);
    Feed("GPGSV,2,1,08,03,03,111,00,05,15,270,00,06,01,010,00,12,06,292,00");
    EXPECT_EQ(parser.m_Sats[0].bUsed, 1);
    EXPECT_EQ(parser.m_Sats[1].bUsed, 0);
    Feed("GPGSV,2,2,08,14,25,170,00,16,57,208,39,18,67,296,40,19,40,246,00");
    EXPECT_EQ(parser.m_nSatsInView, 8);
    EXPECT_EQ(parser.m_Sats[8].nPrn, 22);
    EXPECT_EQ(parser.m_Sats[10].nPrn, 29);
}

TEST_F(Decoders, GsvIgnoredAndAcceptedMessageNumbers) {
    struct Case {
        const char* pBody;
        bool bAccepted;
    } const cases[] = {
        {"GPGSV,1,0,04,07,07,007,07", false}, {"GPGSV,1,10,04,07,07,007,07", false},
        {"GPGSV,9,1,04,07,07,007,07", false}, {"GPGSV,0,1,04,07,07,007,07", false},
        {"GPGSV,,1,04,07,07,007,07", false},  {"GPGSV,1,,04,07,07,007,07", false},
        {"GPGSV,8,8,04,07,07,007,07", true},  {"GPGSV,3,9,04,07,07,007,07", true},
    };
    for (const Case& c : cases) {
        CNmeaParser fresh;
        const std::string s = Sentence(c.pBody);
        fresh.Feed(s.data(), static_cast<uint32_t>(s.size()));
        EXPECT_EQ(fresh.m_nGsvCount, c.bAccepted ? 1u : 0u) << c.pBody;
        EXPECT_EQ(fresh.m_nSatsInView, c.bAccepted ? 4 : 0) << c.pBody;
        EXPECT_EQ(fresh.m_nSentenceCount, 1u) << c.pBody;
    }
    Feed("GPGSV,3,9,13,33,10,100,40,34,11,101,41");
    EXPECT_EQ(parser.m_Sats[32].nPrn, 33);
    EXPECT_EQ(parser.m_Sats[33].nPrn, 34);
    EXPECT_EQ(parser.m_Sats[34].nPrn, 0);
    EXPECT_TRUE(notify.posted.empty()); // 9 is not the last of 3
    // Numbers beyond 16 bits keep their low bits; the count is the receiver's, not bounded.
    Feed("GPGSV,1,1,99,70000,,,");
    EXPECT_EQ(parser.m_nSatsInView, 99);
    EXPECT_EQ(parser.m_Sats[0].nPrn, static_cast<uint16_t>(70000));
}

// Receivers speaking NMEA 4.10 append a signal ID after the satellites. It is never a
// satellite, whether or not the message is full.
TEST_F(Decoders, GsvSignalIdIsNotASatellite) {
    Feed("GPGSV,3,3,11,20,,,,24,12,293,,30,33,085,,1");
    EXPECT_EQ(parser.m_Sats[8].nPrn, 20);
    EXPECT_EQ(parser.m_Sats[9].nPrn, 24);
    EXPECT_EQ(parser.m_Sats[10].nPrn, 30);
    EXPECT_EQ(parser.m_Sats[11].nPrn, 0);
    EXPECT_EQ(parser.m_Sats[11].nElevation, 0);
    Feed("GPGSV,1,1,00,1");
    EXPECT_EQ(parser.m_Sats[0].nPrn, 0);
    Feed("GPGSV,2,1,05,01,10,100,40,02,20,200,30,03,30,300,20,04,40,040,10,1");
    EXPECT_EQ(parser.m_Sats[3].nPrn, 4);
    EXPECT_EQ(parser.m_Sats[3].nSnr, 10);
    // A last field longer than one hexadecimal digit is a satellite's PRN.
    Feed("GPGSV,3,3,09,25");
    EXPECT_EQ(parser.m_Sats[8].nPrn, 25);
    // A message without a signal ID and a missing last SNR is read by the letter.
    Feed("GPGSV,1,1,02,05,10,100,40,06,20,200,");
    EXPECT_EQ(parser.m_Sats[1].nPrn, 6);
    EXPECT_EQ(parser.m_Sats[1].nAzimuth, 200);
}

TEST_F(Decoders, Rmb) {
    Feed("GPRMB,A,0.66,L,003,004,4917.24,N,12309.57,W,001.3,052.5,000.5,V");
    EXPECT_EQ(parser.m_cRmbStatus, 'A');
    EXPECT_EQ(parser.m_dCrossTrackError, Dec(0, 66, 2));
    EXPECT_EQ(parser.m_cSteerDirection, 'L');
    EXPECT_STREQ(parser.m_szOriginWaypoint, "003");
    EXPECT_STREQ(parser.m_szDestWaypoint, "004");
    EXPECT_EQ(parser.m_dDestLatitude, 17.24 * kMinute + 49);
    EXPECT_EQ(parser.m_dDestLongitude, -(9.57 * kMinute + 123));
    EXPECT_EQ(parser.m_dRangeToDest, 1.3);
    EXPECT_EQ(parser.m_dBearingToDest, 52.5);
    EXPECT_EQ(parser.m_dClosingVelocity, 0.5);
    EXPECT_EQ(parser.m_cArrivalStatus, 'V');
    EXPECT_EQ(notify.posted, std::vector<unsigned>{WM_GPS_RMB});

    Feed("GPRMB,A,0.5,,ABCDEFGHIJKLMNOPQRSTUVWXYZ0123,,,,,,,,2.0,");
    EXPECT_EQ(parser.m_dCrossTrackError, 0.5);
    EXPECT_EQ(parser.m_dRangeToDest, 0);
    EXPECT_EQ(parser.m_dClosingVelocity, 2.0);
    EXPECT_EQ(parser.m_cArrivalStatus, 'V');
    EXPECT_STREQ(parser.m_szOriginWaypoint, "ABCDEFGHIJKLMNOPQRSTUVWX");
    EXPECT_STREQ(parser.m_szDestWaypoint, "");

    Feed("GPRMB,V");
    EXPECT_EQ(parser.m_cRmbStatus, 'V');
    EXPECT_EQ(parser.m_dCrossTrackError, 0);
    EXPECT_EQ(parser.m_cSteerDirection, '?');
    EXPECT_STREQ(parser.m_szOriginWaypoint, "");
    EXPECT_EQ(parser.m_dBearingToDest, 0);
    EXPECT_EQ(parser.m_dClosingVelocity, 0);
    EXPECT_EQ(parser.m_dDestLatitude, 17.24 * kMinute + 49); // position unchanged
    EXPECT_EQ(parser.m_nRmbCount, 3u);
}

TEST_F(Decoders, Zda) {
    Feed("GPZDA,201530.00,04,07,2002,00,00");
    EXPECT_EQ(parser.m_nZdaHour, 20);
    EXPECT_EQ(parser.m_nZdaMinute, 15);
    EXPECT_EQ(parser.m_nZdaSecond, 30);
    EXPECT_EQ(parser.m_nZdaDay, 4);
    EXPECT_EQ(parser.m_nZdaMonth, 7);
    EXPECT_EQ(parser.m_nZdaYear, 2002);
    EXPECT_EQ(parser.m_nZdaZoneHours, 0);
    EXPECT_EQ(parser.m_nZdaZoneMinutes, 0);
    EXPECT_EQ(notify.posted, std::vector<unsigned>{WM_GPS_ZDA});

    Feed("GPZDA,,,,,-05,-30");
    EXPECT_EQ(parser.m_nZdaHour, 20);
    EXPECT_EQ(parser.m_nZdaDay, 1);
    EXPECT_EQ(parser.m_nZdaMonth, 1);
    EXPECT_EQ(parser.m_nZdaYear, 1); // absent is 1, while the reset value is 2000
    EXPECT_EQ(parser.m_nZdaZoneHours, 251);
    EXPECT_EQ(parser.m_nZdaZoneMinutes, 226);
    EXPECT_EQ(parser.m_nZdaCount, 2u);
}

} // namespace
