#pragma once

#include "link/device_version_text.h"

#include "link/velor_device.h"

#include <QString>

#include <optional>

// The dispatcher's table: what the window shows for each status code an operation reports.
// Pure data and texts; the window applies them (status bar, box through its dialog seam, labels,
// disconnect and hidden tabs).

enum class StatusIcon { Error, Information, Warning };

// Who owns the box: the main window, or the form that is active when it is shown.
enum class StatusOwner { Main, Active };

// What a status changes beyond the status bar and its box.
enum class StatusEffect {
    None,
    DeviceLabels,          // 8: device type and version labels on the main and firmware pages
    DisconnectAndHideTabs, // 32: after the box, disconnect as the disconnect button does and
                           // hide the tabs of the pages 0 to 2
};

struct StatusEntry {
    int MessageId = 0;               // status-bar text and box text
    std::optional<int> BoxCaptionId; // none: no box
    StatusIcon Icon = StatusIcon::Error;
    StatusOwner Owner = StatusOwner::Active;
    StatusEffect Effect = StatusEffect::None;

    bool HasBox() const { return BoxCaptionId.has_value(); }
};

// The entry of a status code; none for a code that changes nothing.
std::optional<StatusEntry> StatusFor(int code);

// The status-bar text of a code: its message, for 8 with "580" in place of the %s. Empty for a
// code that changes nothing.
QString StatusBarText(int code);

// The model name the labels and status 8 show for a connected model 580.
QString DeviceModelText();

// The label texts of status 8 (when the device-type code is 10).
struct DeviceLabelTexts {
    QString SettingsType; // SettingsTypeLabel: "580"
    QString Type;         // TypeLabel: the descriptor's type in decimal
    QString Version;      // DevSWLabel and SettingsVersionLabel: VersionText
};
DeviceLabelTexts DeviceLabelsFor(const TVelorDevDesc& descriptor);
