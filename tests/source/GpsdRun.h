// SPDX-License-Identifier: MIT
// The real gpsd from Debian on a loopback port of its own, reading a simulated receiver on a
// pseudo-terminal (its control socket in a folder of its own, so that no gpsd the machine runs
// as a service takes part). Everything started is stopped again.
#pragma once

#include "common/Loopback.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

// ravuziz-sim serving on a pseudo-terminal with the given options (a copy of what it sent
// kept), and gpsd reading that terminal and listening on Port().
class CGpsdRun {
public:
    bool Start(const QStringList& simOptions = {"--speed", "10"}) {
        const QString strGpsd =
            QStandardPaths::findExecutable(QStringLiteral("gpsd"), {"/usr/sbin", "/usr/bin"});
        if (strGpsd.isEmpty())
            return false;
        m_Sim.start(QStringLiteral(RAVUZIZ_BIN_DIR "/tools/ravuziz-sim"),
                    QStringList{"--pty", "--copy", m_Dir.filePath("served.nmea")} + simOptions);
        if (!m_Sim.waitForReadyRead(10000))
            return false;
        const QString strPty = QString::fromLatin1(m_Sim.readLine().trimmed());
        m_nPort = FreeLoopbackPort();
        m_Gpsd.start(strGpsd, {"-N", "-n", "-G", "-S", QString::number(m_nPort), "-F",
                               m_Dir.filePath("gpsd.sock"), strPty});
        return m_Gpsd.waitForStarted(10000);
    }
    ~CGpsdRun() {
        Stop(m_Gpsd);
        Stop(m_Sim);
    }
    quint16 Port() const { return m_nPort; }
    // Ends the receiver and returns every byte it sent.
    std::string Served() {
        Stop(m_Sim);
        QFile served(m_Dir.filePath("served.nmea"));
        return served.open(QIODevice::ReadOnly) ? served.readAll().toStdString() : std::string();
    }

private:
    static void Stop(QProcess& process) {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(5000))
            process.kill();
        process.waitForFinished(5000);
    }

    QTemporaryDir m_Dir;
    QProcess m_Sim, m_Gpsd;
    quint16 m_nPort = 0;
};
