// SPDX-License-Identifier: MIT
#include "source/PacedReplay.h"

#include <QElapsedTimer>

#include <algorithm>

CPacedReplay::Clock CPacedReplay::SteadyClock() {
    return [timer = std::make_shared<QElapsedTimer>()]() {
        if (!timer->isValid())
            timer->start();
        return static_cast<double>(timer->nsecsElapsed()) * 1e-9;
    };
}

CPacedReplay::CPacedReplay(std::unique_ptr<CFileDevice> pFile, int nPace, Clock clock)
    : m_pFile(std::move(pFile)), m_Clock(std::move(clock)), m_bRegularFile(m_pFile->IsRegular()) {
    SetPace(nPace);
}

void CPacedReplay::SetPace(int nPace) {
    const bool bWasFixed = m_nPace == kFixedPace;
    m_nPace = std::max(nPace, kFixedPace);
    if (m_nPace == kFixedPace)
        return;
    // Coming from the fixed pace, the recording's times start afresh where it has got to.
    if (bWasFixed)
        m_Pace.Restart();
    m_Pace.SetSpeed(m_nPace, m_Clock());
}

void CPacedReplay::SetPaused(bool bPaused) {
    if (bPaused == m_bPaused)
        return;
    m_bPaused = bPaused;
    bPaused ? m_Pace.Pause(m_Clock()) : m_Pace.Resume(m_Clock());
}

int CPacedReplay::Read(char* pBuffer, int nMax) {
    if (m_bPaused || nMax <= 0)
        return 0;
    if (m_nPace == kFixedPace) {
        // What the recorded pace had read ahead comes first; then the file, read for read.
        if (m_Pace.Held() > 0)
            return m_Pace.TakeHeld(pBuffer, nMax);
        return m_pFile->Read(pBuffer, nMax);
    }
    // Keep the lookahead full, so the next stretch's time is known when it comes due.
    while (!m_bFileEnded && m_Pace.Room() > 0) {
        const int n = m_pFile->Read(m_Block, std::min<int>(sizeof m_Block, m_Pace.Room()));
        if (n <= 0) {
            m_bFileEnded = m_bRegularFile;
            break;
        }
        m_Pace.Append(m_Block, n);
    }
    return m_Pace.Take(pBuffer, nMax, m_Clock(), m_bFileEnded);
}

bool CPacedReplay::Ended() const {
    if (!m_bRegularFile || m_Pace.Held() > 0)
        return false;
    return m_nPace == kFixedPace ? m_pFile->Offset() >= m_pFile->Size() : m_bFileEnded;
}

SourceStatus CPacedReplay::Status() const {
    SourceStatus status = m_pFile->Status();
    const qint64 nSize = m_pFile->Size();
    if (nSize > 0)
        status.nPercent = static_cast<int>(
            std::clamp<qint64>(m_pFile->Offset() - m_Pace.Held(), 0, nSize) * 100 / nSize);
    status.state = Ended()     ? SourceStatus::State::Ended
                   : m_bPaused ? SourceStatus::State::Paused
                               : SourceStatus::State::Open;
    return status;
}
