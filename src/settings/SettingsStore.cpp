// SPDX-License-Identifier: MIT
// The store is QSettings for the company key and application name (on Linux the file
// ~/.config/VEVO/Ravuziz.conf), one group per section. Each write opens a store of its own and
// syncs it at once, so its status tells whether the file took the value. Reads go through one
// store per thread kept open: opening one looks at four files, and the pages read their unit
// choices several times a second. QSettings objects of one process share what they hold, so
// the kept one sees every write at once; before each read one look at the user's file tells
// whether something else changed it, and then the store rereads it as a fresh one would.
// (Changes to the system-wide files are seen at the next start.)
#include "settings/SettingsStore.h"

#include "platform/AppInfo.h"

#include <QFile>
#include <QSettings>
#include <QVariant>

#include <sys/stat.h>

#include <memory>

namespace {

// What a look at the file shows of a change: a file written anew, or rewritten in place
// (its size or time moves; QSettings itself compares no more than these).
struct FileStamp {
    bool bExists = false;
    dev_t nDevice = 0;
    ino_t nInode = 0;
    off_t nSize = 0;
    long long nSeconds = 0;
    long nNanoseconds = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

FileStamp StampOf(const QByteArray& path) {
    struct stat info {};
    if (::stat(path.constData(), &info) != 0)
        return {};
    return {true,         info.st_dev,         info.st_ino,
            info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
}

class CReadStore {
public:
    QSettings& Get() {
        if (!m_pStore) {
            m_pStore = std::make_unique<QSettings>(QString::fromLatin1(kCompanyKey),
                                                   QString::fromLatin1(kAppName));
            m_Path = QFile::encodeName(m_pStore->fileName());
            m_Stamp = StampOf(m_Path);
            return *m_pStore;
        }
        if (FileStamp stamp = StampOf(m_Path); stamp != m_Stamp) {
            m_pStore->sync();
            m_Stamp = stamp;
        }
        return *m_pStore;
    }
    void Forget() { m_pStore.reset(); }

private:
    std::unique_ptr<QSettings> m_pStore;
    QByteArray m_Path;
    FileStamp m_Stamp;
};

thread_local CReadStore t_ReadStore;

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
    const bool bWritten = store.status() == QSettings::NoError;
    // A value the file did not take stays pending in what the stores share for as long as one
    // of them is open: the kept one goes first, so that the last to close takes it along and
    // reads see the file.
    if (!bWritten)
        t_ReadStore.Forget();
    return bWritten;
}

} // namespace

int ReadSettingInt(const QString& strSection, const QString& strName, int nDefault) {
    const QVariant value = t_ReadStore.Get().value(Key(strSection, strName));
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
    const QVariant value = t_ReadStore.Get().value(Key(strSection, strName));
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

void ReopenSettingsStore() {
    t_ReadStore.Forget();
}
