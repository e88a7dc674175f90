// SPDX-License-Identifier: MIT
// NMEA streams for tests: sentences written without their frame, the decoder's whole record
// as text for comparing two runs, the chunkings the byte path must treat alike, simulated
// drives, and whole files.
#pragma once

#include "nmea/NmeaParser.h"
#include "sim/SimReceiver.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

// Records every notification in order, posts and broadcasts alike.
struct RecordingNotify : INmeaNotify {
    std::vector<unsigned> all;
    void PostToMain(unsigned n) override { all.push_back(n); }
    void Broadcast(unsigned n) override { all.push_back(n); }
};

// Adds the checksum, the leading '$' and CR LF to a sentence written without them.
std::string Sentence(const std::string& strAddressAndBody);

// The parser's whole record and counters as text (ravuziz-decode's form, no message counts).
std::string Snapshot(const CNmeaParser& parser);
// The record alone, for two parsers whose reader counters differ by design (one of them
// recorded, or was reset after reading more).
std::string RecordOnly(const CNmeaParser& parser);

// Feeds str in pieces of the given lengths, which add up to its size.
void FeedCuts(CNmeaParser& parser, const std::string& str, const std::vector<size_t>& cuts);
// Feeds str in chunks of nChunk, the last one shorter.
void FeedChunks(CNmeaParser& parser, const std::string& str, size_t nChunk = 255);

// The chunkings of a stream of nLength bytes worth comparing against one piece: byte by byte,
// a few odd sizes, and nSplits two-piece splits spread over the stream (every one when the
// stream is shorter).
struct Chunking {
    std::string strName;
    std::vector<size_t> cuts; // piece lengths
};
std::vector<Chunking> Chunkings(size_t nLength, size_t nSplits = 64);

// The simulated receivers: the classic one (GPS only, one GSV group) and the current one (every
// system, GSV groups per band, a fix rate up to 10 Hz).
enum class SimKind { Classic, Modern };
std::unique_ptr<CSimReceiver> MakeSim(SimKind kind, uint32_t nSeed = 1, double dCorrupt = 0,
                                      int nRate = 1);
std::string Simulate(SimKind kind, int nSeconds, uint32_t nSeed = 1, double dCorrupt = 0,
                     int nRate = 1);
// nSeconds of the classic receiver's drive.
inline std::string SimulatedSeconds(int nSeconds, uint32_t nSeed = 1) {
    return Simulate(SimKind::Classic, nSeconds, nSeed);
}

std::string ReadWholeFile(const QString& strPath);
void WriteWholeFile(const QString& strPath, const std::string& str);
