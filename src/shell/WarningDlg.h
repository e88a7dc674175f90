// SPDX-License-Identifier: MIT
// The safety warning shown at every start; anything but "Agree" ends the program. Besides
// its texts it paints a bold blue "WARNING" heading over a black rule.
#pragma once

#include "platform/Dialog.h"

class CWarningDlg : public CDialog {
public:
    explicit CWarningDlg(QWidget* pParent = nullptr);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
};
