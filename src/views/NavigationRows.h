// SPDX-License-Identifier: MIT
// The rows the Sig/Nav text block adds below the position and the counts when the page is
// tall enough: the receiver's UTC time and date, speed and course over ground, the DOPs and
// the fix. A value whose sentence has not been decoded yet reads "--", so a zero is never
// taken for a measurement.
#pragma once

#include <QString>

#include <vector>

class CNmeaParser;

struct TextRow {
    QString strLabel;
    QString strValue;
};

// The rows in the order they are shown, speeds in the distance and speed units selected.
std::vector<TextRow> NavigationRows(const CNmeaParser& gps, int nDistanceSpeedUnits);

// The texts of GGA's fix quality and GSA's fix mode, as the status bar shows them.
QString FixQualityText(int nQuality);
QString FixModeText(int nMode);
