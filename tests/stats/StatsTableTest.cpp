// SPDX-License-Identifier: MIT
// The statistics table: every text and where it goes on an empty start, the values of known
// series in each unit and position format, and spreads that are ground distances and never
// NaN.
#include "StatsTestSupport.h"

#include "stats/StatsTable.h"

#include <cmath>
#include <ostream>

namespace {

// A table 234 x 294 inside a 240 x 300 page, for a font of cells 12 high and 5 wide.
const CRect kTable{3, 3, 237, 297};
constexpr int kH = 12;
constexpr int kW = 5;

} // namespace

inline bool operator==(const StatsText& a, const StatsText& b) {
    return a.x == b.x && a.y == b.y && a.bHeading == b.bHeading && a.strText == b.strText;
}

inline void PrintTo(const StatsText& text, std::ostream* pStream) {
    *pStream << "{" << text.x << ", " << text.y << (text.bHeading ? ", heading, \"" : ", \"")
             << text.strText.toStdString() << "\"}";
}

namespace {

// The text whose cell starts at column x on line nLine of the table, or "(none)".
QString OnLine(const std::vector<StatsText>& texts, int x, int nLine) {
    return TextAt(texts, x, 6 + nLine * kH);
}

// Columns of the values and of the deviations.
constexpr int kValue = 6 + 15 * kW;
constexpr int kCount = 6 + 25 * kW;
constexpr int kDeviation = 6 + 44 * kW;

class StatsTableTest : public StoreTest {};

TEST_F(StatsTableTest, EmptyStartShowsZerosInDefaultUnits) {
    const std::vector<StatsText> expected = {
        {6, 6, true, "Position Average"},  {6, 18, false, "   Latitude:"},
        {81, 18, false, "N 00° 00.0000"},  {166, 18, false, "   StdDev:"},
        {226, 18, false, "0.000 ft   "},   {6, 30, false, "   Longitude:"},
        {81, 30, false, "E 000° 00.0000"}, {166, 30, false, "   StdDev:"},
        {226, 30, false, "0.000 ft   "},   {6, 42, false, "   Altitude:"},
        {81, 42, false, "0.00     ft"},    {166, 42, false, "   StdDev:"},
        {226, 42, false, "0.000 ft  "},    {6, 66, true, "Least Squares Average"},
        {6, 78, false, "   Latitude:"},    {81, 78, false, "N 00° 00.0000"},
        {166, 78, false, "   StdDev:"},    {226, 78, false, "0.000 ft      "},
        {6, 90, false, "   Longitude:"},   {81, 90, false, "E 000° 00.0000     "},
        {166, 90, false, "   StdDev:"},    {226, 90, false, "0.000 ft     "},
        {6, 102, false, "   Altitude:"},   {81, 102, false, "0.00     ft"},
        {166, 102, false, "   StdDev:"},   {226, 102, false, "0.000 ft     "},
        {3, 126, true, "Samples"},         {6, 138, false, "   Lat/Lon Samples:"},
        {131, 138, false, "0       "},     {6, 150, false, "   Altitude Samples:"},
        {131, 150, false, "0       "},     {6, 174, true, "DOP Values"},
        {6, 186, false, "   PDOP:"},       {131, 186, false, "0.00"},
        {6, 198, false, "   HDOP:"},       {131, 198, false, "0.00"},
        {6, 210, false, "   VDOP:"},       {131, 210, false, "0.00"},
    };
    EXPECT_EQ(StatsTableTexts(PositionAverages(), {}, kTable, kH, kW), expected);
}

TEST_F(StatsTableTest, KnownSeriesInEachPositionFormatAndUnit) {
    PositionAverages averages;
    const AveragingSettings thresholdsOff{0, 1, 1, 3.0, 3.0};
    CNmeaParser gps;
    SetFix(gps, 1, 47.5, -122.25, 100.0);
    for (int i = 0; i < 3; ++i)
        averages.AddFix(gps, thresholdsOff);
    // One more fix, whose HDOP keeps it out of the latitude and longitude samples.
    SetFix(gps, 1, 47.5, -122.25, 100.0, 9.0);
    averages.AddFix(gps, AveragingSettings{});
    const StatsDops dops{2.5, 1.25, 2.125};

    struct Case {
        int nDistance, nAltitude, nFormat;
        const char *pszLatitude, *pszLongitude, *pszAltitude, *pszAltitudeDev, *pszSpread;
    } const cases[] = {
        {0, 0, 0, "N 47° 30.0000", "W 122° 15.0000", "328.08   ft", "0.000 ft  ", "0.000 ft   "},
        {1, 1, 1, "N 47° 30' 00.000", "W 122° 15' 00.000", "100.00   m", "0.000 m  ",
         "0.000 nmi   "},
        {2, 0, 2, "N 47.5000000000°", "W 122.2500000000°", "328.08   ft", "0.000 ft  ",
         "0.000 m   "},
    };
    for (const Case& c : cases) {
        SetUnits(c.nDistance, c.nAltitude, c.nFormat);
        const auto texts = StatsTableTexts(averages, dops, kTable, kH, kW);
        const QString legend =
            QString::asprintf("units %d/%d/%d", c.nDistance, c.nAltitude, c.nFormat);
        SCOPED_TRACE(legend.toStdString());
        EXPECT_EQ(OnLine(texts, kValue, 1), QString::fromUtf8(c.pszLatitude));
        EXPECT_EQ(OnLine(texts, kValue, 2), QString::fromUtf8(c.pszLongitude));
        EXPECT_EQ(OnLine(texts, kValue, 3), QString::fromUtf8(c.pszAltitude));
        EXPECT_EQ(OnLine(texts, kDeviation, 1), QString::fromUtf8(c.pszSpread));
        EXPECT_EQ(OnLine(texts, kDeviation, 3), QString::fromUtf8(c.pszAltitudeDev));
        // The least-squares line of a constant is that constant.
        EXPECT_EQ(OnLine(texts, kValue, 6), QString::fromUtf8(c.pszLatitude));
        EXPECT_EQ(OnLine(texts, kValue, 7), QString::fromUtf8(c.pszLongitude) + "     ");
        EXPECT_EQ(OnLine(texts, kValue, 8), QString::fromUtf8(c.pszAltitude));
        EXPECT_EQ(OnLine(texts, kCount, 11), "3       ");
        EXPECT_EQ(OnLine(texts, kCount, 12), "4       ");
        EXPECT_EQ(OnLine(texts, kCount, 15), "2.50");
        EXPECT_EQ(OnLine(texts, kCount, 16), "1.25");
        EXPECT_EQ(OnLine(texts, kCount, 17), "2.12"); // printf rounds the tie to even
    }
}

// Latitudes one arc-minute (one nautical mile) apart: the running deviation is 1/(120·√2)
// degree, the least-squares one 1/(60·√2); on a meridian a degree is 60 nautical miles.
TEST_F(StatsTableTest, LatitudeDeviationShowsAsAGroundDistance) {
    PositionAverages averages;
    const AveragingSettings thresholdsOff{0, 1, 1, 3.0, 3.0};
    CNmeaParser gps;
    SetFix(gps, 1, 47.5, 11.25, 574.0);
    averages.AddFix(gps, thresholdsOff);
    gps.m_dLatitude = 47.5 + 1.0 / 60;
    gps.m_dAltitude = 584.0;
    averages.AddFix(gps, thresholdsOff);

    struct Case {
        int nDistance;
        const char *pszRunning, *pszLeastSquares, *pszNoSpread;
    } const cases[] = {
        {0, "2148.231 ft   ", "4296.462 ft      ", "0.000 ft   "},
        {1, "0.354 nmi   ", "0.707 nmi      ", "0.000 nmi   "},
        {2, "654.781 m   ", "1309.562 m      ", "0.000 m   "},
    };
    for (const Case& c : cases) {
        SetUnits(c.nDistance, 1, 0);
        const auto texts = StatsTableTexts(averages, {}, kTable, kH, kW);
        EXPECT_EQ(OnLine(texts, kDeviation, 1), c.pszRunning);
        EXPECT_EQ(OnLine(texts, kDeviation, 6), c.pszLeastSquares);
        // The longitude never moved.
        EXPECT_EQ(OnLine(texts, kDeviation, 2), c.pszNoSpread);
        // Altitude: running deviation sqrt(25/2), least squares sqrt(100/2), in metres.
        EXPECT_EQ(OnLine(texts, kDeviation, 3), "3.536 m  ");
        EXPECT_EQ(OnLine(texts, kDeviation, 8), "7.071 m     ");
        EXPECT_EQ(OnLine(texts, kValue, 6), "N 47° 32.0000"); // the line read one fix ahead
    }
}

TEST_F(StatsTableTest, SpreadsAreGroundDistancesAndNeverNaN) {
    SetUnits(2, 1, 0);
    // One arc-minute of longitude at 60° north is half a nautical mile (926 m) along the
    // parallel; the great circle is a hair shorter.
    const double dEast = LongitudeSpread(60.0, 11.0, 1.0 / 60);
    EXPECT_LT(dEast, 926.0);
    EXPECT_GT(dEast, 925.5);
    EXPECT_NEAR(LatitudeSpread(60.0, 11.0, 1.0 / 60), 1852.0, 0.001);

    // Identical and nearly identical positions: the cosine sum can round past 1.
    for (double dLatitude : {0.0, 12.3456789, 47.2692, -33.5, 89.9})
        for (double dDeviation : {0.0, 1e-17, 1e-12, 1e-9, 3e-8}) {
            const double dNorth = LatitudeSpread(dLatitude, 11.4041, dDeviation);
            const double dEast2 = LongitudeSpread(dLatitude, 11.4041, dDeviation);
            EXPECT_TRUE(std::isfinite(dNorth) && dNorth >= 0) << dLatitude << " " << dDeviation;
            EXPECT_TRUE(std::isfinite(dEast2) && dEast2 >= 0) << dLatitude << " " << dDeviation;
        }
    EXPECT_EQ(LatitudeSpread(47.2692, 11.4041, 0.0), 0.0);
    EXPECT_EQ(LongitudeSpread(47.2692, 11.4041, 0.0), 0.0);

    // A position that never changes, sampled many times: the running mean wobbles in the
    // last bits, so the deviation is some 1e-15 degrees rather than 0, which the cosine rule
    // turns into at most a few centimetres, never NaN.
    PositionAverages averages;
    CNmeaParser gps;
    SetFix(gps, 1, 47.269213, 11.404102, 574.3);
    for (int i = 0; i < 1000; ++i)
        averages.AddFix(gps, {0, 1, 1, 3.0, 3.0});
    const auto texts = StatsTableTexts(averages, {}, kTable, kH, kW);
    for (int nLine : {1, 2, 6, 7}) {
        const QString strSpread = OnLine(texts, kDeviation, nLine);
        ASSERT_TRUE(strSpread.endsWith(" m   ") || strSpread.endsWith(" m      ") ||
                    strSpread.endsWith(" m     "))
            << strSpread.toStdString();
        bool bNumber = false;
        const double dSpread = strSpread.section(' ', 0, 0).toDouble(&bNumber);
        EXPECT_TRUE(bNumber && dSpread >= 0 && dSpread < 0.1) << strSpread.toStdString();
    }
}

} // namespace
