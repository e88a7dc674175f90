// SPDX-License-Identifier: MIT
#include "common/ScriptedInteraction.h"

#include "platform/Commands.h"
#include "resources/resource.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

namespace {

void CollectItems(const QMenu& menu, int nDepth, std::vector<PromptMenuItem>& items) {
    for (const QAction* pAction : menu.actions()) {
        PromptMenuItem item;
        item.nDepth = nDepth;
        item.bSeparator = pAction->isSeparator();
        item.strText = pAction->text();
        item.nId = CommandIdOf(pAction);
        item.bEnabled = pAction->isEnabled();
        item.bCheckable = pAction->isCheckable();
        item.bChecked = pAction->isChecked();
        items.push_back(item);
        if (const QMenu* pSubMenu = pAction->menu())
            CollectItems(*pSubMenu, nDepth + 1, items);
    }
}

int EscapeAnswer(unsigned nType) {
    switch (nType & 0x0F) {
        case MB_OKCANCEL: return IDCANCEL;
        case MB_YESNO: return IDNO;
        default: return IDOK;
    }
}

} // namespace

CScriptedInteraction::CScriptedInteraction() : m_pPrevious(SetUserInteraction(this)) {}

CScriptedInteraction::~CScriptedInteraction() {
    SetUserInteraction(m_pPrevious);
}

void CScriptedInteraction::AnswerMessageBox(int nResult) {
    m_MessageBoxAnswers.push_back(nResult);
}

void CScriptedInteraction::AnswerDialog(std::function<void(QDialog&)> play) {
    m_DialogAnswers.push_back(std::move(play));
}

void CScriptedInteraction::AnswerFile(const QString& strPath) {
    m_FileAnswers.push_back(strPath);
}

void CScriptedInteraction::AnswerMenu(int nCommandId) {
    m_MenuAnswers.push_back(nCommandId);
}

int CScriptedInteraction::UnusedAnswers() const {
    return static_cast<int>(m_MessageBoxAnswers.size() + m_DialogAnswers.size() +
                            m_FileAnswers.size() + m_MenuAnswers.size());
}

int CScriptedInteraction::MessageBox(QWidget*, const QString& strText, const QString& strCaption,
                                     unsigned nType) {
    Prompt prompt;
    prompt.kind = Prompt::Kind::MessageBox;
    prompt.strText = strText;
    prompt.strCaption = strCaption;
    prompt.nType = nType;
    prompt.nAnswer = EscapeAnswer(nType);
    if (!m_MessageBoxAnswers.empty()) {
        prompt.nAnswer = m_MessageBoxAnswers.front();
        m_MessageBoxAnswers.pop_front();
    }
    m_Prompts.push_back(prompt);
    return prompt.nAnswer;
}

int CScriptedInteraction::RunModal(QDialog& dialog) {
    Prompt prompt;
    prompt.kind = Prompt::Kind::Dialog;
    prompt.strText = dialog.windowTitle();
    dialog.setResult(0);
    if (!m_DialogAnswers.empty()) {
        auto play = std::move(m_DialogAnswers.front());
        m_DialogAnswers.pop_front();
        play(dialog);
    }
    prompt.nAnswer = dialog.result() == 0 ? IDCANCEL : dialog.result();
    m_Prompts.push_back(prompt);
    return prompt.nAnswer;
}

QString CScriptedInteraction::ChooseFile(const FileDialogRequest& request) {
    Prompt prompt;
    prompt.kind = request.bSave ? Prompt::Kind::SaveFile : Prompt::Kind::OpenFile;
    prompt.strFilter = request.strFilter;
    prompt.strInitialPath = request.strInitialPath;
    if (!m_FileAnswers.empty()) {
        prompt.strAnswerPath = m_FileAnswers.front();
        m_FileAnswers.pop_front();
    }
    m_Prompts.push_back(prompt);
    return prompt.strAnswerPath;
}

int CScriptedInteraction::TrackMenu(QMenu& menu, const QPoint& ptScreen) {
    Prompt prompt;
    prompt.kind = Prompt::Kind::Menu;
    prompt.strText = menu.title();
    prompt.ptScreen = ptScreen;
    CollectItems(menu, 0, prompt.menuItems);
    if (!m_MenuAnswers.empty()) {
        const int nWanted = m_MenuAnswers.front();
        m_MenuAnswers.pop_front();
        for (const PromptMenuItem& item : prompt.menuItems)
            if (nWanted != 0 && item.nId == nWanted && item.bEnabled)
                prompt.nAnswer = nWanted;
    }
    m_Prompts.push_back(prompt);
    return prompt.nAnswer;
}
