// Rules of the loop page (LoopPage): the loop type, the 24-hour flag, the entry and exit delays
// of loops 1 and 2 and the re-arm time.
//
// Every numeric field is bounded by its spinner (minimum, maximum, step); an out-of-range value
// is reported with those bounds and replaced by the minimum.

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "ui/control_families.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/pages/loop_page.h"
#include "ui/pages/output_page.h"
#include "ui/pages/rule_support.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/exit_edit.h"
#include "ui/widgets/up_down.h"

#include <QCheckBox>
#include <QRadioButton>

#include <algorithm>

using velor::MessageText;
using velor::window::kLoops;
using velor::window::kOutputs;
using namespace velor::rules;

namespace {

constexpr int kSecurityIntegration = 0; // it: "70"
constexpr int kFireIntegration = 1;     // it: "300"
constexpr int kClosedDoorTactic = 0;    // Taktik: "Закрытая дверь"
constexpr int kNoRelayDelay = 1;        // EnDelaySh: "Нет"
constexpr int kNoDelay = 0;

void SetBox(QCheckBox* box, bool checked, bool enabled) {
    box->setChecked(checked);
    box->setEnabled(enabled);
}

// Sets the spinner to the value typed in its edit. True when that rewrote the edit's text (a
// typed "07" becomes "7"): the change rule has then run on the new text already.
bool FollowWithSpinner(UpDown& spinner, int64_t value) {
    const QString before = spinner.Associate()->text();
    spinner.SetPosition(static_cast<int>(value));
    return spinner.Associate()->text() != before;
}

// The value a delay change rule works with, or nullopt when the rule has nothing more to do:
// an empty text, a text the digit filter rewrote, or a value out of range that was replaced.
std::optional<int64_t> AcceptedDelay(DialogService& dialogs, UpDown& spinner) {
    const std::optional<int64_t> value = FilteredValue(*spinner.Associate());
    if (!value) {
        return std::nullopt;
    }
    if (*value > spinner.Max()) {
        ReplaceOutOfRange(dialogs, spinner, velor::msg::kDelayRange);
        return std::nullopt;
    }
    if (FollowWithSpinner(spinner, *value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

void LoopPage::EntryDelayChange(int loop) {
    EntryLoopControls& controls = EntryLoop(loop);
    const std::optional<int64_t> delay = AcceptedDelay(dialogs_, *controls.entry.spinner);
    if (!delay) {
        return;
    }
    ExitEdit& reArmEdit = *reArm_.edit;
    const UpDown& reArm = *reArm_.spinner;
    if (reArmEdit.text().isEmpty()) {
        ShowErrorBox(dialogs_, MessageText(velor::msg::kReArmMissing));
    } else if (const int64_t reArmTime = FieldValue(reArm); *delay >= reArmTime) {
        // The re-arm time's own rule checks the new value against both entry delays.
        reArmEdit.setText(QString::number(reArmTime + reArm.Increment()));
    }
    ComboList* relayDelay = controls.relayDelay;
    if (*delay == kNoDelay) {
        relayDelay->SetItemIndex(kNoRelayDelay);
    }
    relayDelay->setEnabled(*delay != kNoDelay);
}

void LoopPage::ExitDelayChange(int loop) {
    EntryLoopControls& controls = EntryLoop(loop);
    const std::optional<int64_t> delay = AcceptedDelay(dialogs_, *controls.exit.spinner);
    if (!delay) {
        return;
    }
    ComboList* tactic = controls.tactic;
    if (*delay == kNoDelay) {
        tactic->SetItemIndex(kClosedDoorTactic);
    }
    tactic->setEnabled(*delay != kNoDelay);
}

// A 24-hour entry loop has no delays, the closed-door tactic and no pass-through zone.
void LoopPage::ApplyAllDayEntryLoop(int loop, bool allDay) {
    EntryLoopControls& controls = EntryLoop(loop);
    UpDown& entry = *controls.entry.spinner;
    UpDown& exit = *controls.exit.spinner;
    if (allDay) {
        entry.SetPosition(kNoDelay);
        exit.SetPosition(kNoDelay);
    }
    entry.Associate()->setEnabled(!allDay);
    exit.Associate()->setEnabled(!allDay);
    ComboList* tactic = controls.tactic;
    if (allDay) {
        tactic->SetItemIndex(kClosedDoorTactic);
    }
    tactic->setEnabled(!allDay && FieldValue(exit) != kNoDelay);
}

void LoopPage::ApplyLoopType(int loop) {
    const bool fire = IsFireLoop(loop);
    ComboList* integration = Loop(loop).integration;
    integration->SetItemIndex(fire ? kFireIntegration : kSecurityIntegration);
    integration->setEnabled(!fire);
    SetBox(LoopBox(loop, kAllDay), fire, !fire); // runs the 24-hour rule when it changes
    SetBox(LoopBox(loop, kAutoReArm), false, !fire);
    SetBox(LoopBox(loop, kSilentAlarm), false, !fire);
    QCheckBox* doubleTrigger = LoopBox(loop, kDoubleTrigger);
    if (!fire) {
        doubleTrigger->setChecked(false);
    }
    doubleTrigger->setEnabled(fire);
    SetBox(LoopBox(loop, kPassZone), false, !fire);
}

// The loop's own controls, then the bindings of the outputs whose work mode serves security
// loops only: a fire loop cannot drive them.
void TMainForm::ChangeTypeShl(QObject* sender) {
    const int loop = ControlTag(sender);
    SetStatusText(MessageText(velor::msg::kLoopTypeWarning));
    loopPage_->ApplyLoopType(loop);
    const bool fire = loopPage_->IsFireLoop(loop);
    for (int output = 1; output <= kOutputs; ++output) {
        if (!ForSecurityLoopsOnly(outputPage_->WorkMode(output))) {
            continue;
        }
        QCheckBox* binding = outputPage_->Binding(loop, output);
        if (fire) {
            binding->setChecked(false);
        }
        binding->setEnabled(!fire);
    }
}

void TMainForm::ChangeTypeShl(int loop, bool fireButton) {
    ChangeTypeShl(loopPage_->TypeButton(loop, fireButton));
}

void LoopPage::KsModeShl() {
    for (int loop = 1; loop <= kLoops; ++loop) {
        const bool allDay = LoopBox(loop, kAllDay)->isChecked();
        if (loop <= kEntryLoops) {
            ApplyAllDayEntryLoop(loop, allDay);
        }
        QCheckBox* passZone = LoopBox(loop, kPassZone);
        if (allDay) {
            passZone->setChecked(false);
        }
        passZone->setEnabled(!allDay);
    }
}

void LoopPage::DelayInEdit1Change() {
    EntryDelayChange(1);
}

void LoopPage::DelayInEdit2Change() {
    EntryDelayChange(2);
}

void LoopPage::DelayOutEdit1Change() {
    ExitDelayChange(1);
}

void LoopPage::DelayOutEdit2Change() {
    ExitDelayChange(2);
}

void LoopPage::AnyOutExit(QObject* sender) {
    EmptyFieldExit(dialogs_, *qobject_cast<QLineEdit*>(sender));
}

void LoopPage::TimeAvEditChange() {
    UpDown& reArm = *reArm_.spinner;
    const std::optional<int64_t> time = FilteredValue(*reArm.Associate());
    if (!time) {
        return;
    }
    if (*time < reArm.Min() || *time > reArm.Max()) {
        ReplaceOutOfRange(dialogs_, reArm,
                          velor::msg::kRangeWithStep); // the check below runs on the new text
        return;
    }
    const UpDown& entry1 = *EntryLoop(1).entry.spinner;
    const UpDown& entry2 = *EntryLoop(2).entry.spinner;
    if (entry1.Associate()->text().isEmpty() || entry2.Associate()->text().isEmpty()) {
        ShowErrorBox(dialogs_, MessageText(velor::msg::kEntryDelayMissing));
        return;
    }
    const int64_t longest = std::max(FieldValue(entry1), FieldValue(entry2));
    if (*time <= longest) {
        ShowErrorBox(dialogs_, MessageText(velor::msg::kReArmBelowEntryDelay));
        reArm.Associate()->setText(QString::number(RearmTimeAbove(longest, reArm.Increment())));
    }
}

void LoopPage::TimeAvEditExit() {
    UpDown& reArm = *reArm_.spinner;
    QLineEdit& edit = *reArm.Associate();
    if (edit.text().isEmpty()) {
        EmptyFieldExit(dialogs_, edit);
        return;
    }
    const int64_t time = FieldValue(reArm);
    const int64_t rounded = RoundUpToStep(time, reArm.Increment());
    if (rounded != time) {
        edit.setText(QString::number(rounded));
    }
    if (FieldValue(reArm) <= reArm.Min()) {
        edit.setText(QString::number(reArm.Min()));
    }
}

// The window's side of the loop page: the loop-type rule runs for the button checked.
void TMainForm::WireLoopPage() {
    connect(loopPage_, &LoopPage::loopTypeChecked, this,
            [this](QRadioButton* button) { ChangeTypeShl(button); });
}
