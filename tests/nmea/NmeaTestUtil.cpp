#include "NmeaTestUtil.h"

#include "RecordJson.h"

#include <cstdio>

std::string Sentence(const std::string& str) {
    unsigned char nSum = 0;
    for (char c : str)
        nSum ^= static_cast<unsigned char>(c);
    char buf[8];
    std::snprintf(buf, sizeof buf, "*%02X\r\n", nSum);
    return "$" + str + buf;
}

void FeedChunks(CNmeaParser& parser, const std::string& str, size_t nChunk) {
    for (size_t i = 0; i < str.size(); i += nChunk)
        parser.Feed(str.data() + i, static_cast<uint32_t>(std::min(nChunk, str.size() - i)));
}

std::string Snapshot(const CNmeaParser& parser) {
    return RecordJson(parser, MessageCounts{});
}

std::string GnssSummary(const CNmeaParser& parser) {
    GnssSatelliteView sats[CGnssTable::kCapacity];
    const int n = parser.m_Gnss.List(sats);
    std::string s;
    for (int i = 0; i < n; ++i) {
        const GnssSatelliteView& v = sats[i];
        const GnssSatellite& e = parser.m_Gnss.Entry(v.nEntry);
        const auto known = [](bool b, int n) { return b ? std::to_string(n) : std::string("?"); };
        s += (i ? "; " : "") + std::string(1, RinexLetter(v.id.system)) +
             std::to_string(v.id.nSvid) + " " + known(e.bHasElevation, v.nElevation) + "/" +
             known(e.bHasAzimuth, v.nAzimuth) + " " + std::to_string(v.nSnr) +
             (v.bUsed ? "u " : " ");
        GnssSignalSnr signals[CGnssTable::kKeys];
        const int nSignals = parser.m_Gnss.Signals(v.nEntry, signals);
        for (int k = 0; k < nSignals; ++k) {
            for (int c = 24; c >= 0 && (signals[k].nSignal >> c & 0xFF); c -= 8)
                s += static_cast<char>(signals[k].nSignal >> c);
            s += ":" + std::to_string(signals[k].nSnr) + (k + 1 < nSignals ? "," : "");
        }
    }
    return s;
}

std::vector<Chunking> Chunkings(size_t nLength) {
    std::vector<Chunking> out;
    out.push_back({"whole", {nLength}});
    for (size_t n : {size_t{1}, size_t{2}, size_t{3}, size_t{7}, size_t{255}}) {
        Chunking c{"chunks of " + std::to_string(n), {}};
        for (size_t i = 0; i < nLength; i += n)
            c.cuts.push_back(std::min(n, nLength - i));
        out.push_back(c);
    }
    for (size_t i = 1; i < nLength; ++i)
        out.push_back({"split at " + std::to_string(i), {i, nLength - i}});
    return out;
}

void FeedCuts(CNmeaParser& parser, const std::string& str, const std::vector<size_t>& cuts) {
    size_t nAt = 0;
    for (size_t n : cuts) {
        parser.Feed(str.data() + nAt, static_cast<uint32_t>(n));
        nAt += n;
    }
}
