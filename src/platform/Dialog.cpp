// SPDX-License-Identifier: MIT
#include "platform/Dialog.h"

#include "platform/Interaction.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVariant>

namespace {

const char kControlIdProperty[] = "ravuziz_control_id";

} // namespace

void SetDlgCtrlID(QWidget* pControl, int nId) {
    if (pControl)
        pControl->setProperty(kControlIdProperty, nId);
}

int GetDlgCtrlID(const QWidget* pControl) {
    return pControl ? pControl->property(kControlIdProperty).toInt() : 0;
}

QWidget* GetDlgItem(const QWidget* pParent, int nId) {
    if (!pParent)
        return nullptr;
    for (QWidget* pChild : pParent->findChildren<QWidget*>())
        if (GetDlgCtrlID(pChild) == nId)
            return pChild;
    return nullptr;
}

CDialog::CDialog(QWidget* pParent) : QDialog(pParent) {
    setModal(true);
}

int CDialog::DoModal() {
    setResult(0);
    OnInitDialog();
    return UserInteraction().RunModal(*this) == IDOK ? IDOK : IDCANCEL;
}

QDialogButtonBox* CDialog::MakeButtons(const QString& strOk, const QString& strCancel) {
    auto* pButtons = new QDialogButtonBox(this);
    QPushButton* pOk = pButtons->addButton(strOk, QDialogButtonBox::AcceptRole);
    pOk->setDefault(true);
    SetDlgCtrlID(pOk, IDOK);
    if (!strCancel.isEmpty())
        SetDlgCtrlID(pButtons->addButton(strCancel, QDialogButtonBox::RejectRole), IDCANCEL);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return pButtons;
}
