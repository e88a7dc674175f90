// SPDX-License-Identifier: MIT
// Receivers on the network: NMEA over a TCP connection (phones, multiplexers, network
// receivers; port 10110 is NMEA's own) and NMEA broadcast in UDP datagrams. Both read like a
// serial port: whatever has arrived, at once, never waiting. A TCP source that cannot connect
// or loses its peer tries again on its own, waiting longer each time (1 s up to 30 s), without
// bothering the user: the program shows the silence and the status says why. The wait starts
// again from 1 s once a connection has brought bytes. A connection
// that neither comes nor fails (a host that drops what it is sent) is given up after 10 s.
#pragma once

#include "platform/DeviceHandle.h"

#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#include <functional>

enum class LinkState { Connecting, Open, Waiting };

class CTcpDevice : public QObject, public CDeviceHandle {
public:
    static constexpr int kFirstRetryMs = 1000;
    static constexpr int kLastRetryMs = 30000;
    static constexpr int kConnectTimeoutMs = 10000;

    CTcpDevice(const QString& strHost, quint16 nPort);
    ~CTcpDevice() override;

    // How long it waits before the first retry and at most; tests shorten it.
    void SetRetryRange(int nFirstMs, int nLastMs) {
        m_nFirstRetryMs = m_nRetryMs = nFirstMs;
        m_nLastRetryMs = nLastMs;
    }
    int Attempts() const { return m_nAttempts; }

    // Starts connecting; the connection comes (or fails) while the event loop runs.
    void Start();
    int Read(char* pBuffer, int nMax) override;
    void Close() override;
    bool DrainsEachTick() const override { return true; }
    SourceStatus Status() const override;

    // Sends a request to the peer once connected (gpsd's watch); false when not connected.
    bool Send(const QByteArray& bytes);
    // Called on every (re)connection.
    void SetOnConnected(std::function<void()> onConnected) {
        m_OnConnected = std::move(onConnected);
    }

    LinkState State() const { return m_State; }
    // Why the last connection failed or ended, in the system's words; empty while none did.
    const QString& Problem() const { return m_strProblem; }
    int RetryMs() const { return m_nRetryMs; }
    const QString& Host() const { return m_strHost; }
    quint16 Port() const { return m_nPort; }

private:
    void Connect();
    void Lost(const QString& strProblem);

    QString m_strHost;
    quint16 m_nPort;
    QTcpSocket m_Socket;
    QTimer m_Retry;
    QTimer m_ConnectTimeout;
    LinkState m_State = LinkState::Connecting;
    QString m_strProblem;
    int m_nFirstRetryMs = kFirstRetryMs;
    int m_nLastRetryMs = kLastRetryMs;
    int m_nRetryMs = kFirstRetryMs;
    int m_nAttempts = 0;
    bool m_bClosed = false;
    std::function<void()> m_OnConnected;
};

class CUdpDevice : public QObject, public CDeviceHandle {
public:
    explicit CUdpDevice(quint16 nPort);

    // Listens on the port, on every address; false with Problem() when it cannot.
    bool Open();
    // Datagrams are taken whole and handed out in reads of any size.
    int Read(char* pBuffer, int nMax) override;
    void Close() override;
    bool DrainsEachTick() const override { return true; }
    SourceStatus Status() const override;

    const QString& Problem() const { return m_strProblem; }
    quint16 Port() const { return m_nPort; }

private:
    quint16 m_nPort;
    QUdpSocket m_Socket;
    QString m_strProblem;
    // The datagram being handed out; the largest UDP datagram fits.
    char m_Datagram[65536];
    int m_nBegin = 0;
    int m_nEnd = 0;
};
