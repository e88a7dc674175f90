// SPDX-License-Identifier: MIT
#include "platform/SerialDevice.h"

#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSocketNotifier>

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <iterator>

namespace {

constexpr int kFirstPort = 1;
// The Comm Settings dialog reads a port number from three characters, so overrides stop at
// 999: a larger one would be listed under a number that opens another device.
constexpr int kMaxOverridePort = 999;
// What the program keeps of a port's input between polls: as much as one poll tick drains,
// a bound far above what 115200 bit/s brings in a tick. Only a flood beyond it stays with
// the driver (which drops it) rather than piling up here as ever older positions.
constexpr qint64 kReadBufferBytes = CSerialDevice::kDrainPerTick;
constexpr int kPortsPerFamily = 32;
// COM1-32 legacy and PC UARTs, 33-64 USB serial adapters, 65-96 USB modems (most USB receivers),
// 97-128 Bluetooth, then the UARTs of boards: 129-160 ARM PrimeCell (Raspberry Pi), 161-192
// i.MX, 193-224 Samsung, 225-256 OMAP, 257-288 Tegra.
constexpr const char* kFamilies[] = {"/dev/ttyS",   "/dev/ttyUSB", "/dev/ttyACM",
                                     "/dev/rfcomm", "/dev/ttyAMA", "/dev/ttymxc",
                                     "/dev/ttySAC", "/dev/ttyO",   "/dev/ttyTHS"};
constexpr int kLastPort = kFirstPort + kPortsPerFamily * static_cast<int>(std::size(kFamilies)) - 1;

QString OverrideVariable(int nPort) {
    return QStringLiteral("RAVUZIZ_COM%1").arg(nPort);
}

QString TablePath(int nPort) {
    if (nPort < kFirstPort || nPort > kLastPort)
        return QString();
    const int nIndex = nPort - kFirstPort;
    return QString::fromLatin1(kFamilies[nIndex / kPortsPerFamily]) +
           QString::number(nIndex % kPortsPerFamily);
}

// The device reports a hang-up: it is gone for good.
bool HungUp(int nFd) {
    pollfd p{nFd, POLLIN, 0};
    return nFd >= 0 && poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL));
}

} // namespace

QString ComDevicePath(int nPort) {
    if (nPort < 1 || nPort > kMaxOverridePort)
        return QString();
    const QString strOverride =
        qEnvironmentVariable(OverrideVariable(nPort).toLatin1().constData());
    if (!strOverride.isEmpty())
        return strOverride;
    return TablePath(nPort);
}

QString ResolveDeviceName(const QString& strName) {
    static const QRegularExpression comName(QStringLiteral("^COM([0-9]+):$"));
    const QRegularExpressionMatch match = comName.match(strName);
    if (!match.hasMatch())
        return QString();
    bool bOk = false;
    const int nPort = match.captured(1).toInt(&bOk);
    return bOk ? ComDevicePath(nPort) : QString();
}

int ComPortNumber(const QString& strDevicePath) {
    for (const auto& [nPort, strPath] : ComOverrides())
        if (strPath == strDevicePath)
            return nPort;
    for (int nPort = kFirstPort; nPort <= kLastPort; ++nPort)
        if (TablePath(nPort) == strDevicePath && ComDevicePath(nPort) == strDevicePath)
            return nPort;
    return 0;
}

std::vector<std::pair<int, QString>> ComOverrides() {
    static const QRegularExpression variable(QStringLiteral("^RAVUZIZ_COM([0-9]+)$"));
    std::vector<std::pair<int, QString>> overrides;
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& strKey : environment.keys()) {
        const QRegularExpressionMatch match = variable.match(strKey);
        const QString strPath = environment.value(strKey);
        bool bOk = false;
        const int nPort = match.hasMatch() ? match.captured(1).toInt(&bOk) : 0;
        if (bOk && nPort > 0 && nPort <= kMaxOverridePort && !strPath.isEmpty())
            overrides.emplace_back(nPort, strPath);
    }
    std::sort(overrides.begin(), overrides.end());
    return overrides;
}

bool CSerialDevice::Open(const QString& strName) {
    Close();
    m_strOpenError.clear();
    const QString strPath = ResolveDeviceName(strName);
    if (strPath.isEmpty()) {
        m_strOpenError = QStringLiteral("%1 is not a serial port name.").arg(strName);
        return false;
    }
    return OpenPath(strPath);
}

