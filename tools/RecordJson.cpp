// SPDX-License-Identifier: MIT
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
    void IntField(const char* pName, int64_t n) {
        Key(pName);
        Int(n);
    }
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
};

// The record's arrays, by the kind RecordFields.h gives them.
template <size_t N> void IntListJson(CJsonWriter& w, const uint16_t (&list)[N]) {
    w.m_str += '[';
    for (size_t i = 0; i < N; ++i) {
        if (i)
            w.m_str += ',';
        w.Int(list[i]);
    }
    w.m_str += ']';
}

template <size_t N> void SatellitesJson(CJsonWriter& w, const GpsSatellite (&sats)[N]) {
    w.m_str += '[';
    for (size_t i = 0; i < N; ++i) {
        const GpsSatellite& s = sats[i];
        w.m_str += i ? ",{" : "{";
        w.IntField("nPrn", s.nPrn);
        w.IntField("nSnr", s.nSnr);
        w.IntField("bUsed", s.bUsed);
        w.IntField("nAzimuth", s.nAzimuth);
        w.IntField("nElevation", s.nElevation);
        w.m_str += '}';
    }
    w.m_str += ']';
}

template <size_t N> void TextJson(CJsonWriter& w, const char (&sz)[N]) {
    w.Text(sz, strnlen(sz, N));
}

// "satellites": every satellite in view, by system and number, with its signals' SNRs keyed
// by the signal ID as sent.
void GnssTableJson(CJsonWriter& w, const CGnssTable& table) {
    GnssSatelliteView sats[CGnssTable::kCapacity];
    const int n = table.List(sats);
    w.Key("satellites");
    w.m_str += '[';
    for (int i = 0; i < n; ++i) {
        const GnssSatelliteView& s = sats[i];
        w.m_str += i ? ",{" : "{";
        w.Key("system");
        w.Text(SystemName(s.id.system), std::strlen(SystemName(s.id.system)));
        w.IntField("svid", s.id.nSvid);
        w.IntField("prn", s.nPrn);
        w.IntField("elevation", s.nElevation);
        w.IntField("azimuth", s.nAzimuth);
        w.IntField("snr", s.nSnr);
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
#define RAVUZIZ_JSON_FIELD(kind, type, name, reset)                                                \
    w.Key(#name);                                                                                  \
    w.kind(r.name);
#define RAVUZIZ_JSON_ARRAY(kind, type, name, extent)                                               \
    w.Key(#name);                                                                                  \
    kind##Json(w, r.name);
    RAVUZIZ_GPS_RECORD(RAVUZIZ_JSON_FIELD, RAVUZIZ_JSON_ARRAY)
#undef RAVUZIZ_JSON_FIELD
#undef RAVUZIZ_JSON_ARRAY
    w.IntField("m_nSentenceCount", r.SentenceCount());
    w.IntField("m_nLogBytes", r.LoggedBytes());
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
        GnssTableJson(w, r.m_Gnss);
    w.m_str += '}';
    return w.m_str;
}
