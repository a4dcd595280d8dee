#pragma once

#include "settings/control_names.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>

// The captions and list entries of the output sub-pages as the window shows them: Russian source
// texts, translated under the window's context. The window fills its controls with them and the
// readable settings model names its values with them, so that both say the same.
namespace velor::window {

// The translation context of the window's texts.
inline constexpr char kWindowContext[] = "TMainForm";

constexpr int kWorkModeItemCount = kSpecialMode + 1;
constexpr int kSwitchTimeEntryCount = kConstantSwitchTimeIndex + 1;
constexpr int kDurationEntryCount = kConstantDurationIndex + 1;

// Sub-page captions, output 1 ... 4: "Реле №1" ... "OK №2".
extern const std::array<const char*, kOutputs> kOutputCaptions;
// The items of an output's work-mode group, top to bottom (OutputWorkMode).
extern const std::array<const char*, kWorkModeItemCount> kWorkModeCaptions;
// The opening and closing time lists (timing index 0 ... 7) and the notification duration list
// (index 0 ... 15).
extern const std::array<const char*, kSwitchTimeEntryCount> kSwitchTimeCaptions;
extern const std::array<const char*, kDurationEntryCount> kDurationCaptions;
// The notification boxes' captions, in the order of kEventBoxPrefixes.
extern const std::array<const char*, kEventBoxCount> kEventBoxCaptions;

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
