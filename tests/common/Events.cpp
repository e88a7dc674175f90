#include "common/Events.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
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
    QAbstractEventDispatcher* pDispatcher = QAbstractEventDispatcher::instance();
    for (const auto& timer : pDispatcher->registeredTimers(pRoot)) {
        QTimerEvent tick(timer.timerId);
        QCoreApplication::sendEvent(pRoot, &tick);
    }
    for (QObject* pChild : pRoot->children())
        FireTimers(pChild);
    ProcessPosted();
}
