// SPDX-License-Identifier: MIT
// The application object: names the program, points the settings at their place, creates
// the one main window and shows it. There is no document; the data lives in the main frame.
#pragma once

#include "shell/MainFrame.h"

#include <memory>

class CRavuzizApp {
public:
    static constexpr char kCompanyKey[] = "VEVO";
    static constexpr char kVersion[] = "1.00.3";

    CRavuzizApp();

    // Creates and shows the main window; the warning request it posts itself is the first
    // thing the event loop delivers.
    bool InitInstance(const CMainFrame::Options& options = {});
    CMainFrame* MainFrame() const { return m_pMainWnd.get(); }

private:
    std::unique_ptr<CMainFrame> m_pMainWnd;
};
