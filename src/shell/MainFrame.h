// The one top-level window. It owns the data path — the serial link (or replayed recording),
// the parser with its GPS state record and recording, and the 300 ms poll loop that joins
// them — and around it the menu bar, the status bar with the fix texts, the log size and the
// activity light, the client window with the pages, and the commands for connecting, logging
// and units. Commands are offered to the client window and its pages before the frame's own
// handlers; the parser's notifications go to the pages through the client window.
#pragma once

#include "nmea/NmeaParser.h"
#include "platform/Commands.h"
#include "platform/Timers.h"
#include "shell/PollLoop.h"
#include "shell/StatusLight.h"
#include "source/SerialPort.h"

#include <QMainWindow>

class CMainView;
class QLabel;

struct MainFrameOptions {
    // Replay this recording (or FIFO; "-" for standard input) instead of opening the stored
    // port.
    QString strReplayPath;
    QString strPortDevice;  // or open this serial device instead of the stored port
    uint32_t nPortBaud = 0; // its rate; 0 for the stored one
    QString strRecordPath;  // record the stream to this file from the start (replacing it)
    bool bSkipWarning = false;
};

class CMainFrame : public QMainWindow, public CCommandTarget, private INmeaNotify {
public:
    enum class Source { SerialPort = 0, LoggedFile = 1 };
    static constexpr int kLedTimerId = 2;
    static constexpr int kLedFlashMs = 100;

    using Options = MainFrameOptions;

    explicit CMainFrame(const Options& options = {});
    ~CMainFrame() override;

    CNmeaParser& Parser() { return m_Parser; }
    CSerialPort& Link() { return m_Link; }
    CPollLoop& PollLoop() { return m_PollLoop; }
    CMainView& View() { return *m_pView; }
    Source SourceMode() const { return m_SourceMode; }
    // Why the device or recording the options named could not be opened; empty when they were.
    const QString& StartError() const { return m_strStartError; }

    bool OnCommand(int nId) override;
    bool OnUpdateCommand(CCommandState& state) override;

    // The status texts as the panes show them (and tests read them).
    static QString FixQualityText(int nQuality);
    static QString FixModeText(int nMode);
    static QString LogSizeText(bool bRecording, uint32_t nBytes);
    QString PaneText(int nPane) const;
    CStatusLight::Colour LedColour() const { return m_LedColour; }
    bool LedLit() const { return m_bLedLit; }

    // One tick of timer nId, as the timers deliver them (tests call it directly).
    void OnTimer(int nId);

protected:
    void customEvent(QEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    bool event(QEvent* pEvent) override;

private:
    void PostToMain(unsigned nMessage) override;
    void Broadcast(unsigned nMessage) override;

    // The source before a change of source, for a change that fails to go back to.
    struct PreviousSource {
        Source mode = Source::SerialPort;
        std::unique_ptr<CDeviceHandle> hKept; // set aside open; none when closed or nothing
        QString strSource;
        int nPort = 0;     // a port closed to be opened again; 0 for none
        QString strDevice; // or a device opened by its path
        uint32_t nBaud = 0;
    };

    void OnShowWarning();
    void OnLogStart();
    void OnConnectSerial();
    void OnConnectLoggedFile();
    // Takes the open source out of the link, which is then closed. The source is kept open,
    // unless the next one is a port and it is one too (the same device may be wanted at
    // another rate): that is closed and remembered instead.
    PreviousSource TakeSource(bool bNextIsPort);
    // Puts back what TakeSource took, after the new source failed to open.
    void RestoreSource(PreviousSource previous);
    void OnUnits();
    void OnAllSystems();
    void DrawLed(bool bLit);
    // Writes the pane texts that changed; runs whenever the thread becomes idle.
    void UpdateStatusPanes();

    CNmeaParser m_Parser;
    CSerialPort m_Link;
    CPollLoop m_PollLoop{m_Link, m_Parser};
    CMainView* m_pView = nullptr; // owned by the window as its central widget
    CCommandActions* m_pActions = nullptr;
    QLabel* m_pFixPane = nullptr;
    QLabel* m_pModePane = nullptr;
    QLabel* m_pLogPane = nullptr;
    CStatusLight* m_pLight = nullptr;
    CTimerSet m_Timers{this};
    CStatusLight::Colour m_LedColour = CStatusLight::Colour::Red;
    bool m_bLedLit = false;
    Source m_SourceMode = Source::SerialPort;
    // The file being recorded: a replay of it would read back what it records, without end.
    std::optional<FileIdentity> m_RecordingFile;
    bool m_bSkipWarning = false;
    QString m_strStartError;
};
