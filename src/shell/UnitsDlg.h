// SPDX-License-Identifier: MIT
// "Units": distance and speed, altitude, and the coordinate format, as indices of their
// lists, which are the stored values. The caller reads and writes the settings.
#pragma once

#include "platform/Dialog.h"

class QComboBox;

class CUnitsDlg : public CDialog {
public:
    explicit CUnitsDlg(QWidget* pParent = nullptr);

    int m_nDistanceSpeed = 0;  // 0 statute, 1 nautical, 2 metric
    int m_nAltitude = 0;       // 0 feet, 1 metres
    int m_nPositionFormat = 0; // 0 ddd°mm.mmmm, 1 ddd°mm'ss.sss, 2 ddd.dddddddd°

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    QComboBox* m_pDistanceSpeed;
    QComboBox* m_pAltitude;
    QComboBox* m_pPositionFormat;
};
