// SPDX-License-Identifier: MIT
// Conversions shared by the decoders: clock-time slices, coordinates in ddmm.mmmm form,
// hemisphere letters and single-digit fields. Internal to the decoders.
#pragma once

#include "nmea/NmeaFields.h"

#include <cstdint>

namespace nmea {

// hhmmss(.ss): each two-character slice on its own; a slice past the end reads 0 and any
// fraction of a second is ignored. Stored in 8 bits, as the record holds them.
inline void TimeSlices(const NmeaField& f, uint8_t& nHour, uint8_t& nMinute, uint8_t& nSecond) {
    nHour = static_cast<uint8_t>(f.Slice(0, 2).Int());
    nMinute = static_cast<uint8_t>(f.Slice(2, 2).Int());
    nSecond = static_cast<uint8_t>(f.Slice(4, 2).Int());
}

// Degrees in the first nDegreeDigits characters, minutes in the rest.
inline double Coordinate(const NmeaField& f, uint32_t nDegreeDigits) {
    const double dDegrees = f.Slice(0, nDegreeDigits).Decimal();
    const double dMinutes = f.Slice(nDegreeDigits, kNmeaFieldMax).Decimal();
    return dMinutes * (1.0 / 60.0) + dDegrees;
}
inline double Latitude(const NmeaField& f) {
    return Coordinate(f, 2);
}
inline double Longitude(const NmeaField& f) {
    return Coordinate(f, 3);
}

// A coordinate field and its hemisphere letter. The letter negates whatever the record holds,
// even when the coordinate itself was absent: that is how receivers' repeated letters behave
// here, and consumers look at the fix state rather than at the sign.
inline void Coordinate(const CNmeaBody& body, int nValue, int nLetter, char cNegative,
                       double (*pConvert)(const NmeaField&), double& dStored) {
    NmeaField f;
    if (body.Field(nValue, f))
        dStored = pConvert(f);
    if (body.Field(nLetter, f) && f.First() == cNegative)
        dStored = -dStored;
}

inline uint8_t Digit(const NmeaField& f) {
    return static_cast<uint8_t>(f.First() - '0');
}

} // namespace nmea
