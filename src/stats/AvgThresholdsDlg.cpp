// SPDX-License-Identifier: MIT
#include "stats/AvgThresholdsDlg.h"

#include "platform/Interaction.h"
#include "stats/AveragingStore.h"
#include "stats/FixedText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>
#include <optional>

namespace {

// The threshold rows sit under their radio buttons, indented as on the handheld.
constexpr int kThresholdIndent = 20;

template <typename T> T* Control(QWidget* pParent, int nId, const char* pszText = nullptr) {
    auto* pControl = new T(pParent);
    if (pszText)
        pControl->setText(QString::fromUtf8(pszText));
    SetDlgCtrlID(pControl, nId);
    return pControl;
}

// "Threshold:" and its field, indented.
QHBoxLayout* ThresholdRow(QWidget* pParent, QLineEdit* pField) {
    auto* pRow = new QHBoxLayout;
    pRow->addSpacing(kThresholdIndent);
    pRow->addWidget(new QLabel(QStringLiteral("Threshold:"), pParent));
    pRow->addWidget(pField);
    return pRow;
}

// Each pair of radio buttons is its own group: choosing PDOP for altitude leaves the
// latitude/longitude choice alone.
void Group(QWidget* pParent, QRadioButton* pFirst, QRadioButton* pSecond) {
    auto* pGroup = new QButtonGroup(pParent);
    pGroup->addButton(pFirst);
    pGroup->addButton(pSecond);
}

int CheckState(const QAbstractButton* pButton) {
    return pButton->isChecked() ? 1 : 0;
}

// The field's threshold, when it holds one: a number above 0. Under the strict less-than rule
// 0, a negative number or a text without a number (which used to read as 0) would refuse
// every sample, and the averaging would stop without a word.
std::optional<double> ThresholdOf(const QLineEdit* pField) {
    bool bNumber = false;
    const double dThreshold = pField->text().trimmed().toDouble(&bNumber);
    if (!bNumber || !std::isfinite(dThreshold) || dThreshold <= 0.0)
        return std::nullopt;
    return dThreshold;
}

} // namespace

const char kThresholdRefusal[] = "Please enter a threshold greater than 0, such as 3.00.";

CAvgThresholdsDlg::CAvgThresholdsDlg(QWidget* pParent)
    : CDialog(pParent),
      m_pUseAveraging(Control<QCheckBox>(this, IDC_USE_AVERAGING, "Use Averaging thresholds")),
      m_pLatLonHdop(Control<QRadioButton>(this, IDC_LATLON_HDOP, "Use HDOP for Lat/Lon")),
      m_pLatLonPdop(Control<QRadioButton>(this, IDC_LATLON_PDOP, "Use PDOP for Lat/Lon")),
      m_pLatLonThreshold(Control<QLineEdit>(this, IDC_LATLON_THRESHOLD)),
      m_pAltVdop(Control<QRadioButton>(this, IDC_ALT_VDOP, "Use VDOP for Altitude")),
      m_pAltPdop(Control<QRadioButton>(this, IDC_ALT_PDOP, "Use PDOP for Altitude")),
      m_pAltThreshold(Control<QLineEdit>(this, IDC_ALT_THRESHOLD)) {
    setWindowTitle(QStringLiteral("Average Thresholds"));
    Group(this, m_pLatLonHdop, m_pLatLonPdop);
    Group(this, m_pAltVdop, m_pAltPdop);

    auto* pNote = new QLabel(
        QStringLiteral(
            "Include data points that have DOP values that are less than the threshold value"),
        this);
    pNote->setWordWrap(true);

    // The handheld confirms with the OK of its title bar; a desktop window has none, so the
    // OK button, hidden there, is shown here.
    auto* pOk = Control<QPushButton>(this, IDOK, "OK");
    pOk->setDefault(true);
    auto* pCancel = Control<QPushButton>(this, IDCANCEL, "Cancel");
    connect(pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(pCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(pOk);
    pButtons->addStretch();
    pButtons->addWidget(pCancel);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pUseAveraging);
    pLayout->addWidget(m_pLatLonHdop);
    pLayout->addWidget(m_pLatLonPdop);
    pLayout->addLayout(ThresholdRow(this, m_pLatLonThreshold));
    pLayout->addWidget(m_pAltVdop);
    pLayout->addWidget(m_pAltPdop);
    pLayout->addLayout(ThresholdRow(this, m_pAltThreshold));
    pLayout->addWidget(pNote);
    pLayout->addLayout(pButtons);
}

void CAvgThresholdsDlg::ReadSettings() {
    const AveragingSettings settings = ReadAveragingSettings();
    m_bUseAveraging = settings.bUseAveraging;
    m_bLatLonUseHdop = settings.bLatLonUseHdop;
    m_bAltUseVdop = settings.bAltUseVdop;
    m_dAltThreshold = settings.dAltThreshold;
    m_dLatLonThreshold = settings.dLatLonThreshold;
}

void CAvgThresholdsDlg::WriteSettings() const {
    WriteAveragingSettings(
        {m_bUseAveraging, m_bLatLonUseHdop, m_bAltUseVdop, m_dAltThreshold, m_dLatLonThreshold});
}

bool CAvgThresholdsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_pLatLonHdop->setChecked(m_bLatLonUseHdop == 1);
    m_pLatLonPdop->setChecked(m_bLatLonUseHdop == 0);
    m_pAltVdop->setChecked(m_bAltUseVdop == 1);
    m_pAltPdop->setChecked(m_bAltUseVdop == 0);
    m_pUseAveraging->setChecked(m_bUseAveraging == 1);
    // "%.02f": 3.0 shows as 3.00.
    m_pLatLonThreshold->setText(FixedText(m_dLatLonThreshold, 2));
    m_pAltThreshold->setText(FixedText(m_dAltThreshold, 2));
    return true;
}

void CAvgThresholdsDlg::OnOK() {
    // Nothing is taken until both thresholds are usable; the person corrects the field shown.
    for (QLineEdit* pField : {m_pLatLonThreshold, m_pAltThreshold}) {
        if (!ThresholdOf(pField)) {
            MessageBox(QString::fromLatin1(kThresholdRefusal), MB_OK | MB_ICONEXCLAMATION, {},
                       this);
            pField->setFocus();
            pField->selectAll();
            return;
        }
    }
    m_bUseAveraging = CheckState(m_pUseAveraging);
    // The PDOP buttons are the other half of their groups and need no reading.
    m_bLatLonUseHdop = CheckState(m_pLatLonHdop);
    m_bAltUseVdop = CheckState(m_pAltVdop);
    m_dLatLonThreshold = *ThresholdOf(m_pLatLonThreshold);
    m_dAltThreshold = *ThresholdOf(m_pAltThreshold);
    CDialog::OnOK();
}
