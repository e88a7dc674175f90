// SPDX-License-Identifier: MIT
#include "source/RecordedPace.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The recording time of a sentence line, in seconds of the day; -1 when it carries none.
double LineTime(const char* p, int n) {
    if (n < 7 || p[0] != '$')
        return -1;
    const auto is = [p](const char* pszType) { return std::memcmp(p + 3, pszType, 3) == 0; };
    // The field of the time: the first for most, the fifth for GLL.
    int nField = is("GGA") || is("RMC") || is("ZDA") || is("GNS") ? 1 : is("GLL") ? 5 : 0;
    if (nField == 0)
        return -1;
    int i = 0;
    for (; i < n && nField > 0; ++i)
        if (p[i] == ',')
            --nField;
    if (i + 6 > n)
        return -1;
    for (int k = 0; k < 6; ++k)
        if (!IsDigit(p[i + k]))
            return -1;
    const auto two = [p, i](int k) { return (p[i + k] - '0') * 10 + (p[i + k + 1] - '0'); };
    double dSeconds = two(0) * 3600.0 + two(2) * 60.0 + two(4);
    if (i + 6 < n && p[i + 6] == '.') {
        double dScale = 0.1;
        for (int k = i + 7; k < n && IsDigit(p[k]); ++k, dScale /= 10)
            dSeconds += (p[k] - '0') * dScale;
    }
    return dSeconds;
}

} // namespace

void CRecordedPace::Compact() {
    if (m_nBegin == 0)
        return;
    std::memmove(m_Buffer, m_Buffer + m_nBegin, static_cast<size_t>(m_nEnd - m_nBegin));
    m_nDue -= m_nBegin;
    m_nEnd -= m_nBegin;
    m_nBegin = 0;
}

void CRecordedPace::Append(const char* pBytes, int nCount) {
    if (nCount > kBufferBytes - m_nEnd)
        Compact();
    if (nCount > kBufferBytes - m_nEnd)
        nCount = kBufferBytes - m_nEnd;
    std::memcpy(m_Buffer + m_nEnd, pBytes, static_cast<size_t>(nCount));
    m_nEnd += nCount;
}

double CRecordedPace::StreamTime(double dNow) const {
    const double dClock = m_bPaused ? m_dPausedAt : dNow;
    return m_dAnchorTime + (dClock - m_dAnchorNow) * m_dSpeed;
}

void CRecordedPace::Release(double dNow, bool bEnd) {
    while (m_nDue < m_nEnd) {
        const void* pNewline =
            std::memchr(m_Buffer + m_nDue, '\n', static_cast<size_t>(m_nEnd - m_nDue));
        int nLineEnd =
            pNewline ? static_cast<int>(static_cast<const char*>(pNewline) - m_Buffer) + 1 : m_nEnd;
        // A line not ended yet waits for its end, unless there is none to come or no room
        // for it: a file of one endless line must not stall.
        const bool bBufferIsOneLine = m_nDue == 0 && m_nEnd == kBufferBytes;
        if (!pNewline && !bEnd && !bBufferIsOneLine)
            return;
        const double dTime = LineTime(m_Buffer + m_nDue, nLineEnd - m_nDue);
        if (dTime >= 0) {
            if (!m_bAnchored || dTime < m_dLastTime || dTime - m_dLastTime > kMaxWaitSeconds) {
                m_bAnchored = true;
                m_dAnchorTime = dTime;
                m_dAnchorNow = m_bPaused ? m_dPausedAt : dNow;
            } else if (dTime > StreamTime(dNow) + 1e-9) {
                return; // not yet
            }
            m_dLastTime = dTime;
        }
        m_nDue = nLineEnd;
    }
}

int CRecordedPace::Take(char* pBuffer, int nMax, double dNow, bool bEnd) {
    Release(dNow, bEnd);
    return TakeUpTo(m_nDue, pBuffer, nMax);
}

int CRecordedPace::TakeHeld(char* pBuffer, int nMax) {
    return TakeUpTo(m_nEnd, pBuffer, nMax);
}

int CRecordedPace::TakeUpTo(int nLimit, char* pBuffer, int nMax) {
    int n = nLimit - m_nBegin;
    if (n > nMax)
        n = nMax;
    if (n <= 0)
        return 0;
    std::memcpy(pBuffer, m_Buffer + m_nBegin, static_cast<size_t>(n));
    m_nBegin += n;
    m_nDue = std::max(m_nDue, m_nBegin);
    if (m_nBegin == m_nEnd)
        m_nBegin = m_nDue = m_nEnd = 0;
    return n;
}

void CRecordedPace::Pause(double dNow) {
    if (m_bPaused)
        return;
    m_bPaused = true;
    m_dPausedAt = dNow;
}

void CRecordedPace::Resume(double dNow) {
    if (!m_bPaused)
        return;
    m_bPaused = false;
    m_dAnchorNow += dNow - m_dPausedAt;
}

void CRecordedPace::SetSpeed(double dSpeed, double dNow) {
    if (!(dSpeed > 0))
        return;
    m_dAnchorTime = StreamTime(dNow);
    m_dAnchorNow = m_bPaused ? m_dPausedAt : dNow;
    m_dSpeed = dSpeed;
}
