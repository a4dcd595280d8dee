#pragma once

#include "cli/report_commands.h"
#include "cli/settings_report.h"
#include "settings/settings_image.h"

#include <QLatin1String>
#include <QString>
#include <QTextStream>

#include <vector>

// The settings sources of show, diff, check and report: a .cfg file, "device" (the settings read
// from the device) or "factory" (the shipped 580default.cfg). A file of one of those names is
// given as ./device or ./factory.
inline const QLatin1String kDeviceSource("device");
inline const QLatin1String kFactorySource("factory");

// The sources of one command, read files first so that a bad file is reported before the
// device is asked; the device is read once, however often it is named.
class SourceReader {
public:
    SourceReader(const ReportContext& context, QTextStream& err) : context_(context), err_(err) {}

    ReportSource Source(const QString& word) const;

    // The images of the sources in their order, or the exit status of the first failure
    // (already reported).
    int Read(const std::vector<ReportSource>& sources, std::vector<SettingsImage>& images);

    // What the device read told of the device; empty before a read.
    const DeviceSettings& DeviceRead() const { return device_; }

private:
    int ReadFile(const QString& path, SettingsImage& image);
    int ReadDevice(SettingsImage& image);

    const ReportContext& context_;
    QTextStream& err_;
    bool deviceRead_ = false;
    DeviceSettings device_;
};
