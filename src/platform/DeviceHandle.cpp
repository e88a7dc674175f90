#include "platform/DeviceHandle.h"

#include <QThread>

void Sleep(int nMilliseconds) {
    if (nMilliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(nMilliseconds));
}
