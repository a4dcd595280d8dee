#include "settings/settings_diff.h"

#include "settings/settings_texts.h"

#include <QCoreApplication>

namespace velor::settings {
namespace {

bool SameField(const SettingsField& a, const SettingsField& b) {
    if (a.present != b.present) {
        return false;
    }
    return !a.present || (a.raw == b.raw && a.value == b.value);
}

QString ShownValue(const SettingsField& field) {
    return field.present ? field.value : AbsentValue();
}

QString WithCode(const QString& value, const std::optional<qint64>& raw) {
    return raw ? SettingsFields::tr("%1 (код %2)").arg(value).arg(*raw) : value;
}

} // namespace

std::vector<FieldChange> DiffSettings(const SettingsImage& before, const SettingsImage& after) {
    const std::vector<SettingsField> first = SettingsFieldSlots(before);
    const std::vector<SettingsField> second = SettingsFieldSlots(after);
    std::vector<FieldChange> changes;
    for (std::size_t i = 0; i < first.size() && i < second.size(); ++i) {
        const SettingsField& a = first[i];
        const SettingsField& b = second[i];
        if (SameField(a, b)) {
            continue;
        }
        FieldChange change;
        change.key = a.key;
        change.name = a.name;
        change.page = a.page;
        change.unit = a.present ? a.unit : b.unit;
        change.before = ShownValue(a);
        change.after = ShownValue(b);
        if (a.present) {
            change.beforeRaw = a.raw;
        }
        if (b.present) {
            change.afterRaw = b.raw;
        }
        if (change.before == change.after) {
            change.before = WithCode(change.before, change.beforeRaw);
            change.after = WithCode(change.after, change.afterRaw);
        }
        changes.push_back(change);
    }
    return changes;
}

QString ChangeLine(const FieldChange& change) {
    return QStringLiteral("%1: %2 → %3").arg(change.name, change.before, change.after);
}

QStringList ChangeLines(const std::vector<FieldChange>& changes) {
    QStringList lines;
    for (const FieldChange& change : changes) {
        lines << ChangeLine(change);
    }
    return lines;
}

} // namespace velor::settings
