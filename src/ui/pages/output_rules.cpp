// Rules of the outputs page: the preset a work mode loads into an output, which of the output's
// controls the mode leaves editable, which loop bindings it allows, and the timing rule of the
// special mode.

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "settings/field_records.h"
#include "ui/control_families.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/pages/rule_support.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/page_control.h"
#include "ui/widgets/radio_group.h"

#include <QCheckBox>

#include <array>

using namespace velor::window;
using namespace velor::rules;

namespace {
// The notification boxes and the timing combos of an output, in the columns of the tables below.
constexpr int kEventCount = velor::settings::fields::kEventCount;
constexpr int kTimingCount = velor::settings::fields::kTimingListCount;
constexpr int kOpening = 0; // TimeRzmk: opening time
constexpr int kClosing = 1; // TimeZmk: closing time
constexpr int kPeriod = 2;  // TimePeriod: notification duration

// Entries of the timing combos.
constexpr int kUnused = 0;        // "---" in TimeRzmk, TimeZmk and TimePeriod
constexpr int kHalfSecond = 1;    // TimeRzmk, TimeZmk: "0.5 сек", the shortest time
constexpr int kTenSeconds = 4;    // TimeRzmk, TimeZmk: "10 сек"
constexpr int kThirtySeconds = 6; // TimeRzmk, TimeZmk: "30 сек", the longest time
constexpr int kConstantSwitch = kConstantSwitchTimeIndex; // TimeRzmk, TimeZmk: "пост."
constexpr int kConstantPeriod = kConstantDurationIndex;   // TimePeriod: "пост."
constexpr int kNotInverse = 0;                            // InvRele: "нет "

// The values modes 0 to 5 load: the seven notification boxes (X checked, - unchecked) and the
// entries of TimeRzmk, TimeZmk, TimePeriod and InvRele.
struct Preset {
    const char* events;
    std::array<int, kTimingCount> timing;
};
constexpr std::array<Preset, kSpecialMode> kPresets = {{
    {"X---X--", {kConstantSwitch, kUnused, kUnused, kNotInverse}}, // 0 "ПЦН тревога"
    {"X---X--", {kHalfSecond, kHalfSecond, kConstantPeriod, kNotInverse}}, // 1 "Контр. лампа"
    {"----X--", {kUnused, kConstantSwitch, kUnused, kNotInverse}},         // 2 "Взят/снят"
    {"X------", {kUnused, kConstantSwitch, kUnused, kNotInverse}},         // 3 "Звуковой"
    {"X------", {kConstantSwitch, kUnused, kUnused, kNotInverse}},         // 4 "Тревога"
    {"---X---", {kUnused, kTenSeconds, kUnused, kNotInverse}}, // 5 "Исполнительный"
}};

// Which of the seven notification boxes and the four timing combos a mode leaves editable
// (E editable, - disabled). In the special mode the timing rule decides TimePeriod afterwards.
// Columns: the seven notification boxes, then TimeRzmk, TimeZmk, TimePeriod, InvRele.
constexpr std::array<const char*, kSpecialMode + 1> kEditable = {
    "-----E-----", // 0 only "Вскрытие корпуса" stays the user's choice
    "-----------", // 1
    "-----------", // 2
    "-----------", // 3
    "-----------", // 4
    "-----------", // 5
    "EEEEEEEEE-E", // 6
};
constexpr char kMarked = 'X';
constexpr char kEditableMark = 'E';

bool IsOpenCollector(int output) {
    return output > kRelays;
}

bool HasPreset(int mode) {
    return mode >= 0 && mode < static_cast<int>(kPresets.size());
}

bool HasEditableSet(int mode) {
    return mode >= 0 && mode < static_cast<int>(kEditable.size());
}

QCheckBox* Binding(const TMainForm& form, int loop, int output) {
    return form.Control<QCheckBox>(Name(velor::settings::fields::kBinding.control, loop, output));
}

QCheckBox* EventBox(const TMainForm& form, int event, int output) {
    return form.Control<QCheckBox>(Name(velor::settings::fields::kEvents[event].control, output));
}

ComboList* Timing(const TMainForm& form, int column, int output) {
    return form.Control<ComboList>(
        Name(velor::settings::fields::kTimingLists[column]->control, output));
}

// The output whose sub-page PageControl2 shows.
int ShownOutput(const TMainForm& form) {
    return form.Control<PageControl>(QStringLiteral("PageControl2"))->ActivePageIndex() + 1;
}

void SetAllBindings(const TMainForm& form, int output, bool enabled) {
    for (int loop = 1; loop <= kLoops; ++loop) {
        Binding(form, loop, output)->setEnabled(enabled);
    }
}

void ShowSoundModeNote(const TMainForm& form) {
    form.Dialogs().MessageBox(BoxRequest(velor::MessageText(velor::msg::kSoundModeNote),
                                         ProgramTitle(), BoxIcon::None, BoxOwner::Active));
}

void ApplyPreset(const TMainForm& form, int output, const Preset& preset) {
    for (int event = 0; event < kEventCount; ++event) {
        EventBox(form, event, output)->setChecked(preset.events[event] == kMarked);
    }
    for (int column = 0; column < kTimingCount; ++column) {
        Timing(form, column, output)->SetItemIndex(preset.timing[column]);
    }
}

void ApplyEditable(const TMainForm& form, int output, const char* editable) {
    for (int event = 0; event < kEventCount; ++event) {
        EventBox(form, event, output)->setEnabled(editable[event] == kEditableMark);
    }
    for (int column = 0; column < kTimingCount; ++column) {
        Timing(form, column, output)->setEnabled(editable[kEventCount + column] == kEditableMark);
    }
}

// Fire loops cannot drive an output in a mode for security loops: their bindings are unticked
// (uncheck) or only locked.
void LockFireLoopBindings(const TMainForm& form, int output, bool uncheck) {
    for (int loop = 1; loop <= kLoops; ++loop) {
        if (!IsFireLoop(form, loop)) {
            continue;
        }
        QCheckBox* binding = Binding(form, loop, output);
        if (uncheck) {
            binding->setChecked(false);
        }
        binding->setEnabled(false);
    }
}

bool IsSwitchTime(int entry) {
    return entry >= kHalfSecond && entry <= kThirtySeconds;
}

void SetCombo(ComboList* combo, int entry, bool enabled) {
    combo->SetItemIndex(entry);
    combo->setEnabled(enabled);
}

// Special mode: an opening or closing time of "пост." rules out the other time and the
// duration; a duration needs both times; without both a duration is not used.
void ApplySpecialTiming(const TMainForm& form, int output) {
    ComboList* opening = Timing(form, kOpening, output);
    ComboList* closing = Timing(form, kClosing, output);
    ComboList* period = Timing(form, kPeriod, output);
    const int r = opening->ItemIndex();
    const int z = closing->ItemIndex();
    if (r == kConstantSwitch) {
        SetCombo(closing, kUnused, false);
        SetCombo(period, kUnused, false);
    } else if (z == kConstantSwitch) {
        SetCombo(opening, kUnused, false);
        SetCombo(period, kUnused, false);
    } else if (IsSwitchTime(r) && IsSwitchTime(z)) {
        period->setEnabled(true);
    } else if (r >= 0 && z >= 0) {
        SetCombo(period, kUnused, false);
        opening->setEnabled(true);
        closing->setEnabled(true);
    } else {
        period->setEnabled(false); // a typed text that is no entry leaves a time unknown
    }
}
} // namespace

