#include "ReceiverSim.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180.0;

// Simulated clock: the drive starts at 17:57:00 UTC on 14 March 2026, so the hour turns three
// minutes in (where the receiver's vertical speed holds still).
constexpr int kStartSecondOfDay = 17 * 3600 + 57 * 60;

// The waypoint being navigated to, and where the route started.
constexpr double kDestLatitude = 47.3100, kDestLongitude = 11.4800;
constexpr double kStartLatitude = 47.2692, kStartLongitude = 11.4041, kStartAltitude = 574.0;

std::string Format(const char* pFormat, auto... args) {
    char buf[160];
    std::snprintf(buf, sizeof buf, pFormat, args...);
    return buf;
}

// ddmm.mmmm / dddmm.mmmm and the hemisphere letter, rounded once so minutes never read 60.
std::string Coordinate(double dDegrees, int nDegreeDigits, char cPositive, char cNegative) {
    const long long nTicks = std::llround(std::fabs(dDegrees) * 600000.0);
    return Format("%0*lld%07.4f,%c", nDegreeDigits, nTicks / 600000, (nTicks % 600000) / 10000.0,
                  dDegrees < 0 ? cNegative : cPositive);
}

std::string Tenths(double d) {
    return Format("%.1f", d);
}

} // namespace

void AppendSentence(std::string& strOut, const std::string& strBody) {
    unsigned char nSum = 0;
    for (char c : strBody)
        nSum ^= static_cast<unsigned char>(c);
    strOut += '$';
    strOut += strBody;
    strOut += Format("*%02X\r\n", nSum);
}

CReceiverSim::CReceiverSim(uint32_t nSeed, double dCorrupt)
    : m_nRandom(nSeed ? nSeed : 0x9E3779B9u), m_dCorrupt(dCorrupt), m_dLatitude(kStartLatitude),
      m_dLongitude(kStartLongitude), m_dAltitude(kStartAltitude) {
    // A sky in progress: passes at every stage, so satellites both rise and set early on.
    const int kPrns[12] = {2, 5, 7, 9, 12, 13, 15, 18, 21, 24, 26, 29};
    for (size_t i = 0; i < m_Sats.size(); ++i) {
        m_Sats[i].nPrn = kPrns[i];
        NewPass(m_Sats[i], 0);
        m_Sats[i].dRise = -m_Sats[i].dDuration * (static_cast<double>(i) + 0.5) / 13.0;
    }
}

uint32_t CReceiverSim::Random() {
    m_nRandom ^= m_nRandom << 13;
    m_nRandom ^= m_nRandom >> 17;
    m_nRandom ^= m_nRandom << 5;
    return m_nRandom;
}

double CReceiverSim::Uniform(double dLow, double dHigh) {
    return dLow + (dHigh - dLow) * (Random() / 4294967296.0);
}

// Passes are minutes long instead of hours, so the sky visibly moves within a short drive.
void CReceiverSim::NewPass(Satellite& sat, double dRise) {
    sat.dRise = dRise;
    sat.dDuration = Uniform(240, 900);
    sat.dAzimuthRise = Uniform(0, 360);
    sat.dAzimuthSet = sat.dAzimuthRise + Uniform(60, 200);
    sat.dMaxElevation = Uniform(15, 88);
}

int CReceiverSim::FixQuality() const {
    const int t = m_nSecond;
    if (t < 8 || (t >= 200 && t < 215)) // cold start, then a tunnel
        return 0;
    return t >= 100 && t < 160 ? 2 : 1;
}

int CReceiverSim::FixMode() const {
    if (FixQuality() == 0)
        return 1;
    return m_nSecond < 12 ? 2 : 3;
}

// Damage as serial lines do it: a flipped bit (the checksum catches it), a lost line end (two
// sentences run together), a sentence cut short, noise between sentences.
void CReceiverSim::Emit(std::string& strOut, const std::string& strBody) {
    std::string s;
    AppendSentence(s, strBody);
    if (m_dCorrupt > 0 && Uniform(0, 1) < m_dCorrupt) {
        switch (Random() % 4) {
            case 0:
                s[1 + Random() % (s.size() - 3)] ^= static_cast<char>(1 << (Random() % 7));
                break;
            case 1: s.resize(s.size() - 2); break;
            case 2: s.resize(1 + Random() % (s.size() - 1)); break;
            default: {
                const char noise[] = {static_cast<char>('A' + Random() % 26), '\xff', '\0', '\n'};
                s.insert(0, noise, sizeof noise);
                break;
            }
        }
    }
    strOut += s;
}

