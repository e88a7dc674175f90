// SPDX-License-Identifier: MIT
#include "source/GpsdFilter.h"

#include <cstring>

namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

} // namespace

void CGpsdFilter::Clear() {
    m_nLine = 0;
    m_bOverlong = false;
    m_nOutBegin = m_nOutEnd = 0;
}

void CGpsdFilter::Push(const char* pBytes, int nCount) {
    // What was not taken yet moves to the front, so the room behind it is whole.
    if (m_nOutBegin > 0) {
        std::memmove(m_Out, m_Out + m_nOutBegin, static_cast<size_t>(m_nOutEnd - m_nOutBegin));
        m_nOutEnd -= m_nOutBegin;
        m_nOutBegin = 0;
    }
    for (int i = 0; i < nCount; ++i) {
        const char c = pBytes[i];
        if (c == '\n') {
            EndLine();
        } else if (m_nLine < kLineMax) {
            m_Line[m_nLine++] = c;
        } else {
            m_bOverlong = true;
        }
    }
}

void CGpsdFilter::EndLine() {
    int n = m_nLine;
    m_nLine = 0;
    if (m_bOverlong) {
        m_bOverlong = false;
        return;
    }
    if (n > 0 && m_Line[n - 1] == '\r')
        --n;
    if (n == 0)
        return;
    const char c = m_Line[0];
    if (c == '$' || c == '!') {
        if (m_nOutEnd + n + 2 > static_cast<int>(sizeof m_Out))
            return; // the reader has not kept up with a flood; a sentence is lost, not memory
        std::memcpy(m_Out + m_nOutEnd, m_Line, static_cast<size_t>(n));
        m_Out[m_nOutEnd + n] = '\r';
        m_Out[m_nOutEnd + n + 1] = '\n';
        m_nOutEnd += n + 2;
        return;
    }
    if (c == '{')
        return; // gpsd's own reports
    bool bHex = true;
    for (int i = 0; i < n && bHex; ++i)
        bHex = IsHexDigit(m_Line[i]);
    if (bHex)
        m_bSawBinary = true;
    else
        ++m_nOtherLines;
}

int CGpsdFilter::Take(char* pBuffer, int nMax) {
    int n = m_nOutEnd - m_nOutBegin;
    if (n > nMax)
        n = nMax;
    if (n <= 0)
        return 0;
    std::memcpy(pBuffer, m_Out + m_nOutBegin, static_cast<size_t>(n));
    m_nOutBegin += n;
    if (m_nOutBegin == m_nOutEnd)
        m_nOutBegin = m_nOutEnd = 0;
    return n;
}
