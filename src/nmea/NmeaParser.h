// The one object between the receiver's bytes and everything that shows them: it frames NMEA
// 0183 sentences out of an arbitrarily chunked stream, checks them, decodes GGA, GSA, GSV, RMB,
// RMC and ZDA into the GPS state record below, announces each sentence, and hands every chunk
// to the recording, if one is open.
//
// Two readings: GPS only (talker GP, the satellites of one GSV group in m_Sats), and all
// satellite systems (every GNSS talker; the satellites of every system and signal band in
// m_Gnss, see GnssTable.h). A new parser reads GPS only; the program chooses by its setting.
//
// The record keeps no history: each field holds what the last sentence that carried it said,
// and each sentence type has its own copy (the GGA and RMC positions are separate fields).
// Pages read the fields directly, on the same thread, after a notification or on their timers.
#pragma once

#include "nmea/GnssTable.h"
#include "nmea/NmeaMessages.h"

#include <cstdint>
#include <memory>

class CNmeaBody;

// One satellite of the satellites-in-view table.
struct GpsSatellite {
    uint16_t nPrn;       // 0 = empty entry
    uint16_t nSnr;       // dB-Hz; 0 = not tracked or not given
    int32_t bUsed;       // 1 if the PRN was in the used list when the entry was written
    uint16_t nAzimuth;   // degrees true
    uint16_t nElevation; // degrees
};

class CNmeaParser {
public:
    static constexpr int kUsedPrns = 12;
    static constexpr int kSatellites = 36; // nine GSV messages of four
    static constexpr int kWaypointChars = 32;

    explicit CNmeaParser(INmeaNotify* pNotify = nullptr);
    virtual ~CNmeaParser();
    CNmeaParser(const CNmeaParser&) = delete;
    CNmeaParser& operator=(const CNmeaParser&) = delete;

    // Runs the bytes through the reader in order (a sentence may span any number of chunks),
    // then writes the chunk to the recording and counts what reached it. Always true.
    bool Feed(const uint8_t* pBytes, uint32_t nCount);
    bool Feed(const char* pBytes, uint32_t nCount) {
        return Feed(reinterpret_cast<const uint8_t*>(pBytes), nCount);
    }

    // Puts every record field back to its reset value. The reader, the sentence count and the
    // recording are left alone, so a half-read sentence survives.
    void Reset();

    void SetNotify(INmeaNotify* pNotify) { m_pNotify = pNotify; }

    // The reading of the sentences that follow; the record keeps what it holds.
    void SetAllSystems(bool bAllSystems) { m_bAllSystems = bAllSystems; }
    bool AllSystems() const { return m_bAllSystems; }

    // Recording: the file is created by the caller (source/Recording.h); the parser owns it
    // from here on and closes it on StopRecording or when the file gives up.
    bool StartRecording(std::unique_ptr<INmeaLogFile> pLogFile); // false if one is open
    bool StopRecording();                                        // false if none is open
    bool IsRecording() const { return m_pLogFile != nullptr; }
    uint32_t LoggedBytes() const { return m_nLogBytes; }

    // Used-in-solution test: 1 if the (non-zero) PRN is in m_nUsedPrn.
    int IsUsedPrn(uint16_t nPrn) const;

