#pragma once

#include "link/velor_device.h"
#include "settings/settings_diff.h"
#include "settings/settings_image.h"

#include <QString>
#include <QTextStream>

#include <cstdint>
#include <vector>

// What velor580-cli shows around a write, on standard output: before a settings write the
// change list against the device's settings, after it what the device kept differently, and
// before a firmware write what will be flashed onto what.

// The fingerprints of the device's and the file's settings, the check's findings in the file's
// settings as warnings, then a line per field that the write will change, or "Нет изменений".
void PrintReview(QTextStream& out, const SettingsImage& device, const SettingsImage& file,
                 const QString& fileName);

// The fingerprints of what was sent and what the device kept, then a line per differing field
// (sent value → kept value).
void PrintMismatch(QTextStream& out, const SettingsImage& sent, const SettingsImage& kept);

// The command that writes a snapshot back ("velor580-cli [--port P] write-settings FILE").
QString WayBackCommand(const QString& port, const QString& snapshotPath);
// The command that runs a device command again on the same port with that file:
// "velor580-cli --port /dev/ttyUSB0 write-firmware 'a b.tsk'".
QString DeviceCommandLine(const QString& port, const QString& command, const QString& file);

// The firmware file's name and size, the device type, platform and version its header names and
// its SHA-256 (short form), then the connected device's type, platform and version.
void PrintFirmwareSummary(QTextStream& out, const QString& fileName,
                          const std::vector<uint8_t>& image, const TVelorDevDesc& file,
                          const TVelorDevDesc& device);
