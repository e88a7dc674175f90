// SPDX-License-Identifier: MIT
#include "platform/Interaction.h"

#include "platform/AppInfo.h"
#include "platform/Commands.h"
#include "resources/resource.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QStandardPaths>

namespace {

constexpr unsigned kButtonsMask = 0x0F;
constexpr unsigned kIconMask = 0xF0;

class CDesktopInteraction : public CUserInteraction {
public:
    int MessageBox(QWidget* pOwner, const QString& strText, const QString& strCaption,
                   unsigned nType) override {
        QMessageBox box(pOwner);
        box.setWindowTitle(strCaption);
        box.setText(strText);
        switch (nType & kIconMask) {
            case MB_ICONSTOP: box.setIcon(QMessageBox::Critical); break;
            case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
            case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
            case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
            default: break;
        }
        switch (nType & kButtonsMask) {
            case MB_OKCANCEL:
                box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
                box.setEscapeButton(QMessageBox::Cancel);
                break;
            case MB_YESNO:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
                box.setEscapeButton(QMessageBox::No);
                break;
            default: box.setStandardButtons(QMessageBox::Ok); break;
        }
        switch (box.exec()) {
            case QMessageBox::Ok: return IDOK;
            case QMessageBox::Yes: return IDYES;
            case QMessageBox::No: return IDNO;
            default: return (nType & kButtonsMask) == MB_OK ? IDOK : IDCANCEL;
        }
    }

    int RunModal(QDialog& dialog) override { return dialog.exec(); }

    QString ChooseFile(const FileDialogRequest& request) override {
        if (request.bSave)
            return QFileDialog::getSaveFileName(request.pOwner, QString(), request.strInitialPath,
                                                request.strFilter);
        return QFileDialog::getOpenFileName(request.pOwner, QString(), request.strInitialPath,
                                            request.strFilter);
    }

    int TrackMenu(QMenu& menu, const QPoint& ptScreen) override {
        return CommandIdOf(menu.exec(ptScreen));
    }
};

CDesktopInteraction g_DesktopInteraction;
CUserInteraction* g_pInteraction = &g_DesktopInteraction;

bool ChooseFile(QWidget* pOwner, bool bSave, const QString& strFilter,
                const QString& strInitialName, const QString& strFolder, QString& strPath) {
    const QString strChosen = UserInteraction().ChooseFile(
        {pOwner, bSave, QtFileFilter(strFilter), InitialFilePath(strInitialName, strFolder)});
    if (strChosen.isEmpty())
        return false;
    strPath = strChosen;
    return true;
}

} // namespace

CUserInteraction& UserInteraction() {
    return *g_pInteraction;
}

CUserInteraction* SetUserInteraction(CUserInteraction* pInteraction) {
    CUserInteraction* pPrevious = g_pInteraction;
    g_pInteraction = pInteraction ? pInteraction : &g_DesktopInteraction;
    return pPrevious;
}

int MessageBox(const QString& strText, unsigned nType, const QString& strCaption, QWidget* pOwner) {
    const QString strTitle = strCaption.isEmpty() ? QString::fromLatin1(kAppName) : strCaption;
    return UserInteraction().MessageBox(pOwner, strText, strTitle, nType);
}

bool GetOpenFilePath(QWidget* pOwner, const QString& strFilter, const QString& strInitialName,
                     QString& strPath, const QString& strFolder) {
    return ChooseFile(pOwner, false, strFilter, strInitialName, strFolder, strPath);
}

bool GetSaveFilePath(QWidget* pOwner, const QString& strFilter, const QString& strInitialName,
                     QString& strPath, const QString& strFolder) {
    return ChooseFile(pOwner, true, strFilter, strInitialName, strFolder, strPath);
}

QString QtFileFilter(const QString& strFilter) {
    // Description and pattern alternate; empty fields end the list.
    const QStringList parts = strFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        // "*.*" matches every name in the program's filters, but in Qt's only names with a
        // dot: a recording saved without an extension would not show under "All Files".
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& strPattern : patterns)
            if (strPattern == QLatin1String("*.*"))
                strPattern = QStringLiteral("*");
        // Qt applies the patterns it reads from the parentheses at the end of the text, so
        // they are written there as the pattern field gives them.
        QString strDescription = parts[i];
        const qsizetype nOpen = strDescription.lastIndexOf(QLatin1Char('('));
        if (nOpen >= 0 && strDescription.endsWith(QLatin1Char(')')))
            strDescription.truncate(nOpen);
        filters << strDescription.trimmed() + QStringLiteral(" (") +
                       patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString InitialFilePath(const QString& strInitialName, const QString& strGivenFolder) {
    QString strFolder = strGivenFolder;
    if (strFolder.isEmpty() || !QFileInfo(strFolder).isDir())
        strFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (strFolder.isEmpty() || !QDir(strFolder).exists())
        strFolder = QDir::homePath();
    QString strName = strInitialName;
    strName.replace(QLatin1Char('\\'), QLatin1Char('/'));
    strName = strName.section(QLatin1Char('/'), -1);
    return strName.isEmpty() ? strFolder : QDir(strFolder).filePath(strName);
}