bool CSerialDevice::OpenPath(const QString& strPath) {
    Close();
    m_strOpenError.clear();
    m_Port.setPortName(strPath);
    m_Port.setReadBufferSize(kReadBufferBytes);
    if (m_Port.open(QIODevice::ReadWrite)) {
        m_strPath = strPath;
        QuietArrivals();
        return true;
    }
    switch (m_Port.error()) {
        case QSerialPort::DeviceNotFoundError:
            m_strOpenError = QStringLiteral("%1: no such device.").arg(strPath);
            break;
        case QSerialPort::PermissionError:
            // On Linux: no access to the device file, or another program (gpsd, a terminal)
            // holds the port.
            m_strOpenError =
                QStringLiteral("%1: %2. If the port is in use, close the other program; "
                               "otherwise add your user to the dialout group and log in again.")
                    .arg(strPath, m_Port.errorString());
            break;
        default:
            m_strOpenError = QStringLiteral("%1: %2.").arg(strPath, m_Port.errorString());
            break;
    }
    m_Port.clearError();
    return false;
}

bool CSerialDevice::Configure(int nBaud) {
    if (!m_Port.isOpen())
        return false;
    bool bOk = m_Port.setBaudRate(nBaud);
    bOk = m_Port.setDataBits(QSerialPort::Data8) && bOk;
    bOk = m_Port.setParity(QSerialPort::NoParity) && bOk;
    bOk = m_Port.setStopBits(QSerialPort::OneStop) && bOk;
    bOk = m_Port.setFlowControl(QSerialPort::NoFlowControl) && bOk;
    bOk = m_Port.setDataTerminalReady(true) && bOk;
    bOk = m_Port.setRequestToSend(true) && bOk;
    m_Port.clearError();
    return bOk;
}

void CSerialDevice::QuietArrivals() {
    // Qt's port takes in each burst the moment it arrives, and so wakes the program as often
    // as the receiver sends (ten times a second at 10 Hz), only to hold the bytes until the
    // poll's next read. The driver holds far more than one poll period brings at any bit rate
    // a receiver runs at, so the poll reads the device itself and the port's notice of
    // arrivals is put out. Were it not found, the port would take in bytes as before, and
    // reads would take them from it.
    for (QSocketNotifier* pNotifier :
         m_Port.findChildren<QSocketNotifier*>(Qt::FindDirectChildrenOnly))
        if (pNotifier->type() == QSocketNotifier::Read)
            pNotifier->setEnabled(false);
}

int CSerialDevice::Read(char* pBuffer, int nMax) {
    if (!m_Port.isOpen() || nMax <= 0)
        return 0;
    qint64 nRead = 0;
    bool bGone = false;
    if (m_Port.bytesAvailable() > 0) {
        // What the port took in itself comes first; reading it wakes its notice again.
        nRead = m_Port.read(pBuffer, nMax);
        bGone = m_Port.error() == QSerialPort::ResourceError;
        QuietArrivals();
    } else {
        do
            nRead = ::read(m_Port.handle(), pBuffer, static_cast<size_t>(nMax));
        while (nRead < 0 && errno == EINTR);
        bGone = nRead < 0 && errno != EAGAIN && errno != EWOULDBLOCK;
    }
    // Only a read that brought nothing asks whether the device is still there.
    bGone = bGone || (nRead <= 0 && HungUp(m_Port.handle()));
    // Clearing makes the port's error text afresh, a translated string at every read: only
    // an error there is gets cleared.
    if (m_Port.error() != QSerialPort::NoError)
        m_Port.clearError();
    // A device that went away (a USB receiver unplugged, the far end of a terminal closed)
    // never brings anything again, and would keep an event loop that watches it spinning;
    // closed, it reads as the silence the poll loop already handles. Its last bytes are
    // delivered first.
    if (bGone && nRead <= 0)
        m_Port.close();
    return nRead > 0 ? static_cast<int>(nRead) : 0;
}

void CSerialDevice::DropInput() {
    if (!m_Port.isOpen())
        return;
    m_Port.clear(QSerialPort::Input);
    if (m_Port.bytesAvailable() > 0) {
        m_Port.readAll(); // what Qt had taken in already
        QuietArrivals();
    }
    m_Port.clearError();
}

void CSerialDevice::Close() {
    if (m_Port.isOpen())
        m_Port.close();
    m_Port.clearError();
}

SourceStatus CSerialDevice::Status() const {
    SourceStatus status;
    status.kind = SourceStatus::Kind::Serial;
    status.strWhere = m_strPath;
    status.nNumber = static_cast<uint32_t>(m_Port.baudRate());
    return status;
}
