// SPDX-License-Identifier: MIT
// A stand-in for the person at the screen, for tests. While one exists it answers every
// message box, dialog, file chooser and pop-up menu from answers queued in advance, records
// what was asked, and lets the code under test run on without waiting. A prompt without a
// queued answer is dismissed the way Escape would dismiss it.
#pragma once

#include "platform/Interaction.h"

#include <QPoint>
#include <QString>

#include <deque>
#include <functional>
#include <vector>

struct PromptMenuItem {
    int nId = 0; // 0 for a separator or a sub-menu; a sub-menu's items follow it
    QString strText;
    bool bEnabled = true;
    bool bChecked = false;
};

struct Prompt {
    enum class Kind { MessageBox, Dialog, OpenFile, SaveFile, Menu };

    Kind kind = Kind::MessageBox;
    QString strText;    // message-box text; the dialog's window title
    QString strCaption; // message-box caption
    unsigned nType = 0; // message-box type
    QString strFilter;  // file dialogs, in Qt's form
    QString strInitialPath;
    QPoint ptScreen; // menus: where the top-left corner would be
    std::vector<PromptMenuItem> menuItems;
};

class CScriptedInteraction : public CUserInteraction {
public:
    // Installs itself as the seam; the destructor puts the previous one back.
    CScriptedInteraction() : m_pPrevious(SetUserInteraction(this)) {}
    ~CScriptedInteraction() override { SetUserInteraction(m_pPrevious); }

    CScriptedInteraction(const CScriptedInteraction&) = delete;
    CScriptedInteraction& operator=(const CScriptedInteraction&) = delete;

    // Answers, used in order, each by the next prompt of its kind.
    void AnswerMessageBox(int nResult) { m_MessageBoxAnswers.push_back(nResult); }
    // play acts on the initialised dialog as a person would and ends it (accept(), reject()
    // or done()); a dialog it leaves open counts as cancelled.
    void AnswerDialog(std::function<void(QDialog&)> play) { m_DialogAnswers.push_back(play); }
    // A path for the next open or save dialog; an empty path cancels.
    void AnswerFile(const QString& strPath) { m_FileAnswers.push_back(strPath); }
    // The command id to choose in the next pop-up menu (also inside sub-menus); 0 dismisses
    // it. A disabled or missing item cannot be chosen and dismisses the menu.
    void AnswerMenu(int nCommandId) { m_MenuAnswers.push_back(nCommandId); }

    // Everything asked so far, in the order the prompts ended.
    const std::vector<Prompt>& Prompts() const { return m_Prompts; }
    // Answers queued but not used yet.
    int UnusedAnswers() const {
        return static_cast<int>(m_MessageBoxAnswers.size() + m_DialogAnswers.size() +
                                m_FileAnswers.size() + m_MenuAnswers.size());
    }

    int MessageBox(QWidget* pOwner, const QString& strText, const QString& strCaption,
                   unsigned nType) override;
    int RunModal(QDialog& dialog) override;
    QString ChooseFile(const FileDialogRequest& request) override;
    int TrackMenu(QMenu& menu, const QPoint& ptScreen) override;

private:
    CUserInteraction* m_pPrevious;
    std::vector<Prompt> m_Prompts;
    std::deque<int> m_MessageBoxAnswers;
    std::deque<std::function<void(QDialog&)>> m_DialogAnswers;
    std::deque<QString> m_FileAnswers;
    std::deque<int> m_MenuAnswers;
};