void TMainForm::MakeWorkModeRele(QObject* sender) {
    const int output = ShownOutput(*this);
    const int mode = qobject_cast<RadioGroup*>(sender)->ItemIndex();
    SetPageElementsAbleStatus_WorkModeRele(static_cast<uint8_t>(output));
    if (IsOpenCollector(output) && mode == kSoundMode) {
        for (int loop = 1; loop <= kLoops; ++loop) {
            Binding(*this, loop, output)->setChecked(true);
        }
    }
    if (HasPreset(mode)) {
        ApplyPreset(*this, output, kPresets[mode]);
    }
    if (ForSecurityLoopsOnly(mode)) {
        LockFireLoopBindings(*this, output, true);
    }
}

void TMainForm::SetPageElementsAbleStatus_WorkModeRele(uint8_t output) {
    const int mode = WorkMode(*this, output);
    SetAllBindings(*this, output, true);
    if (IsOpenCollector(output) && mode == kSoundMode) {
        SetAllBindings(*this, output, false);
        if (FormReady) {
            ShowSoundModeNote(*this);
        }
    }
    if (HasEditableSet(mode)) {
        ApplyEditable(*this, output, kEditable[mode]);
    }
    if (ForSecurityLoopsOnly(mode)) {
        LockFireLoopBindings(*this, output, false);
    }
    if (mode == kSpecialMode) {
        ApplySpecialTiming(*this, output);
    }
}

void TMainForm::SetAllPagesElementsAbleStatus_WorkModeRele() {
    for (int output = 1; output <= kOutputs; ++output) {
        SetPageElementsAbleStatus_WorkModeRele(static_cast<uint8_t>(output));
    }
}

void TMainForm::SpecModeRele(QObject* /*sender*/) {
    ApplySpecialTiming(*this, ShownOutput(*this));
}

// The binding boxes carry no rule of their own.
void TMainForm::TypeShl(QObject* /*sender*/) {}

// Every output starts from the preset of mode 0 "ПЦН тревога". The work-mode rule acts on the
// output whose sub-page is shown, so each sub-page is shown before its group is set.
void TMainForm::ApplyOutputPresets() {
    for (int output = kOutputs; output >= 1; --output) {
        PageControl2->SetActivePageIndex(output - 1);
        auto* group = Control<RadioGroup>(WorkModeGroupName(output));
        if (group->ItemIndex() == kPcnAlarmMode) {
            MakeWorkModeRele(group); // an unchanged index runs no rule by itself
        } else {
            group->SetItemIndex(kPcnAlarmMode);
        }
    }
}
