// Rules of the loop page: the loop type, the 24-hour flag, the entry and exit delays of loops 1
// and 2 and the re-arm time.
//
// Every numeric field is bounded by its spinner (minimum, maximum, step); an out-of-range value
// is reported with those bounds and replaced by the minimum.

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "ui/control_families.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
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
using velor::window::Name;
using namespace velor::rules;

namespace {

constexpr int kSecurityIntegration = 0; // it: "70"
constexpr int kFireIntegration = 1;     // it: "300"
constexpr int kClosedDoorTactic = 0;    // Taktik: "Закрытая дверь"
constexpr int kNoRelayDelay = 1;        // EnDelaySh: "Нет"
constexpr int kNoDelay = 0;

void SetBox(const TMainForm& form, const QString& name, bool checked, bool enabled) {
    auto* box = form.Control<QCheckBox>(name);
    box->setChecked(checked);
    box->setEnabled(enabled);
}

ExitEdit& Edit(const TMainForm& form, const QString& name) {
    return *form.Control<ExitEdit>(name);
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
std::optional<int64_t> AcceptedDelay(const TMainForm& form, const QString& editName,
                                     const QString& spinnerName) {
    UpDown& spinner = Spinner(form, spinnerName);
    const std::optional<int64_t> value = FilteredValue(Edit(form, editName));
    if (!value) {
        return std::nullopt;
    }
    if (*value > spinner.Max()) {
        ReplaceOutOfRange(form, spinner, velor::msg::kDelayRange);
        return std::nullopt;
    }
    if (FollowWithSpinner(spinner, *value)) {
        return std::nullopt;
    }
    return value;
}

void EntryDelayChange(TMainForm& form, int loop) {
    const std::optional<int64_t> delay =
        AcceptedDelay(form, Name("DelayInEdit", loop), Name("DelayIn", loop));
    if (!delay) {
        return;
    }
    ExitEdit& reArmEdit = Edit(form, QStringLiteral("TimeAvEdit"));
    const UpDown& reArm = Spinner(form, QStringLiteral("TimeAv"));
    if (reArmEdit.text().isEmpty()) {
        ShowErrorBox(form.Dialogs(), MessageText(velor::msg::kReArmMissing));
    } else if (const int64_t reArmTime = FieldValue(reArm); *delay >= reArmTime) {
        // The re-arm time's own rule checks the new value against both entry delays.
        reArmEdit.setText(QString::number(reArmTime + reArm.Increment()));
    }
    auto* relayDelay = form.Control<ComboList>(Name("EnDelaySh", loop));
    if (*delay == kNoDelay) {
        relayDelay->SetItemIndex(kNoRelayDelay);
    }
    relayDelay->setEnabled(*delay != kNoDelay);
}

void ExitDelayChange(TMainForm& form, int loop) {
    const std::optional<int64_t> delay =
        AcceptedDelay(form, Name("DelayOutEdit", loop), Name("DelayOut", loop));
    if (!delay) {
        return;
    }
    auto* tactic = form.Control<ComboList>(Name("Taktik", loop));
    if (*delay == kNoDelay) {
        tactic->SetItemIndex(kClosedDoorTactic);
    }
    tactic->setEnabled(*delay != kNoDelay);
}

// A 24-hour entry loop has no delays, the closed-door tactic and no pass-through zone.
void ApplyAllDayEntryLoop(const TMainForm& form, int loop, bool allDay) {
    UpDown& entry = Spinner(form, Name("DelayIn", loop));
    UpDown& exit = Spinner(form, Name("DelayOut", loop));
    if (allDay) {
        entry.SetPosition(kNoDelay);
        exit.SetPosition(kNoDelay);
    }
    entry.Associate()->setEnabled(!allDay);
    exit.Associate()->setEnabled(!allDay);
    auto* tactic = form.Control<ComboList>(Name("Taktik", loop));
    if (allDay) {
        tactic->SetItemIndex(kClosedDoorTactic);
    }
    tactic->setEnabled(!allDay && FieldValue(exit) != kNoDelay);
}

void ApplyLoopType(TMainForm& form, int loop) {
    form.SetStatusText(MessageText(velor::msg::kLoopTypeWarning));
    const bool fire = IsFireLoop(form, loop);
    auto* integration = form.Control<ComboList>(Name("it", loop));
    integration->SetItemIndex(fire ? kFireIntegration : kSecurityIntegration);
    integration->setEnabled(!fire);
    SetBox(form, Name("ks", loop), fire, !fire); // runs the 24-hour rule when it changes
    SetBox(form, Name("av", loop), false, !fire);
    SetBox(form, Name("tt", loop), false, !fire);
    auto* doubleTrigger = form.Control<QCheckBox>(Name("ds", loop));
    if (!fire) {
        doubleTrigger->setChecked(false);
    }
    doubleTrigger->setEnabled(fire);
    SetBox(form, Name("pz", loop), false, !fire);
    for (int output = 1; output <= kOutputs; ++output) {
        if (!ForSecurityLoopsOnly(WorkMode(form, output))) {
            continue;
        }
        auto* binding = form.Control<QCheckBox>(Name("shl", loop, output));
        if (fire) {
            binding->setChecked(false);
        }
        binding->setEnabled(!fire);
    }
}

} // namespace

void TMainForm::ChangeTypeShl(QObject* sender) {
    ApplyLoopType(*this, ControlTag(sender));
}

void TMainForm::ChangeTypeShl(int loop, bool fireButton) {
    ChangeTypeShl(Control<QRadioButton>(fireButton ? Name("ts", loop) : Name("ts", loop, 1)));
}

void TMainForm::KsModeShl() {
    for (int loop = 1; loop <= kLoops; ++loop) {
        const bool allDay = Control<QCheckBox>(Name("ks", loop))->isChecked();
        if (loop <= kEntryLoops) {
            ApplyAllDayEntryLoop(*this, loop, allDay);
        }
        auto* passZone = Control<QCheckBox>(Name("pz", loop));
        if (allDay) {
            passZone->setChecked(false);
        }
        passZone->setEnabled(!allDay);
    }
}

void TMainForm::DelayInEdit1Change() {
    EntryDelayChange(*this, 1);
}

void TMainForm::DelayInEdit2Change() {
    EntryDelayChange(*this, 2);
}

void TMainForm::DelayOutEdit1Change() {
    ExitDelayChange(*this, 1);
}

void TMainForm::DelayOutEdit2Change() {
    ExitDelayChange(*this, 2);
}

void TMainForm::AnyOutExit(QObject* sender) {
    EmptyFieldExit(*this, *qobject_cast<QLineEdit*>(sender));
}

void TMainForm::TimeAvEditChange() {
    UpDown& reArm = Spinner(*this, QStringLiteral("TimeAv"));
    const std::optional<int64_t> time = FilteredValue(*reArm.Associate());
    if (!time) {
        return;
    }
    if (*time < reArm.Min() || *time > reArm.Max()) {
        ReplaceOutOfRange(*this, reArm,
                          velor::msg::kRangeWithStep); // the check below runs on the new text
        return;
    }
    const UpDown& entry1 = Spinner(*this, Name("DelayIn", 1));
    const UpDown& entry2 = Spinner(*this, Name("DelayIn", 2));
    if (entry1.Associate()->text().isEmpty() || entry2.Associate()->text().isEmpty()) {
        ShowErrorBox(Dialogs(), MessageText(velor::msg::kEntryDelayMissing));
        return;
    }
    const int64_t longest = std::max(FieldValue(entry1), FieldValue(entry2));
    if (*time <= longest) {
        ShowErrorBox(Dialogs(), MessageText(velor::msg::kReArmBelowEntryDelay));
        reArm.Associate()->setText(QString::number(RearmTimeAbove(longest, reArm.Increment())));
    }
}

void TMainForm::TimeAvEditExit() {
    UpDown& reArm = Spinner(*this, QStringLiteral("TimeAv"));
    QLineEdit& edit = *reArm.Associate();
    if (edit.text().isEmpty()) {
        EmptyFieldExit(*this, edit);
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
