// SPDX-License-Identifier: MIT
// The sampling settings of the position averaging live in the settings store, section
// "Averaging"; the statistics page and its thresholds dialog both read them from there (never
// from each other's copies), and only the dialog writes them.
#pragma once

#include "stats/Averaging.h"

// The five settings, each with its default when absent; the thresholds are stored as text.
AveragingSettings ReadAveragingSettings();

// Writes the three switches as integers, then the altitude and the latitude/longitude
// thresholds as "%f" texts (six decimals: 3.0 is stored as "3.000000").
void WriteAveragingSettings(const AveragingSettings& settings);
