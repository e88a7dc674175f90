// SPDX-License-Identifier: MIT
#include "platform/Messages.h"

#include <QApplication>
#include <QWidget>

QEvent::Type CMessageEvent::EventType() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool PostMessage(QObject* pTarget, int nMessage) {
    if (!pTarget)
        return false;
    QCoreApplication::postEvent(pTarget, new CMessageEvent(nMessage));
    return true;
}

void BroadcastMessage(int nMessage) {
    for (QWidget* pWindow : QApplication::topLevelWidgets())
        PostMessage(pWindow, nMessage);
}

int MessageOf(const QEvent* pEvent) {
    if (!pEvent || pEvent->type() != CMessageEvent::EventType())
        return 0;
    return static_cast<const CMessageEvent*>(pEvent)->Message();
}
