// SPDX-License-Identifier: MIT
#include "platform/DeviceHandle.h"

#include <QFile>
#include <QThread>

#include <sys/stat.h>

std::optional<FileIdentity> IdentityOfPath(const QString& strPath) {
    struct stat info {};
    if (strPath.isEmpty() || ::stat(QFile::encodeName(strPath).constData(), &info) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

void Sleep(int nMilliseconds) {
    if (nMilliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(nMilliseconds));
}
