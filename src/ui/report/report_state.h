#pragma once

#include "operations/session_events.h"
#include "report/visit_report.h"
#include "settings/settings_image.h"

#include <optional>

// What the window's visit report says the technician found and left, from the device session's
// announcements:
// - after a settings write: as found = the device's settings read before it, as left = the
//   settings written (verified when they were read back equal);
// - after a read: both are the device's settings;
// - once the window holds other settings than the device was last known to have (edited,
//   loaded): as left = the window's, not written, with the device's as found;
// - with no device: the window's settings alone.
class VisitReportState {
public:
    void Connected(const DeviceIdentity& device);
    void SettingsRead(const SettingsImage& image);
    void SettingsWritten(const SettingsWriteRecord& record);

    // The report's input for the settings the window holds now.
    velor::report::VisitReportInput Input(const SettingsImage& window) const;

private:
    std::optional<DeviceIdentity> device_;
    std::optional<SettingsImage> found_;
    std::optional<SettingsImage> left_;
    velor::report::LeftBy leftBy_ = velor::report::LeftBy::NotWritten;
};
