#include "cli/history_commands.h"

#include "cli/cli_texts.h"
#include "cli/console_host.h"
#include "cli/quoted_name.h"
#include "settings/settings_fingerprint.h"
#include "settings/settings_history.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// Stable names of the snapshot states in the JSON list.
const char* StateKey(SnapshotState state) {
    switch (state) {
    case SnapshotState::Intact:
        return "intact";
    case SnapshotState::Unrecorded:
        return "unrecorded";
    case SnapshotState::Altered:
        return "altered";
    case SnapshotState::Unreadable:
        return "unreadable";
    }
    return "unreadable";
}

QString EntryLine(const HistoryEntry& entry) {
    const QString fingerprint =
        entry.fingerprint.isEmpty()
            ? QStringLiteral("-").repeated(velor::settings::kShortFingerprintDigits)
            : entry.fingerprint.left(velor::settings::kShortFingerprintDigits);
    QStringList columns{entry.time.toString(kTimeFormat),
                        QStringLiteral("%1 %2").arg(entry.deviceType).arg(entry.version),
                        fingerprint, QuotedName(QDir::toNativeSeparators(entry.path))};
    const QString mark = SnapshotStateMark(entry.state);
    if (!mark.isEmpty()) {
        columns << mark;
    }
    return columns.join(QStringLiteral("  "));
}

QJsonObject EntryJson(const HistoryEntry& entry) {
    QJsonObject object;
    object.insert(QLatin1String("path"), entry.path);
    object.insert(QLatin1String("time"),
                  entry.time.toOffsetFromUtc(entry.time.offsetFromUtc()).toString(Qt::ISODate));
    object.insert(QLatin1String("deviceType"), entry.deviceType);
    object.insert(QLatin1String("platform"), entry.platform);
    object.insert(QLatin1String("version"), entry.version);
    object.insert(QLatin1String("fingerprint"), entry.fingerprint);
    object.insert(QLatin1String("replacedBy"), entry.replacedBy);
    object.insert(QLatin1String("state"), QLatin1String(StateKey(entry.state)));
    return object;
}

} // namespace

int RunHistoryCommand(const CliOptions& options, const CliEnvironment& environment,
                      QTextStream& out, QTextStream& err) {
    const std::vector<HistoryEntry> entries = SettingsHistory(environment.historyFolder).List();
    PrintLine(err, Cli::tr("История настроек: %1")
                       .arg(QuotedName(QDir::toNativeSeparators(environment.historyFolder))));
    if (entries.empty()) {
        PrintLine(err, Cli::tr("История пуста: снимков еще нет."));
    }
    if (options.json) {
        QJsonArray list;
        for (const HistoryEntry& entry : entries) {
            list.append(EntryJson(entry));
        }
        out << QJsonDocument(list).toJson(QJsonDocument::Indented);
        return kExitSuccess;
    }
    for (const HistoryEntry& entry : entries) {
        out << EntryLine(entry) << '\n';
    }
    return kExitSuccess;
}
