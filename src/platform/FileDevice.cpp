#include "platform/FileDevice.h"

#include "platform/Interaction.h"

#include <QCoreApplication>

#include <algorithm>
#include <deque>
#include <utility>

namespace {

// One box about files at a time; what comes while one is open waits in g_Notices (a modal box
// runs the event loop, so the poll ticks, and their failures, go on under it).
bool g_bFileBoxShowing = false;
std::deque<std::pair<QString, unsigned>> g_Notices;

void ShowWaitingNotices() {
    if (g_bFileBoxShowing)
        return;
    g_bFileBoxShowing = true;
    while (!g_Notices.empty()) {
        const auto [strText, nType] = g_Notices.front();
        g_Notices.pop_front();
        MessageBox(strText, nType);
    }
    g_bFileBoxShowing = false;
}

} // namespace

QString CFileError::Text() const {
    switch (m_Cause) {
        case Cause::DiskFull: return QStringLiteral("Disk full while accessing %1.").arg(m_strPath);
        case Cause::Generic:
            return QStringLiteral("An unexpected error occurred while accessing %1.")
                .arg(m_strPath);
        case Cause::None: break;
    }
    return QString();
}

bool CFileDevice::Create(const QString& strPath) {
    Close();
    m_File.setFileName(strPath);
    // Unbuffered, so a failing write fails at once rather than at some later flush.
    if (!m_File.open(QIODevice::ReadWrite | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    m_strPath = strPath;
    return true;
}

bool CFileDevice::OpenRead(const QString& strPath) {
    Close();
    m_File.setFileName(strPath);
    if (!m_File.exists() || !m_File.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    m_strPath = strPath;
    return true;
}

int CFileDevice::Read(char* pBuffer, int nMax) {
    if (!m_File.isOpen() || nMax <= 0)
        return 0;
    const qint64 nRead = m_File.read(pBuffer, nMax);
    return nRead > 0 ? static_cast<int>(nRead) : 0;
}

bool CFileDevice::Write(const char* pData, int nCount) {
    return WriteSome(pData, nCount) == std::max(nCount, 0);
}

int CFileDevice::WriteSome(const char* pData, int nCount) {
    m_LastError = CFileError();
    if (nCount <= 0)
        return 0;
    if (!m_File.isOpen()) {
        m_LastError = CFileError(CFileError::Cause::Generic, m_strPath);
        return 0;
    }
    const qint64 nWritten = m_File.write(pData, nCount);
    if (nWritten == nCount)
        return nCount;
    // Qt reports "no space left" (and a file size limit) as a resource error; a partial write
    // means the same.
    const bool bDiskFull = nWritten >= 0 || m_File.error() == QFileDevice::ResourceError;
    m_LastError =
        CFileError(bDiskFull ? CFileError::Cause::DiskFull : CFileError::Cause::Generic, m_strPath);
    m_File.unsetError();
    return nWritten > 0 ? static_cast<int>(nWritten) : 0;
}

bool CFileDevice::Truncate(qint64 nSize) {
    return m_File.isOpen() && m_File.resize(nSize) && m_File.seek(nSize);
}

void CFileDevice::Close() {
    if (m_File.isOpen())
        m_File.close();
    m_strPath.clear();
}

void ReportFileError(const CFileError& error) {
    MessageBox(error.Text(), MB_OK | MB_ICONEXCLAMATION);
}

void PostFileError(const CFileError& error) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [error] {
            if (g_bFileBoxShowing)
                return;
            g_bFileBoxShowing = true;
            ReportFileError(error);
            g_bFileBoxShowing = false;
            ShowWaitingNotices();
        },
        Qt::QueuedConnection);
}

void PostFileNotice(const QString& strText, unsigned nType) {
    g_Notices.emplace_back(strText, nType);
    QMetaObject::invokeMethod(QCoreApplication::instance(), ShowWaitingNotices,
                              Qt::QueuedConnection);
}
