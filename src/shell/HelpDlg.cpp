// SPDX-License-Identifier: MIT
#include "shell/HelpDlg.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

CHelpDlg::CHelpDlg(QWidget* pParent) : CDialog(pParent) {
    setWindowTitle(QStringLiteral("Ravuziz Help"));
    auto* pBrowser = new QTextBrowser(this);
    pBrowser->setOpenExternalLinks(false);
    pBrowser->setSource(QUrl(QString::fromLatin1(kPageUrl)));
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pBrowser, 1);
    pLayout->addWidget(MakeButtons(QStringLiteral("OK"), QString()));
}

bool CHelpDlg::OnInitDialog() {
    // As large as reads comfortably, but never larger than the window it belongs to, which on
    // a handheld is the whole screen.
    QSize size(520, 600);
    if (const QWidget* pOwner = parentWidget()) {
        const QRect owner = pOwner->window()->frameGeometry();
        size = size.boundedTo(owner.size());
        resize(size);
        move(owner.center() - rect().center());
    } else {
        resize(size);
    }
    return true;
}
