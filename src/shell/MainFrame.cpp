// SPDX-License-Identifier: MIT
#include "shell/MainFrame.h"

#include "platform/AppInfo.h"
#include "platform/Interaction.h"
#include "platform/Messages.h"
#include "resources/QtResources.h"
#include "resources/resource.h"
#include "settings/DesktopMemory.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "shell/AboutDlg.h"
#include "shell/AppIcon.h"
#include "shell/CommSettingsDlg.h"
#include "shell/HelpDlg.h"
#include "shell/MainView.h"
#include "shell/NetSourceDlg.h"
#include "shell/UnitsDlg.h"
#include "shell/WarningDlg.h"
#include "shell/WindowPlacement.h"
#include "source/GpsdSource.h"
#include "source/Recording.h"
#include "views/NavigationRows.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimerEvent>
#include <QToolBar>

#include <utility>

namespace {

constexpr char kLogFilter[] = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
constexpr char kLogInitialName[] = "\\My Documents\\docs\\new file";

// A pane wide enough for its sizing text.
QLabel* MakePane(QWidget* pParent, const QString& strSizingText) {
    auto* pPane = new QLabel(pParent);
    pPane->setMinimumWidth(QFontMetrics(pPane->font()).horizontalAdvance(strSizingText) + 8);
    return pPane;
}

// Replay paces of the menu items, in the order of their ids.
constexpr int kPaceItems[] = {CPacedReplay::kFixedPace, 1, 2, 4, 8};
static_assert(ID_PACE_X8 - ID_PACE_FIXED + 1 == std::size(kPaceItems));

// A stored pace that is none of the menu's is the fixed one.
int StoredPace() {
    const int nPace = ReadSettingInt(kSectionReplay, kPace, kDefaultPace);
    return std::find(std::begin(kPaceItems), std::end(kPaceItems), nPace) != std::end(kPaceItems)
               ? nPace
               : CPacedReplay::kFixedPace;
}

// host:port, with an IPv6 address in brackets so the port stands apart.
QString HostAndPort(const QString& strHost, uint32_t nPort) {
    return (strHost.contains(QLatin1Char(':')) ? QLatin1Char('[') + strHost + QLatin1Char(']')
                                               : strHost) +
           QLatin1Char(':') + QString::number(nPort);
}

// strText as the end of a sentence: the system's own reasons come with a full stop or without.
QString EndSentence(const QString& strText) {
    return strText.endsWith(QLatin1Char('.')) ? strText : strText + QLatin1Char('.');
}

// The settings that remember where each network source was found.
struct NetworkKeys {
    const char* pszHost; // none for UDP
    const char* pszPort;
    const char* pszDefaultHost;
    int nDefaultPort;
};

// The folder a file dialog was last used in, when the desktop is remembered; empty otherwise.
QString KeptFolder(const char* pszName) {
    return RemembersDesktop() ? ReadSettingString(QString::fromLatin1(kSectionDesktop),
                                                  QString::fromLatin1(pszName), QString())
                              : QString();
}

// Keeps the folder of strPath, chosen in a file dialog, for its next use.
void KeepFolder(const char* pszName, const QString& strPath) {
    const QString strFolder = QFileInfo(strPath).absolutePath();
    if (QFileInfo(strFolder).isDir() && RemembersDesktop())
        WriteSettingString(QString::fromLatin1(kSectionDesktop), QString::fromLatin1(pszName),
                           strFolder);
}

NetworkKeys KeysOf(SourceKind mode) {
    switch (mode) {
        case SourceKind::Gpsd: return {kGpsdHost, kGpsdPort, kDefaultGpsdHost, kDefaultGpsdPort};
        case SourceKind::Tcp: return {kTcpHost, kTcpPort, kDefaultTcpHost, kDefaultTcpPort};
        default: return {nullptr, kUdpPort, "", kDefaultUdpPort};
    }
}

} // namespace

