// SPDX-License-Identifier: MIT
// The store is QSettings for the company key and application name (on Linux the file
// ~/.config/VEVO/Ravuziz.conf), one group per section. A QSettings object keeps its own view
// of the file, so each call opens a fresh one: it rereads the file if it changed on disk and
// shares the process's pending writes, and each write is synced at once.
#include "settings/SettingsStore.h"

#include "platform/AppInfo.h"

#include <QSettings>
#include <QVariant>

namespace {

QString Key(const QString& strSection, const QString& strName) {
    return strSection + QLatin1Char('/') + strName;
}

// Copy elision lets the non-movable QSettings be returned.
QSettings OpenStore() {
    return QSettings(QString::fromLatin1(kCompanyKey), QString::fromLatin1(kAppName));
}

// The file holds texts, but values written by this process read back with their own type
// until the file is reread; both must give the same answer.
bool IsTextOrInt(const QVariant& value) {
    return value.typeId() == QMetaType::QString || value.typeId() == QMetaType::Int;
}

bool Write(const QString& strSection, const QString& strName, const QVariant& value) {
    QSettings store = OpenStore();
    store.setValue(Key(strSection, strName), value);
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace

int ReadSettingInt(const QString& strSection, const QString& strName, int nDefault) {
    QSettings store = OpenStore();
    const QVariant value = store.value(Key(strSection, strName));
    // An integer is a value that reads completely as a decimal 32-bit int.
    if (!IsTextOrInt(value))
        return nDefault;
    bool bOk = false;
    const int nValue = value.toString().toInt(&bOk, 10);
    return bOk ? nValue : nDefault;
}

bool WriteSettingInt(const QString& strSection, const QString& strName, int nValue) {
    return Write(strSection, strName, nValue);
}

QString ReadSettingString(const QString& strSection, const QString& strName,
                          const QString& strDefault) {
    QSettings store = OpenStore();
    const QVariant value = store.value(Key(strSection, strName));
    // A text with an unquoted comma comes back as a list; like any other type it is not a
    // text this program wrote.
    if (!IsTextOrInt(value))
        return strDefault;
    return value.toString();
}

bool WriteSettingString(const QString& strSection, const QString& strName,
                        const QString& strValue) {
    return Write(strSection, strName, strValue);
}
