#include "settings/settings_history.h"

#include "link/device_version_text.h"
#include "link/native_path.h"
#include "link/system_error_text.h"
#include "settings/cfg_format.h"
#include "settings/regular_file.h"
#include "settings/settings_fingerprint.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <system_error>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss");
const QLatin1String kCfgSuffix(".cfg");
const QLatin1String kRecordSuffix(".json");
constexpr int kFirstRepeat = 2; // the second snapshot of one second is "-2"
// Names tried for the snapshots of one second before a save gives up: far more than writes can
// start in a second.
constexpr int kLastRepeat = 10000;

// <time>[-<n>]_<type>_<a_b_c>.cfg
const QRegularExpression
    kSnapshotName(QStringLiteral("^(\\d{8}-\\d{6})(?:-(\\d+))?_(\\d+)_(\\d+_\\d+_\\d+)\\.cfg$"));

// Keys of the record beside a snapshot.
const QLatin1String kTypeKey("deviceType");
const QLatin1String kPlatformKey("platform");
const QLatin1String kVersionKey("version");
const QLatin1String kTimeKey("time");
const QLatin1String kFingerprintKey("fingerprint");
const QLatin1String kReplacedByKey("replacedBy");

// The record is one line; anything larger is not one of ours.
constexpr qint64 kMaxRecordSize = 4096;

struct SnapshotName {
    QString cfgPath;
    QDateTime time;
    int repeat = 1;
    uint16_t type = 0;
    QString version;
};

std::optional<SnapshotName> ParseName(const QString& folder, const QString& fileName) {
    const QRegularExpressionMatch match = kSnapshotName.match(fileName);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    SnapshotName name;
    name.cfgPath = folder + QLatin1Char('/') + fileName;
    name.time = QDateTime::fromString(match.captured(1), kTimeFormat);
    name.repeat = match.captured(2).isEmpty() ? 1 : match.captured(2).toInt();
    bool typeOk = false;
    const uint type = match.captured(3).toUInt(&typeOk);
    if (!name.time.isValid() || !typeOk || type > UINT16_MAX) {
        return std::nullopt;
    }
    name.type = static_cast<uint16_t>(type);
    name.version = match.captured(4);
    return name;
}

// Newest first; within one second the later repeat first.
bool Newer(const SnapshotName& a, const SnapshotName& b) {
    return a.time != b.time ? a.time > b.time : a.repeat > b.repeat;
}

std::filesystem::path FileSystemPath(const QString& path) {
    return std::filesystem::path(velor::NativePath(path).toStdString());
}

// The regular files of a folder (symbolic links followed), by the names the folder holds.
QStringList RegularFiles(const QString& folder) {
    QStringList files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(FileSystemPath(folder), error), end;
         !error && it != end; it.increment(error)) {
        std::error_code statusError;
        if (it->is_regular_file(statusError)) {
            files << velor::PathFromNative(
                QByteArray::fromStdString(it->path().filename().native()));
        }
    }
    return files;
}

std::vector<SnapshotName> SnapshotNames(const QString& folder) {
    std::vector<SnapshotName> names;
    if (folder.isEmpty()) {
        return names; // not the current folder
    }
    for (const QString& file : RegularFiles(folder)) {
        if (std::optional<SnapshotName> name = ParseName(folder, file)) {
            names.push_back(*name);
        }
    }
    std::sort(names.begin(), names.end(), Newer);
    return names;
}

bool Exists(const QString& path) {
    struct stat status {};
    return ::lstat(velor::NativePath(path).constData(), &status) == 0;
}

bool Remove(const QString& path) {
    return ::unlink(velor::NativePath(path).constData()) == 0;
}

QString RecordPath(const QString& cfgPath) {
    return cfgPath.left(cfgPath.size() - kCfgSuffix.size()) + kRecordSuffix;
}

QByteArray RecordLine(const SettingsImage& previous, const TVelorDevDesc& device,
                      const SettingsImage& replacement, const QDateTime& when) {
    QJsonObject record;
    record.insert(kTypeKey, device.Type);
    record.insert(kPlatformKey, device.Platform);
    record.insert(kVersionKey, VersionText(device));
    record.insert(kTimeKey, when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODate));
    record.insert(kFingerprintKey, velor::settings::Fingerprint(previous));
    record.insert(kReplacedByKey, velor::settings::Fingerprint(replacement));
    return QJsonDocument(record).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<QJsonObject> ReadRecord(const QString& path) {
    const FileRead read = ReadRegularFile(path, kMaxRecordSize);
    if (read.refusal != FileRefusal::None) {
        return std::nullopt;
    }
    const QJsonDocument document = QJsonDocument::fromJson(read.content);
    if (!document.isObject()) {
        return std::nullopt;
    }
    return document.object();
}

