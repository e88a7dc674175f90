// SPDX-License-Identifier: MIT
#include "shell/AppIcon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace {

// The sizes desktops pick from: the window manager is handed one picture of each.
constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

void Paint(QPainter& p, const QRect& rect) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(rect.topLeft());
    p.scale(rect.width() / 64.0, rect.height() / 64.0);
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
    p.restore();
}

// Drawn at the size asked for, each time it is asked: a set of kept pictures up to 256 px
// would hold most of a megabyte for an icon that is painted a few times in a session.
class CAppIconEngine final : public QIconEngine {
public:
    void paint(QPainter* pPainter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        Paint(*pPainter, rect);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const int nSize = qMin(size.width(), size.height());
        QPixmap pixmap(nSize, nSize);
        pixmap.fill(Qt::transparent);
        {
            QPainter p(&pixmap);
            Paint(p, pixmap.rect());
        }
        if (mode == QIcon::Normal)
            return pixmap;
        // Greyed when disabled, tinted when selected, as the style does for any other icon.
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int nSize = qMin(size.width(), size.height());
        return {nSize, nSize};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int nSize : kSizes)
            sizes.append(QSize(nSize, nSize));
        return sizes;
    }

    QString key() const override { return QStringLiteral("RavuzizAppIcon"); }
    QIconEngine* clone() const override { return new CAppIconEngine; }
};

} // namespace

QIcon AppIcon() {
    return QIcon(new CAppIconEngine);
}
