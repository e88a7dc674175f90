// SPDX-License-Identifier: MIT
// The statistics table: every text and where it goes, for an empty start and known series in
// each unit and position format, against data/golden/stats/table.txt (RAVUZIZ_WRITE_GOLDEN=1
// writes it; read the diff); and spreads that are ground distances and never NaN.
#include "StatsTestSupport.h"

#include "common/NmeaSupport.h"
#include "stats/StatsTable.h"

#include <cmath>

namespace {

// A table 234 x 294 inside a 240 x 300 page, for a font of cells 12 high and 5 wide.
const CRect kTable{3, 3, 237, 297};
constexpr int kH = 12;
constexpr int kW = 5;
const AveragingSettings kThresholdsOff{0, 1, 1, 3.0, 3.0};

std::string Listing(const std::vector<StatsText>& texts) {
    std::string str;
    for (const StatsText& t : texts)
        str += QString::asprintf("%4d %4d %s \"%s\"\n", t.x, t.y, t.bHeading ? "H" : "-",
                                 t.strText.toUtf8().constData())
                   .toStdString();
    return str;
}

class StatsTableTest : public StoreTest {};

TEST_F(StatsTableTest, TextsOfKnownSeriesInEachUnitMatchTheGoldenListing) {
    // Three fixes in every coordinate and one more whose HDOP keeps it out of the latitude and
    // longitude samples.
    PositionAverages constant;
    CNmeaParser gps;
    SetFix(gps, 1, 47.5, -122.25, 100.0);
    for (int i = 0; i < 3; ++i)
        constant.AddFix(gps, kThresholdsOff);
    SetFix(gps, 1, 47.5, -122.25, 100.0, 9.0);
    constant.AddFix(gps, AveragingSettings{});
    // Latitudes one arc-minute (one nautical mile) apart, ten metres of climb.
    PositionAverages moving;
    SetFix(gps, 1, 47.5, 11.25, 574.0);
    moving.AddFix(gps, kThresholdsOff);
    SetFix(gps, 1, 47.5 + 1.0 / 60, 11.25, 584.0);
    moving.AddFix(gps, kThresholdsOff);

    std::string strListing = "empty start, default units\n" +
                             Listing(StatsTableTexts(PositionAverages(), {}, kTable, kH, kW));
    for (const auto& [nDistance, nAltitude, nFormat] :
         {std::tuple{0, 0, 0}, {1, 1, 1}, {2, 0, 2}}) {
        SetUnits(nDistance, nAltitude, nFormat);
        const std::string strUnits =
            QString::asprintf("units %d/%d/%d", nDistance, nAltitude, nFormat).toStdString();
        strListing += "\nconstant, " + strUnits + "\n" +
                      Listing(StatsTableTexts(constant, {2.5, 1.25, 2.125}, kTable, kH, kW));
        strListing += "\nmoving north, " + strUnits + "\n" +
                      Listing(StatsTableTexts(moving, {}, kTable, kH, kW));
    }
    // A position that never changes, sampled many times: the running mean wobbles in the last
    // bits, which the cosine rule turns into at most a few centimetres, never NaN.
    PositionAverages still;
    SetFix(gps, 1, 47.269213, 11.404102, 574.3);
    for (int i = 0; i < 1000; ++i)
        still.AddFix(gps, kThresholdsOff);
    SetUnits(2, 1, 0);
    strListing += "\nstill, 1000 samples, units 2/1/0\n" +
                  Listing(StatsTableTexts(still, {}, kTable, kH, kW));
    const QString strGolden = QStringLiteral(RAVUZIZ_DATA_DIR "/golden/stats/table.txt");
    if (qEnvironmentVariableIsSet("RAVUZIZ_WRITE_GOLDEN"))
        WriteWholeFile(strGolden, strListing);
    EXPECT_EQ(strListing, ReadWholeFile(strGolden));
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
        for (double dDeviation : {0.0, 1e-17, 1e-12, 1e-9, 3e-8})
            for (double d : {LatitudeSpread(dLatitude, 11.4041, dDeviation),
                             LongitudeSpread(dLatitude, 11.4041, dDeviation)})
                EXPECT_TRUE(std::isfinite(d) && d >= 0) << dLatitude << " " << dDeviation;
    EXPECT_EQ(LatitudeSpread(47.2692, 11.4041, 0.0), 0.0);
}

} // namespace
