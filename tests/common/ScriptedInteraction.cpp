// SPDX-License-Identifier: MIT
#include "common/ScriptedInteraction.h"

#include "platform/Commands.h"
#include "resources/resource.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

namespace {

void CollectItems(const QMenu& menu, std::vector<PromptMenuItem>& items) {
    for (const QAction* pAction : menu.actions()) {
        items.push_back(
            {CommandIdOf(pAction), pAction->text(), pAction->isEnabled(), pAction->isChecked()});
        if (const QMenu* pSubMenu = pAction->menu())
            CollectItems(*pSubMenu, items);
    }
}

// The next queued answer, or fallback when none is left.
template <typename T> T Next(std::deque<T>& answers, T fallback) {
    if (answers.empty())
        return fallback;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

int CScriptedInteraction::MessageBox(QWidget*, const QString& strText, const QString& strCaption,
                                     unsigned nType) {
    Prompt& prompt = m_Prompts.emplace_back();
    prompt.strText = strText;
    prompt.strCaption = strCaption;
    prompt.nType = nType;
    const unsigned nButtons = nType & 0x0F;
    return Next(m_MessageBoxAnswers, nButtons == MB_OKCANCEL ? IDCANCEL
                                     : nButtons == MB_YESNO  ? IDNO
                                                             : IDOK);
}

int CScriptedInteraction::RunModal(QDialog& dialog) {
    const QString strTitle = dialog.windowTitle();
    dialog.setResult(0);
    if (const auto play = Next(m_DialogAnswers, {}))
        play(dialog);
    // After what the dialog asked in turn, as the person finished them.
    Prompt& prompt = m_Prompts.emplace_back();
    prompt.kind = Prompt::Kind::Dialog;
    prompt.strText = strTitle;
    return dialog.result() == 0 ? IDCANCEL : dialog.result();
}

QString CScriptedInteraction::ChooseFile(const FileDialogRequest& request) {
    Prompt& prompt = m_Prompts.emplace_back();
    prompt.kind = request.bSave ? Prompt::Kind::SaveFile : Prompt::Kind::OpenFile;
    prompt.strFilter = request.strFilter;
    prompt.strInitialPath = request.strInitialPath;
    return Next(m_FileAnswers, QString());
}

int CScriptedInteraction::TrackMenu(QMenu& menu, const QPoint& ptScreen) {
    Prompt& prompt = m_Prompts.emplace_back();
    prompt.kind = Prompt::Kind::Menu;
    prompt.strText = menu.title();
    prompt.ptScreen = ptScreen;
    CollectItems(menu, prompt.menuItems);
    const int nWanted = Next(m_MenuAnswers, 0);
    for (const PromptMenuItem& item : prompt.menuItems)
        if (nWanted != 0 && item.nId == nWanted && item.bEnabled)
            return nWanted;
    return 0;
}
