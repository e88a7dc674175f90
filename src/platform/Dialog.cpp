#include "platform/Dialog.h"

#include "platform/Interaction.h"

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
