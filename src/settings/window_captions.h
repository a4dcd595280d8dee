#pragma once

#include "settings/control_names.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>

// Window texts that name the settings' parts rather than one field: the settings pages' tabs and
// the output sub-pages. Russian source texts, translated under the window's context; the window
// shows them and the readable settings model names its fields with them, so that both say the
// same. The fields' own captions and entries are in their records (settings/field_records.h).
namespace velor::window {

// The translation context of the window's texts.
inline constexpr char kWindowContext[] = "TMainForm";

// The tabs of the settings pages, in tab order: "  Главная  ", "  Настройки ШС ",
// "Режимы реле и выходов ОК", "Идентификаторы ТМ".
constexpr int kSettingsPageCount = 4;
extern const std::array<const char*, kSettingsPageCount> kPageCaptions;

// Sub-page captions, output 1 ... 4: "Реле №1" ... "OK №2".
extern const std::array<const char*, kOutputs> kOutputCaptions;

// A window text in the technician's language.
QString WindowText(const char* source);

template <std::size_t N> QStringList WindowTexts(const std::array<const char*, N>& sources) {
    QStringList texts;
    for (const char* source : sources) {
        texts << WindowText(source);
    }
    return texts;
}

} // namespace velor::window
