// SPDX-License-Identifier: MIT
// The fix sentences: GGA (time, position, quality, altitude and from consecutive GGAs the
// vertical speed), GSA (fix mode, satellites in the solution, DOPs) and RMC (status, position,
// speed, course, date, variation). Field numbers count from the first field after the
// identifier.
#include "nmea/NmeaConvert.h"
#include "nmea/NmeaParser.h"

using nmea::Digit;
using nmea::Latitude;
using nmea::Longitude;
using nmea::TimeSlices;

// $GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47
//
//   0 UTC hhmmss(.ss)   3 longitude dddmm.mmmm   6 satellites in use (first two characters)
//   1 latitude ddmm.mm  4 E/W                    7 HDOP
//   2 N/S               5 fix quality digit      8 altitude (9-13 are not read)
// An absent field leaves its value as it was.
void CNmeaParser::DecodeGga(const CNmeaBody& body) {
    NmeaField f;
    if (body.Field(0, f))
        TimeSlices(f, m_nGgaHour, m_nGgaMinute, m_nGgaSecond);
    nmea::Coordinate(body, 1, 2, 'S', Latitude, m_dLatitude);
    nmea::Coordinate(body, 3, 4, 'W', Longitude, m_dLongitude);
    if (body.Field(5, f))
        m_nFixQuality = Digit(f);
    if (body.Field(6, f))
        m_nSatsUsed = static_cast<uint8_t>(f.Slice(0, 2).Int());
    if (body.Field(7, f))
        m_dGgaHdop = f.Decimal();
    if (body.Field(8, f))
        m_dAltitude = f.Decimal();

    // Climb per minute since the previous GGA. Only the minute and second take part, so the
    // rate holds still across the top of the hour, for a repeated second and for time going
    // backwards; after a reset it is measured from altitude 0 at minute 0.
    const int32_t nSeconds = m_nGgaMinute * 60 + m_nGgaSecond;
    if (nSeconds > m_nPrevGgaSeconds) {
        const double dMinutes = static_cast<double>(m_nPrevGgaSeconds - nSeconds) * (1.0 / 60.0);
        if (dMinutes != 0)
            m_dVerticalSpeed = (m_dPrevAltitude - m_dAltitude) / dMinutes;
    }
    m_nPrevGgaSeconds = nSeconds;
    m_dPrevAltitude = m_dAltitude;
    ++m_nGgaCount;
    Post(WM_GPS_GGA);
}

// $GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39
//
//   0 selection mode M/A   2-13 PRNs in the solution (first two characters; empty slot 0)
//   1 fix mode digit       14 PDOP, 15 HDOP, 16 VDOP (empty: 0)
// The satellites' used marks are not touched here; the next GSV sets them from this list.
void CNmeaParser::DecodeGsa(const CNmeaBody& body) {
    NmeaField f;
    if (body.Field(0, f))
        m_cGsaMode = f.First();
    if (body.Field(1, f))
        m_nFixMode = Digit(f);
    for (int i = 0; i < kUsedPrns; ++i)
        m_nUsedPrn[i] = body.Field(2 + i, f) ? static_cast<uint16_t>(f.Slice(0, 2).Int()) : 0;
    m_dPdop = body.Field(14, f) ? f.Decimal() : 0;
    m_dHdop = body.Field(15, f) ? f.Decimal() : 0;
    m_dVdop = body.Field(16, f) ? f.Decimal() : 0;
    ++m_nGsaCount;
    Post(WM_GPS_GSA);
}

// $GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A
//
//   0 UTC hhmmss(.ss)   4 longitude          8 date ddmmyy (always 20yy)
//   1 status A/V        5 E/W                9 magnetic variation
//   2 latitude          6 speed, knots       10 E/W of the variation
//   3 N/S               7 course, degrees true
// Absent: time, position and date unchanged; status 'V'; speed, course, variation 0.
void CNmeaParser::DecodeRmc(const CNmeaBody& body) {
    NmeaField f;
    if (body.Field(0, f))
        TimeSlices(f, m_nRmcHour, m_nRmcMinute, m_nRmcSecond);
    m_cRmcStatus = body.Field(1, f) ? f.First() : 'V';
    nmea::Coordinate(body, 2, 3, 'S', Latitude, m_dRmcLatitude);
    nmea::Coordinate(body, 4, 5, 'W', Longitude, m_dRmcLongitude);
    m_dSpeedKnots = body.Field(6, f) ? f.Decimal() : 0;
    m_dCourse = body.Field(7, f) ? f.Decimal() : 0;
    if (body.Field(8, f)) {
        m_nRmcDay = static_cast<uint8_t>(f.Slice(0, 2).Int());
        m_nRmcMonth = static_cast<uint8_t>(f.Slice(2, 2).Int());
        m_nRmcYear = static_cast<uint16_t>(f.Slice(4, 2).Int() + 2000);
    }
    m_dMagneticVariation = body.Field(9, f) ? f.Decimal() : 0;
    if (body.Field(10, f) && f.First() == 'W')
        m_dMagneticVariation = -m_dMagneticVariation;
    Post(WM_GPS_RMC);
    ++m_nRmcCount;
}
