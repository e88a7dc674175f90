// SPDX-License-Identifier: MIT
#include "shell/NetSourceDlg.h"

#include "platform/Interaction.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CNetSourceDlg::CNetSourceDlg(Kind kind, QWidget* pParent) : CDialog(pParent), m_Kind(kind) {
    setWindowTitle(kind == Kind::Gpsd  ? QStringLiteral("gpsd")
                   : kind == Kind::Tcp ? QStringLiteral("NMEA over TCP")
                                       : QStringLiteral("NMEA over UDP"));
    auto* pLayout = new QVBoxLayout(this);
    if (kind != Kind::Udp) {
        m_pHost = new QLineEdit(this);
        SetDlgCtrlID(m_pHost, IDC_NET_HOST);
        pLayout->addWidget(new QLabel(QStringLiteral("&Host:"), this));
        pLayout->addWidget(m_pHost);
    }
    m_pPort = new QLineEdit(this);
    SetDlgCtrlID(m_pPort, IDC_NET_PORT);
    pLayout->addWidget(new QLabel(
        kind == Kind::Udp ? QStringLiteral("Listen on &port:") : QStringLiteral("&Port:"), this));
    pLayout->addWidget(m_pPort);
    pLayout->addWidget(MakeButtons());
}

bool CNetSourceDlg::OnInitDialog() {
    if (m_pHost)
        m_pHost->setText(m_strHost);
    m_pPort->setText(QString::number(m_nPort));
    return true;
}

void CNetSourceDlg::OnOK() {
    const QString strHost = m_pHost ? m_pHost->text().trimmed() : QString();
    bool bNumber = false;
    const int nPort = m_pPort->text().trimmed().toInt(&bNumber);
    if (m_pHost && strHost.isEmpty()) {
        MessageBox(QStringLiteral("Please enter the name or address of the host."),
                   MB_OK | MB_ICONEXCLAMATION, {}, this);
        m_pHost->setFocus();
        return;
    }
    if (!bNumber || nPort < 1 || nPort > 65535) {
        MessageBox(QStringLiteral("Please enter a port number from 1 to 65535."),
                   MB_OK | MB_ICONEXCLAMATION, {}, this);
        m_pPort->setFocus();
        return;
    }
    m_strHost = strHost;
    m_nPort = nPort;
    CDialog::OnOK();
}
