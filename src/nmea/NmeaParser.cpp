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
    m_nGgaHour = m_nGgaMinute = m_nGgaSecond = 0;
    m_dLatitude = m_dLongitude = 0;
    m_nFixQuality = 0;
    m_nSatsUsed = 0;
    m_dGgaHdop = 0;
    m_dAltitude = 0;
    m_nGgaCount = 0;
    m_nPrevGgaSeconds = 0;
    m_dPrevAltitude = 0;
    m_dVerticalSpeed = 0;
    m_cGsaMode = 'M';
    m_nFixMode = 1;
    std::memset(m_nUsedPrn, 0, sizeof m_nUsedPrn);
    m_dPdop = m_dHdop = m_dVdop = 0;
    m_nGsaCount = 0;
    m_nSatsInView = 0;
    std::memset(m_Sats, 0, sizeof m_Sats);
    m_nGsvCount = 0;
    m_cRmbStatus = 'V';
    m_dCrossTrackError = 0;
    m_cSteerDirection = '?';
    std::memset(m_szOriginWaypoint, 0, sizeof m_szOriginWaypoint);
    std::memset(m_szDestWaypoint, 0, sizeof m_szDestWaypoint);
    m_dDestLatitude = m_dDestLongitude = 0;
    m_dRangeToDest = 0;
    m_dBearingToDest = 0;
    m_dClosingVelocity = 0;
    m_cArrivalStatus = 'V';
    m_nRmbCount = 0;
    m_nRmcHour = m_nRmcMinute = m_nRmcSecond = 0;
    m_cRmcStatus = 'V';
    m_dRmcLatitude = m_dRmcLongitude = 0;
    m_dSpeedKnots = 0;
    m_dCourse = 0;
    m_nRmcDay = 1;
    m_nRmcMonth = 1;
    m_nRmcYear = 2000;
    m_dMagneticVariation = 0;
    m_nRmcCount = 0;
    m_nZdaHour = m_nZdaMinute = m_nZdaSecond = 0;
    m_nZdaDay = 1;
    m_nZdaMonth = 1;
    m_nZdaYear = 2000;
    m_nZdaZoneHours = m_nZdaZoneMinutes = 0;
    m_nZdaCount = 0;
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
