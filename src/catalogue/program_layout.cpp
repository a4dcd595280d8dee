#include "catalogue/program_layout.h"

#include "link/native_path.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>

namespace velor {
namespace {

const QString kInstalledDataFolder = QStringLiteral("../share/velor580");
const QString kUserFolder = QStringLiteral("velor580"); // in the configuration and data folders
const QString kIniExtension = QStringLiteral(".INI");
const QString kDamagedSuffix = QStringLiteral(".damaged-"); // then the time it was found
const QString kDamagedTimeFormat = QStringLiteral("yyyyMMdd-HHmmss");
constexpr int kDamagedRepeats = 1000;          // names tried for the damaged files of one second
constexpr unsigned char kFirstTextByte = 0x20; // below it only tab, CR, LF and FF are text
constexpr qint64 kMaxIniSize = 1024 * 1024;    // what is looked at of the file

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

// The user's data folder for the files the program reads and writes itself (the settings
// history): XDG_DATA_HOME as the bytes it holds, so a folder whose name is not UTF-8 is the one
// used (Qt's reading of the variable replaces such bytes); Qt's answer when it names none.
QString ExactUserDataFolder() {
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    if (!dataHome.startsWith('/')) {
        return UserFolder(QStandardPaths::GenericDataLocation);
    }
    return PathFromNative(dataHome) + QLatin1Char('/') + kUserFolder;
}

// An INI file is text: a NUL, a control character other than tab, CR, LF or form feed, or bytes
// that are not UTF-8 mark a file that something else has overwritten (a crash, a full disk, a
// wrong file). Reading it as INI would turn the junk into keys and write them back.
bool LooksDamaged(const QByteArray& content) {
    for (const char byte : content) {
        const auto code = static_cast<unsigned char>(byte);
        if (code < kFirstTextByte && code != '\t' && code != '\n' && code != '\r' && code != '\f') {
            return true;
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(content); // decoding happens on the conversion
    return utf8.hasError();
}

// Moves a damaged INI file aside as "<file>.damaged-<yyyyMMdd-HHmmss>[-n]"; its new name, or
// empty when it could not be moved.
QString KeepDamaged(const QString& userPath) {
    const QString base =
        userPath + kDamagedSuffix + QDateTime::currentDateTime().toString(kDamagedTimeFormat);
    QString kept = base;
    for (int repeat = 2; QFileInfo::exists(kept) && repeat <= kDamagedRepeats; ++repeat) {
        kept = base + QLatin1Char('-') + QString::number(repeat);
    }
    return QFile::rename(userPath, kept) ? kept : QString();
}

// The user's INI file as the template is: made writable for the user, whatever the template's
// permissions.
bool SeedUserIni(const QString& templatePath, const QString& userPath) {
    if (!QFileInfo::exists(templatePath)) {
        return true; // nothing to seed from: the readers' defaults apply
    }
    return QFile::copy(templatePath, userPath) &&
           QFile::setPermissions(userPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                               QFile::ReadOther);
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
    const QString parent =
        KeepsStateWithUser(programPath) ? ExactUserDataFolder() : ProgramFolder(programPath);
    return parent + QLatin1Char('/') + QLatin1String(kHistoryFolderName);
}

QString SiteBookPath(const QString& programPath) {
    const QString parent =
        KeepsStateWithUser(programPath) ? ExactUserDataFolder() : ProgramFolder(programPath);
    return parent + QLatin1Char('/') + QLatin1String(kSiteBookFileName);
}

QString DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

bool PrepareUserIni(const QString& programPath, QString* damagedKeptAs) {
    if (!KeepsStateWithUser(programPath)) {
        return true;
    }
    const QString userPath = UserIniPath(programPath);
    const QString templatePath = IniTemplatePath(programPath);
    if (!QDir().mkpath(QFileInfo(userPath).absolutePath())) {
        return false;
    }
    if (QFileInfo::exists(userPath)) {
        QFile user(userPath);
        if (!user.open(QIODevice::ReadOnly) || !LooksDamaged(user.read(kMaxIniSize))) {
            return AddMissingKeys(templatePath, userPath);
        }
        user.close();
        const QString kept = KeepDamaged(userPath);
        if (kept.isEmpty()) {
            return false; // left as it is rather than overwritten
        }
        if (damagedKeptAs != nullptr) {
            *damagedKeptAs = kept;
        }
    }
    // A copy keeps the template's layout.
    return SeedUserIni(templatePath, userPath);
}

} // namespace velor
