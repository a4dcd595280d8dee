#pragma once

#include "settings/settings_image.h"

#include <QString>

#include <vector>

// What differs between two settings images, field by field, in the technician's language.
namespace velor::settings {

struct FieldChange {
    QString key;    // stable field key, e.g. "loop.3.type"
    QString name;   // the field's readable name
    QString before; // its value in the first image, formatted with its unit
    QString after;  // its value in the second image
};

// Every field whose value differs, in report order (pages, then fields); empty when equal.
std::vector<FieldChange> DiffSettings(const SettingsImage& before, const SettingsImage& after);

} // namespace velor::settings
