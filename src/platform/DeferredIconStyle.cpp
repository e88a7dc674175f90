// SPDX-License-Identifier: MIT
#include "platform/DeferredIconStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPointer>
#include <QStyleOption>
#include <QWidget>

#include <optional>

namespace {

// Stands for the style's icon and asks the style for it the first time it is needed.
class CDeferredIconEngine final : public QIconEngine {
public:
    CDeferredIconEngine(const QStyle* pStyle, QStyle::StandardPixmap pixmap,
                        Qt::LayoutDirection direction)
        : m_pStyle(pStyle), m_Pixmap(pixmap), m_Direction(direction) {}

    void paint(QPainter* pPainter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(pPainter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    bool isNull() override { return Icon().isNull(); }
    QString key() const override { return QStringLiteral("RavuzizDeferredIcon"); }
    QIconEngine* clone() const override {
        auto* pClone = new CDeferredIconEngine(m_pStyle, m_Pixmap, m_Direction);
        pClone->m_Icon = m_Icon;
        return pClone;
    }

private:
    const QIcon& Icon() {
        if (!m_Icon) {
            QStyleOption option;
            option.direction = m_Direction; // the mirrored arrows of a right-to-left layout
            m_Icon = m_pStyle ? m_pStyle->standardIcon(m_Pixmap, &option) : QIcon();
        }
        return *m_Icon;
    }

    QPointer<const QStyle> m_pStyle;
    QStyle::StandardPixmap m_Pixmap;
    Qt::LayoutDirection m_Direction;
    std::optional<QIcon> m_Icon;
};

} // namespace

CDeferredIconStyle::CDeferredIconStyle(const QString& strKey) : QProxyStyle(strKey) {}

QIcon CDeferredIconStyle::standardIcon(StandardPixmap pixmap, const QStyleOption* pOption,
                                       const QWidget* pWidget) const {
    if (pixmap != SP_ToolBarHorizontalExtensionButton &&
        pixmap != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(pixmap, pOption, pWidget);
    const Qt::LayoutDirection direction = pOption   ? pOption->direction
                                          : pWidget ? pWidget->layoutDirection()
                                                    : QGuiApplication::layoutDirection();
    return QIcon(new CDeferredIconEngine(baseStyle(), pixmap, direction));
}

void DeferStandardIcons() {
    if (!dynamic_cast<CDeferredIconStyle*>(QApplication::style()))
        QApplication::setStyle(new CDeferredIconStyle(QApplication::style()->name()));
}
