// SPDX-License-Identifier: MIT
// Every persisted setting by section, value name and default. The names are the keys under
// which users' stores already hold their choices, so they are exact, spelling included
// ("Commmunications" has three m). Standard library only.
#pragma once

// Units and position format; each is an index into its list in the Units dialog:
// distance and speed 0 statute, 1 nautical, 2 metric; altitude 0 feet, 1 metres; position
// 0 degrees and decimal minutes, 1 degrees minutes seconds, 2 decimal degrees.
inline constexpr char kSectionSettings[] = "Settings";
inline constexpr char kDistanceSpeedUnits[] = "Distance-SpeedUnits";
inline constexpr char kAltitudeElevationUnits[] = "AltitudeElevationUnits";
inline constexpr char kPositionFormat[] = "PositionFormat";
inline constexpr int kDefaultDistanceSpeedUnits = 0;
inline constexpr int kDefaultAltitudeElevationUnits = 0;
inline constexpr int kDefaultPositionFormat = 0;
// The pages' text size in per cent: 100 Normal, 125 Large, 150 Larger.
inline constexpr char kTextSize[] = "Text Size";
inline constexpr int kDefaultTextSize = 100;

// The serial port last opened successfully from the Comm Settings dialog.
inline constexpr char kSectionSerial[] = "Serial Port Commmunications";
inline constexpr char kPort[] = "Port";
inline constexpr char kBaud[] = "Baud";
inline constexpr int kDefaultPort = 1;
inline constexpr int kDefaultBaud = 4800;
// A "Baud" of 0 is "Auto": the port looks for its receiver's rate each time it opens.
inline constexpr int kAutoBaud = 0;
// How receivers are read: 1 every satellite system and talker, 0 GPS only (talker GP).
inline constexpr char kAllSystems[] = "AllSystems";
inline constexpr int kDefaultAllSystems = 1;

// Where the network sources were last found, offered again by their dialogs: gpsd and a TCP
// peer by host and port, UDP by the port listened on (10110 is NMEA's own).
inline constexpr char kSectionNetwork[] = "Network Sources";
inline constexpr char kGpsdHost[] = "GpsdHost";
inline constexpr char kGpsdPort[] = "GpsdPort";
inline constexpr char kTcpHost[] = "TcpHost";
inline constexpr char kTcpPort[] = "TcpPort";
inline constexpr char kUdpPort[] = "UdpPort";
inline constexpr char kDefaultGpsdHost[] = "localhost";
inline constexpr int kDefaultGpsdPort = 2947;
inline constexpr char kDefaultTcpHost[] = "localhost";
inline constexpr int kDefaultTcpPort = 10110;
inline constexpr int kDefaultUdpPort = 10110;

// The pace of replays: 0 the fixed pace (at most 255 bytes a poll), or 1, 2, 4 or 8 times the
// pace the recording was made at.
inline constexpr char kSectionReplay[] = "Replay";
inline constexpr char kPace[] = "Pace";
inline constexpr int kDefaultPace = 0;

// Full scale of the speedometer.
inline constexpr char kSectionPanel[] = "Panel";
inline constexpr char kMaxSpeed[] = "Max Speed";
inline constexpr int kDefaultMaxSpeed = 150;
// The gauges the panel shows (1 shown, 0 hidden) and whether it shows them one at a time;
// kept only while kRememberDesktop is on.
inline constexpr char kShowAltimeter[] = "Show Altimeter";
inline constexpr char kShowCompass[] = "Show Compass";
inline constexpr char kShowSpeed[] = "Show Speed";
inline constexpr char kShowVerticalSpeed[] = "Show Vertical Speed";
inline constexpr char kCycleGauges[] = "Cycle Gauges";
inline constexpr int kDefaultShowGauge = 1;
inline constexpr int kDefaultCycleGauges = 0;

// The desktop as the program was left: the page in front (by its tab label), the main
// window's place and size in device-independent pixels and whether it was maximised, and the
// folders the replay and record dialogs were last used in. With "Remember" 0 every start is
// the first one (Sig/Nav in front, all four gauges, no cycling, the window at its default
// size in the middle of the screen, the dialogs in Documents) and none of it is stored.
inline constexpr char kSectionDesktop[] = "Desktop";
inline constexpr char kRememberDesktop[] = "Remember";
inline constexpr int kDefaultRememberDesktop = 1;
inline constexpr char kFrontPage[] = "Page";
inline constexpr char kWindowLeft[] = "Window Left";
inline constexpr char kWindowTop[] = "Window Top";
inline constexpr char kWindowWidth[] = "Window Width";
inline constexpr char kWindowHeight[] = "Window Height";
inline constexpr char kWindowMaximized[] = "Window Maximized";
inline constexpr char kReplayFolder[] = "Replay Folder";
inline constexpr char kRecordFolder[] = "Record Folder";

// Satellite trails on the sky plot (1 on, 0 off).
inline constexpr char kSectionAzimuthElevation[] = "Azimuthelevation";
inline constexpr char kEnableTrails[] = "EnableTrails";
inline constexpr int kDefaultEnableTrails = 0;

// DOP thresholds of the position averaging. The thresholds are decimal texts, written with
// six decimals.
inline constexpr char kSectionAveraging[] = "Averaging";
inline constexpr char kUseAveraging[] = "Use Averaging";
inline constexpr char kLatLonUseHdop[] = "LatLon Use HDOP";
inline constexpr char kAltUseVdop[] = "Alt Use VDOP";
inline constexpr char kAltAvgThreshold[] = "Alt Avg Threshold";
inline constexpr char kLatLonAvgThreshold[] = "LatLon Avg Threshold";
inline constexpr int kDefaultUseAveraging = 1;
inline constexpr int kDefaultLatLonUseHdop = 1;
inline constexpr int kDefaultAltUseVdop = 1;
inline constexpr char kDefaultAltAvgThreshold[] = "3.0";
inline constexpr char kDefaultLatLonAvgThreshold[] = "3.0";
