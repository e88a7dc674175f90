// SPDX-License-Identifier: MIT
// The sentence reader: a five-state machine that frames "$ID,body*HH\r\n" out of bytes that
// arrive in any chunking, keeps the running checksum, and dispatches accepted sentences.
//
//   state 0 idle        waits for '$'; everything else (line feeds, noise) is skipped
//   state 1 identifier  up to 7 characters, ended by ',' or '*'
//   state 2 body        up to 255 characters, ended by '*' (checksum follows) or CR (unchecked)
//   state 3, 4          the two checksum characters
//
// The body state runs over a whole stretch of bytes at once; that is where the time goes.
#include "nmea/NmeaFields.h"
#include "nmea/NmeaParser.h"
#include "nmea/NmeaScan.h"

#include <cstring>

namespace {

// Identifier bytes 2..5 as one word ("GGA" and its terminator), for a one-compare match.
constexpr uint32_t Tag(const char (&s)[4]) {
    return uint32_t(uint8_t(s[0])) | uint32_t(uint8_t(s[1])) << 8 | uint32_t(uint8_t(s[2])) << 16;
}

} // namespace

void CNmeaParser::Feed(const uint8_t* pBytes, uint32_t nCount) {
    const uint8_t* p = pBytes;
    const uint8_t* const pEnd = pBytes + nCount;
    // A sentence runs through the states in order, so each state falls through to the next
    // instead of going back to the switch for every byte; the switch only resumes a sentence
    // that a chunk boundary interrupted.
    while (p < pEnd) {
        switch (m_nState) {
            case 0: {
                const void* pDollar = std::memchr(p, '$', static_cast<size_t>(pEnd - p));
                if (!pDollar)
                    goto done;
                p = static_cast<const uint8_t*>(pDollar) + 1;
                m_nChecksum = 0;
                m_nLength = 0;
                m_nState = 1;
            }
                [[fallthrough]];
            case 1:
                for (;;) {
                    if (p == pEnd)
                        goto done;
                    const uint8_t c = *p++;
                    m_nChecksum ^= c;
                    if (c == ',' || c == '*')
                        break;
                    m_szSentenceId[m_nLength++] = static_cast<char>(c);
                    if (m_nLength == kIdChars) {
                        m_nState = 0; // too long: abandoned
                        goto next;
                    }
                }
                m_szSentenceId[m_nLength] = '\0';
                m_nLength = 0;
                m_nState = 2;
                [[fallthrough]];
            case 2: {
                // The whole run up to the next '*' or carriage return at once, bounded by the
                // room left in the body and by the chunk.
                const uint32_t nRoom = kBodyChars - m_nLength;
                const auto nAvailable = static_cast<uint32_t>(pEnd - p);
                const uint32_t nScan = nRoom < nAvailable ? nRoom : nAvailable;
                const uint32_t nRun = nmea::FindStarOrCr(p, nScan);
                std::memcpy(m_szData + m_nLength, p, nRun);
                m_nChecksum ^= nmea::XorBytes(p, nRun);
                m_nLength = static_cast<uint16_t>(m_nLength + nRun);
                p += nRun;
                if (m_nLength == kBodyChars) {
                    m_nState = 0; // too long: abandoned
                    goto next;
                }
                if (nRun == nScan)
                    goto done; // the chunk ended inside the body
                m_szData[m_nLength] = '\0';
                if (*p++ != '*') {
                    m_nState = 0;
                    Dispatch(); // no checksum given: accepted as it is
                    goto next;
                }
                m_nState = 3;
            }
                [[fallthrough]];
            case 3: {
                if (p == pEnd)
                    goto done;
                // The digit arithmetic is deliberately loose: any byte gives some value, and
                // only the pairs that give back the computed sum let the sentence through.
                const int c = *p++;
                const int d = c - 48;
                m_nRecvChecksum = static_cast<uint8_t>(d <= 9 ? c * 16 : (c + 9) * 16);
                m_nState = 4;
            }
                [[fallthrough]];
            case 4: {
                if (p == pEnd)
                    goto done;
                const int c = *p++;
                const int d = c - 48;
                const int v = m_nRecvChecksum | (d <= 9 ? d : c - 55);
                m_nRecvChecksum = static_cast<uint8_t>(v);
                m_nState = 0;
                if (v == m_nChecksum)
                    Dispatch();
                break;
            }
            default: m_nState = 0; break;
        }
    next:;
    }
done:
    if (m_pLogFile && nCount) {
        const INmeaLogFile::Result result = m_pLogFile->Write(pBytes, nCount);
        m_nLogBytes += result.nStored;
        if (!result.bKeepRecording)
            m_pLogFile.reset();
    }
}

void CNmeaParser::Dispatch() {
    const char* const id = m_szSentenceId;
    const uint16_t nTalker = TalkerCode(id[0], id[1]);
    bool bGsa = false;
    if (m_bAllSystems ? IsGnssTalker(nTalker) : nTalker == TalkerCode('G', 'P')) {
        const auto u = [id](int i) { return uint32_t(uint8_t(id[i])); };
        const uint32_t nTag = u(2) | u(3) << 8 | u(4) << 16 | u(5) << 24;
        using Decoder = void (CNmeaParser::*)(const CNmeaBody&);
        using GnssDecoder = void (CNmeaParser::*)(const CNmeaBody&, uint16_t);
        Decoder pDecode = nullptr;
        GnssDecoder pDecodeGnss = nullptr;
        switch (nTag) {
            case Tag("GGA"): pDecode = &CNmeaParser::DecodeGga; break;
            case Tag("GSA"):
                bGsa = true;
                if (m_bAllSystems)
                    pDecodeGnss = &CNmeaParser::DecodeGnssGsa;
                else
                    pDecode = &CNmeaParser::DecodeGsa;
                break;
            case Tag("GSV"):
                if (m_bAllSystems)
                    pDecodeGnss = &CNmeaParser::DecodeGnssGsv;
                else
                    pDecode = &CNmeaParser::DecodeGsv;
                break;
            case Tag("RMB"): pDecode = &CNmeaParser::DecodeRmb; break;
            case Tag("RMC"): pDecode = &CNmeaParser::DecodeRmc; break;
            case Tag("ZDA"): pDecode = &CNmeaParser::DecodeZda; break;
            default: break;
        }
        if (pDecode || pDecodeGnss) {
            const CNmeaBody body(m_szData, m_nLength);
            if (pDecode)
                (this->*pDecode)(body);
            else
                (this->*pDecodeGnss)(body, nTalker);
        }
    }
    // A fix's GSAs (one per system) come one after the other; anything between ends the run.
    m_Gnss.m_bGsaRun = bGsa;
    ++m_nSentenceCount;
    if (m_pNotify)
        m_pNotify->Broadcast(WM_GPS_SENTENCE);
}
