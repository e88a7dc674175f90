// SPDX-License-Identifier: MIT
#include "stats/AveragingStore.h"

#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "stats/FixedText.h"

namespace {

double ReadThreshold(const char* pszName, const char* pszDefault) {
    const QString strText = ReadSettingString(kSectionAveraging, pszName, pszDefault);
    return ParseThreshold(strText.toStdString());
}

void WriteThreshold(const char* pszName, double dThreshold) {
    // "%f": six decimals.
    WriteSettingString(kSectionAveraging, pszName, FixedText(dThreshold, 6));
}

} // namespace

AveragingSettings ReadAveragingSettings() {
    AveragingSettings settings;
    settings.bUseAveraging = ReadSettingInt(kSectionAveraging, kUseAveraging, kDefaultUseAveraging);
    settings.bLatLonUseHdop =
        ReadSettingInt(kSectionAveraging, kLatLonUseHdop, kDefaultLatLonUseHdop);
    settings.bAltUseVdop = ReadSettingInt(kSectionAveraging, kAltUseVdop, kDefaultAltUseVdop);
    settings.dAltThreshold = ReadThreshold(kAltAvgThreshold, kDefaultAltAvgThreshold);
    settings.dLatLonThreshold = ReadThreshold(kLatLonAvgThreshold, kDefaultLatLonAvgThreshold);
    return settings;
}

void WriteAveragingSettings(const AveragingSettings& settings) {
    // A failed write is not reported; the page then reloads what the store still holds.
    WriteSettingInt(kSectionAveraging, kUseAveraging, settings.bUseAveraging);
    WriteSettingInt(kSectionAveraging, kLatLonUseHdop, settings.bLatLonUseHdop);
    WriteSettingInt(kSectionAveraging, kAltUseVdop, settings.bAltUseVdop);
    WriteThreshold(kAltAvgThreshold, settings.dAltThreshold);
    WriteThreshold(kLatLonAvgThreshold, settings.dLatLonThreshold);
}