void CReceiverSim::Move() {
    const double t = m_nSecond;
    // Parked while acquiring, then a drive with changing speed and a stop at a light.
    double dSpeed = 0;
    if (t >= 10 && t < 40)
        dSpeed = (t - 10) * 1.0;
    else if (t >= 40)
        dSpeed = 30 + 12 * std::sin((t - 40) / 23.0) + 4 * std::sin(t / 7.0);
    if (t >= 240 && t < 255)
        dSpeed = std::max(0.0, 30 - (t - 240) * 4) * (t < 248);
    m_dSpeedKnots = std::max(0.0, dSpeed);
    if (m_dSpeedKnots > 0)
        m_dCourse = std::fmod(45 + 70 * std::sin(t / 60.0) + 30 * std::sin(t / 17.0) + 360, 360);
    const double dNauticalMiles = m_dSpeedKnots / 3600.0;
    m_dLatitude += dNauticalMiles * std::cos(m_dCourse * kDegree) / 60.0;
    m_dLongitude +=
        dNauticalMiles * std::sin(m_dCourse * kDegree) / (60.0 * std::cos(m_dLatitude * kDegree));
    m_dAltitude = kStartAltitude + 40 * std::sin(t / 45.0) + 0.25 * t;
}

void CReceiverSim::NextSecond(std::string& strOut) {
    Move();
    const int nSecondOfDay = (kStartSecondOfDay + m_nSecond) % 86400;
    const int nDay = 14 + (kStartSecondOfDay + m_nSecond) / 86400;
    const std::string strTime =
        Format("%02d%02d%02d.00", nSecondOfDay / 3600, nSecondOfDay / 60 % 60, nSecondOfDay % 60);
    const int nQuality = FixQuality();
    const bool bFix = nQuality > 0;
    const bool bTunnel = m_nSecond >= 200 && m_nSecond < 215;

    // The sky: replace satellites that have set, then list those above the horizon.
    std::vector<InView> inView;
    for (Satellite& sat : m_Sats) {
        if (m_nSecond > sat.dRise + sat.dDuration) {
            int nPrn = sat.nPrn;
            const auto used = [this](int n) {
                return std::any_of(m_Sats.begin(), m_Sats.end(),
                                   [n](const Satellite& s) { return s.nPrn == n; });
            };
            while (used(nPrn))
                nPrn = 1 + static_cast<int>(Random() % 32);
            sat.nPrn = nPrn;
            NewPass(sat, m_nSecond + Uniform(5, 40));
        }
        const double dPhase = (m_nSecond - sat.dRise) / sat.dDuration;
        if (dPhase < 0 || dPhase > 1)
            continue;
        const double dElevation = sat.dMaxElevation * std::sin(kPi * dPhase);
        const double dAzimuth =
            std::fmod(sat.dAzimuthRise + (sat.dAzimuthSet - sat.dAzimuthRise) * dPhase, 360);
        int nSnr = -1;
        if (dElevation >= 3 && !bTunnel && m_nSecond >= 3)
            nSnr = static_cast<int>(20 + dElevation * 0.4 + Uniform(-2, 2));
        inView.push_back(
            {sat.nPrn, static_cast<int>(dElevation), static_cast<int>(dAzimuth), nSnr});
    }
    std::vector<int> used;
    for (const InView& s : inView)
        if (bFix && s.nSnr >= 28 && s.nElevation >= 10 && used.size() < 12)
            used.push_back(s.nPrn);

    const double n = std::max<double>(1, static_cast<double>(used.size()));
    const double dHdop = 0.6 + 4.0 / n, dVdop = 0.9 + 5.5 / n;
    const double dPdop = std::sqrt(dHdop * dHdop + dVdop * dVdop);

    // GGA
    if (bFix)
        Emit(strOut, Format("GPGGA,%s,%s,%s,%d,%02zu,%s,%.1f,M,47.8,M,%s,%s", strTime.c_str(),
                            Coordinate(m_dLatitude, 2, 'N', 'S').c_str(),
                            Coordinate(m_dLongitude, 3, 'E', 'W').c_str(), nQuality, used.size(),
                            Tenths(dHdop).c_str(), m_dAltitude, nQuality == 2 ? "3.2" : "",
                            nQuality == 2 ? "0412" : ""));
    else
        Emit(strOut, Format("GPGGA,%s,,,,,0,00,,,M,,M,,", strTime.c_str()));

    // GSA
    std::string strGsa = Format("GPGSA,A,%d", FixMode());
    for (size_t i = 0; i < 12; ++i)
        strGsa += i < used.size() ? Format(",%02d", used[i]) : std::string(",");
    strGsa += bFix ? Format(",%s,%s,%s", Tenths(dPdop).c_str(), Tenths(dHdop).c_str(),
                            Tenths(dVdop).c_str())
                   : std::string(",,,");
    Emit(strOut, strGsa);

    // GSV, four satellites a message
    const size_t nMessages = std::max<size_t>(1, (inView.size() + 3) / 4);
    for (size_t m = 0; m < nMessages; ++m) {
        std::string strGsv = Format("GPGSV,%zu,%zu,%02zu", nMessages, m + 1, inView.size());
        for (size_t i = m * 4; i < inView.size() && i < m * 4 + 4; ++i) {
            const InView& s = inView[i];
            strGsv += Format(",%02d,%02d,%03d,", s.nPrn, s.nElevation, s.nAzimuth);
            if (s.nSnr >= 0)
                strGsv += Format("%02d", s.nSnr);
        }
        Emit(strOut, strGsv);
    }

    // RMC
    const std::string strDate = Format("%02d0326", nDay);
    if (bFix)
        Emit(strOut, Format("GPRMC,%s,A,%s,%s,%05.1f,%05.1f,%s,003.4,E", strTime.c_str(),
                            Coordinate(m_dLatitude, 2, 'N', 'S').c_str(),
                            Coordinate(m_dLongitude, 3, 'E', 'W').c_str(), m_dSpeedKnots, m_dCourse,
                            strDate.c_str()));
    else
        Emit(strOut, Format("GPRMC,%s,V,,,,,,,%s,,", strTime.c_str(), strDate.c_str()));

    // RMB: towards the summit waypoint, on a flat-earth approximation good for a few miles.
    if (bFix) {
        const double dNorth = (kDestLatitude - m_dLatitude) * 60.0;
        const double dEast =
            (kDestLongitude - m_dLongitude) * 60.0 * std::cos(m_dLatitude * kDegree);
        const double dRange = std::hypot(dNorth, dEast);
        const double dBearing = std::fmod(std::atan2(dEast, dNorth) / kDegree + 360, 360);
        const double dOff = std::remainder(dBearing - m_dCourse, 360);
        const double dClosing = m_dSpeedKnots * std::cos(dOff * kDegree);
        const double dRouteBearing =
            std::atan2((kDestLongitude - kStartLongitude) * std::cos(m_dLatitude * kDegree),
                       kDestLatitude - kStartLatitude);
        const double dCrossTrack =
            std::fabs(std::sin(std::atan2(dEast, dNorth) - dRouteBearing) * dRange);
        Emit(strOut,
             Format("GPRMB,A,%.2f,%c,START,SUMMIT,%s,%s,%05.1f,%05.1f,%05.1f,%c",
                    std::min(dCrossTrack, 9.99), dOff < 0 ? 'L' : 'R',
                    Coordinate(kDestLatitude, 2, 'N', 'S').c_str(),
                    Coordinate(kDestLongitude, 3, 'E', 'W').c_str(), std::min(dRange, 999.9),
                    dBearing, std::fabs(dClosing), dRange < 0.05 ? 'A' : 'V'));
    } else {
        Emit(strOut, "GPRMB,V,,,,,,,,,,,,V");
    }

    // ZDA
    Emit(strOut, Format("GPZDA,%s,%02d,03,2026,01,00", strTime.c_str(), nDay));
    ++m_nSecond;
}
