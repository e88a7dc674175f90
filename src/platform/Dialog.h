// SPDX-License-Identifier: MIT
// Modal dialogs and control ids. A dialog class builds its controls in its constructor, gives
// each the id its template names, fills them in OnInitDialog and reads them back in OnOK.
// DoModal runs it through the interaction seam, so a test can play the person (set the
// controls found by id, then accept) and the code around it runs unchanged:
//
//     class CSpeedSetupDlg : public CDialog {
//         bool OnInitDialog() override { m_pSpeed->setEditText(...); return true; }
//         void OnOK() override { m_nMaxSpeed = TextToInt(...); CDialog::OnOK(); }
//     };
//     if (dlg.DoModal() == IDOK) ...
#pragma once

#include "resources/resource.h"

#include <QDialog>

// Gives pControl (any widget, also a child window) the id nId within its window.
void SetDlgCtrlID(QWidget* pControl, int nId);
// The id of pControl, 0 when it has none.
int GetDlgCtrlID(const QWidget* pControl);
// The first descendant of pParent with id nId, or nullptr.
QWidget* GetDlgItem(const QWidget* pParent, int nId);

template <typename T> T* GetDlgItemAs(const QWidget* pParent, int nId) {
    return qobject_cast<T*>(GetDlgItem(pParent, nId));
}

class QDialogButtonBox;

class CDialog : public QDialog {
public:
    explicit CDialog(QWidget* pParent = nullptr);

    // Initialises the dialog and runs it modally; IDOK when it ended with OK, IDCANCEL for
    // Cancel or any other way of closing it.
    int DoModal();

    // OK and Cancel buttons, Enter and Escape, and closing the window come here.
    void accept() final { OnOK(); }
    void reject() final { OnCancel(); }

protected:
    // Runs once per DoModal, before the dialog shows, with the controls in place.
    virtual bool OnInitDialog() { return true; }
    // Ends the dialog with IDOK; an override reads the controls first.
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    void EndDialog(int nResult) { done(nResult); }
    // The dialog's button row: a default button with id IDOK and, unless strCancel is empty,
    // a Cancel button with id IDCANCEL, ending the dialog through OnOK and OnCancel.
    QDialogButtonBox* MakeButtons(const QString& strOk = QStringLiteral("OK"),
                                  const QString& strCancel = QStringLiteral("Cancel"));
};
