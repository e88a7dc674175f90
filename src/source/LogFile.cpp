// SPDX-License-Identifier: MIT
#include "source/LogFile.h"

#include "platform/Interaction.h"

CLogFile::~CLogFile() {
    if (!m_File.IsOpen())
        return;
    if (!FlushPending())
        m_File.Truncate(m_nBoundary);
    m_File.Close();
}

bool CLogFile::Create(const QString& strPath) {
    return m_File.Create(strPath);
}

CLogFile::Result CLogFile::Write(const uint8_t* pBytes, uint32_t nCount) {
    const qint64 nBoundaryBefore = m_nBoundary;
    const auto stored = [&](bool bKeep) {
        return Result{static_cast<uint32_t>(m_nBoundary - nBoundaryBefore), bKeep};
    };
    const char* p = reinterpret_cast<const char*>(pBytes);
    m_nReceived += nCount;

    if (FlushPending()) {
        const int nWritten = m_File.WriteSome(p, static_cast<int>(nCount));
        m_nWritten += nWritten;
        if (static_cast<uint32_t>(nWritten) == nCount) {
            m_nBoundary = m_nReceived;
            m_bFailing = false;
            return stored(true);
        }
        m_Pending.assign(p + nWritten, p + nCount);
        m_PendingEnds.push_back(m_nReceived);
    } else if (m_Pending.size() + nCount <= kMaxPending) {
        m_Pending.insert(m_Pending.end(), p, p + nCount);
        m_PendingEnds.push_back(m_nReceived);
    } else {
        // Kept long enough: give up cleanly rather than lose bytes from the middle.
        m_File.Truncate(m_nBoundary);
        const QString strPath = m_File.Path();
        m_File.Close();
        m_Pending.clear();
        m_PendingEnds.clear();
        PostFileNotice(QStringLiteral("Recording stopped: the disk stayed full and more than 1 MiB "
                                      "of data could not be written to %1. The file holds "
                                      "everything recorded before that.")
                           .arg(strPath),
                       MB_OK | MB_ICONEXCLAMATION);
        return stored(false);
    }
    if (!m_bFailing) {
        m_bFailing = true;
        PostFileError(m_File.LastError());
    }
    return stored(true);
}

bool CLogFile::FlushPending() {
    if (m_Pending.empty())
        return true;
    const int nWritten = m_File.WriteSome(m_Pending.data(), static_cast<int>(m_Pending.size()));
    m_nWritten += nWritten;
    m_Pending.erase(m_Pending.begin(), m_Pending.begin() + nWritten);
    AdvanceBoundary();
    return m_Pending.empty();
}

void CLogFile::AdvanceBoundary() {
    while (!m_PendingEnds.empty() && m_PendingEnds.front() <= m_nWritten) {
        m_nBoundary = m_PendingEnds.front();
        m_PendingEnds.pop_front();
    }
}
