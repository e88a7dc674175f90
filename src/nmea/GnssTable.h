// SPDX-License-Identifier: MIT
// The satellites of every system, as a receiver that combines systems reports them: which are
// in view (GSV groups, one per talker and signal band), where they stand, how strong each of
// their signals is, and which the fix uses (one GSA per system). Part of the GPS state record
// in the all-systems reading; the decoders write it and the pages read it after the feed.
//
// A GSV group key is (talker, signal ID): a dual-band receiver sends its GPS satellites twice,
// as GP signal 1 and GP signal 8, and both groups list the same satellites. A satellite is in
// view while any key lists it; its SNR is the strongest of its signals' latest SNRs, so an L5
// group without SNRs does not blank the L1 bars. Fixed arrays: nothing is allocated while
// decoding, and nothing a receiver sends can grow the table or list a satellite twice.
#pragma once

#include "nmea/GnssSystems.h"

#include <cstdint>

// A signal ID as sent, up to four characters packed first character highest, so that packed
// values order like the texts; "0" when the sentence has none.
using GnssSignal = uint32_t;
inline constexpr GnssSignal kNoSignalId = uint32_t{'0'} << 24;

struct GnssSatellite {
    static constexpr int kKeys = 32;

    GnssId id;
    uint16_t nPrn = 0;       // the number as the receiver last sent it
    uint16_t nElevation = 0; // degrees, from the latest mention that had one
    uint16_t nAzimuth = 0;   // degrees true, likewise
    bool bHasElevation = false;
    bool bHasAzimuth = false;
    uint32_t nKeys = 0;        // bit k: GSV key k lists it; 0 = not in view
    uint16_t nSnr[kKeys] = {}; // dB-Hz in key k's latest group, 0 = none
};

// One satellite in view as the pages and tools read it.
struct GnssSatelliteView {
    GnssId id;
    uint16_t nPrn;
    uint16_t nElevation; // 0 when never given
    uint16_t nAzimuth;   // 0 when never given
    bool bHasPosition;   // both elevation and azimuth have been given
    uint16_t nSnr;       // strongest signal, 0 when none has one
    bool bUsed;          // in its system's used set now
    int nEntry;          // for Signals()
};

struct GnssSignalSnr {
    GnssSignal nSignal;
    uint16_t nSnr;
};

class CGnssTable {
public:
    // A receiver of four systems sees about fifty satellites; beyond the capacity further
    // satellites are ignored until one leaves the sky.
    static constexpr int kCapacity = 64;
    static constexpr int kKeys = GnssSatellite::kKeys;

    CGnssTable() { Reset(); }

    void Reset();

    // ---- GSV: what the groups list ----
    // The key of (talker, signal), made on first use; -1 when every key is taken by a group
    // that still lists satellites.
    int Key(uint16_t nTalker, GnssSignal nSignal);
    // A message of key's group numbered nMessage: message 1, or a number not above the
    // previous one, starts the group's list afresh.
    void BeginMessage(int nKey, int32_t nMessage);
    // Empties the key's list (a group that reports no satellites in view).
    void EmptyKey(int nKey);
    // Lists a satellite in key's group with what the message says of it; a null position
    // field is absent and keeps what is known. False when the table is full.
    bool List(int nKey, GnssId id, uint16_t nPrn, const uint16_t* pElevation,
              const uint16_t* pAzimuth, uint16_t nSnr);

    // ---- GSA: which satellites the fix uses ----
    void ClearUsed();
    void SetUsed(GnssId id);
    bool IsUsed(GnssId id) const;
    // Whether the last sentence dispatched was a GSA: a fix's GSAs come one after the other,
    // and the first of a run clears what the previous fix used.
    bool m_bGsaRun = false;

    // ---- reading ----
    // Distinct satellites in view.
    int InView() const { return m_nInView; }
    // The satellites in view by system, then number within the system; returns their number.
    int List(GnssSatelliteView (&out)[kCapacity]) const;
    // The latest SNR of each signal of entry nEntry, one per signal ID in ID order (keys of
    // the same signal ID from different talkers give their strongest); returns their number.
    int Signals(int nEntry, GnssSignalSnr (&out)[kKeys]) const;

    const GnssSatellite& Entry(int nEntry) const { return m_Sats[nEntry]; }

private:
    struct GroupKey {
        uint16_t nTalker = 0;
        GnssSignal nSignal = 0;
        int32_t nLastMessage = 0;
        bool bInUse = false;
        uint8_t nCount = 0;            // satellites its list holds
        uint8_t nEntries[kCapacity]{}; // and where they are
    };

    int FreeEntry() const;

    GnssSatellite m_Sats[kCapacity];
    GroupKey m_Keys[kKeys];
    // The entry of each (system, number), or kNone; kept also for entries that left view, so
    // a satellite that comes back between two messages keeps its known position.
    static constexpr uint8_t kNone = 0xFF;
    uint8_t m_nEntryOf[kGnssSystems][kSvidIndices];
    uint64_t m_nUsed[kGnssSystems]; // bit SvidIndex: used in the fix
    int m_nInView = 0;
    int m_nLastKey = 0; // the key asked for last
};
