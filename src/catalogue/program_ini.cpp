#include "catalogue/program_ini.h"

#include "catalogue/ini_file.h"
#include "catalogue/locale_runtime.h"

namespace velor {
namespace {

const QString kLanguageSection = QStringLiteral("Language");
const QString kDefaultKey = QStringLiteral("Default");
const QString kHelpSection = QStringLiteral("Help");
const QString kPortSection = QStringLiteral("Port");
const QString kSiteBookSection = QStringLiteral("SiteBook");
const QString kTechnicianKey = QStringLiteral("Technician");
const QString kDeviceKey = QStringLiteral("Device");
const QString kWriteSection = QStringLiteral("Write");
const QString kReviewKey = QStringLiteral("Review");
const QString kFilesSection = QStringLiteral("Files");
const QString kSettingsFolderKey = QStringLiteral("SettingsFolder");
const QString kFirmwareFolderKey = QStringLiteral("FirmwareFolder");
const QString kRecentKey = QStringLiteral("Recent%1");
const QString kOn = QStringLiteral("1");
const QString kOff = QStringLiteral("0");

} // namespace

QString ReadStartupLocale(const QString& programPath) {
    return ReadIniString(IniFilePath(programPath), kLanguageSection, kDefaultKey, kBaseLocale);
}

QString ReadChosenLocale(const QString& programPath) {
    return ReadIniString(IniFilePath(programPath), kLanguageSection, kDefaultKey, QString());
}

bool WriteStartupLocale(const QString& locale, const QString& programPath) {
    return WriteIniString(IniFilePath(programPath), kLanguageSection, kDefaultKey, locale);
}

QString ReadHelpFileName(const QString& programPath) {
    QString locale = GetCurrentDefaultLocaleReg(programPath);
    if (locale.isEmpty()) {
        locale = kBaseLocale;
    }
    return ReadIniString(IniFilePath(programPath), kHelpSection, locale, QString());
}

QString ReadPortDevice(const QString& programPath) {
    return ReadIniString(IniFilePath(programPath), kPortSection, kDeviceKey, QString());
}

bool WritePortDevice(const QString& device, const QString& programPath) {
    return WriteIniString(IniFilePath(programPath), kPortSection, kDeviceKey, device);
}

// Anything but "0" keeps the review on: a damaged key never silently skips it.
bool ReadReviewBeforeWrite(const QString& programPath) {
    return ReadIniString(IniFilePath(programPath), kWriteSection, kReviewKey, kOn).trimmed() !=
           kOff;
}

FilePlaces ReadFilePlaces(const QString& programPath) {
    const QString ini = IniFilePath(programPath);
    FilePlaces places;
    places.settingsFolder = ReadIniString(ini, kFilesSection, kSettingsFolderKey, QString());
    places.firmwareFolder = ReadIniString(ini, kFilesSection, kFirmwareFolderKey, QString());
    for (int n = 1; n <= kRecentFileCount; ++n) {
        const QString file = ReadIniString(ini, kFilesSection, kRecentKey.arg(n), QString());
        if (!file.isEmpty()) {
            places.recentFiles << file;
        }
    }
    return places;
}

// Every key is written, so that a shorter list leaves no file of a longer one behind.
bool WriteFilePlaces(const FilePlaces& places, const QString& programPath) {
    const QString ini = IniFilePath(programPath);
    bool written = WriteIniString(ini, kFilesSection, kSettingsFolderKey, places.settingsFolder);
    written =
        WriteIniString(ini, kFilesSection, kFirmwareFolderKey, places.firmwareFolder) && written;
    for (int n = 1; n <= kRecentFileCount; ++n) {
        written = WriteIniString(ini, kFilesSection, kRecentKey.arg(n),
                                 places.recentFiles.value(n - 1)) &&
                  written;
    }
    return written;
}

bool WriteReviewBeforeWrite(bool review, const QString& programPath) {
    return WriteIniString(IniFilePath(programPath), kWriteSection, kReviewKey, review ? kOn : kOff);
}

QString ReadTechnicianName(const QString& programPath) {
    return ReadIniString(IniFilePath(programPath), kSiteBookSection, kTechnicianKey, QString())
        .trimmed();
}

bool WriteTechnicianName(const QString& name, const QString& programPath) {
    return WriteIniString(IniFilePath(programPath), kSiteBookSection, kTechnicianKey, name);
}

} // namespace velor
