// SPDX-License-Identifier: MIT
#include "shell/AboutDlg.h"

#include "shell/AppIcon.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* pParent) : CDialog(pParent) {
    setWindowTitle(QStringLiteral("About Ravuziz"));
    auto* pIcon = new QLabel(this);
    pIcon->setPixmap(AppIcon().pixmap(32, 32));
    auto* pText = new QLabel(QStringLiteral("Ravuziz Version 1.00.3"), this);

    QDialogButtonBox* pButtons = MakeButtons(QStringLiteral("OK"), QString());

    auto* pRow = new QHBoxLayout;
    pRow->addWidget(pIcon);
    pRow->addWidget(pText, 1);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pRow);
    pLayout->addWidget(pButtons);
}

bool CAboutDlg::OnInitDialog() {
    if (QWidget* pOwner = parentWidget()) {
        adjustSize();
        const QRect owner = pOwner->window()->frameGeometry();
        move(owner.center() - rect().center());
    }
    return true;
}
