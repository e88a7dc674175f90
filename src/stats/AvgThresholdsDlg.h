// SPDX-License-Identifier: MIT
// The "Average Thresholds" dialog: whether DOP thresholds keep poor fixes out of the position
// averages, which DOP is tested for latitude/longitude (HDOP or PDOP) and for altitude (VDOP
// or PDOP), and the two threshold values. A threshold must be a number above 0 (0 or less
// would refuse every sample of its coordinates): OK with any other text says so and leaves
// the dialog open.
//
//     CAvgThresholdsDlg dlg(pParent);
//     dlg.ReadSettings();
//     if (dlg.DoModal() == IDOK)
//         dlg.WriteSettings();
#pragma once

#include "platform/Dialog.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

class CAvgThresholdsDlg : public CDialog {
public:
    explicit CAvgThresholdsDlg(QWidget* pParent = nullptr);

    // Fills the members from the settings store (section "Averaging").
    void ReadSettings();
    // Writes the members to the settings store.
    void WriteSettings() const;

    int m_bLatLonUseHdop = 1; // 1 HDOP, 0 PDOP; other values check neither button
    int m_bAltUseVdop = 1;    // 1 VDOP, 0 PDOP; likewise
    int m_bUseAveraging = 1;
    double m_dLatLonThreshold = 3.0;
    double m_dAltThreshold = 3.0;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    QCheckBox* m_pUseAveraging;
    QRadioButton* m_pLatLonHdop;
    QRadioButton* m_pLatLonPdop;
    QLineEdit* m_pLatLonThreshold;
    QRadioButton* m_pAltVdop;
    QRadioButton* m_pAltPdop;
    QLineEdit* m_pAltThreshold;
};

// The text of the refusal of a threshold that is not a number above 0.
extern const char kThresholdRefusal[];
