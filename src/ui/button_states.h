#pragma once

#include <array>

// The states of the window that decide which command controls are enabled.
enum class ButtonState {
    NoWorkMode,            // created, no window mode chosen yet
    DemoMode,              // demo window mode chosen
    ModeChosen,            // settings or firmware window mode chosen, not connected
    Connecting,            // connect pressed, operation running
    ConnectedSettings,     // connected in the settings window mode
    ConnectedFirmware,     // connected in the firmware window mode
    OperationRunning,      // a settings write or read, or a firmware write, running
    KeyReadRunning,        // a key identifier read running
    Disconnected,          // disconnected with the disconnect button
    SettingsConnectFailed, // connect (0), settings write (1) or key read (3) failed
    FirmwareConnectFailed, // connect in the firmware mode (4) or firmware write (5) failed
    ReadFailed,            // settings read (2) failed
    KeyRead,               // key identifier read: connected in the settings mode, LoadId enabled
    FirmwareWritten,       // firmware written, before the window reconnects
};

// The controls a state can change, in table order.
enum class CommandControl {
    Connect,
    Cancel,
    Read,
    Write,
    Save,
    Load,
    Default,
    LoadId,
    WorkMode,
    About,
};
constexpr int kCommandControlCount = 10;

enum class EnableState { Off, On, Keep };

using ButtonStateRow = std::array<EnableState, kCommandControlCount>;

// The enabled state of every command control in a state (Keep: left as it is).
const ButtonStateRow& ButtonRow(ButtonState state);

// The object name of a command control ("ConnectButton", "WorkMode", "BtnAbout", ...).
const char* CommandControlName(CommandControl control);
