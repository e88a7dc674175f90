#include "RecordJson.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace {

class CJsonWriter {
public:
    std::string m_str;

    void Key(const char* pName) {
        if (!m_str.empty() && m_str.back() != '{' && m_str.back() != '[')
            m_str += ',';
        m_str += '"';
        m_str += pName;
        m_str += "\":";
    }
    void Int(int64_t n) { m_str += std::to_string(n); }
    // Shortest text that reads back to the same double.
    void Double(double d) {
        char buf[32];
        const auto result = std::to_chars(buf, buf + sizeof buf, d);
        m_str.append(buf, result.ptr);
    }
    // Bytes as Latin-1; control bytes and bytes from 0x80 escaped, so the output is plain ASCII.
    void Text(const char* p, size_t n) {
        m_str += '"';
        for (size_t i = 0; i < n; ++i) {
            const auto c = static_cast<unsigned char>(p[i]);
            if (c == '"' || c == '\\') {
                m_str += '\\';
                m_str += static_cast<char>(c);
            } else if (c < 0x20 || c >= 0x7f) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04X", c);
                m_str += buf;
            } else {
                m_str += static_cast<char>(c);
            }
        }
        m_str += '"';
    }
    void Char(char c) { Text(&c, 1); }
    template <size_t N> void Array(const char (&sz)[N]) { Text(sz, strnlen(sz, N)); }
};

// "satellites": every satellite in view, by system and number, with its signals' SNRs keyed
// by the signal ID as sent.
void SatellitesJson(CJsonWriter& w, const CGnssTable& table) {
    GnssSatelliteView sats[CGnssTable::kCapacity];
    const int n = table.List(sats);
    w.Key("satellites");
    w.m_str += '[';
    for (int i = 0; i < n; ++i) {
        const GnssSatelliteView& s = sats[i];
        w.m_str += i ? ",{" : "{";
        w.Key("system");
        w.Text(SystemName(s.id.system), std::strlen(SystemName(s.id.system)));
        w.Key("svid");
        w.Int(s.id.nSvid);
        w.Key("prn");
        w.Int(s.nPrn);
        w.Key("elevation");
        w.Int(s.nElevation);
        w.Key("azimuth");
        w.Int(s.nAzimuth);
        w.Key("snr");
        w.Int(s.nSnr);
        w.Key("used");
        w.m_str += s.bUsed ? "true" : "false";
        w.Key("signals");
        w.m_str += '{';
        GnssSignalSnr signals[CGnssTable::kKeys];
        const int nSignals = table.Signals(s.nEntry, signals);
        for (int k = 0; k < nSignals; ++k) {
            char szSignal[5] = {};
            for (int c = 0; c < 4; ++c)
                szSignal[c] = static_cast<char>(signals[k].nSignal >> (24 - 8 * c));
            if (k)
                w.m_str += ',';
            w.Text(szSignal, strnlen(szSignal, 4));
            w.m_str += ':';
            w.Int(signals[k].nSnr);
        }
        w.m_str += "}}";
    }
    w.m_str += ']';
}

} // namespace

