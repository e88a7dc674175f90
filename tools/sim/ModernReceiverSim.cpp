// SPDX-License-Identifier: MIT
#include "ModernReceiverSim.h"

#include "SimText.h"

#include <algorithm>
#include <cmath>

namespace {

// How each system appears in the sentences: the talker of its GSV, its NMEA 4.10 system ID
// in the GSA, what is added to a satellite's number within the system to give the number sent,
// and the NMEA 4.11 signal IDs of the two bands of a dual-band (L1/L2) receiver.
struct SystemText {
    const char* pTalker;
    int nSystemId;
    int nNumberBase;
    char cFirstSignal, cSecondSignal;
};
constexpr SystemText kSystems[] = {
    {"GP", 1, 0, '1', '6'},  // L1 C/A, L2 CL
    {"GL", 2, 64, '1', '3'}, // L1 OF, L2 OF
    {"GA", 3, 0, '7', '2'},  // E1 B/C, E5b
    {"GB", 4, 0, '1', 'B'},  // B1I, B2I
};

// EGNOS PRN 136 (NMEA 49) as seen from the drive's valley: geostationary, so it neither rises
// nor sets, and received on L1 only. It serves the differential fix.
constexpr int kSbasNumber = 136 - 87;
constexpr int kSbasElevation = 35, kSbasAzimuth = 189;

} // namespace

CModernReceiverSim::CModernReceiverSim(uint32_t nSeed, double dCorrupt, int nRate)
    // Its own sky for a seed, not the classic receiver's under other numbers.
    : CSimReceiver(nSeed ^ 0x6E55A7u, dCorrupt, nRate),
      m_Systems{{{CSimSky({1, 3, 6, 8, 10, 14, 17, 19, 22, 25, 28, 31}, 32, m_Random), {}, {}},
                 {CSimSky({3, 4, 5, 11, 12, 13, 19, 20}, 24, m_Random), {}, {}},
                 {CSimSky({2, 3, 5, 7, 8, 13, 15, 21, 26, 30}, 36, m_Random), {}, {}},
                 {CSimSky({6, 9, 11, 12, 14, 16, 19, 20, 22, 23, 25}, 63, m_Random), {}, {}}}} {}

void CModernReceiverSim::LookAtSky(int nSecond, bool bFix) {
    const bool bSignals = !CSimDrive::InTunnel(nSecond) && nSecond >= 3;
    for (size_t i = 0; i < m_Systems.size(); ++i) {
        System& system = m_Systems[i];
        system.sky.Look(nSecond, bSignals, m_Random, m_Look);
        system.inView.clear();
        for (const SimSatellite& s : m_Look) {
            // The second band is weaker and tracked only high up, so most of its fields stay
            // empty.
            const int nSecondSnr = s.nSnr >= 0 && s.nElevation >= 50
                                       ? s.nSnr - 4 + static_cast<int>(m_Random.Next() % 3)
                                       : -1;
            system.inView.push_back(
                {s.nPrn + kSystems[i].nNumberBase, s.nElevation, s.nAzimuth, s.nSnr, nSecondSnr});
        }
        if (i == 0)
            system.inView.push_back({kSbasNumber, kSbasElevation, kSbasAzimuth,
                                     bSignals ? 34 + static_cast<int>(m_Random.Next() % 4) : -1,
                                     -1});
        std::sort(system.inView.begin(), system.inView.end(),
                  [](const Tracked& a, const Tracked& b) { return a.nNumber < b.nNumber; });
        system.used.clear();
        for (const Tracked& s : system.inView) {
            const bool bSbas = s.nNumber == kSbasNumber && i == 0;
            const bool bUsable = bSbas ? CSimDrive::FixQuality(nSecond) == 2 && s.nSnr >= 0
                                       : s.nSnr >= 28 && s.nElevation >= 10;
            if (bFix && bUsable && system.used.size() < 12)
                system.used.push_back(s.nNumber);
        }
    }
}

