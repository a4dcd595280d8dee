#pragma once

#include "settings/settings_check.h"
#include "settings/settings_diff.h"

#include <QStringList>

#include <vector>

// What the tests of the readable settings model compare: the keys of a change list, and the keys
// of a check's findings of one kind.

inline QStringList ChangeKeys(const std::vector<velor::settings::FieldChange>& changes) {
    QStringList keys;
    for (const velor::settings::FieldChange& change : changes) {
        keys << change.key;
    }
    return keys;
}

inline QStringList FindingKeys(const velor::settings::SettingsCheck& check,
                               velor::settings::FindingKind kind) {
    QStringList keys;
    for (const velor::settings::CheckFinding& finding : check.findings) {
        if (finding.kind == kind) {
            keys << finding.key;
        }
    }
    return keys;
}
