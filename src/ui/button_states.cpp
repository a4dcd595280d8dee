#include "ui/button_states.h"

namespace {
constexpr EnableState X = EnableState::On;
constexpr EnableState o = EnableState::Off;
constexpr EnableState k = EnableState::Keep;

constexpr int kStateCount = static_cast<int>(ButtonState::FirmwareWritten) + 1;

// X enabled, o disabled, k left as it is. Rows in the order of ButtonState; columns in the
// order of CommandControl:
//  Connect Cancel Read Write Save Load Default LoadId WorkMode About
constexpr std::array<ButtonStateRow, kStateCount> kRows = {{
    {o, o, o, o, o, o, o, o, X, X}, // NoWorkMode
    {o, o, o, o, X, X, X, k, X, X}, // DemoMode
    {X, o, o, o, o, o, o, k, X, X}, // ModeChosen
    {o, k, k, k, k, k, k, k, k, k}, // Connecting
    {o, X, X, X, X, X, X, k, o, X}, // ConnectedSettings
    {o, X, o, o, o, X, k, k, o, X}, // ConnectedFirmware
    {o, o, o, o, o, o, o, k, k, o}, // OperationRunning
    {k, o, o, o, o, o, o, k, k, k}, // KeyReadRunning
    {X, o, o, o, o, o, o, o, X, X}, // Disconnected
    {X, o, o, o, o, o, o, o, X, k}, // SettingsConnectFailed
    {X, o, o, o, o, o, k, k, X, k}, // FirmwareConnectFailed
    {X, o, o, o, o, o, o, k, X, k}, // ReadFailed
    {o, X, X, X, X, X, X, X, o, X}, // KeyRead
    {o, X, o, X, o, X, k, k, k, k}, // FirmwareWritten
}};

constexpr std::array<const char*, kCommandControlCount> kNames = {
    "ConnectButton", "CancelButton",  "ReadButton",   "WriteButton", "SaveButton",
    "LoadButton",    "DefaultButton", "LoadIdButton", "WorkMode",    "BtnAbout",
};
} // namespace

const ButtonStateRow& ButtonRow(ButtonState state) {
    return kRows[static_cast<int>(state)];
}

const char* CommandControlName(CommandControl control) {
    return kNames[static_cast<int>(control)];
}
