// SPDX-License-Identifier: MIT
// The data source: a serial port with a receiver on it, a recording being replayed, or a
// receiver on the network (gpsd, TCP, UDP), in one handle slot. The poll loop takes whatever
// bytes have arrived without ever waiting; no framing or decoding happens here. It also keeps
// the list of ports found for the Comm Settings dialog.
#pragma once

#include "platform/DeviceHandle.h"
#include "source/PacedReplay.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

class CSerialDevice;

class CSerialPort {
public:
    CSerialPort() = default;
    ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens port nPort ("COM<n>:") at nBaud, 8N1, no flow control, reads that never wait;
    // nBaud 0 (Auto) looks for the receiver's rate (source/AutoBaud.h). On failure, when
    // bReportErrors, tells the user why in a "Communication Error" box; the link stays closed
    // either way.
    bool Open(int nPort, uint32_t nBaud, bool bReportErrors);
    // Opens the serial device at strPath the same way; on failure *pError says why.
    bool OpenDevice(const QString& strPath, uint32_t nBaud, QString* pError);
    // Up to nMax bytes that have arrived, 0 at once when none have or nothing is open.
    int Read(char* pBuffer, int nMax);
    // How many bytes one poll tick takes in reads of any size: everything a port holds (up to
    // a bound no receiver reaches), or 0 for a recording, which gives one read a tick.
    int TickBudget() const;
    // Closes the port or file, then pauses kSettleMs so a port driver settles before the next
    // open; the pause happens even when nothing was open. True if something was open.
    bool Close();
    static constexpr int kSettleMs = 500;
    // The pause of every later Close(); test programs that open and close links by the
    // hundred shorten it, a pseudo-terminal having no driver to settle.
    static void SetSettlePause(int nMilliseconds);
    // Makes the recording at strPath the source, replayed at nPace (CPacedReplay); "File
    // Error!" when it cannot be opened, and then no data arrives. A FIFO, a pipe or a terminal
    // serves as a live source: it opens and reads without waiting, and whatever has arrived
    // is read at each poll.
    void OpenPlaybackFile(const QString& strPath, int nPace = CPacedReplay::kFixedPace,
                          CPacedReplay::Clock clock = CPacedReplay::SteadyClock());
    // Makes hSource, open or on its way (a network source), the source.
    void Install(std::unique_ptr<CDeviceHandle> hSource) { m_hPort = std::move(hSource); }
    // Fills m_PortList, emptied first, with "COMn: - /dev/ttyUSB0 (description)" entries:
    // the ports given by RAVUZIZ_COM<n> and the serial devices the system has, in port order.
    bool DiscoverPorts();

    bool IsOpen() const { return m_hPort != nullptr; }
    // What the status bar says of the source; Kind::None while nothing is open.
    SourceStatus Status() const { return m_hPort ? m_hPort->Status() : SourceStatus{}; }
    // The replay being read, or none.
    CPacedReplay* Replay() const { return dynamic_cast<CPacedReplay*>(m_hPort.get()); }
    // A replay the user holds: the silence is not the source's. Asked at every poll tick, so
    // of the source itself rather than by finding out whether it is a replay.
    bool Paused() const { return m_hPort && m_hPort->Held(); }
    // The file being replayed, whatever name it was opened by; none while a port (or nothing)
    // is open.
    std::optional<FileIdentity> PlaybackIdentity() const {
        return m_hPort ? m_hPort->Identity() : std::nullopt;
    }

    std::unique_ptr<CDeviceHandle> m_hPort; // the open source; none when closed
    int m_nPort = 0;                        // the port last opened by number; 0 by path
    QString m_strDevice;                    // the device last opened by path; empty by number
    uint32_t m_nBaud = 4800;                // last applied
    QString m_strSource;                    // the playback file while one is open
    QStringList m_PortList;                 // ports found by the last discovery

private:
    // A port just opened becomes the source at nBaud, or looking for its rate (0).
    void InstallPort(std::unique_ptr<CSerialDevice> pDevice, uint32_t nBaud);
};
