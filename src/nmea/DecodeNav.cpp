// SPDX-License-Identifier: MIT
// Navigation towards the active waypoint (RMB) and the date with the local zone (ZDA).
// Neither is acted on when it arrives; pages read the fields when they redraw.
#include "nmea/NmeaConvert.h"
#include "nmea/NmeaParser.h"

#include <cstring>

namespace {

// A text field into a record array; absent gives the empty string.
template <size_t N> void CopyText(const CNmeaBody& body, int nField, char (&sz)[N]) {
    static_assert(N > kNmeaFieldMax);
    NmeaField f;
    uint32_t n = 0;
    if (body.Field(nField, f)) {
        n = f.Length();
        std::memcpy(sz, f.pBegin, n);
    }
    std::memset(sz + n, 0, N - n);
}

} // namespace

// $GPRMB,A,0.66,L,003,004,4917.24,N,12309.57,W,001.3,052.5,000.5,V*20
//
//   0 data status A/V           5 destination latitude   9 range, nautical miles
//   1 cross-track error, nmi    6 N/S                    10 bearing, degrees true
//   2 steer L/R                 7 destination longitude  11 closing velocity, knots
//   3 origin waypoint id        8 E/W                    12 arrival status A/V
//   4 destination waypoint id
// Absent: destination position unchanged; statuses 'V', steer '?', texts empty, numbers 0.
void CNmeaParser::DecodeRmb(const CNmeaBody& body) {
    NmeaField f;
    m_cRmbStatus = body.Field(0, f) ? f.First() : 'V';
    m_dCrossTrackError = body.Field(1, f) ? f.Decimal() : 0;
    m_cSteerDirection = body.Field(2, f) ? f.First() : '?';
    CopyText(body, 3, m_szOriginWaypoint);
    CopyText(body, 4, m_szDestWaypoint);
    nmea::Coordinate(body, 5, 6, 'S', nmea::Latitude, m_dDestLatitude);
    nmea::Coordinate(body, 7, 8, 'W', nmea::Longitude, m_dDestLongitude);
    m_dRangeToDest = body.Field(9, f) ? f.Decimal() : 0;
    m_dBearingToDest = body.Field(10, f) ? f.Decimal() : 0;
    m_dClosingVelocity = body.Field(11, f) ? f.Decimal() : 0;
    m_cArrivalStatus = body.Field(12, f) ? f.First() : 'V';
    Post(WM_GPS_RMB);
    ++m_nRmbCount;
}

// $GPZDA,201530.00,04,07,2002,00,00*60
//
//   0 UTC hhmmss.ss   2 month (absent: 1)   4 zone hours (absent: 0)
//   1 day (absent: 1) 3 year, as written    5 zone minutes (absent: 0)
//                        (absent: 1)
// Whole fields, not two-character slices; zone values keep their low eight bits, so a zone
// of -05 reads 251.
void CNmeaParser::DecodeZda(const CNmeaBody& body) {
    NmeaField f;
    if (body.Field(0, f))
        nmea::TimeSlices(f, m_nZdaHour, m_nZdaMinute, m_nZdaSecond);
    m_nZdaDay = static_cast<uint8_t>(body.Field(1, f) ? f.Int() : 1);
    m_nZdaMonth = static_cast<uint8_t>(body.Field(2, f) ? f.Int() : 1);
    m_nZdaYear = static_cast<uint16_t>(body.Field(3, f) ? f.Int() : 1);
    m_nZdaZoneHours = static_cast<uint8_t>(body.Field(4, f) ? f.Int() : 0);
    m_nZdaZoneMinutes = static_cast<uint8_t>(body.Field(5, f) ? f.Int() : 0);
    Post(WM_GPS_ZDA);
    ++m_nZdaCount;
}
