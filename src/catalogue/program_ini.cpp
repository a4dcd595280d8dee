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

// Anything but "0" keeps the review on: a damaged key never silently skips it.
bool ReadReviewBeforeWrite(const QString& programPath) {
    return ReadIniString(IniFilePath(programPath), kWriteSection, kReviewKey, kOn).trimmed() !=
           kOff;
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