CMainFrame::CMainFrame(const Options& options)
    : m_bSkipWarning(options.bSkipWarning), m_bStoreDesktop(options.bStoreDesktop) {
    m_Parser.SetNotify(this);
    m_Parser.SetAllSystems(ReadSettingInt(kSectionSerial, kAllSystems, kDefaultAllSystems) != 0);
    setWindowTitle(QString::fromLatin1(kAppName));
    setWindowIcon(AppIcon());

    m_pView = new CMainView(m_Parser);
    m_pView->Create(QStringLiteral("MainView"), CRect{}, this, AFX_IDW_PANE_FIRST, true);
    setCentralWidget(m_pView);
    setFocusProxy(m_pView); // focus given to the frame passes to the client window

    // Command bar: the menu bar and the About button.
    m_pActions = new CCommandActions(this);
    m_pActions->FillMenuBar(menuBar(), IDR_MAINFRAME);
    m_pActions->Action(ID_HELP)->setShortcut(QKeySequence(Qt::Key_F1));
    m_pActions->Action(ID_APP_EXIT)->setShortcut(QKeySequence::Quit);
    QToolBar* pToolBar = addToolBar(QStringLiteral("Command Bar"));
    pToolBar->setMovable(false);
    QAction* pAbout = m_pActions->Action(ID_APP_ABOUT);
    pAbout->setIcon(AppIcon());
    pAbout->setToolTip(QStringLiteral("About Ravuziz"));
    pToolBar->addAction(pAbout);

    // Status bar: fix quality (stretching), the source (taking what room is left, so that a
    // long name never widens the window), fix mode, log size, activity light.
    m_pFixPane = new QLabel(this);
    m_pSourcePane = new QLabel(this);
    m_pSourcePane->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_pModePane = MakePane(this, LoadString(ID_INDICATOR_MODE));
    m_pLogPane = MakePane(this, LoadString(ID_INDICATOR_LOG));
    m_pLight = new CStatusLight(this);
    m_pLight->Create(QStringLiteral("StatusLight"), CRect{0, 0, 20, 18}, statusBar(), ID_STATUS_BAR,
                     true);
    m_pLight->setFixedSize(
        std::max(QFontMetrics(font()).horizontalAdvance(LoadString(ID_INDICATOR_LED)), 20), 18);
    statusBar()->addWidget(m_pFixPane, 1);
    statusBar()->addWidget(m_pSourcePane, 1);
    statusBar()->addPermanentWidget(m_pModePane);
    statusBar()->addPermanentWidget(m_pLogPane);
    statusBar()->addPermanentWidget(m_pLight);
    statusBar()->setSizeGripEnabled(false);
    new CIdleHook([this] { UpdateStatusPanes(); }, this);
    UpdateStatusPanes();

    m_nPace = options.nReplayPace.value_or(StoredPace());
    m_ReplayClock = options.replayClock ? options.replayClock : CPacedReplay::SteadyClock();
    if (!options.strReplayPath.isEmpty()) {
        // Standard input is opened anew by name: reading it without waiting then leaves the
        // descriptor the program shares with its shell as it was.
        m_Link.OpenPlaybackFile(options.strReplayPath == QLatin1String("-")
                                    ? QStringLiteral("/dev/stdin")
                                    : options.strReplayPath,
                                m_nPace, m_ReplayClock);
        m_SourceMode = Source::LoggedFile;
    } else if (!options.strPortDevice.isEmpty()) {
        const uint32_t nBaud = options.nPortBaud.value_or(
            static_cast<uint32_t>(ReadSettingInt(kSectionSerial, kBaud, kDefaultBaud)));
        m_Link.OpenDevice(options.strPortDevice, nBaud, &m_strStartError);
    } else if (options.netSource != Source::SerialPort) {
        // Not being there yet is no reason to stop: the source keeps trying.
        if (auto hSource = MakeNetworkSource(options.netSource, options.strNetHost,
                                             options.nNetPort, &m_strStartError)) {
            m_Link.Install(std::move(hSource));
            m_SourceMode = options.netSource;
        }
    } else {
        // A port that cannot be opened at start-up is not worth a message: the pages show
        // that no data comes, and Connect offers the ports.
        m_Link.Open(ReadSettingInt(kSectionSerial, kPort, kDefaultPort),
                    static_cast<uint32_t>(ReadSettingInt(kSectionSerial, kBaud, kDefaultBaud)),
                    false);
    }
    if (!options.strRecordPath.isEmpty() && m_strStartError.isEmpty()) {
        // Checked here as in Log > Start: replacing the file being replayed would empty it.
        if (const auto replay = m_Link.PlaybackIdentity();
            replay && replay == IdentityOfPath(options.strRecordPath))
            m_strStartError = QStringLiteral("cannot record to %1: it is the file being replayed")
                                  .arg(options.strRecordPath);
        else if (!StartRecording(m_Parser, options.strRecordPath))
            m_strStartError = QStringLiteral("cannot create %1").arg(options.strRecordPath);
        else
            m_RecordingFile = IdentityOfPath(options.strRecordPath);
    }
    m_Timers.Set(CPollLoop::kTimerId, CPollLoop::kPeriodMs);
    PlaceWindow(*this, kDefaultSize);
    PostMessage(this, WM_SHOW_WARNING);
}

