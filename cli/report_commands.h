#pragma once

#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "settings/settings_image.h"

#include <QString>
#include <QTextStream>

#include <functional>
#include <optional>

// velor580-cli show, diff and check: the settings of a .cfg file, of the device ("device") or the
// factory settings ("factory") as a readable report, the fields in which two of them differ, and
// what the window would not keep of them.

// Exit status of show, diff and check besides kExitSuccess, kExitUsage and kExitNoDevice. Like
// diff(1), a failure is never 0 or 1.
constexpr int kExitDifferent = 1;    // diff: the settings differ; check: there are findings
constexpr int kExitFileError = 4;    // a settings file could not be read
constexpr int kExitReportFailed = 5; // the device's settings could not be read, or the report
                                     // could not be written to standard output

// The settings a device read gave, or the exit status of its failure (already reported).
struct DeviceSettings {
    std::optional<SettingsImage> image;
    int exitCode = kExitSuccess;
    // The device read: its type, firmware version and the bridge's USB serial number.
    QString type;
    QString version;
    QString usbSerial;
};

struct ReportContext {
    QString factoryFile; // the shipped 580default.cfg
    QString port;        // --port, for the report's source; empty: the first FTDI bridge
    std::function<DeviceSettings()> readDevice; // connects and reads the settings
    QString technician; // the visit report's technician (--technician, the variable, the INI)
};

bool IsReportCommand(CliCommand command);
// Whether a show, diff or check names the device among its sources.
bool ReadsDevice(const CliOptions& options);

// Runs show, diff or check. The device is read at most once, after every file has been read.
int RunReportCommand(const CliOptions& options, const ReportContext& context, QTextStream& out,
                     QTextStream& err);

// The part of --help about show, diff and check.
QString ReportCommandsHelpText();
