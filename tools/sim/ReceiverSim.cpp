// SPDX-License-Identifier: MIT
#include "ReceiverSim.h"

#include "SimText.h"

#include <algorithm>
#include <cmath>

CReceiverSim::CReceiverSim(uint32_t nSeed, double dCorrupt, int nRate)
    : CSimReceiver(nSeed, dCorrupt, nRate),
      m_Sky({2, 5, 7, 9, 12, 13, 15, 18, 21, 24, 26, 29}, 32, m_Random) {}

void CReceiverSim::EmitEpoch(std::string& strOut) {
    const int nSecond = EpochSecond();
    const std::string strTime = TimeText();
    const int nQuality = CSimDrive::FixQuality(nSecond);
    const bool bFix = nQuality > 0;
    const bool bNewSecond = FirstOfSecond();

    if (bNewSecond) {
        m_Sky.Look(nSecond, !CSimDrive::InTunnel(nSecond) && nSecond >= 3, m_Random, m_InView);
        m_Used.clear();
        for (const SimSatellite& s : m_InView)
            if (bFix && s.nSnr >= 28 && s.nElevation >= 10 && m_Used.size() < 12)
                m_Used.push_back(s.nPrn);
    }

    const double n = std::max<double>(1, static_cast<double>(m_Used.size()));
    const double dHdop = 0.6 + 4.0 / n, dVdop = 0.9 + 5.5 / n;
    const double dPdop = std::sqrt(dHdop * dHdop + dVdop * dVdop);

    // GGA
    if (bFix)
        Emit(strOut, Format("GPGGA,%s,%s,%s,%d,%02zu,%.1f,%.1f,M,47.8,M,%s,%s", strTime.c_str(),
                            Coordinate(m_Drive.Latitude(), 2, 4, 'N', 'S').c_str(),
                            Coordinate(m_Drive.Longitude(), 3, 4, 'E', 'W').c_str(), nQuality,
                            m_Used.size(), dHdop, m_Drive.Altitude(), nQuality == 2 ? "3.2" : "",
                            nQuality == 2 ? "0412" : ""));
    else
        Emit(strOut, Format("GPGGA,%s,,,,,0,00,,,M,,M,,", strTime.c_str()));

    // GSA
    std::string strGsa = Format("GPGSA,A,%d", CSimDrive::FixMode(nSecond));
    for (size_t i = 0; i < 12; ++i)
        strGsa += i < m_Used.size() ? Format(",%02d", m_Used[i]) : std::string(",");
    strGsa += bFix ? Format(",%.1f,%.1f,%.1f", dPdop, dHdop, dVdop) : std::string(",,,");
    Emit(strOut, strGsa);

    // GSV, four satellites a message; real receivers at high rates send it once a second
    if (bNewSecond) {
        const size_t nMessages = std::max<size_t>(1, (m_InView.size() + 3) / 4);
        for (size_t m = 0; m < nMessages; ++m) {
            std::string strGsv = Format("GPGSV,%zu,%zu,%02zu", nMessages, m + 1, m_InView.size());
            for (size_t i = m * 4; i < m_InView.size() && i < m * 4 + 4; ++i) {
                const SimSatellite& s = m_InView[i];
                strGsv += Format(",%02d,%02d,%03d,", s.nPrn, s.nElevation, s.nAzimuth);
                if (s.nSnr >= 0)
                    strGsv += Format("%02d", s.nSnr);
            }
            Emit(strOut, strGsv);
        }
    }

    // RMC
    const std::string strDate = Format("%02d0326", Day());
    if (bFix)
        Emit(strOut, Format("GPRMC,%s,A,%s,%s,%05.1f,%05.1f,%s,003.4,E", strTime.c_str(),
                            Coordinate(m_Drive.Latitude(), 2, 4, 'N', 'S').c_str(),
                            Coordinate(m_Drive.Longitude(), 3, 4, 'E', 'W').c_str(),
                            m_Drive.SpeedKnots(), m_Drive.Course(), strDate.c_str()));
    else
        Emit(strOut, Format("GPRMC,%s,V,,,,,,,%s,,", strTime.c_str(), strDate.c_str()));

    Emit(strOut, m_Drive.RmbBody("GP", bFix));
    Emit(strOut, Format("GPZDA,%s,%02d,03,2026,01,00", strTime.c_str(), Day()));
}