CMainFrame::~CMainFrame() {
    m_Parser.StopRecording();
    m_Parser.SetNotify(nullptr);
    if (m_bInUse && m_bStoreDesktop && RemembersDesktop()) {
        StoreWindowPlacement(*this);
        WriteSettingString(QString::fromLatin1(kSectionDesktop), QString::fromLatin1(kFrontPage),
                           m_pView->FrontPageLabel());
    }
}

// ---- notifications ----

void CMainFrame::PostToMain(unsigned nMessage) {
    PostMessage(this, static_cast<int>(nMessage));
}
void CMainFrame::Broadcast(unsigned nMessage) {
    // A poll tick decodes dozens of sentences, and all they tell the windows is that data
    // flows: until the main window has had the notice, another would change nothing.
    if (nMessage == WM_GPS_SENTENCE && std::exchange(m_bSentenceNoticeWaiting, true))
        return;
    BroadcastMessage(static_cast<int>(nMessage));
}

void CMainFrame::customEvent(QEvent* pEvent) {
    switch (MessageOf(pEvent)) {
        case WM_GPS_SENTENCE:
            m_bSentenceNoticeWaiting = false;
            DrawLed(true);
            m_Timers.Set(kLedTimerId, kLedFlashMs);
            break;
        case WM_GPS_GGA: m_pView->PostMessage(WM_GPS_GGA); break;
        case WM_GPS_GSV: m_pView->PostMessage(WM_GPS_GSV); break;
        case WM_SHOW_WARNING: OnShowWarning(); break;
        case WM_SOURCE_FAILED: OnSourceFailed(); break;
        default: QMainWindow::customEvent(pEvent); break;
    }
}

void CMainFrame::OnShowWarning() {
    show();
    repaint();
    if (!m_bSkipWarning) {
        CWarningDlg warning(this);
        if (warning.DoModal() != IDOK) {
            close();
            return;
        }
    }
    m_bInUse = true;
}

// ---- timers and the activity light ----

void CMainFrame::OnTimer(int nId) {
    DrawLed(m_bLedLit);
    if (nId == CPollLoop::kTimerId) {
        SettlePendingSource();
        m_PollLoop.Tick();
    } else if (nId == kLedTimerId) {
        DrawLed(false);
        m_Timers.Kill(kLedTimerId);
    }
}

void CMainFrame::DrawLed(bool bLit) {
    // Red without data or fix, blue for a differential fix, green for the other known fix
    // kinds; an unknown kind keeps the colour shown last.
    const int nQuality = m_Parser.m_nFixQuality;
    if (nQuality == 0)
        m_LedColour = CStatusLight::Colour::Red;
    else if (nQuality == 2)
        m_LedColour = CStatusLight::Colour::Blue;
    else if (nQuality <= 8)
        m_LedColour = CStatusLight::Colour::Green;
    if (m_PollLoop.NoData())
        m_LedColour = CStatusLight::Colour::Red;
    m_bLedLit = bLit;
    m_pLight->Draw(m_LedColour, bLit);
}

void CMainFrame::resizeEvent(QResizeEvent* pEvent) {
    QMainWindow::resizeEvent(pEvent);
    DrawLed(false);
}

// ---- status panes ----

QString CMainFrame::LogSizeText(bool bRecording, uint32_t nBytes) {
    if (!bRecording)
        return QStringLiteral("No Log");
    if (nBytes < 1000)
        return QStringLiteral("Log:%1").arg(nBytes);
    if (nBytes <= 999999)
        return QStringLiteral("Log:%1K").arg(nBytes / 1000);
    return QString::asprintf("Log:%0.2fM", nBytes * 0.000001);
}

