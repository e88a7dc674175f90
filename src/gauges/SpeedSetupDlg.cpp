// SPDX-License-Identifier: MIT
#include "gauges/SpeedSetupDlg.h"

#include "platform/Interaction.h"
#include "platform/NumberText.h"
#include "resources/resource.h"
#include "settings/SettingNames.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

const char kMaxSpeedRefusal[] = "Please enter a maximum speed greater than 0.";

namespace {

// In this order, unsorted: the usual full scales from the largest down.
constexpr const char* kUsualSpeeds[] = {"500", "250", "200", "150", "100", "50", "20", "10"};

} // namespace

CSpeedSetupDlg::CSpeedSetupDlg(QWidget* pParent) : CDialog(pParent), m_nMaxSpeed(kDefaultMaxSpeed) {
    setWindowTitle(QStringLiteral("Speed Setup"));

    auto* pLabel = new QLabel(QStringLiteral("Maximum Speed:"), this);
    m_pSpeed = new QComboBox(this);
    m_pSpeed->setEditable(true);
    m_pSpeed->setInsertPolicy(QComboBox::NoInsert);
    SetDlgCtrlID(m_pSpeed, IDC_MAX_SPEED);
    pLabel->setBuddy(m_pSpeed);

    // The handheld confirms from its title bar; a desktop window has no such button, so OK
    // is shown here or the dialog could only be cancelled.
    QDialogButtonBox* pButtons = MakeButtons();

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pLabel);
    pLayout->addWidget(m_pSpeed);
    pLayout->addStretch();
    pLayout->addWidget(pButtons);
}

bool CSpeedSetupDlg::OnInitDialog() {
    m_pSpeed->clear();
    for (const char* pszSpeed : kUsualSpeeds)
        m_pSpeed->addItem(QString::fromLatin1(pszSpeed));
    // The list opens on the current value, or on none when it is not listed: left on the
    // first item, Enter in the opened list would replace the value with "500". The list's
    // own "none" is set too, or it would take its first item as it opens.
    const QString strMaxSpeed = QString::number(m_nMaxSpeed);
    const int nListed = m_pSpeed->findText(strMaxSpeed);
    m_pSpeed->setCurrentIndex(nListed);
    if (nListed < 0)
        m_pSpeed->view()->setCurrentIndex(QModelIndex());
    m_pSpeed->setEditText(strMaxSpeed);
    return true;
}

void CSpeedSetupDlg::OnOK() {
    const int nMaxSpeed = TextToInt(m_pSpeed->currentText().toStdString());
    if (nMaxSpeed <= 0) {
        MessageBox(QString::fromLatin1(kMaxSpeedRefusal), MB_OK | MB_ICONEXCLAMATION, {}, this);
        m_pSpeed->setFocus();
        return;
    }
    m_nMaxSpeed = nMaxSpeed;
    CDialog::OnOK();
}
