// Rules of the output page (OutputPage): the preset a work mode loads into an output, which of the
// output's controls the mode leaves editable, which loop bindings it allows, and the timing rule of
// the special mode.

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "settings/field_records.h"
#include "ui/control_families.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/pages/loop_page.h"
#include "ui/pages/output_page.h"
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

bool HasEditableSet(int mode) {
    return mode >= 0 && mode < static_cast<int>(kEditable.size());
}

void ShowSoundModeNote(DialogService& dialogs) {
    dialogs.MessageBox(BoxRequest(velor::MessageText(velor::msg::kSoundModeNote), ProgramTitle(),
                                  BoxIcon::None, BoxOwner::Active));
}

bool IsSwitchTime(int entry) {
    return entry >= kHalfSecond && entry <= kThirtySeconds;
}

void SetCombo(ComboList* combo, int entry, bool enabled) {
    combo->SetItemIndex(entry);
    combo->setEnabled(enabled);
}
} // namespace

bool OutputPage::HasPreset(int mode) {
    return mode >= 0 && mode < static_cast<int>(kPresets.size());
}

void OutputPage::SetAllBindings(int output, bool enabled) {
    for (QCheckBox* binding : Output(output).bindings) {
        binding->setEnabled(enabled);
    }
}

void OutputPage::ApplyPreset(int output, int mode) {
    const Preset& preset = kPresets.at(mode);
    OutputControls& controls = Output(output);
    for (int event = 0; event < kEventCount; ++event) {
        controls.events.at(event)->setChecked(preset.events[event] == kMarked);
    }
    for (int column = 0; column < kTimingCount; ++column) {
        controls.timing.at(column)->SetItemIndex(preset.timing.at(column));
    }
}

void OutputPage::ApplyEditable(int output, int mode) {
    if (!HasEditableSet(mode)) {
        return;
    }
    const char* editable = kEditable.at(mode);
    OutputControls& controls = Output(output);
    for (int event = 0; event < kEventCount; ++event) {
        controls.events.at(event)->setEnabled(editable[event] == kEditableMark);
    }
    for (int column = 0; column < kTimingCount; ++column) {
        controls.timing.at(column)->setEnabled(editable[kEventCount + column] == kEditableMark);
    }
}

// Special mode: an opening or closing time of "пост." rules out the other time and the
// duration; a duration needs both times; without both a duration is not used.
void OutputPage::ApplySpecialTiming(int output) {
    OutputControls& controls = Output(output);
    ComboList* opening = controls.timing.at(kOpening);
    ComboList* closing = controls.timing.at(kClosing);
    ComboList* period = controls.timing.at(kPeriod);
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

void OutputPage::SpecModeRele(QObject* /*sender*/) {
    ApplySpecialTiming(ShownOutput());
}

// The binding boxes carry no rule of their own.
void OutputPage::TypeShl(QObject* /*sender*/) {}

// Fire loops cannot drive an output in a mode for security loops: their bindings are unticked
// (uncheck) or only locked.
void TMainForm::LockFireLoopBindings(int output, bool uncheck) {
    for (int loop = 1; loop <= kLoops; ++loop) {
        if (!loopPage_->IsFireLoop(loop)) {
            continue;
        }
        QCheckBox* binding = outputPage_->Binding(loop, output);
        if (uncheck) {
            binding->setChecked(false);
        }
        binding->setEnabled(false);
    }
}

void TMainForm::MakeWorkModeRele(QObject* sender) {
    const int output = outputPage_->ShownOutput();
    const int mode = qobject_cast<RadioGroup*>(sender)->ItemIndex();
    SetPageElementsAbleStatus_WorkModeRele(static_cast<uint8_t>(output));
    if (IsOpenCollector(output) && mode == kSoundMode) {
        for (int loop = 1; loop <= kLoops; ++loop) {
            outputPage_->Binding(loop, output)->setChecked(true);
        }
    }
    if (OutputPage::HasPreset(mode)) {
        outputPage_->ApplyPreset(output, mode);
    }
    if (ForSecurityLoopsOnly(mode)) {
        LockFireLoopBindings(output, true);
    }
}

void TMainForm::SetPageElementsAbleStatus_WorkModeRele(uint8_t output) {
    const int mode = outputPage_->WorkMode(output);
    outputPage_->SetAllBindings(output, true);
    if (IsOpenCollector(output) && mode == kSoundMode) {
        outputPage_->SetAllBindings(output, false);
        if (FormReady) {
            ShowSoundModeNote(Dialogs());
        }
    }
    outputPage_->ApplyEditable(output, mode);
    if (ForSecurityLoopsOnly(mode)) {
        LockFireLoopBindings(output, false);
    }
    if (mode == kSpecialMode) {
        outputPage_->ApplySpecialTiming(output);
    }
}

void TMainForm::SetAllPagesElementsAbleStatus_WorkModeRele() {
    for (int output = 1; output <= kOutputs; ++output) {
        SetPageElementsAbleStatus_WorkModeRele(static_cast<uint8_t>(output));
    }
}

// Every output starts from the preset of mode 0 "ПЦН тревога". The work-mode rule acts on the
// output whose sub-page is shown, so each sub-page is shown before its group is set.
void TMainForm::ApplyOutputPresets() {
    for (int output = kOutputs; output >= 1; --output) {
        outputPage_->SubPages()->SetActivePageIndex(output - 1);
        RadioGroup* group = outputPage_->WorkModeGroup(output);
        if (group->ItemIndex() == kPcnAlarmMode) {
            MakeWorkModeRele(group); // an unchanged index runs no rule by itself
        } else {
            group->SetItemIndex(kPcnAlarmMode);
        }
    }
}

// The window's side of the output page: the work-mode rule runs on each group's change.
void TMainForm::WireOutputPage() {
    connect(outputPage_, &OutputPage::workModeChosen, this, &TMainForm::MakeWorkModeRele);
}
