// SPDX-License-Identifier: MIT
// Satellite numbering. The combined NMEA numbering:
//
//   1-32 GPS n          120-158 SBAS n         301-336 Galileo n-300
//   33-64 SBAS n+87     193-200 QZSS n-192     401-463 BeiDou n-400
//   65-96 GLONASS n-64  201-263 BeiDou n-200
//
// Under a system's own numbering (its talker GA, GB, BD, PQ, GQ, QZ, GI, or a system ID), a
// number in that system's range is the number within it; Galileo's 101-136 and QZSS's 193-202
// are common alternatives; anything else is read in the combined numbering.
#include "nmea/GnssSystems.h"

namespace {

constexpr bool In(int32_t n, int32_t nFirst, int32_t nLast) {
    return n >= nFirst && n <= nLast;
}

GnssId Id(GnssSystem system, int32_t nSvid) {
    return {system, static_cast<uint16_t>(nSvid)};
}

GnssId MapCombined(int32_t n) {
    if (In(n, 1, 32))
        return Id(GnssSystem::Gps, n);
    if (In(n, 33, 64))
        return Id(GnssSystem::Sbas, n + 87);
    if (In(n, 65, 96))
        return Id(GnssSystem::Glonass, n - 64);
    if (In(n, 120, 158))
        return Id(GnssSystem::Sbas, n);
    if (In(n, 193, 200))
        return Id(GnssSystem::Qzss, n - 192);
    if (In(n, 201, 263))
        return Id(GnssSystem::BeiDou, n - 200);
    if (In(n, 301, 336))
        return Id(GnssSystem::Galileo, n - 300);
    if (In(n, 401, 463))
        return Id(GnssSystem::BeiDou, n - 400);
    return {};
}

} // namespace

GnssNumbering GsvNumberingOfTalker(uint16_t nTalker) {
    switch (nTalker) {
        case TalkerCode('G', 'A'): return {GnssSystem::Galileo};
        case TalkerCode('G', 'B'):
        case TalkerCode('B', 'D'):
        case TalkerCode('P', 'Q'): return {GnssSystem::BeiDou};
        case TalkerCode('G', 'Q'):
        case TalkerCode('Q', 'Z'): return {GnssSystem::Qzss};
        case TalkerCode('G', 'I'): return {GnssSystem::NavIc};
        default: return {};
    }
}

GnssNumbering GsaNumberingOfTalker(uint16_t nTalker) {
    if (nTalker == TalkerCode('G', 'L'))
        return {GnssSystem::Glonass};
    return GsvNumberingOfTalker(nTalker);
}

GnssSystem SystemOfNmeaId(int32_t nId) {
    constexpr GnssSystem kById[] = {GnssSystem::None,    GnssSystem::Gps,    GnssSystem::Glonass,
                                    GnssSystem::Galileo, GnssSystem::BeiDou, GnssSystem::Qzss,
                                    GnssSystem::NavIc};
    return nId >= 1 && nId <= 6 ? kById[nId] : GnssSystem::None;
}

GnssId MapSatellite(GnssNumbering numbering, int32_t n) {
    const GnssSystem own = numbering.own;
    if (own != GnssSystem::None) {
        if (In(n, kSvidFirst[static_cast<int>(own)], kSvidLast[static_cast<int>(own)]))
            return Id(own, n);
        if (own == GnssSystem::Galileo && In(n, 101, 136))
            return Id(own, n - 100);
        if (own == GnssSystem::Qzss && In(n, 193, 202))
            return Id(own, n - 192);
    }
    return MapCombined(n);
}

char RinexLetter(GnssSystem system) {
    constexpr char kLetters[] = "?GSRECJI";
    return kLetters[static_cast<int>(system)];
}

const char* SystemName(GnssSystem system) {
    constexpr const char* kNames[] = {"",        "GPS",    "SBAS", "GLONASS",
                                      "Galileo", "BeiDou", "QZSS", "NavIC"};
    return kNames[static_cast<int>(system)];
}

bool IsGnssTalker(uint16_t nTalker) {
    switch (nTalker) {
        case TalkerCode('G', 'P'):
        case TalkerCode('G', 'L'):
        case TalkerCode('G', 'A'):
        case TalkerCode('G', 'B'):
        case TalkerCode('B', 'D'):
        case TalkerCode('G', 'Q'):
        case TalkerCode('Q', 'Z'):
        case TalkerCode('P', 'Q'):
        case TalkerCode('G', 'I'):
        case TalkerCode('G', 'N'): return true;
        default: return false;
    }
}
