// SPDX-License-Identifier: MIT
// "Help Topics": the program's help page, a resource built into it, in a browser the reader
// can scroll and follow the page's own links in. Enter or Esc closes it.
#pragma once

#include "platform/Dialog.h"

class CHelpDlg : public CDialog {
public:
    // Where the page lives among the program's resources.
    static constexpr const char* kPageUrl = "qrc:/help/help.html";

    explicit CHelpDlg(QWidget* pParent = nullptr);

protected:
    bool OnInitDialog() override;
};