QString CMainFrame::SourceText(const SourceStatus& status) {
    using Kind = SourceStatus::Kind;
    using State = SourceStatus::State;
    QString strText;
    switch (status.kind) {
        case Kind::None: return QStringLiteral("no source");
        case Kind::Serial: {
            QString strDevice = status.strWhere;
            if (strDevice.startsWith(QLatin1String("/dev/")))
                strDevice.remove(0, 5);
            strText = status.state == State::Searching
                          ? QStringLiteral("%1 auto (trying %2)").arg(strDevice).arg(status.nNumber)
                          : QStringLiteral("%1 %2").arg(strDevice).arg(status.nNumber);
            break;
        }
        case Kind::Replay:
            strText = QStringLiteral("replay ") + QFileInfo(status.strWhere).fileName();
            if (status.state == State::Ended)
                return strText + QStringLiteral(" ended");
            if (status.nPercent >= 0)
                strText += QStringLiteral(" %1 %").arg(status.nPercent);
            break;
        case Kind::Gpsd:
            strText =
                QStringLiteral("gpsd ") + (status.nNumber == CGpsdSource::kDefaultPort
                                               ? status.strWhere
                                               : HostAndPort(status.strWhere, status.nNumber));
            break;
        case Kind::Tcp:
            strText = QStringLiteral("tcp ") + HostAndPort(status.strWhere, status.nNumber);
            break;
        case Kind::Udp: strText = QStringLiteral("udp %1").arg(status.nNumber); break;
    }
    switch (status.state) {
        case State::Connecting: return strText + QStringLiteral(" (connecting)");
        case State::Away: return strText + QStringLiteral(" (reconnecting)");
        case State::Paused: return strText + QStringLiteral(" (paused)");
        default: return strText;
    }
}

SourceStatus CMainFrame::ShownSource() const {
    return m_Pending ? m_Pending->hSource->Status() : m_Link.Status();
}

QString CMainFrame::PaneText(int nPane) const {
    switch (nPane) {
        case 0: return FixQualityText(m_Parser.m_nFixQuality);
        case 1: return FixModeText(m_Parser.m_nFixMode);
        case 2: return LogSizeText(m_Parser.IsRecording(), m_Parser.LoggedBytes());
        case 3: return SourceText(ShownSource());
        default: return QString();
    }
}

void CMainFrame::UpdateStatusPanes() {
    PaneInputs inputs{m_Parser.m_nFixQuality, m_Parser.m_nFixMode, m_Parser.IsRecording(),
                      m_Parser.LoggedBytes(), ShownSource()};
    if (inputs == m_PaneInputs)
        return;
    m_PaneInputs = std::move(inputs);
    QLabel* const panes[] = {m_pFixPane, m_pModePane, m_pLogPane, m_pSourcePane};
    for (int i = 0; i < 4; ++i) {
        const QString strText = PaneText(i);
        if (panes[i]->text() != strText)
            panes[i]->setText(strText);
    }
    // The whole name, and why a network source is away, for when the pane is too narrow.
    const SourceStatus& source = m_PaneInputs->source;
    const QString strTip = source.strProblem.isEmpty()
                               ? m_pSourcePane->text()
                               : m_pSourcePane->text() + QStringLiteral(": ") + source.strProblem;
    if (m_pSourcePane->toolTip() != strTip)
        m_pSourcePane->setToolTip(strTip);
}

// ---- commands ----

bool CMainFrame::OnCommand(int nId) {
    if (m_pView->OnCommand(nId))
        return true;
    switch (nId) {
        case ID_LOG_START: OnLogStart(); return true;
        case ID_LOG_STOP: m_Parser.StopRecording(); return true;
        case ID_CONNECT_SERIAL: OnConnectSerial(); return true;
        case ID_CONNECT_LOGGED_FILE: OnConnectLoggedFile(); return true;
        case ID_CONNECT_GPSD: OnConnectNetwork(Source::Gpsd); return true;
        case ID_CONNECT_TCP: OnConnectNetwork(Source::Tcp); return true;
        case ID_CONNECT_UDP: OnConnectNetwork(Source::Udp); return true;
        case ID_REPLAY_PAUSE: OnPause(); return true;
        case ID_UNITS: OnUnits(); return true;
        case ID_ALL_SYSTEMS: OnAllSystems(); return true;
        case ID_APP_ABOUT: CAboutDlg(this).DoModal(); return true;
        case ID_APP_EXIT: close(); return true;
        case ID_PACE_FIXED:
        case ID_PACE_X1:
        case ID_PACE_X2:
        case ID_PACE_X4:
        case ID_PACE_X8: OnPace(kPaceItems[nId - ID_PACE_FIXED]); return true;
        case ID_HELP: CHelpDlg(this).DoModal(); return true;
        default: return false;
    }
}

