#pragma once

#include "settings/control_names.h"
#include "settings/settings_image.h"

#include <QLatin1String>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

// Shared by the settings codec tests on the stand-in controls and on the real window.

// The window's numbered control families as the settings codec names them: a prefix followed
// by the key, loop or output number, e.g. "CodeTM3" or "shvz" + key + loop.
using velor::window::kKeys;
using velor::window::kLoops;
using velor::window::kOutputs;

inline QString N(const char* prefix, int index) {
    return velor::window::Name(prefix, index);
}

inline QString N(const char* prefix, int first, int second) {
    return velor::window::Name(prefix, first, second);
}

// image with the given (offset, value) bytes set.
inline SettingsImage WithBytes(SettingsImage image, const QList<QPair<int, int>>& bytes) {
    for (const auto& [offset, value] : bytes) {
        image[static_cast<std::size_t>(offset)] = static_cast<uint8_t>(value);
    }
    return image;
}

// "byte <offset> is <actual>, expected <expected>" for every byte that differs; empty when equal.
inline QString Differences(const SettingsImage& actual, const SettingsImage& expected) {
    QStringList lines;
    for (std::size_t offset = 0; offset < kSettingsImageSize; ++offset) {
        if (actual[offset] != expected[offset]) {
            lines << QStringLiteral("byte %1 is %2, expected %3")
                         .arg(offset)
                         .arg(actual[offset])
                         .arg(expected[offset]);
        }
    }
    return lines.join(QStringLiteral("; "));
}