    // ---- GPS state record (reset values in brackets) ----
    uint8_t m_nGgaHour;                      // UTC of the last GGA [0]
    uint8_t m_nGgaMinute;                    // [0]
    uint8_t m_nGgaSecond;                    // whole seconds, fraction dropped [0]
    double m_dLatitude;                      // GGA, degrees, north positive [0]
    double m_dLongitude;                     // GGA, degrees, east positive [0]
    uint8_t m_nFixQuality;                   // 0 no fix, 1 GPS, 2 differential, ... [0]
    uint8_t m_nSatsUsed;                     // GGA satellites in use [0]
    double m_dGgaHdop;                       // [0]
    double m_dAltitude;                      // above mean sea level, receiver's unit (metres) [0]
    uint32_t m_nGgaCount;                    // GGA sentences decoded [0]
    int32_t m_nPrevGgaSeconds;               // minute * 60 + second of the previous GGA [0]
    double m_dPrevAltitude;                  // altitude of the previous GGA [0]
    double m_dVerticalSpeed;                 // altitude units per minute, climb positive [0]
    char m_cGsaMode;                         // 'M' manual, 'A' automatic ['M']
    uint8_t m_nFixMode;                      // 1 no fix, 2 2D, 3 3D [1]
    uint16_t m_nUsedPrn[kUsedPrns];          // latest GSA, in its order, 0 = empty slot;
                                             // all systems: whole numbers as sent [0]
    double m_dPdop;                          // 0 when the field was empty [0]
    double m_dHdop;                          // [0]
    double m_dVdop;                          // [0]
    uint32_t m_nGsaCount;                    // [0]
    uint16_t m_nSatsInView;                  // GPS only: as the receiver reports it, unbounded;
                                             // all systems: distinct satellites in view [0]
    GpsSatellite m_Sats[kSatellites];        // GPS only: entry k from GSV message k / 4 + 1
                                             // (all systems: untouched) [all 0]
    uint32_t m_nGsvCount;                    // every message of a group counts [0]
    char m_cRmbStatus;                       // 'A' valid, 'V' warning ['V']
    double m_dCrossTrackError;               // nautical miles [0]
    char m_cSteerDirection;                  // 'L' or 'R' ['?']
    char m_szOriginWaypoint[kWaypointChars]; // NUL-terminated [""]
    char m_szDestWaypoint[kWaypointChars];   // [""]
    double m_dDestLatitude;                  // degrees [0]
    double m_dDestLongitude;                 // degrees [0]
    double m_dRangeToDest;                   // nautical miles [0]
    double m_dBearingToDest;                 // degrees true [0]
    double m_dClosingVelocity;               // knots [0]
    char m_cArrivalStatus;                   // 'A' arrival circle entered, 'V' not ['V']
    uint32_t m_nRmbCount;                    // [0]
    uint8_t m_nRmcHour;                      // UTC of the last RMC [0]
    uint8_t m_nRmcMinute;                    // [0]
    uint8_t m_nRmcSecond;                    // [0]
    char m_cRmcStatus;                       // 'A' valid, 'V' warning ['V']
    double m_dRmcLatitude;                   // degrees [0]
    double m_dRmcLongitude;                  // degrees [0]
    double m_dSpeedKnots;                    // over ground, knots [0]
    double m_dCourse;                        // over ground, degrees true [0]
    uint8_t m_nRmcDay;                       // [1]
    uint8_t m_nRmcMonth;                     // [1]
    uint16_t m_nRmcYear;                     // 2000 + two-digit year [2000]
    double m_dMagneticVariation;             // degrees, east positive [0]
    uint32_t m_nRmcCount;                    // [0]
    uint8_t m_nZdaHour;                      // UTC of the last ZDA [0]
    uint8_t m_nZdaMinute;                    // [0]
    uint8_t m_nZdaSecond;                    // [0]
    uint8_t m_nZdaDay;                       // [1]
    uint8_t m_nZdaMonth;                     // [1]
    uint16_t m_nZdaYear;                     // four digits as written [2000]
    uint8_t m_nZdaZoneHours;                 // low eight bits, so -5 reads 251 [0]
    uint8_t m_nZdaZoneMinutes;               // low eight bits [0]
    uint32_t m_nZdaCount;                    // [0]
    CGnssTable m_Gnss;                       // all systems: satellites of every system [empty]

    // ---- sentence reader (not part of the record; a reset leaves it alone) ----
    int32_t m_nState;        // 0 idle, 1 identifier, 2 body, 3 and 4 checksum digits
    uint8_t m_nChecksum;     // running XOR from after '$' up to '*'
    uint8_t m_nRecvChecksum; // as read from the two characters after '*'
    uint16_t m_nLength;      // characters stored in the buffer being filled
    char m_szSentenceId[8];  // address field, at most 7 characters
    char m_szData[256];      // body after the identifier's comma, at most 255 characters
    std::unique_ptr<INmeaLogFile> m_pLogFile; // the open recording, or none
    uint32_t m_nLogBytes;                     // bytes in the recording since it last started
    uint32_t m_nSentenceCount;                // sentences dispatched since construction

private:
    void Dispatch();
    void DecodeGga(const CNmeaBody& body);
    void DecodeGsa(const CNmeaBody& body);
    void DecodeGsv(const CNmeaBody& body);
    void DecodeRmb(const CNmeaBody& body);
    void DecodeRmc(const CNmeaBody& body);
    void DecodeZda(const CNmeaBody& body);
    void DecodeGnssGsa(const CNmeaBody& body, uint16_t nTalker);
    void DecodeGnssGsv(const CNmeaBody& body, uint16_t nTalker);
    void Post(unsigned nMessage) {
        if (m_pNotify)
            m_pNotify->PostToMain(nMessage);
    }

    INmeaNotify* m_pNotify;
    bool m_bAllSystems = false;
};
