// SPDX-License-Identifier: MIT
// Numbers by which the program addresses its menus, commands, dialogs, controls, strings and
// bitmaps. They are fixed: menus, tables and tests refer to the same numbers, so a page's
// pop-up command comes back through the routing to the handler that expects it. Menus,
// dialogs, bitmaps and strings share numbers, so each of those kinds has a type of its own:
// a bitmap's number passed where a menu is looked up does not compile.
#pragma once

enum class MenuId : int {};
enum class DialogId : int {};
enum class BitmapId : int {};
enum class StringId : int {};

// Resource set of the main window: menu bar, icon, tool bar and title string.
inline constexpr MenuId IDR_MAINFRAME{128};
// The title string of a resource set has the set's number.
constexpr StringId TitleOf(MenuId id) {
    return StringId{static_cast<int>(id)};
}

// Pop-up menus of the pages.
inline constexpr MenuId IDR_SIG_QUAL_POPUP{133};
inline constexpr MenuId IDR_PANEL_POPUP{134};
inline constexpr MenuId IDR_AZEL_POPUP{135};
inline constexpr MenuId IDR_STATS_POPUP{136};

// Dialog templates.
inline constexpr DialogId IDD_ABOUTBOX{100};
inline constexpr DialogId IDD_COMM_SETTINGS{135};
inline constexpr DialogId IDD_UNITS{137};
inline constexpr DialogId IDD_AVG_THRESHOLDS{141};
inline constexpr DialogId IDD_SPEED_SETUP{142};
inline constexpr DialogId IDD_WARNING{153};

// Bitmaps: the two satellite markers of the sky plot and the strip of status lights.
inline constexpr BitmapId IDB_SAT_NOT_USED{130};
inline constexpr BitmapId IDB_SAT_USED{131};
inline constexpr BitmapId IDB_LEDS{133};

// Commands of the menu bar and of the pages' pop-up menus.
inline constexpr int ID_LOG_START = 32777;
inline constexpr int ID_LOG_STOP = 32778;
inline constexpr int ID_CONNECT_SERIAL = 32787;
inline constexpr int ID_CONNECT_LOGGED_FILE = 32788;
inline constexpr int ID_RESET_SNR = 32789;
inline constexpr int ID_SHOW_ALTIMETER = 32790;
inline constexpr int ID_SHOW_COMPASS = 32791;
inline constexpr int ID_SHOW_SPEED = 32792;
inline constexpr int ID_SHOW_VERTICAL_SPEED = 32793;
inline constexpr int ID_UNITS = 32795;
inline constexpr int ID_ENABLE_TRAILS = 32800;
inline constexpr int ID_ERASE_TRAILS = 32801;
inline constexpr int ID_STATS_RESET = 32802;
inline constexpr int ID_STATS_ENABLE = 32803;
inline constexpr int ID_CYCLE_GAUGES = 32804;
inline constexpr int ID_AVG_THRESHOLDS = 32805;
inline constexpr int ID_SETUP_SPEED = 32807;
inline constexpr int ID_ALL_SYSTEMS = 32810;
inline constexpr int ID_CONNECT_GPSD = 32811;
inline constexpr int ID_CONNECT_TCP = 32812;
inline constexpr int ID_CONNECT_UDP = 32813;
inline constexpr int ID_PACE_FIXED = 32814;
inline constexpr int ID_PACE_X1 = 32815; // the recorded pace; x2, x4 and x8 follow in order
inline constexpr int ID_PACE_X2 = 32816;
inline constexpr int ID_PACE_X4 = 32817;
inline constexpr int ID_PACE_X8 = 32818;
inline constexpr int ID_REPLAY_PAUSE = 32819;
inline constexpr int ID_TEXT_NORMAL = 32830;
inline constexpr int ID_TEXT_LARGE = 32831;
inline constexpr int ID_TEXT_LARGER = 32832;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_HELP = 57670;

// Window messages the shell posts to itself; the sentence notifications 0x1400-0x1406
// belong to the decoder.
inline constexpr int WM_SHOW_WARNING = 0x1408;
inline constexpr int WM_SOURCE_FAILED = 0x1409; // a network source chosen could not connect

// Standard dialog results and button ids.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Controls of the dialogs (each id is unique within its dialog only).
inline constexpr int IDC_BAUD = 1001;            // Comm Settings
inline constexpr int IDC_PORT = 1009;            // Comm Settings
inline constexpr int IDC_DISTANCE_SPEED = 1001;  // Units
inline constexpr int IDC_ALTITUDE = 1002;        // Units
inline constexpr int IDC_POSITION_FORMAT = 1003; // Units
inline constexpr int IDC_USE_AVERAGING = 1003;   // Average Thresholds
inline constexpr int IDC_LATLON_THRESHOLD = 1004;
inline constexpr int IDC_ALT_THRESHOLD = 1005;
inline constexpr int IDC_LATLON_HDOP = 1007;
inline constexpr int IDC_ALT_VDOP = 1008;
inline constexpr int IDC_LATLON_PDOP = 1009;
inline constexpr int IDC_ALT_PDOP = 1010;
inline constexpr int IDC_MAX_SPEED = 1001; // Speed Setup
inline constexpr int IDC_NET_HOST = 1001;  // gpsd, TCP and UDP sources
inline constexpr int IDC_NET_PORT = 1002;

// Child windows of the main frame and the tab window.
inline constexpr int AFX_IDW_PANE_FIRST = 0xE900;
inline constexpr int ID_COMMAND_BAR = 0xE800;
inline constexpr int ID_STATUS_BAR = 0xE801;
inline constexpr int ID_TAB_WND = 101;
inline constexpr int ID_TAB_CONTROL = 12345;
inline constexpr int ID_PAGE_WND = 0xFFFF;

// String table. The status-bar pane ids double as the strings whose texts size the panes.
inline constexpr StringId ID_INDICATOR_LOG{129};
inline constexpr StringId ID_INDICATOR_LED{130};
inline constexpr StringId ID_INDICATOR_FIX{131};
inline constexpr StringId ID_INDICATOR_MODE{132};
inline constexpr StringId IDS_NMI{32777};
inline constexpr StringId IDS_MI{32778};
inline constexpr StringId IDS_KM{32779};
inline constexpr StringId IDS_FT{32780};
inline constexpr StringId IDS_M{32781};
inline constexpr StringId IDS_MPH{32782};
inline constexpr StringId IDS_KT{32783};
inline constexpr StringId IDS_KMH{32784};
inline constexpr StringId IDS_M_PER_SEC{32785};
inline constexpr StringId IDS_X100_FT_PER_MIN{32786};