void CModernReceiverSim::EmitGsvGroup(std::string& strOut, int nSystem, bool bSecondBand) {
    const SystemText& text = kSystems[nSystem];
    std::vector<const Tracked*> sats;
    for (const Tracked& s : m_Systems[static_cast<size_t>(nSystem)].inView)
        if (!bSecondBand || !(nSystem == 0 && s.nNumber == kSbasNumber))
            sats.push_back(&s);
    const size_t nMessages = std::max<size_t>(1, (sats.size() + 3) / 4);
    for (size_t m = 0; m < nMessages; ++m) {
        std::string strGsv =
            Format("%sGSV,%zu,%zu,%02zu", text.pTalker, nMessages, m + 1, sats.size());
        for (size_t i = m * 4; i < sats.size() && i < m * 4 + 4; ++i) {
            const Tracked& s = *sats[i];
            const int nSnr = bSecondBand ? s.nSecondSnr : s.nSnr;
            strGsv += Format(",%02d,%02d,%03d,", s.nNumber, s.nElevation, s.nAzimuth);
            if (nSnr >= 0)
                strGsv += Format("%02d", nSnr);
        }
        strGsv += ',';
        strGsv += bSecondBand ? text.cSecondSignal : text.cFirstSignal;
        Emit(strOut, strGsv);
    }
}

void CModernReceiverSim::EmitEpoch(std::string& strOut) {
    const int nSecond = EpochSecond();
    const std::string strTime = TimeText();
    const int nQuality = CSimDrive::FixQuality(nSecond);
    const bool bFix = nQuality > 0;
    if (FirstOfSecond())
        LookAtSky(nSecond, bFix);

    size_t nUsed = 0;
    for (const System& system : m_Systems)
        nUsed += system.used.size();
    const double n = std::max<double>(1, static_cast<double>(nUsed));
    const double dHdop = 0.6 + 4.0 / n, dVdop = 0.9 + 5.5 / n;
    const double dPdop = std::sqrt(dHdop * dHdop + dVdop * dVdop);
    const std::string strLatitude = Coordinate(m_Drive.Latitude(), 2, 5, 'N', 'S');
    const std::string strLongitude = Coordinate(m_Drive.Longitude(), 3, 5, 'E', 'W');

    if (bFix)
        Emit(strOut,
             Format("GNGGA,%s,%s,%s,%d,%02zu,%.2f,%.1f,M,47.8,M,%s,%s", strTime.c_str(),
                    strLatitude.c_str(), strLongitude.c_str(), nQuality, nUsed, dHdop,
                    m_Drive.Altitude(), nQuality == 2 ? "1.0" : "", nQuality == 2 ? "0136" : ""));
    else
        Emit(strOut, Format("GNGGA,%s,,,,,0,00,,,M,,M,,", strTime.c_str()));

    // NMEA 4.11 ends RMC with the mode (A autonomous, D differential, N none) and the
    // navigational status, which this receiver does not give (V).
    const std::string strDate = Format("%02d0326", Day());
    if (bFix)
        Emit(strOut, Format("GNRMC,%s,A,%s,%s,%.3f,%.2f,%s,003.4,E,%c,V", strTime.c_str(),
                            strLatitude.c_str(), strLongitude.c_str(), m_Drive.SpeedKnots(),
                            m_Drive.Course(), strDate.c_str(), nQuality == 2 ? 'D' : 'A'));
    else
        Emit(strOut, Format("GNRMC,%s,V,,,,,,,%s,,,N,V", strTime.c_str(), strDate.c_str()));

    for (size_t i = 0; i < m_Systems.size(); ++i) {
        const std::vector<int>& used = m_Systems[i].used;
        std::string strGsa = Format("GNGSA,A,%d", CSimDrive::FixMode(nSecond));
        for (size_t k = 0; k < 12; ++k)
            strGsa += k < used.size() ? Format(",%02d", used[k]) : std::string(",");
        strGsa += bFix ? Format(",%.2f,%.2f,%.2f", dPdop, dHdop, dVdop) : std::string(",,,");
        strGsa += Format(",%d", kSystems[i].nSystemId);
        Emit(strOut, strGsa);
    }

    // At rates above 1 Hz real receivers keep the sky to once a second.
    if (FirstOfSecond())
        for (int i = 0; i < static_cast<int>(m_Systems.size()); ++i) {
            EmitGsvGroup(strOut, i, false);
            EmitGsvGroup(strOut, i, true);
        }

    Emit(strOut, m_Drive.RmbBody("GN", bFix));
    Emit(strOut, Format("GNZDA,%s,%02d,03,2026,01,00", strTime.c_str(), Day()));
}
