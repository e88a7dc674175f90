// SPDX-License-Identifier: MIT
// What the tests of the statistics page share: a settings store emptied before each test
// (only ever the test's own folder, which ctest gives it), unit choices and fixes.
#pragma once

#include "nmea/NmeaParser.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"

#include "common/CleanStore.h"
#include "common/Pixels.h"

#include <gtest/gtest.h>

class StoreTest : public CleanStoreTest {
protected:
    // Distance 0 statute, 1 nautical, 2 metric; altitude 0 feet, 1 metres; position format
    // 0 ddd°mm.mmmm, 1 ddd°mm'ss.sss, 2 ddd.dddddddd°.
    static void SetUnits(int nDistance, int nAltitude, int nPositionFormat) {
        WriteSettingInt(kSectionSettings, kDistanceSpeedUnits, nDistance);
        WriteSettingInt(kSectionSettings, kAltitudeElevationUnits, nAltitude);
        WriteSettingInt(kSectionSettings, kPositionFormat, nPositionFormat);
    }

    // The stored text of an averaging setting, or "(absent)".
    static QString Stored(const char* pszName) {
        return ReadSettingString(kSectionAveraging, pszName, QStringLiteral("(absent)"));
    }
};

// Puts a GGA fix and the last GSA's DOPs into the record.
inline void SetFix(CNmeaParser& gps, int nQuality, double dLatitude, double dLongitude,
                   double dAltitude, double dHdop = 1.0, double dVdop = 1.0, double dPdop = 1.5) {
    gps.m_nFixQuality = static_cast<uint8_t>(nQuality);
    gps.m_dLatitude = dLatitude;
    gps.m_dLongitude = dLongitude;
    gps.m_dAltitude = dAltitude;
    gps.m_dHdop = dHdop;
    gps.m_dVdop = dVdop;
    gps.m_dPdop = dPdop;
}
