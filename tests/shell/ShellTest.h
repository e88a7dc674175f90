// SPDX-License-Identifier: MIT
// What the shell tests share: an empty store, frames past the warning with their start-up
// messages handled, and ports that lead nowhere. Frames start by opening the stored port, COM1
// unless told otherwise; a real /dev/ttyS0 on the test machine must not take part.
#pragma once

#include "common/CleanStore.h"
#include "common/Events.h"
#include "common/ScriptedInteraction.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "shell/MainFrame.h"
#include "shell/MainView.h"
#include "source/SerialPort.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

// A pseudo-terminal, or a port that is not there, has no driver to settle after a close.
[[maybe_unused]] inline const bool kNoSettlePause = (CSerialPort::SetSettlePause(0), true);

class ShellTest : public CleanStoreTest {
protected:
    void SetUp() override {
        CleanStoreTest::SetUp();
        setenv("RAVUZIZ_COM1", "/nonexistent/receiver", 1);
    }
    void TearDown() override { unsetenv("RAVUZIZ_COM1"); }

    static std::unique_ptr<CMainFrame> Start(CMainFrame::Options options = {}) {
        options.bSkipWarning = true;
        auto pFrame = std::make_unique<CMainFrame>(options);
        ProcessPosted();
        return pFrame;
    }
};
