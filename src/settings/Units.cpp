// SPDX-License-Identifier: MIT
#include "settings/Units.h"

#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"

int DistanceSpeedUnits() {
    return ReadSettingInt(kSectionSettings, kDistanceSpeedUnits, kDefaultDistanceSpeedUnits);
}

int AltitudeUnits() {
    return ReadSettingInt(kSectionSettings, kAltitudeElevationUnits,
                          kDefaultAltitudeElevationUnits);
}

int PositionFormat() {
    return ReadSettingInt(kSectionSettings, kPositionFormat, kDefaultPositionFormat);
}

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

double ConvertSpeed(double dKnots) {
    return units::ConvertSpeed(DistanceSpeedUnits(), dKnots);
}

QString SpeedUnitName() {
    return QString::fromUtf8(units::SpeedUnitName(DistanceSpeedUnits()));
}

QString DistanceUnitName() {
    return QString::fromUtf8(units::DistanceUnitName(DistanceSpeedUnits()));
}

double ConvertSmallDistance(double dStatuteMiles) {
    return units::ConvertSmallDistance(DistanceSpeedUnits(), dStatuteMiles);
}

QString SmallDistanceUnitName() {
    return QString::fromUtf8(units::SmallDistanceUnitName(DistanceSpeedUnits()));
}

double ConvertAltitude(double dMetres) {
    return units::ConvertAltitude(AltitudeUnits(), dMetres);
}

QString AltitudeUnitName() {
    return QString::fromUtf8(units::AltitudeUnitName(AltitudeUnits()));
}

QString FormatAltitude(double dMetres) {
    return Text(units::FormatAltitude(AltitudeUnits(), dMetres));
}

double ConvertVerticalSpeed(double dMetresPerMinute) {
    return units::ConvertVerticalSpeed(AltitudeUnits(), dMetresPerMinute);
}

QString VerticalSpeedUnitName() {
    return QString::fromUtf8(units::VerticalSpeedUnitName(AltitudeUnits()));
}

QString FormatLatitude(double dDegrees) {
    return Text(units::FormatLatitude(PositionFormat(), dDegrees));
}

QString FormatLongitude(double dDegrees) {
    return Text(units::FormatLongitude(PositionFormat(), dDegrees));
}
