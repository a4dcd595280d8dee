#pragma once

#include "settings/settings_image.h"

#include <QString>

// The settings as plain text for a technician to read: a block per window page, its title, then
// a line per field, name and value in aligned columns. velor580-cli show and the window's
// settings history print it.
namespace velor::settings {

QString SettingsPagesText(const SettingsImage& image);

} // namespace velor::settings
