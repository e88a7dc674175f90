// SPDX-License-Identifier: MIT
// Arbitrary bytes in arbitrary chunkings through the byte path, in either reading. After every
// chunk the reader and the record must be in a sound state (in the all-systems reading: a
// bounded table, every satellite once, in order); at the end the record must be exactly what
// the same bytes fed in one piece give, and the recording must hold every byte it counted.
#include "nmea/NmeaParser.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

// The reader's state, which only this harness looks at.
struct NmeaReaderProbe {
    static void Check(const CNmeaParser& p);
    static int State(const CNmeaParser& p) { return p.m_nState; }
};

namespace {

void Check(bool b) {
    if (!b)
        std::abort();
}

struct Notify : INmeaNotify {
    uint64_t nPosted = 0, nBroadcast = 0;
    void PostToMain(unsigned n) override {
        Check(n > WM_GPS_SENTENCE && n <= WM_GPS_ZDA);
        ++nPosted;
    }
    void Broadcast(unsigned n) override {
        Check(n == WM_GPS_SENTENCE);
        ++nBroadcast;
    }
};

// Accepts or refuses writes as the input's own bits say, like a disk that fills and frees.
struct Log : INmeaLogFile {
    uint64_t& nWritten;
    uint32_t nPattern;
    explicit Log(uint64_t& n, uint32_t nBits) : nWritten(n), nPattern(nBits | 1) {}
    Result Write(const uint8_t*, uint32_t n) override {
        nPattern = nPattern * 1103515245u + 12345u;
        const uint32_t nStored = nPattern & 0x10000 ? n / 3 : n;
        nWritten += nStored;
        return {nStored, true};
    }
};

void CheckTable(const CNmeaParser& p) {
    GnssSatelliteView sats[CGnssTable::kCapacity];
    const int n = p.m_Gnss.List(sats);
    Check(n == p.m_Gnss.InView() && n <= CGnssTable::kCapacity && n == p.m_nSatsInView);
    for (int i = 0; i < n; ++i) {
        Check(sats[i].id.IsValid() && SvidIndex(sats[i].id) >= 0);
        // Strictly ordered by system, then number: no satellite twice.
        if (i > 0)
            Check(sats[i - 1].id.system < sats[i].id.system ||
                  (sats[i - 1].id.system == sats[i].id.system &&
                   sats[i - 1].id.nSvid < sats[i].id.nSvid));
        GnssSignalSnr signals[CGnssTable::kKeys];
        const int nSignals = p.m_Gnss.Signals(sats[i].nEntry, signals);
        Check(nSignals >= 1 && nSignals <= CGnssTable::kKeys);
        uint16_t nStrongest = 0;
        for (int k = 0; k < nSignals; ++k) {
            Check(k == 0 || signals[k - 1].nSignal < signals[k].nSignal);
            nStrongest = signals[k].nSnr > nStrongest ? signals[k].nSnr : nStrongest;
        }
        Check(nStrongest == sats[i].nSnr);
    }
}

bool SameTable(const CNmeaParser& a, const CNmeaParser& b) {
    GnssSatelliteView satsA[CGnssTable::kCapacity], satsB[CGnssTable::kCapacity];
    const int n = a.m_Gnss.List(satsA);
    if (n != b.m_Gnss.List(satsB))
        return false;
    for (int i = 0; i < n; ++i) {
        const GnssSatelliteView &x = satsA[i], &y = satsB[i];
        if (!(x.id == y.id) || x.nPrn != y.nPrn || x.nElevation != y.nElevation ||
            x.nAzimuth != y.nAzimuth || x.bHasPosition != y.bHasPosition || x.nSnr != y.nSnr ||
            x.bUsed != y.bUsed)
            return false;
        GnssSignalSnr sigA[CGnssTable::kKeys], sigB[CGnssTable::kKeys];
        const int nSignals = a.m_Gnss.Signals(x.nEntry, sigA);
        if (nSignals != b.m_Gnss.Signals(y.nEntry, sigB))
            return false;
        for (int k = 0; k < nSignals; ++k)
            if (sigA[k].nSignal != sigB[k].nSignal || sigA[k].nSnr != sigB[k].nSnr)
                return false;
    }
    return true;
}

uint64_t Counts(const CNmeaParser& p) {
    return uint64_t{p.m_nGgaCount} + p.m_nGsaCount + p.m_nGsvCount + p.m_nRmbCount + p.m_nRmcCount +
           p.m_nZdaCount;
}

bool Terminated(const char* p, size_t n) {
    return std::memchr(p, 0, n) != nullptr;
}

void CheckState(const CNmeaParser& p) {
    NmeaReaderProbe::Check(p);
    Check(Terminated(p.m_szOriginWaypoint, sizeof p.m_szOriginWaypoint));
    Check(Terminated(p.m_szDestWaypoint, sizeof p.m_szDestWaypoint));
    Check(std::strlen(p.m_szOriginWaypoint) <= 24 && std::strlen(p.m_szDestWaypoint) <= 24);
    for (double d : {p.m_dLatitude,
                     p.m_dLongitude,
                     p.m_dGgaHdop,
                     p.m_dAltitude,
                     p.m_dPrevAltitude,
                     p.m_dVerticalSpeed,
                     p.m_dPdop,
                     p.m_dHdop,
                     p.m_dVdop,
                     p.m_dCrossTrackError,
                     p.m_dDestLatitude,
                     p.m_dDestLongitude,
                     p.m_dRangeToDest,
                     p.m_dBearingToDest,
                     p.m_dClosingVelocity,
                     p.m_dRmcLatitude,
                     p.m_dRmcLongitude,
                     p.m_dSpeedKnots,
                     p.m_dCourse,
                     p.m_dMagneticVariation})
        Check(std::isfinite(d));
    Check(Counts(p) <= p.SentenceCount());
    if (p.AllSystems())
        CheckTable(p);
}

template <typename T> bool Same(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameRecord(const CNmeaParser& a, const CNmeaParser& b) {
#define SAME(f) Same(a.f, b.f)
    bool bSats = true;
    for (int i = 0; i < CNmeaParser::kSatellites; ++i)
        bSats = bSats && SAME(m_Sats[i].nPrn) && SAME(m_Sats[i].nSnr) && SAME(m_Sats[i].bUsed) &&
                SAME(m_Sats[i].nAzimuth) && SAME(m_Sats[i].nElevation);
    return bSats && SAME(m_nGgaHour) && SAME(m_nGgaMinute) && SAME(m_nGgaSecond) &&
           SAME(m_dLatitude) && SAME(m_dLongitude) && SAME(m_nFixQuality) && SAME(m_nSatsUsed) &&
           SAME(m_dGgaHdop) && SAME(m_dAltitude) && SAME(m_nGgaCount) && SAME(m_nPrevGgaSeconds) &&
           SAME(m_dPrevAltitude) && SAME(m_dVerticalSpeed) && SAME(m_cGsaMode) &&
           SAME(m_nFixMode) && SAME(m_nUsedPrn) && SAME(m_dPdop) && SAME(m_dHdop) &&
           SAME(m_dVdop) && SAME(m_nGsaCount) && SAME(m_nSatsInView) && SAME(m_nGsvCount) &&
           SAME(m_cRmbStatus) && SAME(m_dCrossTrackError) && SAME(m_cSteerDirection) &&
           SAME(m_szOriginWaypoint) && SAME(m_szDestWaypoint) && SAME(m_dDestLatitude) &&
           SAME(m_dDestLongitude) && SAME(m_dRangeToDest) && SAME(m_dBearingToDest) &&
           SAME(m_dClosingVelocity) && SAME(m_cArrivalStatus) && SAME(m_nRmbCount) &&
           SAME(m_nRmcHour) && SAME(m_nRmcMinute) && SAME(m_nRmcSecond) && SAME(m_cRmcStatus) &&
           SAME(m_dRmcLatitude) && SAME(m_dRmcLongitude) && SAME(m_dSpeedKnots) &&
           SAME(m_dCourse) && SAME(m_nRmcDay) && SAME(m_nRmcMonth) && SAME(m_nRmcYear) &&
           SAME(m_dMagneticVariation) && SAME(m_nRmcCount) && SAME(m_nZdaHour) &&
           SAME(m_nZdaMinute) && SAME(m_nZdaSecond) && SAME(m_nZdaDay) && SAME(m_nZdaMonth) &&
           SAME(m_nZdaYear) && SAME(m_nZdaZoneHours) && SAME(m_nZdaZoneMinutes) &&
           SAME(m_nZdaCount) && a.SentenceCount() == b.SentenceCount() &&
           NmeaReaderProbe::State(a) == NmeaReaderProbe::State(b);
#undef SAME
}

} // namespace

void NmeaReaderProbe::Check(const CNmeaParser& p) {
    ::Check(p.m_nState >= 0 && p.m_nState <= 4);
    switch (p.m_nState) {
        case 1: ::Check(p.m_nLength < sizeof p.m_szSentenceId); break;
        case 2: ::Check(p.m_nLength < sizeof p.m_szData); break;
        case 3:
        case 4:
            ::Check(p.m_nLength < sizeof p.m_szData && p.m_szData[p.m_nLength] == '\0');
            ::Check(Terminated(p.m_szSentenceId, sizeof p.m_szSentenceId));
            break;
        default: break;
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    // The first four bytes choose the chunk sizes and the disk's mood; the rest is the stream.
    uint32_t nSeed = 0;
    for (size_t i = 0; i < 4 && i < nSize; ++i)
        nSeed = nSeed << 8 | pData[i];
    const size_t nSkip = nSize < 4 ? nSize : 4;
    const uint8_t* pStream = pData + nSkip;
    const uint32_t nStream = static_cast<uint32_t>(nSize - nSkip);

    // The seed's top bit chooses the reading.
    const bool bAllSystems = nSeed >> 31;
    Notify notify;
    CNmeaParser chunked(&notify);
    chunked.SetAllSystems(bAllSystems);
    uint64_t nWritten = 0;
    chunked.StartRecording(std::make_unique<Log>(nWritten, nSeed));
    uint64_t nSentences = 0, nCounts = 0;
    uint32_t nRandom = nSeed;
    for (uint32_t nAt = 0; nAt < nStream;) {
        nRandom = nRandom * 1664525u + 1013904223u;
        uint32_t n = (nRandom >> 16) % 300 + 1;
        if (n > nStream - nAt)
            n = nStream - nAt;
        chunked.Feed(pStream + nAt, n);
        nAt += n;
        CheckState(chunked);
        Check(chunked.SentenceCount() >= nSentences && Counts(chunked) >= nCounts);
        nSentences = chunked.SentenceCount();
        nCounts = Counts(chunked);
    }
    Check(notify.nBroadcast == chunked.SentenceCount());
    Check(notify.nPosted <= chunked.SentenceCount());
    Check(nWritten == chunked.LoggedBytes());

    CNmeaParser whole;
    whole.SetAllSystems(bAllSystems);
    whole.Feed(pStream, nStream);
    Check(SameRecord(chunked, whole));
    Check(SameTable(chunked, whole));
    return 0;
}
