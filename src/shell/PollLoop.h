// SPDX-License-Identifier: MIT
// The one place where bytes enter the program: every 300 ms the main frame's timer pulls what
// has arrived from the source into the parser, and notices when the source has gone silent.
// A port or a network source is drained, in reads of at most 255 bytes, so a receiver at any
// rate loses nothing; a replayed recording gives one such read per tick at its fixed pace, or
// what is due at the recorded one. A paused replay is not read, and its silence does not
// count. One Tick() is one tick.
#pragma once

#include <cstdint>

class CNmeaParser;
class CSerialPort;

class CPollLoop {
public:
    static constexpr int kTimerId = 1;
    static constexpr int kPeriodMs = 300;
    static constexpr int kReadMax = 255; // the reader is fed at most this much at once
    // 4.5 s without a byte: the source counts as silent and the record is cleared, so pages
    // stop showing a stale fix.
    static constexpr int kSilentTicks = 15;

    CPollLoop(CSerialPort& link, CNmeaParser& parser) : m_Link(link), m_Parser(parser) {}

    void Tick();

    bool NoData() const { return m_bNoData; }
    int32_t EmptyReads() const { return m_nEmptyReads; }

private:
    CSerialPort& m_Link;
    CNmeaParser& m_Parser;
    int32_t m_nEmptyReads = 0;
    bool m_bNoData = false;
    char m_ReadBuffer[256];
};
