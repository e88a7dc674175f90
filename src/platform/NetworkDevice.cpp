// SPDX-License-Identifier: MIT
#include "platform/NetworkDevice.h"

#include <cstring>

namespace {

// What the program keeps of a peer's input between polls, as for a serial port: far above
// what any receiver sends in a tick, so that only a flood stays with the system (and is lost
// there, not piled up here).
constexpr qint64 kReadBufferBytes = 64 * 1024;

} // namespace

CTcpDevice::CTcpDevice(const QString& strHost, quint16 nPort) : m_strHost(strHost), m_nPort(nPort) {
    m_Socket.setReadBufferSize(kReadBufferBytes);
    m_Retry.setSingleShot(true);
    QObject::connect(&m_Retry, &QTimer::timeout, this, [this] { Connect(); });
    m_ConnectTimeout.setSingleShot(true);
    QObject::connect(&m_ConnectTimeout, &QTimer::timeout, this, [this] {
        Lost(QStringLiteral("The connection timed out"));
        m_Socket.abort();
    });
    QObject::connect(&m_Socket, &QAbstractSocket::connected, this, [this] {
        m_ConnectTimeout.stop();
        m_State = LinkState::Open;
        m_strProblem.clear();
        if (m_OnConnected)
            m_OnConnected();
    });
    QObject::connect(&m_Socket, &QAbstractSocket::errorOccurred, this,
                     [this](QAbstractSocket::SocketError) { Lost(m_Socket.errorString()); });
    QObject::connect(&m_Socket, &QAbstractSocket::disconnected, this,
                     [this] { Lost(QStringLiteral("The peer closed the connection")); });
}

CTcpDevice::~CTcpDevice() {
    Close();
}

void CTcpDevice::Start() {
    m_bClosed = false;
    Connect();
}

void CTcpDevice::Connect() {
    if (m_bClosed)
        return;
    m_State = LinkState::Connecting;
    ++m_nAttempts;
    m_Socket.abort();
    m_ConnectTimeout.start(kConnectTimeoutMs);
    m_Socket.connectToHost(m_strHost, m_nPort);
}

void CTcpDevice::Lost(const QString& strProblem) {
    // Both the error and the disconnection report one loss; the first one counts.
    if (m_bClosed || m_State == LinkState::Waiting)
        return;
    m_State = LinkState::Waiting;
    m_ConnectTimeout.stop();
    m_strProblem = strProblem;
    m_Retry.start(m_nRetryMs);
    m_nRetryMs = std::min(m_nRetryMs * 2, m_nLastRetryMs);
}

int CTcpDevice::Read(char* pBuffer, int nMax) {
    // What arrived before a loss is still read: a peer that sends its last sentences and hangs
    // up at once loses none of them.
    if (nMax <= 0 || m_Socket.bytesAvailable() <= 0)
        return 0;
    const qint64 n = m_Socket.read(pBuffer, nMax);
    if (n <= 0)
        return 0;
    // Only a peer that sends while connected has proved itself: one that hangs up at once,
    // again and again, is tried ever less often.
    if (m_State == LinkState::Open)
        m_nRetryMs = m_nFirstRetryMs;
    return static_cast<int>(n);
}

bool CTcpDevice::Send(const QByteArray& bytes) {
    return m_State == LinkState::Open && m_Socket.write(bytes) == bytes.size();
}

void CTcpDevice::Close() {
    m_bClosed = true;
    m_Retry.stop();
    m_ConnectTimeout.stop();
    m_Socket.abort();
}

SourceStatus CTcpDevice::Status() const {
    SourceStatus status;
    status.kind = SourceStatus::Kind::Tcp;
    status.strWhere = m_strHost;
    status.nNumber = m_nPort;
    switch (m_State) {
        case LinkState::Open: break;
        case LinkState::Connecting:
            // Only the very first attempt is news; later ones are the link finding its peer.
            status.state =
                m_nAttempts <= 1 ? SourceStatus::State::Connecting : SourceStatus::State::Away;
            break;
        case LinkState::Waiting: status.state = SourceStatus::State::Away; break;
    }
    if (status.state == SourceStatus::State::Away)
        status.strProblem = m_strProblem;
    return status;
}

CUdpDevice::CUdpDevice(quint16 nPort) : m_nPort(nPort) {}

bool CUdpDevice::Open() {
    if (m_Socket.bind(QHostAddress::Any, m_nPort, QUdpSocket::ShareAddress))
        return true;
    m_strProblem = m_Socket.errorString();
    return false;
}

int CUdpDevice::Read(char* pBuffer, int nMax) {
    if (m_nBegin == m_nEnd) {
        m_nBegin = m_nEnd = 0;
        if (m_Socket.state() != QAbstractSocket::BoundState || !m_Socket.hasPendingDatagrams())
            return 0;
        const qint64 n = m_Socket.readDatagram(m_Datagram, sizeof m_Datagram);
        if (n <= 0)
            return 0;
        m_nEnd = static_cast<int>(n);
    }
    const int n = std::min(nMax, m_nEnd - m_nBegin);
    std::memcpy(pBuffer, m_Datagram + m_nBegin, static_cast<size_t>(n));
    m_nBegin += n;
    return n;
}

void CUdpDevice::Close() {
    m_Socket.close();
    m_nBegin = m_nEnd = 0;
}

SourceStatus CUdpDevice::Status() const {
    SourceStatus status;
    status.kind = SourceStatus::Kind::Udp;
    status.nNumber = m_nPort;
    return status;
}
