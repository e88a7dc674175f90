#include "shell/PollLoop.h"

#include "nmea/NmeaParser.h"
#include "source/SerialPort.h"

void CPollLoop::Tick() {
    const int nRead = m_Link.Read(m_ReadBuffer, kReadMax);
    if (nRead > 0) {
        m_Parser.Feed(m_ReadBuffer, static_cast<uint32_t>(nRead));
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
