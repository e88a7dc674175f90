// SPDX-License-Identifier: MIT
// What the statistics page writes: a fixed table of texts with the running averages and the
// least-squares estimates of the position and altitude, their deviations, the sample counts
// and the current DOPs. The deviations of latitude and longitude, which the accumulators hold
// in degrees, are shown as ground distances ("spreads") in the user's small-distance unit;
// every value follows the unit and position-format settings at the time of the call.
#pragma once

#include "platform/Rect.h"
#include "stats/Averaging.h"

#include <QString>

#include <vector>

// One text of the table, anchored at the top-left corner of its cell.
struct StatsText {
    int x = 0;
    int y = 0;
    bool bHeading = false; // headings are bold, labels and values normal
    QString strText;
    // For a value: where its cell ends. The cell is cleared up to there before the text is
    // drawn, so that a shorter value leaves nothing of a longer one. 0 for fixed texts.
    int xCellEnd = 0;
};

// The DOPs the table shows, as the last GSA gave them (0 when unknown).
struct StatsDops {
    double dPdop = 0;
    double dHdop = 0;
    double dVdop = 0;
};

// The texts of the table in rcTable (the client area inset by the page's margin), for a
// normal font whose cells are nCharHeight high and nAveCharWidth wide on average.
std::vector<StatsText> StatsTableTexts(const PositionAverages& averages, const StatsDops& dops,
                                       const CRect& rcTable, int nCharHeight, int nAveCharWidth);

// The ground distance, in the user's small-distance unit, between (dLatitude, dLongitude) and
// the point dDeviation degrees further north (LatitudeSpread) or east (LongitudeSpread).
double LatitudeSpread(double dLatitude, double dLongitude, double dDeviation);
double LongitudeSpread(double dLatitude, double dLongitude, double dDeviation);
// The same in the unit of the distance/speed selection nDistanceSpeedUnits.
double LatitudeSpread(int nDistanceSpeedUnits, double dLatitude, double dLongitude,
                      double dDeviation);
double LongitudeSpread(int nDistanceSpeedUnits, double dLatitude, double dLongitude,
                       double dDeviation);
