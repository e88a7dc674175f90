// SPDX-License-Identifier: MIT
// Texts and command ids of every menu the program shows, exactly as the user reads them.
#include "resources/MenuResources.h"

#include "resources/resource.h"

namespace {

constexpr MenuItemDef kSeparator{0, nullptr, {}};

constexpr MenuItemDef kTextSize[] = {{ID_TEXT_NORMAL, "&Normal", {}},
                                     {ID_TEXT_LARGE, "&Large", {}},
                                     {ID_TEXT_LARGER, "La&rger", {}}};
constexpr MenuItemDef kConfiguration[] = {{ID_UNITS, "&Units", {}}, {0, "&Text Size", kTextSize}};
constexpr MenuItemDef kFile[] = {
    {0, "&Configuration", kConfiguration}, kSeparator, {ID_APP_EXIT, "E&xit", {}}};
constexpr MenuItemDef kReplay[] = {
    {ID_PACE_FIXED, "&Fixed Pace", {}},  {ID_PACE_X1, "As Recorded x&1", {}},
    {ID_PACE_X2, "As Recorded x&2", {}}, {ID_PACE_X4, "As Recorded x&4", {}},
    {ID_PACE_X8, "As Recorded x&8", {}}, kSeparator,
    {ID_REPLAY_PAUSE, "&Pause", {}}};
constexpr MenuItemDef kConnect[] = {{ID_CONNECT_SERIAL, "Serial Port (Comm Port)", {}},
                                    {ID_CONNECT_LOGGED_FILE, "Logged NMEA File", {}},
                                    {ID_CONNECT_GPSD, "&gpsd...", {}},
                                    {ID_CONNECT_TCP, "NMEA over &TCP...", {}},
                                    {ID_CONNECT_UDP, "NMEA over &UDP...", {}},
                                    kSeparator,
                                    {0, "&Replay", kReplay},
                                    kSeparator,
                                    {ID_ALL_SYSTEMS, "&All Satellite Systems", {}}};
constexpr MenuItemDef kLog[] = {{ID_LOG_START, "&Start", {}}, {ID_LOG_STOP, "S&top", {}}};
constexpr MenuItemDef kHelp[] = {
    {ID_HELP, "&Help Topics", {}}, kSeparator, {ID_APP_ABOUT, "&About Ravuziz...", {}}};
constexpr MenuItemDef kMainMenu[] = {
    {0, "&File", kFile}, {0, "&Connect", kConnect}, {0, "&Log", kLog}, {0, "&Help", kHelp}};

constexpr MenuItemDef kSigQualItems[] = {{ID_RESET_SNR, "&Reset SNR Max and Min", {}}};
constexpr MenuItemDef kSigQualPopup[] = {{0, "IDR_SIG_QUAL_POPUP", kSigQualItems}};

constexpr MenuItemDef kSetupGauges[] = {{ID_SETUP_SPEED, "&Speed", {}}};
constexpr MenuItemDef kPanelItems[] = {{ID_CYCLE_GAUGES, "Cycle through gauges", {}},
                                       kSeparator,
                                       {ID_SHOW_ALTIMETER, "Altimeter", {}},
                                       {ID_SHOW_COMPASS, "Compass", {}},
                                       {ID_SHOW_SPEED, "Speed", {}},
                                       {ID_SHOW_VERTICAL_SPEED, "Vertical Speed", {}},
                                       kSeparator,
                                       {0, "&Setup Gauges", kSetupGauges}};
constexpr MenuItemDef kPanelPopup[] = {{0, "IDR_PANEL_POPUP", kPanelItems}};

constexpr MenuItemDef kAzElItems[] = {{ID_ENABLE_TRAILS, "&Enable Satellite Trails", {}},
                                      {ID_ERASE_TRAILS, "Erase &Satellite Trails", {}}};
constexpr MenuItemDef kAzElPopup[] = {{0, "IDR_AZEL_POPUP", kAzElItems}};

constexpr MenuItemDef kStatsItems[] = {{ID_STATS_ENABLE, "&Enable", {}},
                                       {ID_STATS_RESET, "&Reset", {}},
                                       kSeparator,
                                       {ID_AVG_THRESHOLDS, "Setup Avg Thresholds", {}}};
constexpr MenuItemDef kStatsPopup[] = {{0, "IDR_STATS_POPUP", kStatsItems}};

} // namespace

std::span<const MenuItemDef> FindMenuResource(MenuId id) {
    switch (id) {
        case IDR_MAINFRAME: return kMainMenu;
        case IDR_SIG_QUAL_POPUP: return kSigQualPopup;
        case IDR_PANEL_POPUP: return kPanelPopup;
        case IDR_AZEL_POPUP: return kAzElPopup;
        case IDR_STATS_POPUP: return kStatsPopup;
        default: return {};
    }
}