bool CMainFrame::OnUpdateCommand(CCommandState& state) {
    if (m_pView->OnUpdateCommand(state))
        return true;
    switch (state.Id()) {
        case ID_LOG_START: state.Enable(!m_Parser.IsRecording()); return true;
        case ID_LOG_STOP: state.Enable(m_Parser.IsRecording()); return true;
        // Only a source that is open is ticked: a port or file that failed to open is none.
        case ID_CONNECT_SERIAL:
            state.SetCheck(m_SourceMode == Source::SerialPort && m_Link.IsOpen());
            return true;
        case ID_CONNECT_LOGGED_FILE:
            state.SetCheck(m_SourceMode == Source::LoggedFile && m_Link.IsOpen());
            return true;
        case ID_CONNECT_GPSD:
            state.SetCheck(m_SourceMode == Source::Gpsd && m_Link.IsOpen());
            return true;
        case ID_CONNECT_TCP:
            state.SetCheck(m_SourceMode == Source::Tcp && m_Link.IsOpen());
            return true;
        case ID_CONNECT_UDP:
            state.SetCheck(m_SourceMode == Source::Udp && m_Link.IsOpen());
            return true;
        case ID_PACE_FIXED:
        case ID_PACE_X1:
        case ID_PACE_X2:
        case ID_PACE_X4:
        case ID_PACE_X8:
            state.SetCheck(m_nPace == kPaceItems[state.Id() - ID_PACE_FIXED]);
            return true;
        case ID_REPLAY_PAUSE:
            state.Enable(m_Link.Replay() != nullptr);
            state.SetCheck(m_Link.Paused());
            return true;
        case ID_ALL_SYSTEMS: state.SetCheck(m_Parser.AllSystems()); return true;
        default: return false;
    }
}

bool CMainFrame::event(QEvent* pEvent) {
    // The platform's help request (What's-this, the Help key) answers with a short box.
    if (pEvent->type() == QEvent::WhatsThis) {
        MessageBox(QStringLiteral("Help"), MB_OK, QString(), this);
        return true;
    }
    return QMainWindow::event(pEvent);
}

void CMainFrame::OnLogStart() {
    QString strPath;
    if (!GetSaveFilePath(this, QString::fromLatin1(kLogFilter),
                         QString::fromLatin1(kLogInitialName), strPath, KeptFolder(kRecordFolder)))
        return;
    KeepFolder(kRecordFolder, strPath);
    // Replacing the file being replayed would empty it, and the replay would read back what
    // the recording writes.
    if (const auto replay = m_Link.PlaybackIdentity();
        replay && replay == IdentityOfPath(strPath)) {
        MessageBox(QStringLiteral("Cannot record to %1: it is the file being replayed, and "
                                  "recording would empty it. Please choose another file name.")
                       .arg(strPath),
                   MB_OK | MB_ICONSTOP, QString(), this);
        return;
    }
    if (!StartRecording(m_Parser, strPath)) {
        MessageBox(
            QStringLiteral("Cannot create log file. Please check the file name and try again."),
            MB_OK | MB_ICONSTOP, QString(), this);
        return;
    }
    m_RecordingFile = IdentityOfPath(strPath);
}

void CMainFrame::OnConnectSerial() {
    const int nPort = ReadSettingInt(kSectionSerial, kPort, kDefaultPort);
    const int nBaud = ReadSettingInt(kSectionSerial, kBaud, kDefaultBaud);
    if (!m_Link.DiscoverPorts()) {
        MessageBox(QStringLiteral("ERROR - Could not enumerate serial ports"), MB_OK, QString(),
                   this);
        return;
    }
    CCommSettingsDlg dlg(this);
    dlg.m_nPort = nPort;
    dlg.m_nBaud = nBaud;
    dlg.m_PortList = m_Link.m_PortList;
    if (dlg.DoModal() != IDOK)
        return;
    m_Pending.reset(); // the person has changed their mind
    PreviousSource previous = TakeSource(true);
    if (m_Link.Open(dlg.m_nPort, static_cast<uint32_t>(dlg.m_nBaud), true)) {
        m_SourceMode = Source::SerialPort;
        WriteSettingInt(kSectionSerial, kPort, dlg.m_nPort);
        WriteSettingInt(kSectionSerial, kBaud, dlg.m_nBaud);
    } else {
        m_Link.Close();
        RestoreSource(std::move(previous));
    }
}

