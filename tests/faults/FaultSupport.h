// SPDX-License-Identifier: MIT
// What the fault tests share: the whole program as a person runs it — a main frame whose
// poll ticks are called directly, with the posted notifications delivered after every tick
// as the event loop would deliver them — a settings folder of its own for every test, every
// page rendered as the screen would show it, the answers to source dialogs, and a file-size
// limit that stands in for a full disk.
#pragma once

#include "common/Events.h"
#include "common/FileSizeLimit.h"
#include "common/NmeaSupport.h"
#include "common/ScriptedInteraction.h"

#include "platform/Commands.h"
#include "platform/Dialog.h"
#include "resources/resource.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "shell/MainFrame.h"
#include "shell/MainView.h"

#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

// Failures name texts readably.
inline void PrintTo(const QString& str, std::ostream* pStream) {
    *pStream << '"' << str.toStdString() << '"';
}

// Every test gets an empty settings store in a folder of its own.
class FaultTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // ~/.config/VEVO/Ravuziz.conf of this test.
    QString ConfigFile() const;
    QString ConfigFolder() const { return m_Config.path(); }
    QString TempPath(const QString& strName) const { return m_Temp.filePath(strName); }

private:
    QTemporaryDir m_Config;
    QTemporaryDir m_Temp;
};

// A frame as the program makes it with these options, without the safety warning, shown, and
// with its start-up messages handled.
std::unique_ptr<CMainFrame> MakeFrame(CMainFrame::Options options = {});
// One replaying this recording.
inline std::unique_ptr<CMainFrame> MakeFrame(const QString& strReplay) {
    CMainFrame::Options options;
    options.strReplayPath = strReplay;
    return MakeFrame(options);
}

// A person's answer to the next source dialog: the port list's entry starting with
// strChoice, or strChoice as the host; nPort as the network port, strBaud as the rate.
void AnswerSourceDialog(CScriptedInteraction& person, const QString& strChoice, quint16 nPort = 0,
                        const QString& strBaud = {});

// nTicks poll ticks, each followed by the delivery of what it posted.
void Tick(CMainFrame& frame, int nTicks = 1);
// Ticks until the source has been silent for the poll loop's fifteen ticks; returns the
// number of ticks, or -1 if that took more than nMaxTicks.
int TickUntilSilent(CMainFrame& frame, int nMaxTicks);
// Poll ticks, with the events of sockets and timers between them, until done() or ten seconds
// are up.
bool TickUntil(CMainFrame& frame, const std::function<bool()>& done);

// The four pages as the screen shows them, in tab order (Sig/Nav, Azmth/Elvn, Panel,
// Stats): each brought to the front in turn, its repaints run, its child windows drawn over
// it. The page that was in front before is in front again afterwards.
std::array<QImage, 4> RenderPages(CMainFrame& frame);

// nBytes of noise.
std::string RandomBytes(size_t nBytes, uint32_t nSeed = 7);
