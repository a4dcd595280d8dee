#pragma once

#include "settings/control_names.h"

#include <QString>

// The window's own control names and indices beyond the families the settings codec shares
// (settings/control_names.h).
namespace velor::window {

// Pages of PageControl1, in tab order.
constexpr int kMainPage = 0;
constexpr int kLoopPage = 1;
constexpr int kOutputPage = 2;
constexpr int kKeyPage = 3;
constexpr int kFirmwarePage = 4;
constexpr int kPageCount = 5;

// The window's mode: the items of the list WorkMode (settings, firmware, demo). An output's work
// mode is another thing (OutputWorkMode, settings/settings_image.h).
enum WindowMode : int {
    kSettingsWindowMode = 0,
    kFirmwareWindowMode = 1,
    kDemoWindowMode = 2,
};

// The title "ШС<loop>" above a loop binding of an output: Label65..72 (relay 1), Label83..90
// (relay 2), Label105..112 (open-collector output 1), OK2LoopLabel1..8 (open-collector output 2).
QString BindingTitleName(int output, int loop);

} // namespace velor::window
