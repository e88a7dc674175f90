// SPDX-License-Identifier: MIT
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
#include "nmea/RecordFields.h"

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
    // then writes the chunk to the recording and counts what reached it. Nothing can fail
    // here: damaged input is dropped sentence by sentence, a failing recording closes itself.
    void Feed(const uint8_t* pBytes, uint32_t nCount);
    void Feed(const char* pBytes, uint32_t nCount) {
        Feed(reinterpret_cast<const uint8_t*>(pBytes), nCount);
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

    // Sentences dispatched since construction; a reset leaves the count alone.
    uint32_t SentenceCount() const { return m_nSentenceCount; }
    // Forgets a sentence begun but not finished, as when the line's bit rate changes under it.
    void DropPartialSentence() { m_nState = 0; }

    // Used-in-solution test: 1 if the (non-zero) PRN is in m_nUsedPrn.
    int IsUsedPrn(uint16_t nPrn) const;

    // ---- GPS state record (the fields and their reset values are in RecordFields.h) ----
#define RAVUZIZ_DECLARE_FIELD(kind, type, name, reset) type name;
#define RAVUZIZ_DECLARE_ARRAY(kind, type, name, extent) type name[extent];
    RAVUZIZ_GPS_RECORD(RAVUZIZ_DECLARE_FIELD, RAVUZIZ_DECLARE_ARRAY)
#undef RAVUZIZ_DECLARE_FIELD
#undef RAVUZIZ_DECLARE_ARRAY
    CGnssTable m_Gnss; // all systems: satellites of every system [empty]

private:
    // The fuzz harness checks the reader's invariants after every chunk.
    friend struct NmeaReaderProbe;

    static constexpr uint16_t kIdChars = 8;     // address field, at most 7 characters
    static constexpr uint16_t kBodyChars = 256; // body, at most 255 characters

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

    // ---- sentence reader (not part of the record; a reset leaves it alone) ----
    int32_t m_nState;              // 0 idle, 1 identifier, 2 body, 3 and 4 checksum digits
    uint8_t m_nChecksum;           // running XOR from after '$' up to '*'
    uint8_t m_nRecvChecksum;       // as read from the two characters after '*'
    uint16_t m_nLength;            // characters stored in the buffer being filled
    char m_szSentenceId[kIdChars]; // NUL-terminated once the identifier is complete
    char m_szData[kBodyChars];     // body after the identifier's comma
    std::unique_ptr<INmeaLogFile> m_pLogFile; // the open recording, or none
    uint32_t m_nLogBytes;                     // bytes in the recording since it last started
    uint32_t m_nSentenceCount;

    INmeaNotify* m_pNotify;
    bool m_bAllSystems = false;
};
