#include "catalogue/program_layout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace velor {
namespace {

const QString kInstalledDataFolder = QStringLiteral("../share/velor580");
const QString kUserFolder = QStringLiteral("velor580"); // in the configuration and data folders
const QString kIniExtension = QStringLiteral(".INI");

bool HoldsShippedData(const QString& folder) {
    return QFileInfo::exists(folder + QLatin1Char('/') + QLatin1String(kFactoryDefaultsFile));
}

QString InstalledDataFolder(const QString& programPath) {
    return QDir::cleanPath(ProgramFolder(programPath) + QLatin1Char('/') + kInstalledDataFolder);
}

QString ProgramName(const QString& programPath) {
    return QFileInfo(programPath).completeBaseName();
}

QString UserFolder(QStandardPaths::StandardLocation location) {
    return QStandardPaths::writableLocation(location) + QLatin1Char('/') + kUserFolder;
}

// Adds what the template has and the user's file lacks; the user's values stay.
bool AddMissingKeys(const QString& templatePath, const QString& userPath) {
    const QSettings shipped(templatePath, QSettings::IniFormat);
    QSettings user(userPath, QSettings::IniFormat);
    for (const QString& key : shipped.allKeys()) {
        if (!user.contains(key)) {
            user.setValue(key, shipped.value(key));
        }
    }
    user.sync();
    return user.status() == QSettings::NoError;
}

} // namespace

bool RunsInstalled(const QString& programPath) {
    return !HoldsShippedData(ProgramFolder(programPath)) &&
           HoldsShippedData(InstalledDataFolder(programPath));
}

QString DataFolder(const QString& programPath) {
    return RunsInstalled(programPath) ? InstalledDataFolder(programPath)
                                      : ProgramFolder(programPath);
}

bool KeepsStateWithUser(const QString& programPath) {
    const QFileInfo folder(ProgramFolder(programPath));
    return RunsInstalled(programPath) || (folder.exists() && !folder.isWritable());
}

QString UserIniPath(const QString& programPath) {
    return UserFolder(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           ProgramName(programPath) + kIniExtension;
}

QString IniTemplatePath(const QString& programPath) {
    return DataFolder(programPath) + QLatin1Char('/') + ProgramName(programPath) + kIniExtension;
}

QString FirmwareFolder(const QString& programPath) {
    if (!KeepsStateWithUser(programPath)) {
        return QLatin1String(kFirmwareFolderName);
    }
    return UserFolder(QStandardPaths::GenericDataLocation) + QLatin1Char('/') +
           QLatin1String(kFirmwareFolderName);
}

QString HistoryFolder(const QString& programPath) {
    const QString parent = KeepsStateWithUser(programPath)
                               ? UserFolder(QStandardPaths::GenericDataLocation)
                               : ProgramFolder(programPath);
    return parent + QLatin1Char('/') + QLatin1String(kHistoryFolderName);
}

bool PrepareUserIni(const QString& programPath) {
    if (!KeepsStateWithUser(programPath)) {
        return true;
    }
    const QString userPath = UserIniPath(programPath);
    const QString templatePath = IniTemplatePath(programPath);
    if (!QDir().mkpath(QFileInfo(userPath).absolutePath())) {
        return false;
    }
    if (!QFileInfo::exists(userPath)) {
        // A copy keeps the template's layout; the copy of a read-only template is made writable.
        if (!QFileInfo::exists(templatePath)) {
            return true; // nothing to seed from: the readers' defaults apply
        }
        return QFile::copy(templatePath, userPath) &&
               QFile::setPermissions(userPath, QFile::ReadOwner | QFile::WriteOwner |
                                                   QFile::ReadGroup | QFile::ReadOther);
    }
    return AddMissingKeys(templatePath, userPath);
}

} // namespace velor
