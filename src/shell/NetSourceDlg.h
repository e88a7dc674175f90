// SPDX-License-Identifier: MIT
// "gpsd", "NMEA over TCP" and "NMEA over UDP": where a network source is. gpsd and TCP take a
// host and a port, UDP only the port it listens on. A port must be a number from 1 to 65535
// and a host not empty: anything else is refused with a message and the dialog stays open.
// The caller reads and writes the settings.
#pragma once

#include "platform/Dialog.h"

class QLineEdit;

class CNetSourceDlg : public CDialog {
public:
    enum class Kind { Gpsd, Tcp, Udp };

    CNetSourceDlg(Kind kind, QWidget* pParent = nullptr);

    QString m_strHost;
    int m_nPort = 0;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    Kind m_Kind;
    QLineEdit* m_pHost = nullptr;
    QLineEdit* m_pPort;
};
