#include "catalogue/program_ini.h"

#include "catalogue/ini_file.h"
#include "catalogue/locale_runtime.h"

namespace velor {
namespace {

const QString kLanguageSection = QStringLiteral("Language");
const QString kDefaultKey = QStringLiteral("Default");
const QString kHelpSection = QStringLiteral("Help");
const QString kPortSection = QStringLiteral("Port");
const QString kDeviceKey = QStringLiteral("Device");

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

} // namespace velor