HistoryEntry EntryOf(const SnapshotName& name) {
    HistoryEntry entry;
    entry.path = name.cfgPath;
    entry.time = name.time;
    entry.deviceType = name.type;
    entry.version = name.version;
    try {
        entry.fingerprint = velor::settings::Fingerprint(LoadCfgFile(name.cfgPath));
    } catch (const std::runtime_error&) {
        entry.state = SnapshotState::Unreadable;
    }
    const std::optional<QJsonObject> record = ReadRecord(RecordPath(name.cfgPath));
    if (!record) {
        if (entry.state != SnapshotState::Unreadable) {
            entry.state = SnapshotState::Unrecorded;
        }
        return entry;
    }
    entry.platform = static_cast<uint16_t>(record->value(kPlatformKey).toInt());
    entry.replacedBy = record->value(kReplacedByKey).toString();
    const QDateTime recorded =
        QDateTime::fromString(record->value(kTimeKey).toString(), Qt::ISODate);
    if (recorded.isValid()) {
        entry.time = recorded.toLocalTime();
    }
    if (entry.state == SnapshotState::Unreadable) {
        return entry;
    }
    // A record that names no fingerprint cannot say the file changed: it vouches for nothing.
    const QString recordedFingerprint = record->value(kFingerprintKey).toString();
    if (recordedFingerprint.isEmpty()) {
        entry.state = SnapshotState::Unrecorded;
    } else if (recordedFingerprint != entry.fingerprint) {
        entry.state = SnapshotState::Altered;
    }
    return entry;
}

} // namespace

SettingsHistory::SettingsHistory(QString folder, Clock clock)
    : folder_(std::move(folder)), clock_(std::move(clock)) {
    if (!clock_) {
        clock_ = [] { return QDateTime::currentDateTime(); };
    }
}

// "<folder>/<time>[-<repeat>]_<type>_<a_b_c>", without a suffix.
QString SettingsHistory::BaseName(const QDateTime& when, const TVelorDevDesc& device,
                                  int repeat) const {
    const QString time = when.toString(kTimeFormat);
    const QString tail = QStringLiteral("_%1_%2").arg(device.Type).arg(VersionText(device));
    const QString base = repeat < kFirstRepeat
                             ? time + tail
                             : QStringLiteral("%1-%2%3").arg(time).arg(repeat).arg(tail);
    return folder_ + QLatin1Char('/') + base;
}

// The snapshot's .cfg takes the first free name of its second in one step (another program or
// thread saving in the same second takes another one); its record follows under the same base
// name. A record left without its .cfg keeps its name from new snapshots.
std::optional<QString> SettingsHistory::SaveUnderFreeName(const SettingsImage& previous,
                                                          const TVelorDevDesc& device,
                                                          const QDateTime& when) const {
    const QByteArray content = CfgText(previous);
    for (int repeat = 1; repeat <= kLastRepeat; ++repeat) {
        const QString base = BaseName(when, device, repeat);
        if (!Exists(base + kRecordSuffix) && SaveFileUnderFreeName(base + kCfgSuffix, content)) {
            return base;
        }
    }
    return std::nullopt;
}

HistorySave SettingsHistory::Save(const SettingsImage& previous, const TVelorDevDesc& device,
                                  const SettingsImage& replacement, const QDateTime& when) {
    if (folder_.isEmpty()) {
        return {{},
                QCoreApplication::translate("SettingsHistory", "Папка истории настроек не задана")};
    }
    std::error_code error;
    std::filesystem::create_directories(FileSystemPath(folder_), error);
    if (error) {
        return {{},
                QCoreApplication::translate("SettingsHistory",
                                            "Не удалось создать папку истории \"%1\": %2")
                    .arg(folder_, velor::SystemErrorText(error.value()))};
    }
    std::optional<QString> base;
    try {
        base = SaveUnderFreeName(previous, device, when);
    } catch (const FileSaveError& e) {
        return {{}, CreateFileErrorText(BaseName(when, device, 1) + kCfgSuffix, e.Reason())};
    }
    if (!base) {
        return {{},
                CreateFileErrorText(BaseName(when, device, 1) + kCfgSuffix,
                                    velor::SystemErrorText(EEXIST))};
    }
    const QString cfgPath = *base + kCfgSuffix;
    const QString recordPath = *base + kRecordSuffix;
    try {
        SaveFileReplacing(recordPath, RecordLine(previous, device, replacement, when));
    } catch (const FileSaveError& e) {
        Remove(cfgPath); // a snapshot without its record is not left half made
        return {{}, CreateFileErrorText(recordPath, e.Reason())};
    }
    Prune();
    return {cfgPath, {}};
}

// A removal that fails leaves the snapshot for the next save to try again; it never fails the
// save that has just succeeded.
void SettingsHistory::Prune() const {
    const std::vector<SnapshotName> names = SnapshotNames(folder_);
    const QDateTime protectedSince = clock_().addDays(-kProtectedDays);
    for (std::size_t i = kKeptSnapshots; i < names.size(); ++i) {
        if (names[i].time <= protectedSince && Remove(names[i].cfgPath)) {
            Remove(RecordPath(names[i].cfgPath));
        }
    }
}

std::vector<HistoryEntry> SettingsHistory::List() const {
    std::vector<HistoryEntry> entries;
    for (const SnapshotName& name : SnapshotNames(folder_)) {
        entries.push_back(EntryOf(name));
    }
    return entries;
}

QString SnapshotStateMark(SnapshotState state) {
    switch (state) {
    case SnapshotState::Intact:
        return {};
    case SnapshotState::Unrecorded:
        return QCoreApplication::translate("SettingsHistory", "(нет записи .json рядом)");
    case SnapshotState::Altered:
        return QCoreApplication::translate("SettingsHistory", "(файл изменен после сохранения)");
    case SnapshotState::Unreadable:
        return QCoreApplication::translate("SettingsHistory",
                                           "(файл не читается как файл настроек)");
    }
    return {};
}
