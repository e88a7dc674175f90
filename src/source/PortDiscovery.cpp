// Which serial ports the Comm Settings dialog offers. Linux has no driver registry; the ports
// are the serial devices the system reports plus the ones the user named through
// RAVUZIZ_COM<n>, each under the port number that opens it. Devices outside the numbering
// (say /dev/ttyAMA0) cannot be opened by number and are reached through an override instead.
#include "platform/SerialDevice.h"
#include "source/SerialPort.h"

#include <QSerialPortInfo>

#include <map>

bool CSerialPort::DiscoverPorts() {
    m_PortList.clear();
    std::map<int, QString> ports; // by number; an override replaces the table's device
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const int nPort = ComPortNumber(info.systemLocation());
        if (nPort <= 0)
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
