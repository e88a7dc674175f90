// SPDX-License-Identifier: MIT
// "About Ravuziz": the icon and the version line, centred on the main window.
#pragma once

#include "platform/Dialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(QWidget* pParent = nullptr);

protected:
    bool OnInitDialog() override;
};
