#include "cli/report_sources.h"

#include "cli/console_host.h"
#include "settings/cfg_format.h"

#include <stdexcept>

ReportSource SourceReader::Source(const QString& word) const {
    if (word == kDeviceSource) {
        return {ReportSource::Kind::Device, context_.port};
    }
    if (word == kFactorySource) {
        return {ReportSource::Kind::Factory, context_.factoryFile};
    }
    return {ReportSource::Kind::File, word};
}

int SourceReader::Read(const std::vector<ReportSource>& sources,
                       std::vector<SettingsImage>& images) {
    images.assign(sources.size(), SettingsImage());
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (sources[i].kind != ReportSource::Kind::Device) {
            if (const int failed = ReadFile(sources[i].path, images[i]); failed != kExitSuccess) {
                return failed;
            }
        }
    }
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (sources[i].kind == ReportSource::Kind::Device) {
            if (const int failed = ReadDevice(images[i]); failed != kExitSuccess) {
                return failed;
            }
        }
    }
    return kExitSuccess;
}

int SourceReader::ReadFile(const QString& path, SettingsImage& image) {
    try {
        image = LoadCfgFile(path);
    } catch (const std::runtime_error& error) {
        PrintLine(err_, QString::fromUtf8(error.what()));
        return kExitFileError;
    }
    return kExitSuccess;
}

int SourceReader::ReadDevice(SettingsImage& image) {
    if (!deviceRead_) {
        device_ = context_.readDevice();
        deviceRead_ = true;
    }
    if (!device_.image) {
        return device_.exitCode == kExitSuccess ? kExitReportFailed : device_.exitCode;
    }
    image = *device_.image;
    return kExitSuccess;
}
