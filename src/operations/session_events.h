#pragma once

#include "link/velor_device.h"
#include "settings/settings_image.h"

#include <QString>

#include <optional>

// What a device session announces: the identity of a connected device, a finished settings write
// and a firmware written. Nothing here knows who listens.

// The device connected: its descriptor, the device node of the port and, when that node is an
// FTDI bridge's, the bridge's USB serial number (empty for a pseudo-terminal or another adapter).
struct DeviceIdentity {
    TVelorDevDesc descriptor;
    QString portPath;
    QString usbSerial;
};

// A settings write that has sent its blocks: the device's settings before it, the settings sent,
// whether the write succeeded and the settings read back equal them, and the snapshot kept before
// the first block (the way back).
struct SettingsWriteRecord {
    DeviceIdentity device;
    SettingsImage before;
    SettingsImage written;
    bool succeeded = false;
    bool verified = false;
    std::optional<SettingsImage> readBack; // the settings read back, when they were
    QString snapshotPath;
};

// A firmware upload that has ended: the file's SHA-256 (hexadecimal), the device before it and,
// when the job connected again afterwards, the device after it.
struct FirmwareWriteRecord {
    QString fileFingerprint;
    bool succeeded = false;
    TVelorDevDesc before;
    std::optional<TVelorDevDesc> after;
};