void CMainFrame::OnConnectLoggedFile() {
    QString strPath;
    if (!GetOpenFilePath(this, QString::fromLatin1(kLogFilter),
                         QString::fromLatin1(kLogInitialName), strPath, KeptFolder(kReplayFolder)))
        return;
    KeepFolder(kReplayFolder, strPath);
    if (m_Parser.IsRecording() && m_RecordingFile && m_RecordingFile == IdentityOfPath(strPath)) {
        MessageBox(QStringLiteral("Cannot replay %1: it is the file being recorded, and the "
                                  "replay would read back what it records, without end. Please "
                                  "stop the recording (Log > Stop) or choose another file.")
                       .arg(strPath),
                   MB_OK | MB_ICONSTOP, QString(), this);
        return;
    }
    m_Pending.reset();
    PreviousSource previous = TakeSource(false);
    m_Link.OpenPlaybackFile(strPath, m_nPace, m_ReplayClock);
    if (m_Link.IsOpen())
        m_SourceMode = Source::LoggedFile;
    else
        RestoreSource(std::move(previous));
}

std::unique_ptr<CDeviceHandle> CMainFrame::MakeNetworkSource(Source mode, const QString& strHost,
                                                             quint16 nPort, QString* pError) {
    switch (mode) {
        case Source::Gpsd: {
            auto pGpsd = std::make_unique<CGpsdSource>(strHost, nPort);
            pGpsd->Start();
            return pGpsd;
        }
        case Source::Tcp: {
            auto pTcp = std::make_unique<CTcpDevice>(strHost, nPort);
            pTcp->Start();
            return pTcp;
        }
        case Source::Udp: {
            auto pUdp = std::make_unique<CUdpDevice>(nPort);
            if (pUdp->Open())
                return pUdp;
            if (pError)
                *pError = QStringLiteral("Unable to listen on UDP port %1: %2")
                              .arg(nPort)
                              .arg(EndSentence(pUdp->Problem()));
            return nullptr;
        }
        default: return nullptr;
    }
}

void CMainFrame::OnConnectNetwork(Source mode) {
    const NetworkKeys keys = KeysOf(mode);
    CNetSourceDlg dlg(mode == Source::Gpsd  ? CNetSourceDlg::Kind::Gpsd
                      : mode == Source::Tcp ? CNetSourceDlg::Kind::Tcp
                                            : CNetSourceDlg::Kind::Udp,
                      this);
    if (keys.pszHost)
        dlg.m_strHost = ReadSettingString(kSectionNetwork, keys.pszHost,
                                          QString::fromLatin1(keys.pszDefaultHost));
    dlg.m_nPort = ReadSettingInt(kSectionNetwork, keys.pszPort, keys.nDefaultPort);
    if (dlg.DoModal() != IDOK)
        return;
    m_Pending.reset();
    const auto nPort = static_cast<quint16>(dlg.m_nPort);
    if (mode == Source::Udp) {
        // Listening works or fails at once, as a port opens.
        PreviousSource previous = TakeSource(false);
        QString strError;
        if (auto hSource = MakeNetworkSource(mode, QString(), nPort, &strError)) {
            m_Link.Install(std::move(hSource));
            m_SourceMode = mode;
            WriteSettingInt(kSectionNetwork, keys.pszPort, nPort);
        } else {
            RestoreSource(std::move(previous));
            MessageBox(strError, MB_OK | MB_ICONEXCLAMATION, QStringLiteral("Communication Error"),
                       this);
        }
        return;
    }
    // The source in use goes on until the connection is made; the poll tick settles it.
    m_Pending = PendingSource{MakeNetworkSource(mode, dlg.m_strHost, nPort, nullptr), mode,
                              dlg.m_strHost, nPort};
}

