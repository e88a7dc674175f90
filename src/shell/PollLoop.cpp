// SPDX-License-Identifier: MIT
#include "shell/PollLoop.h"

#include "nmea/NmeaParser.h"
#include "source/SerialPort.h"

void CPollLoop::Tick() {
    // A held replay is not a silent source: the pages keep what it showed last.
    if (m_Link.Paused())
        return;
    const int nBudget = m_Link.TickBudget();
    int nTotal = 0;
    do {
        const int nRead = m_Link.Read(m_ReadBuffer, kReadMax);
        if (nRead <= 0)
            break;
        m_Parser.Feed(m_ReadBuffer, static_cast<uint32_t>(nRead));
        nTotal += nRead;
    } while (nTotal < nBudget);
    if (nTotal > 0) {
        m_nEmptyReads = 0;
        m_bNoData = false;
        return;
    }
    if (++m_nEmptyReads >= kSilentTicks) {
        m_nEmptyReads = kSilentTicks;
        m_bNoData = true;
        m_Parser.Reset();
    }
}
