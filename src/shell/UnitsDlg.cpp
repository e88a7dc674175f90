// SPDX-License-Identifier: MIT
#include "shell/UnitsDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// An index outside the list leaves it without a selection, as a stored value out of range
// shows nothing chosen.
void Select(QComboBox* pList, int nIndex) {
    pList->setCurrentIndex(nIndex >= 0 && nIndex < pList->count() ? nIndex : -1);
}

} // namespace

CUnitsDlg::CUnitsDlg(QWidget* pParent) : CDialog(pParent) {
    setWindowTitle(QStringLiteral("Units"));
    const auto list = [this](int nId, const QStringList& items) {
        auto* pList = new QComboBox(this);
        pList->addItems(items);
        SetDlgCtrlID(pList, nId);
        return pList;
    };
    m_pDistanceSpeed = list(IDC_DISTANCE_SPEED, {"Statute", "Nautical", "Metric"});
    m_pAltitude = list(IDC_ALTITUDE, {"Feet", "Meters"});
    m_pPositionFormat = list(IDC_POSITION_FORMAT, {QStringLiteral("ddd\u00B0mm.mmmm"),
                                                   QStringLiteral("ddd\u00B0mm'ss.sss"),
                                                   QStringLiteral("ddd.dddddddd\u00B0")});

    // A desktop has no caption OK button, so the dialog gets a visible one.
    QDialogButtonBox* pButtons = MakeButtons();

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(new QLabel(QStringLiteral("Distance/Speed:"), this));
    pLayout->addWidget(m_pDistanceSpeed);
    pLayout->addWidget(new QLabel(QStringLiteral("Altitude/Elevation:"), this));
    pLayout->addWidget(m_pAltitude);
    pLayout->addWidget(new QLabel(QStringLiteral("Position Format:"), this));
    pLayout->addWidget(m_pPositionFormat);
    pLayout->addWidget(pButtons);
}

bool CUnitsDlg::OnInitDialog() {
    Select(m_pDistanceSpeed, m_nDistanceSpeed);
    Select(m_pAltitude, m_nAltitude);
    Select(m_pPositionFormat, m_nPositionFormat);
    return true;
}

void CUnitsDlg::OnOK() {
    m_nDistanceSpeed = m_pDistanceSpeed->currentIndex();
    m_nAltitude = m_pAltitude->currentIndex();
    m_nPositionFormat = m_pPositionFormat->currentIndex();
    CDialog::OnOK();
}
