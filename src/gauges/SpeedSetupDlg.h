// SPDX-License-Identifier: MIT
// "Speed Setup": the speedometer's full-scale speed, the speed at which its needle has gone
// once round. The user picks one of a few usual values or types another. Only whole numbers
// above 0 are accepted: a full scale of 0 or below gives no usable dial, so OK with such an
// entry says so and leaves the dialog open.
#pragma once

#include "platform/Dialog.h"

class QComboBox;

class CSpeedSetupDlg : public CDialog {
public:
    explicit CSpeedSetupDlg(QWidget* pParent = nullptr);

    // The full scale shown when the dialog opens, and after OK the one chosen.
    void SetMaxSpeed(int nMaxSpeed) { m_nMaxSpeed = nMaxSpeed; }
    int MaxSpeed() const { return m_nMaxSpeed; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    QComboBox* m_pSpeed;
    int m_nMaxSpeed;
};

// The text of the refusal of a maximum speed below 1.
extern const char kMaxSpeedRefusal[];
