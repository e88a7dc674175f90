// SPDX-License-Identifier: MIT
// Every place where the program waits for a person goes through one seam: message boxes,
// modal dialogs, file choosers and pop-up menus. On the desktop the seam shows the real
// thing; a test installs its own answerer (tests/common/ScriptedInteraction.h) and the same code
// runs to completion without anyone at the screen, while the test sees exactly what the
// person would have been asked.
#pragma once

#include "resources/resource.h" // IDOK, IDCANCEL, IDYES, IDNO

#include <QPoint>
#include <QString>

class QDialog;
class QMenu;
class QWidget;

// Message-box types: buttons, then icon.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_OKCANCEL = 0x01;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_ICONSTOP = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;

struct FileDialogRequest {
    QWidget* pOwner = nullptr;
    bool bSave = false;     // a save dialog asks before replacing an existing file
    QString strFilter;      // in Qt's form: "Text Files (*.txt);;All Files (*)"
    QString strInitialPath; // folder and file name the dialog starts with
};

class CUserInteraction {
public:
    virtual ~CUserInteraction() = default;

    // Shows strText with the buttons and icon of nType; returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int MessageBox(QWidget* pOwner, const QString& strText, const QString& strCaption,
                           unsigned nType) = 0;
    // Runs an initialised dialog modally (timers keep running); returns its result code.
    virtual int RunModal(QDialog& dialog) = 0;
    // The chosen path, or an empty text when the person cancelled.
    virtual QString ChooseFile(const FileDialogRequest& request) = 0;
    // Shows the menu with its top-left corner at ptScreen; returns the command id of the
    // chosen item (platform/Commands.h CommandIdOf), or 0 when none was chosen.
    virtual int TrackMenu(QMenu& menu, const QPoint& ptScreen) = 0;
};

// The seam in use: the desktop one unless a test installed its own.
CUserInteraction& UserInteraction();
// Installs pInteraction (not owned); nullptr restores the desktop one. Returns the previous.
CUserInteraction* SetUserInteraction(CUserInteraction* pInteraction);

// A message box captioned with the application name unless strCaption is given.
int MessageBox(const QString& strText, unsigned nType = MB_OK, const QString& strCaption = {},
               QWidget* pOwner = nullptr);

// Open and save file dialogs. strFilter is in the program's "Text Files (*.txt)|*.txt|...||"
// form; strInitialName's file part is offered in strFolder, or the user's Documents folder
// when strFolder is empty or no longer there. The save dialog asks before replacing a file.
// False when the person cancelled.
bool GetOpenFilePath(QWidget* pOwner, const QString& strFilter, const QString& strInitialName,
                     QString& strPath, const QString& strFolder = QString());
bool GetSaveFilePath(QWidget* pOwner, const QString& strFilter, const QString& strInitialName,
                     QString& strPath, const QString& strFolder = QString());

// "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||" as "Text Files (*.txt);;All Files (*)":
// the patterns in Qt's form, where "*" is the one that matches every name.
QString QtFileFilter(const QString& strFilter);
// The file part of strInitialName (whatever its separators) in strFolder if that is an
// existing folder, otherwise in the user's Documents folder, or the home folder when there is
// no Documents folder.
QString InitialFilePath(const QString& strInitialName, const QString& strFolder = QString());
