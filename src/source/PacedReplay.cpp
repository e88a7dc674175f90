#include "source/PacedReplay.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>

CPacedReplay::Clock CPacedReplay::SteadyClock() {
    return [timer = std::make_shared<QElapsedTimer>()]() {
        if (!timer->isValid())
            timer->start();
        return static_cast<double>(timer->nsecsElapsed()) * 1e-9;
    };
}

CPacedReplay::CPacedReplay(std::unique_ptr<CFileDevice> pFile, double dSpeed, Clock clock)
    : m_pFile(std::move(pFile)), m_Clock(std::move(clock)),
      m_bRegularFile(QFileInfo(m_pFile->Path()).isFile()) {
    m_Pace.SetSpeed(dSpeed, m_Clock());
}

int CPacedReplay::Read(char* pBuffer, int nMax) {
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
