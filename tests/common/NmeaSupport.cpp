// SPDX-License-Identifier: MIT
#include "common/NmeaSupport.h"

#include "RecordJson.h"
#include "sim/ModernReceiverSim.h"
#include "sim/ReceiverSim.h"

#include <cstdio>
#include <fstream>
#include <sstream>

std::string Sentence(const std::string& str) {
    unsigned char nSum = 0;
    for (char c : str)
        nSum ^= static_cast<unsigned char>(c);
    char buf[8];
    std::snprintf(buf, sizeof buf, "*%02X\r\n", nSum);
    return "$" + str + buf;
}

std::string Snapshot(const CNmeaParser& parser) {
    return RecordJson(parser, MessageCounts{});
}

std::string RecordOnly(const CNmeaParser& parser) {
    std::string str = Snapshot(parser);
    for (const char* pszCounter : {"\"m_nSentenceCount\":", "\"m_nLogBytes\":"})
        if (const size_t nAt = str.find(pszCounter); nAt != std::string::npos)
            str.erase(nAt, str.find(',', nAt) + 1 - nAt);
    return str;
}

void FeedCuts(CNmeaParser& parser, const std::string& str, const std::vector<size_t>& cuts) {
    size_t nAt = 0;
    for (size_t n : cuts) {
        parser.Feed(str.data() + nAt, static_cast<uint32_t>(n));
        nAt += n;
    }
}

void FeedChunks(CNmeaParser& parser, const std::string& str, size_t nChunk) {
    for (size_t i = 0; i < str.size(); i += nChunk)
        parser.Feed(str.data() + i, static_cast<uint32_t>(std::min(nChunk, str.size() - i)));
}

std::vector<Chunking> Chunkings(size_t nLength, size_t nSplits) {
    std::vector<Chunking> out;
    for (size_t n : {size_t{1}, size_t{2}, size_t{3}, size_t{7}, size_t{255}}) {
        Chunking c{"chunks of " + std::to_string(n), {}};
        for (size_t i = 0; i < nLength; i += n)
            c.cuts.push_back(std::min(n, nLength - i));
        out.push_back(c);
    }
    const size_t nStep = std::max<size_t>(1, nLength / (nSplits + 1));
    for (size_t i = nStep; i < nLength; i += nStep)
        out.push_back({"split at " + std::to_string(i), {i, nLength - i}});
    return out;
}

std::unique_ptr<CSimReceiver> MakeSim(SimKind kind, uint32_t nSeed, double dCorrupt, int nRate) {
    if (kind == SimKind::Modern)
        return std::make_unique<CModernReceiverSim>(nSeed, dCorrupt, nRate);
    return std::make_unique<CReceiverSim>(nSeed, dCorrupt, nRate);
}

std::string Simulate(SimKind kind, int nSeconds, uint32_t nSeed, double dCorrupt, int nRate) {
    const auto pSim = MakeSim(kind, nSeed, dCorrupt, nRate);
    std::string s;
    for (int i = 0; i < nSeconds; ++i)
        pSim->NextSecond(s);
    return s;
}

std::string ReadWholeFile(const QString& strPath) {
    std::ifstream in(strPath.toStdString(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteWholeFile(const QString& strPath, const std::string& str) {
    std::ofstream(strPath.toStdString(), std::ios::binary) << str;
}
