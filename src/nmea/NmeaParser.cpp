// SPDX-License-Identifier: MIT
// Life cycle of the parser: construction, the reset of the GPS state record, and the
// recording hook's open and close.
#include "nmea/NmeaParser.h"

#include <cstring>

CNmeaParser::CNmeaParser(INmeaNotify* pNotify)
    : m_nState(0), m_nChecksum(0), m_nRecvChecksum(0), m_nLength(0), m_szSentenceId{}, m_szData{},
      m_nLogBytes(0), m_nSentenceCount(0), m_pNotify(pNotify) {
    Reset();
}

CNmeaParser::~CNmeaParser() = default;

void CNmeaParser::Reset() {
#define RAVUZIZ_RESET_FIELD(kind, type, name, reset) name = reset;
#define RAVUZIZ_RESET_ARRAY(kind, type, name, extent) std::memset(name, 0, sizeof name);
    RAVUZIZ_GPS_RECORD(RAVUZIZ_RESET_FIELD, RAVUZIZ_RESET_ARRAY)
#undef RAVUZIZ_RESET_FIELD
#undef RAVUZIZ_RESET_ARRAY
    m_Gnss.Reset();
}

bool CNmeaParser::StartRecording(std::unique_ptr<INmeaLogFile> pLogFile) {
    if (m_pLogFile || !pLogFile)
        return false;
    m_pLogFile = std::move(pLogFile);
    m_nLogBytes = 0;
    return true;
}

bool CNmeaParser::StopRecording() {
    if (!m_pLogFile)
        return false;
    m_pLogFile.reset();
    return true;
}

int CNmeaParser::IsUsedPrn(uint16_t nPrn) const {
    if (nPrn == 0)
        return 0;
    for (uint16_t nUsed : m_nUsedPrn)
        if (nUsed == nPrn)
            return 1;
    return 0;
}
