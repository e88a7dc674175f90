// SPDX-License-Identifier: MIT
#include "platform/FileDevice.h"

#include "platform/Interaction.h"

#include <QCoreApplication>

#include <algorithm>
#include <deque>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    // Opened by hand: QFile's open of a FIFO waits for a writer, which would freeze the
    // window until one comes.
    const int nFd =
        ::open(QFile::encodeName(strPath).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (nFd < 0)
        return false;
    struct stat info {};
    if (::fstat(nFd, &info) != 0 || S_ISDIR(info.st_mode) ||
        !m_File.open(nFd, QIODevice::ReadOnly | QIODevice::Unbuffered,
                     QFileDevice::AutoCloseHandle)) {
        ::close(nFd);
        return false;
    }
    m_strPath = strPath;
    return true;
}

int CFileDevice::Read(char* pBuffer, int nMax) {
    if (!m_File.isOpen() || nMax <= 0)
        return 0;
    // Straight from the descriptor, which never waits: "nothing yet" from a FIFO, a pipe or a
    // terminal (EAGAIN), the end of a file and a failed read all mean no bytes this tick.
    const ssize_t nRead = ::read(m_File.handle(), pBuffer, static_cast<size_t>(nMax));
    return nRead > 0 ? static_cast<int>(nRead) : 0;
}

std::optional<FileIdentity> CFileDevice::Identity() const {
    struct stat info {};
    if (!m_File.isOpen() || ::fstat(m_File.handle(), &info) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

bool CFileDevice::IsRegular() const {
    struct stat info {};
    return m_File.isOpen() && ::fstat(m_File.handle(), &info) == 0 && S_ISREG(info.st_mode);
}

qint64 CFileDevice::Offset() const {
    return IsRegular() ? static_cast<qint64>(::lseek(m_File.handle(), 0, SEEK_CUR)) : -1;
}

qint64 CFileDevice::Size() const {
    struct stat info {};
    if (!IsRegular() || ::fstat(m_File.handle(), &info) != 0)
        return -1;
    return static_cast<qint64>(info.st_size);
}

SourceStatus CFileDevice::Status() const {
    SourceStatus status;
    status.kind = SourceStatus::Kind::Replay;
    status.strWhere = m_strPath;
    const qint64 nSize = Size();
    if (nSize >= 0) {
        const qint64 nOffset = std::min(Offset(), nSize);
        status.nPercent = nSize > 0 ? static_cast<int>(nOffset * 100 / nSize) : 100;
        if (nOffset >= nSize)
            status.state = SourceStatus::State::Ended;
    }
    return status;
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
