// SPDX-License-Identifier: MIT
// "Comm Settings": which serial port, at which bit rate. The caller presets the stored port
// and rate and the ports found by discovery; the dialog hands back the chosen pair and never
// touches the settings itself. "Auto" (rate 0) lets the port find its receiver's rate; any
// other rate that is not a whole number above 0 is refused with a message, and the dialog
// stays open.
#pragma once

#include "platform/Dialog.h"

#include <QStringList>

class QComboBox;

class CCommSettingsDlg : public CDialog {
public:
    explicit CCommSettingsDlg(QWidget* pParent = nullptr);

    int m_nPort = 1;
    int m_nBaud = 4800;     // 0 for "Auto"
    QStringList m_PortList; // "COMn: - <device>" entries from discovery

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    // Index of the first entry starting with strPrefix (case-insensitive), searching from the
    // second entry on and reaching the first one last; -1 when none does.
    int FindPrefix(const QString& strPrefix) const;

    QComboBox* m_pPortList;
    QComboBox* m_pBaud;
};

// The text of the refusal of a rate that is not a whole number above 0.
extern const char kBaudRefusal[];
