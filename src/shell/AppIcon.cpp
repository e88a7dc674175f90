// SPDX-License-Identifier: MIT
#include "shell/AppIcon.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap Draw(int nSize) {
    QPixmap pixmap(nSize, nSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(nSize / 64.0, nSize / 64.0);
    // Sky
    p.setPen(QPen(QColor(20, 40, 90), 2));
    p.setBrush(QColor(10, 25, 70));
    p.drawEllipse(QRectF(2, 2, 60, 60));
    // Elevation rings and the north-south, east-west spokes
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(90, 140, 210), 1.5));
    p.drawEllipse(QRectF(12, 12, 40, 40));
    p.drawEllipse(QRectF(22, 22, 20, 20));
    p.drawLine(QPointF(32, 4), QPointF(32, 60));
    p.drawLine(QPointF(4, 32), QPointF(60, 32));
    // Satellites: used ones yellow, one in view only grey
    p.setPen(QPen(QColor(40, 20, 0), 1.5));
    p.setBrush(QColor(255, 215, 0));
    p.drawEllipse(QRectF(38, 14, 9, 9));
    p.drawEllipse(QRectF(15, 37, 9, 9));
    p.setBrush(QColor(170, 170, 170));
    p.drawEllipse(QRectF(43, 41, 7, 7));
    return pixmap;
}

} // namespace

QIcon AppIcon() {
    QIcon icon;
    for (int nSize : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(Draw(nSize));
    return icon;
}
