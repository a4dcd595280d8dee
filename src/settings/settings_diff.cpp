#include "settings/settings_diff.h"

namespace velor::settings {

// Byte by byte until the readable field model is in place.
std::vector<FieldChange> DiffSettings(const SettingsImage& before, const SettingsImage& after) {
    std::vector<FieldChange> changes;
    for (std::size_t offset = 0; offset < kSettingsImageSize; ++offset) {
        if (before[offset] != after[offset]) {
            changes.push_back({QStringLiteral("byte.%1").arg(offset),
                               QStringLiteral("byte %1").arg(offset),
                               QString::number(before[offset]), QString::number(after[offset])});
        }
    }
    return changes;
}

} // namespace velor::settings
