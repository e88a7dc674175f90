// SPDX-License-Identifier: MIT
// ravuziz-decode: feeds a capture to one fresh decoder in fixed-size chunks and prints what
// the decoder made of it, as one line of JSON. Lets users and scripts check a capture, and
// shows that the result does not depend on how the bytes were chunked.
#include "RecordJson.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: ravuziz-decode [--gps-only] [--chunk N] [FILE]\n"
    "Decode an NMEA 0183 capture (standard input when FILE is absent or \"-\")\n"
    "and print the resulting GPS state record as JSON.\n"
    "  --gps-only  read talker GP only, one GSV group (no \"satellites\" key); by default\n"
    "              every satellite system is read and \"satellites\" lists them all\n"
    "  --chunk N   feed the bytes in chunks of N (default 255, N >= 1)\n"
    "  --help      show this text\n";

class CCountingNotify : public INmeaNotify {
public:
    MessageCounts m_counts{};
    void PostToMain(unsigned nMessage) override { Count(nMessage); }
    void Broadcast(unsigned nMessage) override { Count(nMessage); }

private:
    void Count(unsigned nMessage) {
        if (nMessage >= WM_GPS_SENTENCE && nMessage - WM_GPS_SENTENCE < m_counts.size())
            ++m_counts[nMessage - WM_GPS_SENTENCE];
    }
};

int Fail(const std::string& strMessage) {
    std::fprintf(stderr, "ravuziz-decode: %s\n", strMessage.c_str());
    return 2;
}

bool ParseChunk(std::string_view text, uint32_t& nChunk) {
    unsigned long long n = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), n);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || n < 1 ||
        n > UINT32_MAX)
        return false;
    nChunk = static_cast<uint32_t>(n);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    uint32_t nChunk = 255;
    bool bGpsOnly = false;
    const char* pPath = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--gps-only") {
            bGpsOnly = true;
        } else if (arg == "--chunk" || arg.starts_with("--chunk=")) {
            std::string_view value;
            if (arg == "--chunk") {
                if (i + 1 >= argc)
                    return Fail("--chunk needs a number");
                value = argv[++i];
            } else {
                value = arg.substr(8);
            }
            if (!ParseChunk(value, nChunk))
                return Fail("--chunk takes a whole number from 1 to 4294967295, not '" +
                            std::string(value) + "'");
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Fail("unknown option '" + std::string(arg) + "' (try --help)");
        } else if (pPath) {
            return Fail("only one FILE may be given (try --help)");
        } else {
            pPath = argv[i];
        }
    }

    const bool bStdin = !pPath || std::string_view(pPath) == "-";
    std::FILE* pFile = bStdin ? stdin : std::fopen(pPath, "rb");
    if (!pFile)
        return Fail(std::string("cannot open ") + pPath + ": " + std::strerror(errno));

    CCountingNotify notify;
    CNmeaParser parser(&notify);
    parser.SetAllSystems(!bGpsOnly);
    // Chunks are cut from the stream as a whole, independent of how the blocks were read.
    constexpr size_t kBlock = 1 << 16;
    std::vector<uint8_t> pending;
    size_t nUsed = 0;
    for (;;) {
        pending.resize(nUsed + kBlock);
        const size_t nRead = std::fread(pending.data() + nUsed, 1, kBlock, pFile);
        nUsed += nRead;
        size_t nFed = 0;
        for (; nUsed - nFed >= nChunk; nFed += nChunk)
            parser.Feed(pending.data() + nFed, nChunk);
        std::memmove(pending.data(), pending.data() + nFed, nUsed - nFed);
        nUsed -= nFed;
        if (nRead < kBlock)
            break;
    }
    const bool bError = std::ferror(pFile);
    const int nError = errno;
    if (!bStdin)
        std::fclose(pFile);
    if (bError)
        return Fail(std::string("cannot read ") + (bStdin ? "standard input" : pPath) + ": " +
                    std::strerror(nError));
    if (nUsed)
        parser.Feed(pending.data(), static_cast<uint32_t>(nUsed));

    std::puts(RecordJson(parser, notify.m_counts).c_str());
    return std::fflush(stdout) == 0 ? 0 : Fail("cannot write standard output");
}
