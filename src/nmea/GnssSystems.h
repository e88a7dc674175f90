// SPDX-License-Identifier: MIT
// Which satellite a number in a sentence means. Receivers that combine systems number their
// satellites in several overlapping ways (NMEA's 1-32 GPS, 65-96 GLONASS, 301-336 Galileo ...,
// or each system's own numbers under its own talker or system ID); the program identifies a
// satellite by its system and its number within that system, so Galileo 11 and GPS 11 are two
// satellites. Standard library only.
#pragma once

#include <cstdint>

// In the order the pages and ravuziz-decode list them.
enum class GnssSystem : uint8_t { None, Gps, Sbas, Glonass, Galileo, BeiDou, Qzss, NavIc };
inline constexpr int kGnssSystems = 8; // None included, so a system indexes arrays directly

// A satellite: its system and its number within the system (GPS 1-32, SBAS 120-158, GLONASS
// 1-32, Galileo 1-36, BeiDou 1-63, QZSS 1-10, NavIC 1-14). System None: no satellite.
struct GnssId {
    GnssSystem system = GnssSystem::None;
    uint16_t nSvid = 0;

    bool IsValid() const { return system != GnssSystem::None; }
    friend bool operator==(const GnssId&, const GnssId&) = default;
};

// The numbering a sentence uses: either NMEA's combined one (talkers GP, GL and GN), or one
// system's own (its talker, or a system ID in the sentence).
struct GnssNumbering {
    GnssSystem own = GnssSystem::None; // None: the combined numbering
};

// The numbering of a GSV from talker (the two characters packed as first | second << 8).
GnssNumbering GsvNumberingOfTalker(uint16_t nTalker);
// The system of a GSA from its talker when it carries no system ID; None for GP and GN, whose
// listed numbers each name their own system.
GnssNumbering GsaNumberingOfTalker(uint16_t nTalker);
// NMEA 4.10 system IDs 1-6 (GPS, GLONASS, Galileo, BeiDou, QZSS, NavIC); None for others.
GnssSystem SystemOfNmeaId(int32_t nId);

// The satellite that number n means in that numbering; invalid when it means none.
GnssId MapSatellite(GnssNumbering numbering, int32_t n);

// Each system's own numbers (SBAS satellites are known by their PRN), by GnssSystem.
inline constexpr int32_t kSvidFirst[kGnssSystems] = {0, 1, 120, 1, 1, 1, 1, 1};
inline constexpr int32_t kSvidLast[kGnssSystems] = {-1, 32, 158, 32, 36, 63, 10, 14};

// Position of a satellite number within its system's range, 0 to 63, for tables indexed by it;
// -1 outside the range.
inline int SvidIndex(GnssId id) {
    const int s = static_cast<int>(id.system);
    return id.nSvid >= kSvidFirst[s] && id.nSvid <= kSvidLast[s] ? id.nSvid - kSvidFirst[s] : -1;
}
inline constexpr int kSvidIndices = 64;

// "G", "S", "R", "E", "C", "J", "I": the RINEX letter of a system; '?' for None.
char RinexLetter(GnssSystem system);
// "GPS", "SBAS", "GLONASS", "Galileo", "BeiDou", "QZSS", "NavIC".
const char* SystemName(GnssSystem system);

// Whether a talker is read in the all-systems reading.
bool IsGnssTalker(uint16_t nTalker);

inline constexpr uint16_t TalkerCode(char c0, char c1) {
    return static_cast<uint16_t>(static_cast<uint8_t>(c0) | static_cast<uint8_t>(c1) << 8);
}
