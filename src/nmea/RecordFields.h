// SPDX-License-Identifier: MIT
// The GPS state record's fields, once, in the record's order: CNmeaParser declares them from
// this list, Reset() puts each back to its reset value, and ravuziz-decode writes each under
// its own name, so a field added here is declared, reset and printed alike.
//
//   FIELD(kind, type, name, reset value)   a scalar; kind Int, Double or Char says how it prints
//   ARRAY(kind, type, name, extent)        reset to all zeros; kind IntList, Satellites or Text
//
// The all-systems table (m_Gnss) is a class of its own with its own Reset and printer.
#pragma once

// clang-format off
#define RAVUZIZ_GPS_RECORD(FIELD, ARRAY)                                                          \
    FIELD(Int, uint8_t, m_nGgaHour, 0)                     /* UTC of the last GGA */              \
    FIELD(Int, uint8_t, m_nGgaMinute, 0)                                                          \
    FIELD(Int, uint8_t, m_nGgaSecond, 0)                   /* whole seconds, fraction dropped */  \
    FIELD(Double, double, m_dLatitude, 0)                  /* GGA, degrees, north positive */     \
    FIELD(Double, double, m_dLongitude, 0)                 /* GGA, degrees, east positive */      \
    /* 0 no fix, 1 GPS, 2 differential, ... */                                                    \
    FIELD(Int, uint8_t, m_nFixQuality, 0)                                                         \
    FIELD(Int, uint8_t, m_nSatsUsed, 0)                    /* GGA satellites in use */            \
    FIELD(Double, double, m_dGgaHdop, 0)                                                          \
    /* above mean sea level, receiver's unit (metres) */                                          \
    FIELD(Double, double, m_dAltitude, 0)                                                         \
    FIELD(Int, uint32_t, m_nGgaCount, 0)                   /* GGA sentences decoded */            \
    /* minute * 60 + second of the previous GGA */                                                \
    FIELD(Int, int32_t, m_nPrevGgaSeconds, 0)                                                     \
    FIELD(Double, double, m_dPrevAltitude, 0)              /* altitude of the previous GGA */     \
    /* altitude units per minute, climb positive */                                               \
    FIELD(Double, double, m_dVerticalSpeed, 0)                                                    \
    FIELD(Char, char, m_cGsaMode, 'M')                     /* 'M' manual, 'A' automatic */        \
    FIELD(Int, uint8_t, m_nFixMode, 1)                     /* 1 no fix, 2 2D, 3 3D */             \
    /* latest GSA, in its order, 0 = empty slot; all systems: whole numbers as sent */            \
    ARRAY(IntList, uint16_t, m_nUsedPrn, kUsedPrns)                                               \
    FIELD(Double, double, m_dPdop, 0)                      /* 0 when the field was empty */       \
    FIELD(Double, double, m_dHdop, 0)                                                             \
    FIELD(Double, double, m_dVdop, 0)                                                             \
    FIELD(Int, uint32_t, m_nGsaCount, 0)                                                          \
    /* GPS only: as the receiver reports it, unbounded; all systems: distinct satellites */     \
    /* in view */                                                                                    \
    FIELD(Int, uint16_t, m_nSatsInView, 0)                                                        \
    /* GPS only: entry k from GSV message k / 4 + 1 (all systems: untouched) */                   \
    ARRAY(Satellites, GpsSatellite, m_Sats, kSatellites)                                          \
    FIELD(Int, uint32_t, m_nGsvCount, 0)                   /* every message of a group counts */  \
    FIELD(Char, char, m_cRmbStatus, 'V')                   /* 'A' valid, 'V' warning */           \
    FIELD(Double, double, m_dCrossTrackError, 0)           /* nautical miles */                   \
    FIELD(Char, char, m_cSteerDirection, '?')              /* 'L' or 'R' */                       \
    ARRAY(Text, char, m_szOriginWaypoint, kWaypointChars)  /* NUL-terminated */                   \
    ARRAY(Text, char, m_szDestWaypoint, kWaypointChars)                                           \
    FIELD(Double, double, m_dDestLatitude, 0)              /* degrees */                          \
    FIELD(Double, double, m_dDestLongitude, 0)             /* degrees */                          \
    FIELD(Double, double, m_dRangeToDest, 0)               /* nautical miles */                   \
    FIELD(Double, double, m_dBearingToDest, 0)             /* degrees true */                     \
    FIELD(Double, double, m_dClosingVelocity, 0)           /* knots */                            \
    /* 'A' arrival circle entered, 'V' not */                                                     \
    FIELD(Char, char, m_cArrivalStatus, 'V')                                                      \
    FIELD(Int, uint32_t, m_nRmbCount, 0)                                                          \
    FIELD(Int, uint8_t, m_nRmcHour, 0)                     /* UTC of the last RMC */              \
    FIELD(Int, uint8_t, m_nRmcMinute, 0)                                                          \
    FIELD(Int, uint8_t, m_nRmcSecond, 0)                                                          \
    FIELD(Char, char, m_cRmcStatus, 'V')                   /* 'A' valid, 'V' warning */           \
    FIELD(Double, double, m_dRmcLatitude, 0)               /* degrees */                          \
    FIELD(Double, double, m_dRmcLongitude, 0)              /* degrees */                          \
    FIELD(Double, double, m_dSpeedKnots, 0)                /* over ground, knots */               \
    FIELD(Double, double, m_dCourse, 0)                    /* over ground, degrees true */        \
    FIELD(Int, uint8_t, m_nRmcDay, 1)                                                             \
    FIELD(Int, uint8_t, m_nRmcMonth, 1)                                                           \
    FIELD(Int, uint16_t, m_nRmcYear, 2000)                 /* 2000 + two-digit year */            \
    FIELD(Double, double, m_dMagneticVariation, 0)         /* degrees, east positive */           \
    FIELD(Int, uint32_t, m_nRmcCount, 0)                                                          \
    FIELD(Int, uint8_t, m_nZdaHour, 0)                     /* UTC of the last ZDA */              \
    FIELD(Int, uint8_t, m_nZdaMinute, 0)                                                          \
    FIELD(Int, uint8_t, m_nZdaSecond, 0)                                                          \
    FIELD(Int, uint8_t, m_nZdaDay, 1)                                                             \
    FIELD(Int, uint8_t, m_nZdaMonth, 1)                                                           \
    FIELD(Int, uint16_t, m_nZdaYear, 2000)                 /* four digits as written */           \
    FIELD(Int, uint8_t, m_nZdaZoneHours, 0)                /* low eight bits, so -5 reads 251 */  \
    FIELD(Int, uint8_t, m_nZdaZoneMinutes, 0)              /* low eight bits */                   \
    FIELD(Int, uint32_t, m_nZdaCount, 0)
// clang-format on
