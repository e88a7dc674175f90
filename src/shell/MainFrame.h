// SPDX-License-Identifier: MIT
// The one top-level window. It owns the data path — the link to the source (a serial port, a
// replayed recording, gpsd, a TCP peer or UDP datagrams), the parser with its GPS state record
// and recording, and the 300 ms poll loop that joins them — and around it the menu bar, the
// status bar with the fix texts, the source, the log size and the activity light, the client
// window with the pages, and the commands for connecting, replaying, logging and units.
// Commands are offered to the client window and its pages before the frame's own handlers;
// the parser's notifications go to the pages through the client window.
//
// The frame opens where it was left, with the page that was in front (shell/WindowPlacement.h,
// CMainView), and keeps both when it goes; the replay and record dialogs open in the folder
// each was last used in.
//
// A source chosen in the Connect menu replaces the one in use only once it works: a port or
// file that does not open, a UDP port that cannot be listened on, gpsd or a TCP peer whose
// first connection fails, each leave the source that worked running (and ticked), and say
// why once. A network source that worked and is lost later tries again on its own.
#pragma once

#include "nmea/NmeaParser.h"
#include "platform/Commands.h"
#include "platform/Timers.h"
#include "shell/PollLoop.h"
#include "shell/StatusLight.h"
#include "source/SerialPort.h"

#include <QMainWindow>

#include <optional>

class CMainView;
class QLabel;

// The kinds of source the Connect menu offers; the first two are the source modes kept since
// the beginning.
enum class SourceKind { SerialPort = 0, LoggedFile = 1, Gpsd = 2, Tcp = 3, Udp = 4 };

struct MainFrameOptions {
    // Replay this recording (or FIFO; "-" for standard input) instead of opening the stored
    // port,
    QString strReplayPath;
    std::optional<int> nReplayPace;    // at this pace (CPacedReplay) instead of the stored one
    CPacedReplay::Clock replayClock;   // on this clock instead of the steady one (tests)
    QString strPortDevice;             // or open this serial device instead of the stored port,
    std::optional<uint32_t> nPortBaud; // at this rate (0 for Auto) instead of the stored one;
    // or read a receiver on the network: gpsd or a TCP peer at strNetHost:nNetPort, or UDP
    // datagrams arriving at port nNetPort.
    SourceKind netSource = SourceKind::SerialPort; // Gpsd, Tcp or Udp for one of them
    QString strNetHost;
    quint16 nNetPort = 0;
    QString strRecordPath; // record the stream to this file from the start (replacing it)
    bool bSkipWarning = false;
    // Whether the frame keeps the desktop (the page in front, the window's place) for the
    // next start when it goes; pictures of the pages leave it as it was.
    bool bStoreDesktop = true;
};

class CMainFrame : public QMainWindow, public CCommandTarget, private INmeaNotify {
public:
    using Source = SourceKind;
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
    // The pace replays start at and the one being replayed keeps (CPacedReplay).
    int ReplayPace() const { return m_nPace; }

    bool OnCommand(int nId) override;
    bool OnUpdateCommand(CCommandState& state) override;

    // The status texts as the panes show them (and tests read them).
    static QString LogSizeText(bool bRecording, uint32_t nBytes);
    // "ttyACM0 9600", "replay demo.nmea 35 %", "gpsd localhost (reconnecting)", "no source".
    static QString SourceText(const SourceStatus& status);
    // What the source pane names: the source in use, or one still making its first connection.
    SourceStatus ShownSource() const;
    QString PaneText(int nPane) const;
    CStatusLight::Colour LedColour() const { return m_LedColour; }
    bool LedLit() const { return m_bLedLit; }

    // One tick of timer nId, as the timers deliver them (tests call it directly).
    void OnTimer(int nId);

    // The window's size when there is no placement to come back to.
    static constexpr QSize kDefaultSize{480, 600};

protected:
    void customEvent(QEvent* pEvent) override;
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
    void OnConnectNetwork(Source mode);
    // Makes the source as the options or a dialog named it: gpsd and TCP on their way to the
    // first connection, UDP listening (or none, with *pError saying why).
    static std::unique_ptr<CDeviceHandle> MakeNetworkSource(Source mode, const QString& strHost,
                                                            quint16 nPort, QString* pError);
    // A network source waiting for its first connection replaces the source in use once it
    // is connected, or is given up (and the user told) once the attempt has failed.
    void SettlePendingSource();
    void OnSourceFailed();
    void OnPace(int nPace);
    void OnPause();
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
    QLabel* m_pSourcePane = nullptr;
    QLabel* m_pModePane = nullptr;
    QLabel* m_pLogPane = nullptr;
    CStatusLight* m_pLight = nullptr;
    // What the panes were last written from: the thread becomes idle many times a second,
    // and most of those times none of it changed.
    struct PaneInputs {
        int nFixQuality = 0;
        int nFixMode = 0;
        bool bRecording = false;
        uint32_t nLoggedBytes = 0;
        SourceStatus source;
        friend bool operator==(const PaneInputs&, const PaneInputs&) = default;
    };
    std::optional<PaneInputs> m_PaneInputs;
    CTimerRelay m_TimerRelay{this, [this](QTimerEvent* pEvent) {
                                 if (const int nId = m_Timers.IdOf(pEvent))
                                     OnTimer(nId);
                             }};
    CTimerSet m_Timers{&m_TimerRelay};
    CStatusLight::Colour m_LedColour = CStatusLight::Colour::Red;
    bool m_bLedLit = false;
    bool m_bSentenceNoticeWaiting = false; // a WM_GPS_SENTENCE is on its way to this window
    Source m_SourceMode = Source::SerialPort;
    // A network source chosen in the menu, until its first connection settles; with the
    // settings to store once it has connected.
    struct PendingSource {
        std::unique_ptr<CDeviceHandle> hSource;
        Source mode = Source::Gpsd;
        QString strHost;
        quint16 nPort = 0;
    };
    std::optional<PendingSource> m_Pending;
    QString m_strSourceFailure; // the message of the pending source that failed
    int m_nPace = CPacedReplay::kFixedPace;
    CPacedReplay::Clock m_ReplayClock;
    // The file being recorded: a replay of it would read back what it records, without end.
    std::optional<FileIdentity> m_RecordingFile;
    bool m_bSkipWarning = false;
    bool m_bStoreDesktop = true;
    // Set once the person agreed to the warning (or was not asked): a desktop the program was
    // never used on is not worth keeping.
    bool m_bInUse = false;
    QString m_strStartError;
};
