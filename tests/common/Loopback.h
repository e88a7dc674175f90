// SPDX-License-Identifier: MIT
// Receivers on the loopback network for tests.
#pragma once

#include <QTcpServer>

// A TCP port on the loopback address that nothing listens on (just now).
inline quint16 FreeLoopbackPort() {
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost) ? probe.serverPort() : 0;
}
