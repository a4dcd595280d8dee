#pragma once

#include "settings/settings_image.h"

#include <QString>

#include <cstdint>
#include <vector>

// The fingerprint of a settings image: SHA-256 of its 257 bytes. Two technicians read the short
// form to each other to confirm that they hold the same settings.
namespace velor::settings {

// Hex digits of the short form shown in reports, lists and dialogs.
constexpr int kShortFingerprintDigits = 12;

// All 64 lower-case hex digits of the SHA-256 of the image's bytes.
QString Fingerprint(const SettingsImage& image);

// The first kShortFingerprintDigits of Fingerprint(image).
QString ShortFingerprint(const SettingsImage& image);

// The same for any bytes, such as a firmware file.
QString Fingerprint(const std::vector<uint8_t>& bytes);
QString ShortFingerprint(const std::vector<uint8_t>& bytes);

} // namespace velor::settings