std::string RecordJson(const CNmeaParser& r, const MessageCounts& counts) {
    CJsonWriter w;
    w.m_str += '{';
#define INT_FIELD(name)                                                                            \
    w.Key(#name);                                                                                  \
    w.Int(r.name)
#define DOUBLE_FIELD(name)                                                                         \
    w.Key(#name);                                                                                  \
    w.Double(r.name)
#define CHAR_FIELD(name)                                                                           \
    w.Key(#name);                                                                                  \
    w.Char(r.name)
    INT_FIELD(m_nGgaHour);
    INT_FIELD(m_nGgaMinute);
    INT_FIELD(m_nGgaSecond);
    DOUBLE_FIELD(m_dLatitude);
    DOUBLE_FIELD(m_dLongitude);
    INT_FIELD(m_nFixQuality);
    INT_FIELD(m_nSatsUsed);
    DOUBLE_FIELD(m_dGgaHdop);
    DOUBLE_FIELD(m_dAltitude);
    INT_FIELD(m_nGgaCount);
    INT_FIELD(m_nPrevGgaSeconds);
    DOUBLE_FIELD(m_dPrevAltitude);
    DOUBLE_FIELD(m_dVerticalSpeed);
    CHAR_FIELD(m_cGsaMode);
    INT_FIELD(m_nFixMode);
    w.Key("m_nUsedPrn");
    w.m_str += '[';
    for (int i = 0; i < CNmeaParser::kUsedPrns; ++i) {
        if (i)
            w.m_str += ',';
        w.Int(r.m_nUsedPrn[i]);
    }
    w.m_str += ']';
    DOUBLE_FIELD(m_dPdop);
    DOUBLE_FIELD(m_dHdop);
    DOUBLE_FIELD(m_dVdop);
    INT_FIELD(m_nGsaCount);
    INT_FIELD(m_nSatsInView);
    w.Key("m_Sats");
    w.m_str += '[';
    for (int i = 0; i < CNmeaParser::kSatellites; ++i) {
        const GpsSatellite& s = r.m_Sats[i];
        w.m_str += i ? ",{" : "{";
        w.Key("nPrn");
        w.Int(s.nPrn);
        w.Key("nSnr");
        w.Int(s.nSnr);
        w.Key("bUsed");
        w.Int(s.bUsed);
        w.Key("nAzimuth");
        w.Int(s.nAzimuth);
        w.Key("nElevation");
        w.Int(s.nElevation);
        w.m_str += '}';
    }
    w.m_str += ']';
    INT_FIELD(m_nGsvCount);
    CHAR_FIELD(m_cRmbStatus);
    DOUBLE_FIELD(m_dCrossTrackError);
    CHAR_FIELD(m_cSteerDirection);
    w.Key("m_szOriginWaypoint");
    w.Array(r.m_szOriginWaypoint);
    w.Key("m_szDestWaypoint");
    w.Array(r.m_szDestWaypoint);
    DOUBLE_FIELD(m_dDestLatitude);
    DOUBLE_FIELD(m_dDestLongitude);
    DOUBLE_FIELD(m_dRangeToDest);
    DOUBLE_FIELD(m_dBearingToDest);
    DOUBLE_FIELD(m_dClosingVelocity);
    CHAR_FIELD(m_cArrivalStatus);
    INT_FIELD(m_nRmbCount);
    INT_FIELD(m_nRmcHour);
    INT_FIELD(m_nRmcMinute);
    INT_FIELD(m_nRmcSecond);
    CHAR_FIELD(m_cRmcStatus);
    DOUBLE_FIELD(m_dRmcLatitude);
    DOUBLE_FIELD(m_dRmcLongitude);
    DOUBLE_FIELD(m_dSpeedKnots);
    DOUBLE_FIELD(m_dCourse);
    INT_FIELD(m_nRmcDay);
    INT_FIELD(m_nRmcMonth);
    INT_FIELD(m_nRmcYear);
    DOUBLE_FIELD(m_dMagneticVariation);
    INT_FIELD(m_nRmcCount);
    INT_FIELD(m_nZdaHour);
    INT_FIELD(m_nZdaMinute);
    INT_FIELD(m_nZdaSecond);
    INT_FIELD(m_nZdaDay);
    INT_FIELD(m_nZdaMonth);
    INT_FIELD(m_nZdaYear);
    INT_FIELD(m_nZdaZoneHours);
    INT_FIELD(m_nZdaZoneMinutes);
    INT_FIELD(m_nZdaCount);
    INT_FIELD(m_nSentenceCount);
    INT_FIELD(m_nLogBytes);
#undef INT_FIELD
#undef DOUBLE_FIELD
#undef CHAR_FIELD
    static const char* const kMessages[] = {"WM_GPS_SENTENCE", "WM_GPS_GGA", "WM_GPS_GSV",
                                            "WM_GPS_GSA",      "WM_GPS_RMB", "WM_GPS_RMC",
                                            "WM_GPS_ZDA"};
    w.Key("messages");
    w.m_str += '{';
    for (size_t i = 0; i < counts.size(); ++i) {
        w.Key(kMessages[i]);
        w.Int(static_cast<int64_t>(counts[i]));
    }
    w.m_str += '}';
    if (r.AllSystems())
        SatellitesJson(w, r.m_Gnss);
    w.m_str += '}';
    return w.m_str;
}
