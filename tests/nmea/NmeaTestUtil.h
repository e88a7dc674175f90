// Helpers for feeding streams to a parser in different chunkings and observing what it posts.
#pragma once

#include "nmea/NmeaParser.h"

#include <string>
#include <vector>

// Records every notification in order; broadcasts are told apart from posts to the main window.
struct RecordingNotify : INmeaNotify {
    std::vector<unsigned> posted; // to the main window
    std::vector<unsigned> all;    // posts and broadcasts, in order
    void PostToMain(unsigned n) override {
        posted.push_back(n);
        all.push_back(n);
    }
    void Broadcast(unsigned n) override { all.push_back(n); }
};

// Adds the checksum, the leading '$' and CR LF to a sentence written without them.
std::string Sentence(const std::string& strAddressAndBody);

void FeedChunks(CNmeaParser& parser, const std::string& str, size_t nChunk);
// The parser's whole record and counters as text, for comparing two runs.
std::string Snapshot(const CNmeaParser& parser);
// The all-systems table in short: "G5 62/281 44u 1:44,8:30; E11 ?/? 0 7:0", each satellite as
// its RINEX label, elevation/azimuth ("?" never given), strongest SNR, "u" when used, and
// its signals' SNRs.
std::string GnssSummary(const CNmeaParser& parser);

// Every chunking the byte path must treat alike: whole, byte by byte, 255-byte chunks, a few
// odd sizes, and every two-piece split.
struct Chunking {
    std::string strName;
    std::vector<size_t> cuts; // chunk lengths
};
std::vector<Chunking> Chunkings(size_t nLength);
void FeedCuts(CNmeaParser& parser, const std::string& str, const std::vector<size_t>& cuts);
