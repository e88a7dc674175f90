// SPDX-License-Identifier: MIT
// Word-at-a-time scanning of byte runs: finding delimiters and folding the checksum eight
// bytes per step. The reader and the comma index spend most of their time here. Internal.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace nmea {

static_assert(std::endian::native == std::endian::little, "byte order of the word scans");

inline constexpr uint64_t kLowBits = 0x7f7f7f7f7f7f7f7full;
inline constexpr uint64_t Broadcast(uint8_t c) {
    return 0x0101010101010101ull * c;
}

inline uint64_t Load8(const void* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// High bit set in exactly the bytes of v that are zero (no borrow between bytes, so every
// marked byte is a real match, not only the first).
inline uint64_t ZeroBytes(uint64_t v) {
    return ~(((v & kLowBits) + kLowBits) | v | kLowBits);
}

inline uint64_t MatchBytes(uint64_t v, uint8_t c) {
    return ZeroBytes(v ^ Broadcast(c));
}

// Byte index of the lowest marked byte of a non-zero mask.
inline uint32_t FirstByte(uint64_t nMask) {
    return static_cast<uint32_t>(std::countr_zero(nMask)) / 8;
}

// Index of the first '*' or carriage return in p[0, n), or n.
inline uint32_t FindStarOrCr(const uint8_t* p, uint32_t n) {
    uint32_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const uint64_t v = Load8(p + i);
        const uint64_t nMask = MatchBytes(v, '*') | MatchBytes(v, '\r');
        if (nMask)
            return i + FirstByte(nMask);
    }
    for (; i < n; ++i)
        if (p[i] == '*' || p[i] == '\r')
            return i;
    return n;
}

// XOR of the bytes p[0, n).
inline uint8_t XorBytes(const uint8_t* p, uint32_t n) {
    uint64_t nWord = 0;
    uint32_t i = 0;
    for (; i + 8 <= n; i += 8)
        nWord ^= Load8(p + i);
    nWord ^= nWord >> 32;
    nWord ^= nWord >> 16;
    nWord ^= nWord >> 8;
    auto nSum = static_cast<uint8_t>(nWord);
    for (; i < n; ++i)
        nSum ^= p[i];
    return nSum;
}

} // namespace nmea
