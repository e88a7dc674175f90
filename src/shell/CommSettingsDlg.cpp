// SPDX-License-Identifier: MIT
#include "shell/CommSettingsDlg.h"

#include "platform/Interaction.h"
#include "platform/NumberText.h"
#include "platform/SerialDevice.h"
#include "settings/SettingNames.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kNamedPorts = 32; // "SER01:" to "SER32:", always offered
const QString kAuto = QStringLiteral("Auto");

} // namespace

const char kBaudRefusal[] = "Please enter the baud rate as a whole number greater than 0, such "
                            "as 4800, or choose Auto.";

CCommSettingsDlg::CCommSettingsDlg(QWidget* pParent) : CDialog(pParent) {
    setWindowTitle(QStringLiteral("Comm Settings"));
    m_pPortList = new QComboBox(this);
    SetDlgCtrlID(m_pPortList, IDC_PORT);
    m_pBaud = new QComboBox(this);
    m_pBaud->setEditable(true);
    for (const int nRate : kUsualBaudRates)
        m_pBaud->addItem(QString::number(nRate));
    m_pBaud->addItem(kAuto);
    SetDlgCtrlID(m_pBaud, IDC_BAUD);

    QDialogButtonBox* pButtons = MakeButtons();

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(new QLabel(QStringLiteral("Port:"), this));
    pLayout->addWidget(m_pPortList);
    pLayout->addWidget(new QLabel(QStringLiteral("Baud:"), this));
    pLayout->addWidget(m_pBaud);
    pLayout->addWidget(pButtons);
}

bool CCommSettingsDlg::OnInitDialog() {
    m_pBaud->setEditText(m_nBaud == kAutoBaud ? kAuto : QString::number(m_nBaud));

    // A sorted list, as the port list keeps itself: discovered ports and the SER names.
    QStringList entries = m_PortList;
    for (int n = 1; n <= kNamedPorts; ++n)
        entries.append(QStringLiteral("SER%1:").arg(n, 2, 10, QLatin1Char('0')));
    std::stable_sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    m_pPortList->clear();
    m_pPortList->addItems(entries);

    // The colon keeps port 1 from selecting COM10 or COM12.
    int nIndex = FindPrefix(QStringLiteral("COM%1:").arg(m_nPort));
    if (nIndex < 0)
        nIndex = FindPrefix(QStringLiteral("SER%1:").arg(m_nPort, 2, 10, QLatin1Char('0')));
    m_pPortList->setCurrentIndex(std::max(nIndex, 0));
    return true;
}

int CCommSettingsDlg::FindPrefix(const QString& strPrefix) const {
    const int nCount = m_pPortList->count();
    for (int i = 1; i <= nCount; ++i) {
        const int nIndex = i % nCount;
        if (m_pPortList->itemText(nIndex).startsWith(strPrefix, Qt::CaseInsensitive))
            return nIndex;
    }
    return -1;
}

void CCommSettingsDlg::OnOK() {
    // Only a whole number above 0 is a rate: "abc" used to read as 0, and the port was then
    // opened at 0 bit/s without a word.
    bool bNumber = false;
    const QString strBaud = m_pBaud->currentText().trimmed();
    const bool bAuto = strBaud.compare(kAuto, Qt::CaseInsensitive) == 0;
    const int nBaud = bAuto ? kAutoBaud : strBaud.toInt(&bNumber);
    if (!bAuto && (!bNumber || nBaud <= 0)) {
        MessageBox(QString::fromLatin1(kBaudRefusal), MB_OK | MB_ICONEXCLAMATION, {}, this);
        m_pBaud->setFocus();
        m_pBaud->lineEdit()->selectAll();
        return;
    }
    m_nBaud = nBaud;
    // Characters 3 to 5 of "COM12: - ...", or of "SER05:", hold the number.
    m_nPort = TextToInt(m_pPortList->currentText().mid(3, 3).toStdString());
    CDialog::OnOK();
}
