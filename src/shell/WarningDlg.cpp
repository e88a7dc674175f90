// SPDX-License-Identifier: MIT
#include "shell/WarningDlg.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int kHeadingHeight = 24; // the heading's band; the rule lies on its lower edge
constexpr QRgb kHeadingColour = qRgb(0, 0, 156);

} // namespace

CWarningDlg::CWarningDlg(QWidget* pParent) : CDialog(pParent) {
    setWindowTitle(QStringLiteral("Vadivo"));
    auto* pFirst = new QLabel(QStringLiteral("WARNING:\nDo not operate Ravuziz while driving a "
                                             "vehicle. Ravuziz is not designed as a "
                                             "navigational aid."),
                              this);
    auto* pSecond = new QLabel(
        QStringLiteral("Failure to pay full attention while operating the vehicle and road "
                       "conditions while operating the vehicle could result in an accident or "
                       "collision with property damage and personal injury."),
        this);
    for (QLabel* pLabel : {pFirst, pSecond})
        pLabel->setWordWrap(true);

    QDialogButtonBox* pButtons = MakeButtons(QStringLiteral("Agree"));

    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(11, kHeadingHeight + 8, 11, 11);
    pLayout->addWidget(pFirst);
    pLayout->addWidget(pSecond);
    pLayout->addStretch();
    pLayout->addWidget(pButtons);
    setMinimumWidth(280);
}

void CWarningDlg::paintEvent(QPaintEvent* pEvent) {
    CDialog::paintEvent(pEvent);
    // The band reaches to the display's right edge, as the dialog does on a handheld.
    const QScreen* pScreen = screen() ? screen() : QGuiApplication::primaryScreen();
    const int nDisplayWidth = pScreen ? pScreen->geometry().width() : width();
    QPainter painter(this);
    QFont bold = font();
    bold.setWeight(QFont::Bold);
    painter.setFont(bold);
    painter.setPen(QColor(kHeadingColour));
    painter.drawText(QRect(8, 0, nDisplayWidth - 8, kHeadingHeight),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QStringLiteral("WARNING"));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(0, kHeadingHeight, nDisplayWidth, kHeadingHeight);
}
