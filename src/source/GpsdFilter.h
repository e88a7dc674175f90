// SPDX-License-Identifier: MIT
// What of gpsd's output reaches the sentence reader. Watched with "raw":1, gpsd passes an NMEA
// receiver's sentences on unchanged, one a line, between its own JSON reports; for a receiver
// it drives in a binary protocol, the raw lines are hex dumps instead, and the filter asks for
// gpsd's own NMEA ("nmea":true). Only NMEA lines ("$..." and "!...") come out, each ended by
// CR LF; JSON, hex and anything else are dropped, and so are lines longer than any sentence.
// Fixed buffers: nothing is allocated, however much or however badly gpsd writes.
// Standard library only.
#pragma once

#include <cstdint>

class CGpsdFilter {
public:
    // Longer lines are no sentence (a sentence has at most 82 characters; the reader takes
    // up to 263) and are dropped whole.
    static constexpr int kLineMax = 300;
    // Output of one input block of at most kInputMax bytes always fits.
    static constexpr int kInputMax = 4096;

    // Takes up to kInputMax bytes of gpsd's output.
    void Push(const char* pBytes, int nCount);
    // Copies up to nMax bytes of the NMEA lines found so far into pBuffer; returns their number.
    int Take(char* pBuffer, int nMax);
    bool HasOutput() const { return m_nOutEnd > m_nOutBegin; }

    // gpsd sent raw data that is not NMEA: its receiver speaks a binary protocol.
    bool SawBinary() const { return m_bSawBinary; }
    // A line that is neither NMEA nor JSON nor a hex dump: not a gpsd at all, perhaps.
    uint32_t OtherLines() const { return m_nOtherLines; }

    void Clear();

private:
    void EndLine();

    char m_Line[kLineMax];
    int m_nLine = 0;
    bool m_bOverlong = false;
    char m_Out[kInputMax + kInputMax / 2 + kLineMax + 2];
    int m_nOutBegin = 0;
    int m_nOutEnd = 0;
    bool m_bSawBinary = false;
    uint32_t m_nOtherLines = 0;
};
