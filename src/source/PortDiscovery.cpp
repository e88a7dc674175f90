// SPDX-License-Identifier: MIT
// Which serial ports the Comm Settings dialog offers. Linux has no driver registry; the ports
// are the serial devices the system reports plus the ones the user named through
// RAVUZIZ_COM<n>, each under the port number that opens it: USB and ACM receivers, Bluetooth
// links and the UARTs of boards (see SerialDevice.h for the numbering).
#include "platform/SerialDevice.h"
#include "source/SerialPort.h"

#include <QFile>
#include <QSerialPortInfo>

#include <map>

namespace {

// The kernel makes a device node for every legacy UART it could have, ttyS0 to ttyS31, and
// reports type 0 (no UART) for those with no hardware behind them; offering them only leads
// to ports that never speak.
bool IsUartWithoutHardware(const QSerialPortInfo& info) {
    if (!info.portName().startsWith(QStringLiteral("ttyS")))
        return false;
    QFile type(QStringLiteral("/sys/class/tty/%1/type").arg(info.portName()));
    return type.open(QIODevice::ReadOnly) && type.readAll().trimmed() == "0";
}

} // namespace

bool CSerialPort::DiscoverPorts() {
    m_PortList.clear();
    std::map<int, QString> ports; // by number; an override replaces the table's device
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const int nPort = ComPortNumber(info.systemLocation());
        if (nPort <= 0 || IsUartWithoutHardware(info))
            continue;
        QString strDescription = info.description();
        if (strDescription.isEmpty())
            strDescription = info.manufacturer();
        ports[nPort] = strDescription.isEmpty()
                           ? info.systemLocation()
                           : QStringLiteral("%1 (%2)").arg(info.systemLocation(), strDescription);
    }
    for (const auto& [nPort, strPath] : ComOverrides())
        ports[nPort] = QStringLiteral("%1 (RAVUZIZ_COM%2)").arg(strPath).arg(nPort);
    for (const auto& [nPort, strDevice] : ports)
        m_PortList.append(QStringLiteral("COM%1: - %2").arg(nPort).arg(strDevice));
    return true;
}