void CMainFrame::SettlePendingSource() {
    if (!m_Pending)
        return;
    const SourceStatus status = m_Pending->hSource->Status();
    if (status.state == SourceStatus::State::Connecting)
        return;
    if (status.state == SourceStatus::State::Open) {
        const NetworkKeys keys = KeysOf(m_Pending->mode);
        WriteSettingString(kSectionNetwork, keys.pszHost, m_Pending->strHost);
        WriteSettingInt(kSectionNetwork, keys.pszPort, m_Pending->nPort);
        m_Link.Close();
        m_Link.Install(std::move(m_Pending->hSource));
        m_SourceMode = m_Pending->mode;
    } else {
        // Told after the tick, in a box of its own; the source that worked goes on.
        m_strSourceFailure = QStringLiteral("Unable to connect to %1: %2")
                                 .arg(m_Pending->mode == Source::Gpsd
                                          ? QStringLiteral("gpsd at ") +
                                                HostAndPort(m_Pending->strHost, m_Pending->nPort)
                                          : HostAndPort(m_Pending->strHost, m_Pending->nPort),
                                      EndSentence(status.strProblem));
        PostMessage(this, WM_SOURCE_FAILED);
    }
    m_Pending.reset();
}

void CMainFrame::OnSourceFailed() {
    MessageBox(m_strSourceFailure, MB_OK | MB_ICONEXCLAMATION,
               QStringLiteral("Communication Error"), this);
}

void CMainFrame::OnPace(int nPace) {
    m_nPace = nPace;
    WriteSettingInt(kSectionReplay, kPace, nPace);
    if (CPacedReplay* pReplay = m_Link.Replay())
        pReplay->SetPace(nPace);
}

void CMainFrame::OnPause() {
    if (CPacedReplay* pReplay = m_Link.Replay())
        pReplay->SetPaused(!pReplay->Paused());
}

CMainFrame::PreviousSource CMainFrame::TakeSource(bool bNextIsPort) {
    PreviousSource previous;
    previous.mode = m_SourceMode;
    if (m_Link.IsOpen()) {
        if (bNextIsPort && m_SourceMode == Source::SerialPort) {
            previous.nPort = m_Link.m_nPort;
            previous.strDevice = m_Link.m_strDevice;
            previous.nBaud = m_Link.m_nBaud;
        } else {
            // A replay goes on where it was, a port without losing what arrives meanwhile.
            previous.hKept = std::move(m_Link.m_hPort);
            previous.strSource = m_Link.m_strSource;
        }
    }
    m_Link.Close();
    return previous;
}

void CMainFrame::RestoreSource(PreviousSource previous) {
    if (previous.hKept) {
        m_Link.m_hPort = std::move(previous.hKept);
        m_Link.m_strSource = previous.strSource;
    } else if (previous.nPort > 0) {
        // Quietly: the failure the person has just been told of is the news.
        m_Link.Open(previous.nPort, previous.nBaud, false);
    } else if (!previous.strDevice.isEmpty()) {
        m_Link.OpenDevice(previous.strDevice, previous.nBaud, nullptr);
    }
    m_SourceMode = previous.mode;
}

void CMainFrame::OnUnits() {
    CUnitsDlg dlg(this);
    dlg.m_nDistanceSpeed =
        ReadSettingInt(kSectionSettings, kDistanceSpeedUnits, kDefaultDistanceSpeedUnits);
    dlg.m_nPositionFormat =
        ReadSettingInt(kSectionSettings, kPositionFormat, kDefaultPositionFormat);
    dlg.m_nAltitude =
        ReadSettingInt(kSectionSettings, kAltitudeElevationUnits, kDefaultAltitudeElevationUnits);
    if (dlg.DoModal() != IDOK)
        return;
    WriteSettingInt(kSectionSettings, kDistanceSpeedUnits, dlg.m_nDistanceSpeed);
    WriteSettingInt(kSectionSettings, kPositionFormat, dlg.m_nPositionFormat);
    WriteSettingInt(kSectionSettings, kAltitudeElevationUnits, dlg.m_nAltitude);
    m_pView->InvalidateAll();
}

void CMainFrame::OnAllSystems() {
    const bool bAllSystems = !m_Parser.AllSystems();
    WriteSettingInt(kSectionSerial, kAllSystems, bAllSystems ? 1 : 0);
    m_Parser.SetAllSystems(bAllSystems);
    // The two readings fill different tables; starting afresh shows no leftover of the other
    // on any page, and the next second of data fills the record again.
    m_Parser.Reset();
    m_pView->InvalidateAll();
}
