#include "shell/MainFrame.h"

#include "platform/AppInfo.h"
#include "platform/Interaction.h"
#include "platform/Messages.h"
#include "resources/QtResources.h"
#include "resources/resource.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "shell/AboutDlg.h"
#include "shell/AppIcon.h"
#include "shell/CommSettingsDlg.h"
#include "shell/MainView.h"
#include "shell/UnitsDlg.h"
#include "shell/WarningDlg.h"
#include "source/Recording.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimerEvent>
#include <QToolBar>

namespace {

constexpr char kLogFilter[] = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
constexpr char kLogInitialName[] = "\\My Documents\\docs\\new file";

// A pane wide enough for its sizing text.
QLabel* MakePane(QWidget* pParent, const QString& strSizingText) {
    auto* pPane = new QLabel(pParent);
    pPane->setMinimumWidth(QFontMetrics(pPane->font()).horizontalAdvance(strSizingText) + 8);
    return pPane;
}

} // namespace

CMainFrame::CMainFrame(const Options& options) : m_bSkipWarning(options.bSkipWarning) {
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

    // Status bar: fix quality (stretching), fix mode, log size, activity light.
    m_pFixPane = new QLabel(this);
    m_pModePane = MakePane(this, LoadString(ID_INDICATOR_MODE));
    m_pLogPane = MakePane(this, LoadString(ID_INDICATOR_LOG));
    m_pLight = new CStatusLight(this);
    m_pLight->Create(QStringLiteral("StatusLight"), CRect{0, 0, 20, 18}, statusBar(), ID_STATUS_BAR,
                     true);
    m_pLight->setFixedSize(
        std::max(QFontMetrics(font()).horizontalAdvance(LoadString(ID_INDICATOR_LED)), 20), 18);
    statusBar()->addWidget(m_pFixPane, 1);
    statusBar()->addPermanentWidget(m_pModePane);
    statusBar()->addPermanentWidget(m_pLogPane);
    statusBar()->addPermanentWidget(m_pLight);
    statusBar()->setSizeGripEnabled(false);
    new CIdleHook([this] { UpdateStatusPanes(); }, this);
    UpdateStatusPanes();

    if (!options.strReplayPath.isEmpty()) {
        // Standard input is opened anew by name: reading it without waiting then leaves the
        // descriptor the program shares with its shell as it was.
        m_Link.OpenPlaybackFile(options.strReplayPath == QLatin1String("-")
                                    ? QStringLiteral("/dev/stdin")
                                    : options.strReplayPath);
        m_SourceMode = Source::LoggedFile;
    } else if (!options.strPortDevice.isEmpty()) {
        const uint32_t nBaud =
            options.nPortBaud
                ? options.nPortBaud
                : static_cast<uint32_t>(ReadSettingInt(kSectionSerial, kBaud, kDefaultBaud));
        m_Link.OpenDevice(options.strPortDevice, nBaud, &m_strStartError);
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
    PostMessage(this, WM_SHOW_WARNING);
}

CMainFrame::~CMainFrame() {
    m_Parser.StopRecording();
    m_Parser.SetNotify(nullptr);
}

// ---- notifications ----

void CMainFrame::PostToMain(unsigned nMessage) {
    PostMessage(this, static_cast<int>(nMessage));
}
void CMainFrame::Broadcast(unsigned nMessage) {
    BroadcastMessage(static_cast<int>(nMessage));
}

void CMainFrame::customEvent(QEvent* pEvent) {
    switch (MessageOf(pEvent)) {
        case WM_GPS_SENTENCE:
            DrawLed(true);
            m_Timers.Set(kLedTimerId, kLedFlashMs);
            break;
        case WM_GPS_GGA: m_pView->PostMessage(WM_GPS_GGA); break;
        case WM_GPS_GSV: m_pView->PostMessage(WM_GPS_GSV); break;
        case WM_SHOW_WARNING: OnShowWarning(); break;
        default: QMainWindow::customEvent(pEvent); break;
    }
}

void CMainFrame::OnShowWarning() {
    show();
    repaint();
    if (m_bSkipWarning)
        return;
    CWarningDlg warning(this);
    if (warning.DoModal() != IDOK)
        close();
}

// ---- timers and the activity light ----

void CMainFrame::timerEvent(QTimerEvent* pEvent) {
    if (const int nId = m_Timers.IdOf(pEvent))
        OnTimer(nId);
    else
        QMainWindow::timerEvent(pEvent);
}

void CMainFrame::OnTimer(int nId) {
    DrawLed(m_bLedLit);
    if (nId == CPollLoop::kTimerId) {
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

QString CMainFrame::FixQualityText(int nQuality) {
    static const char* const kTexts[] = {
        "Fix not available",       "GPS SPS Mode",        "Differential GPS",
        "GPS PPS Mode, fix valid", "Real Time Kinematic", "Float RTK",
        "Estimated (dead reck.)",  "Manual Input Mode",   "Simulator Mode"};
    if (nQuality >= 0 && nQuality < static_cast<int>(std::size(kTexts)))
        return QString::fromLatin1(kTexts[nQuality]);
    return QStringLiteral("GPS mode unknown");
}

QString CMainFrame::FixModeText(int nMode) {
    return nMode == 2   ? QStringLiteral("2D")
           : nMode == 3 ? QStringLiteral("3D")
                        : QStringLiteral("NA");
}

QString CMainFrame::LogSizeText(bool bRecording, uint32_t nBytes) {
    if (!bRecording)
        return QStringLiteral("No Log");
    if (nBytes < 1000)
        return QStringLiteral("Log:%1").arg(nBytes);
    if (nBytes <= 999999)
        return QStringLiteral("Log:%1K").arg(nBytes / 1000);
    return QString::asprintf("Log:%0.2fM", nBytes * 0.000001);
}

QString CMainFrame::PaneText(int nPane) const {
    switch (nPane) {
        case 0: return FixQualityText(m_Parser.m_nFixQuality);
        case 1: return FixModeText(m_Parser.m_nFixMode);
        case 2: return LogSizeText(m_Parser.IsRecording(), m_Parser.LoggedBytes());
        default: return QString();
    }
}

void CMainFrame::UpdateStatusPanes() {
    QLabel* const panes[] = {m_pFixPane, m_pModePane, m_pLogPane};
    for (int i = 0; i < 3; ++i) {
        const QString strText = PaneText(i);
        if (panes[i]->text() != strText)
            panes[i]->setText(strText);
    }
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
        case ID_UNITS: OnUnits(); return true;
        case ID_ALL_SYSTEMS: OnAllSystems(); return true;
        case ID_APP_ABOUT: CAboutDlg(this).DoModal(); return true;
        case ID_APP_EXIT: close(); return true;
        case ID_HELP:
            MessageBox(QStringLiteral(
                           "Ravuziz shows what a GPS receiver reports.\n\n"
                           "Connect > Serial Port (Comm Port) reads a receiver; Connect > Logged "
                           "NMEA File replays a recording; Log > Start records the stream.\n\n"
                           "Sig/Nav: signal strength and position. Azmth/Elvn: the satellites in "
                           "the sky. Panel: speed, altitude, compass and climb. Stats: averaged "
                           "position. Tap and hold (or right-click) a page for its options."),
                       MB_OK | MB_ICONINFORMATION, QString(), this);
            return true;
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
                         QString::fromLatin1(kLogInitialName), strPath))
        return;
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
                         QString::fromLatin1(kLogInitialName), strPath))
        return;
    if (m_Parser.IsRecording() && m_RecordingFile && m_RecordingFile == IdentityOfPath(strPath)) {
        MessageBox(QStringLiteral("Cannot replay %1: it is the file being recorded, and the "
                                  "replay would read back what it records, without end. Please "
                                  "stop the recording (Log > Stop) or choose another file.")
                       .arg(strPath),
                   MB_OK | MB_ICONSTOP, QString(), this);
        return;
    }
    PreviousSource previous = TakeSource(false);
    m_Link.OpenPlaybackFile(strPath);
    if (m_Link.IsOpen())
        m_SourceMode = Source::LoggedFile;
    else
        RestoreSource(std::move(previous));
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
