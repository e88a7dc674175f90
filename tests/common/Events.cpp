// SPDX-License-Identifier: MIT
#include "common/Events.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QThread>
#include <QTimerEvent>

bool ProcessEventsUntil(const std::function<bool()>& done, int nLimitMs) {
    QDeadlineTimer deadline(nLimitMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

void FireTimers(QObject* pRoot) {
    // Every object first: a tick may create or delete windows.
    QList<QPointer<QObject>> objects{pRoot};
    for (QObject* pChild : pRoot->findChildren<QObject*>())
        objects.append(pChild);
    QAbstractEventDispatcher* pDispatcher = QAbstractEventDispatcher::instance();
    for (const QPointer<QObject>& pObject : objects) {
        if (!pObject)
            continue;
        for (const auto& timer : pDispatcher->registeredTimers(pObject)) {
            QTimerEvent tick(timer.timerId);
            if (pObject)
                QCoreApplication::sendEvent(pObject, &tick);
        }
    }
    ProcessPosted();
}
