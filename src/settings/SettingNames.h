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
// How receivers are read: 1 every satellite system and talker, 0 GPS only (talker GP).
inline constexpr char kAllSystems[] = "AllSystems";
inline constexpr int kDefaultAllSystems = 1;

// Full scale of the speedometer.
inline constexpr char kSectionPanel[] = "Panel";
inline constexpr char kMaxSpeed[] = "Max Speed";
inline constexpr int kDefaultMaxSpeed = 150;

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
