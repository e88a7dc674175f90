// SPDX-License-Identifier: MIT
#include "views/NavigationRows.h"

#include "nmea/NmeaParser.h"
#include "settings/Units.h"

#include <iterator>

namespace {

const QString kNone = QStringLiteral("--");

// ZDA carries the four-digit year, so a receiver that sends it is read from it; RMC otherwise.
QString UtcText(const CNmeaParser& gps) {
    if (gps.m_nZdaCount > 0)
        return QString::asprintf("%02u:%02u:%02u %04u-%02u-%02u", gps.m_nZdaHour, gps.m_nZdaMinute,
                                 gps.m_nZdaSecond, gps.m_nZdaYear, gps.m_nZdaMonth, gps.m_nZdaDay);
    if (gps.m_nRmcCount > 0)
        return QString::asprintf("%02u:%02u:%02u %04u-%02u-%02u", gps.m_nRmcHour, gps.m_nRmcMinute,
                                 gps.m_nRmcSecond, gps.m_nRmcYear, gps.m_nRmcMonth, gps.m_nRmcDay);
    return kNone;
}

} // namespace

std::vector<TextRow> NavigationRows(const CNmeaParser& gps, int nDistanceSpeedUnits) {
    const bool bRmc = gps.m_nRmcCount > 0, bGsa = gps.m_nGsaCount > 0;
    QString strFix = gps.m_nGgaCount > 0 ? FixQualityText(gps.m_nFixQuality) : kNone;
    if (bGsa)
        strFix = FixModeText(gps.m_nFixMode) + QStringLiteral(", ") + strFix;
    return {
        {QStringLiteral("   UTC:"), UtcText(gps)},
        {QStringLiteral("   Speed:"),
         bRmc ? QString::asprintf("%.1f ",
                                  units::ConvertSpeed(nDistanceSpeedUnits, gps.m_dSpeedKnots)) +
                    QString::fromUtf8(units::SpeedUnitName(nDistanceSpeedUnits))
              : kNone},
        {QStringLiteral("   Course:"),
         bRmc ? QString::asprintf("%.1f\u00B0", gps.m_dCourse) : kNone},
        {QStringLiteral("   HDOP/PDOP/VDOP:"),
         bGsa ? QString::asprintf("%.1f / %.1f / %.1f", gps.m_dHdop, gps.m_dPdop, gps.m_dVdop)
              : kNone},
        {QStringLiteral("   Fix:"), strFix},
    };
}

QString FixQualityText(int nQuality) {
    static const char* const kTexts[] = {
        "Fix not available",       "GPS SPS Mode",        "Differential GPS",
        "GPS PPS Mode, fix valid", "Real Time Kinematic", "Float RTK",
        "Estimated (dead reck.)",  "Manual Input Mode",   "Simulator Mode"};
    if (nQuality >= 0 && nQuality < static_cast<int>(std::size(kTexts)))
        return QString::fromLatin1(kTexts[nQuality]);
    return QStringLiteral("GPS mode unknown");
}

QString FixModeText(int nMode) {
    return nMode == 2   ? QStringLiteral("2D")
           : nMode == 3 ? QStringLiteral("3D")
                        : QStringLiteral("NA");
}
