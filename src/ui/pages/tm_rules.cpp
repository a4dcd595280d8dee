// Rules of the Touch Memory identifiers page: typing and checking identifiers, choosing the
// target of a key read, the one-key mode, the TM output type and the hidden device number.

#include "catalogue/message_catalogue.h"
#include "ui/control_families.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/pages/rule_support.h"
#include "ui/widgets/exit_edit.h"
#include "ui/widgets/page_control.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/up_down.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

using velor::MessageText;
using velor::window::kKeys;
using velor::window::kLoops;
using velor::window::Name;
using namespace velor::rules;

namespace {
constexpr int kIdentifierDigits = 12; // a 48-bit key identifier in hexadecimal
constexpr QChar kPadDigit = QLatin1Char('0');
constexpr int kIdentifierOutputType = 0; // TypeTMRadioGroup: "Идентификатор ТМ"

constexpr int kReenterQuestion = 10015; // "Ввести заново?"
constexpr int kWrongLengthCaption = 10016;
constexpr int kDuplicateIdentifier = 10017;
constexpr int kDeviceNumberRange = 10018; // "Диапазон возможных значений от 1 до 253!"

bool IsHexDigit(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// True when another identifier edit holds the same text.
bool IsDuplicate(const TMainForm& form, const QLineEdit& edit) {
    for (int key = 1; key <= kKeys; ++key) {
        const auto* other = form.Control<QLineEdit>(Name("CodeTM", key));
        if (other != &edit && other->text() == edit.text()) {
            return true;
        }
    }
    return false;
}

// Two rows with one key would give the device two conflicting sets of rights: the edit being
// left is emptied and keeps the focus.
void RejectDuplicate(const TMainForm& form, QLineEdit& edit) {
    if (IsDuplicate(form, edit)) {
        ShowErrorBox(form.Dialogs(), MessageText(kDuplicateIdentifier));
        edit.clear();
        edit.setFocus();
    }
}

bool AskReenter(const TMainForm& form) {
    MessageBoxRequest box;
    box.text = MessageText(kReenterQuestion);
    box.caption = MessageText(kWrongLengthCaption);
    box.icon = BoxIcon::Question;
    box.buttons = BoxButtons::YesNo;
    box.defaultButton = BoxResult::Yes;
    box.owner = BoxOwner::Main;
    return form.Dialogs().messageBox(box) == BoxResult::Yes;
}
} // namespace

void TMainForm::Id1Change(QObject* sender) {
    auto* edit = qobject_cast<QLineEdit*>(sender);
    if (!edit->isEnabled()) {
        return;
    }
    QString digits;
    for (const QChar c : edit->text()) {
        if (IsHexDigit(c)) {
            digits += c;
        }
    }
    if (digits != edit->text()) {
        edit->setText(digits);
    }
}

void TMainForm::Id1Exit(QObject* sender) {
    auto* edit = qobject_cast<QLineEdit*>(sender);
    const int length = static_cast<int>(edit->text().size());
    if (length == 0) {
        return;
    }
    if (length != kIdentifierDigits) {
        if (AskReenter(*this)) {
            edit->setFocus();
            return;
        }
        if (length < kIdentifierDigits) {
            edit->setText(QString(kIdentifierDigits - length, kPadDigit) + edit->text());
        }
    }
    RejectDuplicate(*this, *edit);
    if (length != kIdentifierDigits) {
        edit->setFocus();
    }
}

void TMainForm::Id1Click(QObject* sender) {
    lastIdentifierEdit_ = qobject_cast<QWidget*>(sender);
    Control<QPushButton>(QStringLiteral("LoadIdButton"))->setEnabled(true);
}

void TMainForm::ChangeLoadIdButton() {
    if (PageControl1->ActivePageIndex() < velor::window::kKeyPage) {
        Control<QPushButton>(QStringLiteral("LoadIdButton"))->setEnabled(false);
    }
}

void TMainForm::LoadIdButtonClick() {
    if (lastIdentifierEdit_ == nullptr) {
        return; // the button is enabled only by a click into an identifier edit
    }
    SetButtonState(TButtonState::KeyReadRunning);
    SetStatusText({});
    const auto key = static_cast<uint8_t>(ControlTag(lastIdentifierEdit_));
    if (Control<QRadioButton>(QStringLiteral("USB"))->isChecked()) {
        StartOperation(kOpReadKey, {key});
    }
}

void TMainForm::OneKeyModeShl() {
    for (int key = 1; key <= kKeys; ++key) {
        const bool oneKey = Control<QCheckBox>(Name("onekeymode", key))->isChecked();
        for (int loop = 1; loop <= kLoops; ++loop) {
            auto* disarm = Control<QCheckBox>(Name("shsn", key, loop));
            if (oneKey) {
                disarm->setChecked(Control<QCheckBox>(Name("shvz", key, loop))->isChecked());
            }
            disarm->setEnabled(!oneKey);
        }
    }
}

void TMainForm::AllKeyModeShl() {
    const bool all = Control<QCheckBox>(QStringLiteral("OnekeymodeAll"))->isChecked();
    for (int key = 1; key <= kKeys; ++key) {
        Control<QCheckBox>(Name("onekeymode", key))->setChecked(all);
    }
}

void TMainForm::ChangeTypeTM() {
    const int type = Control<RadioGroup>(QStringLiteral("TypeTMRadioGroup"))->ItemIndex();
    PageControl1->SetTabVisible(velor::window::kKeyPage, type == kIdentifierOutputType);
}

void TMainForm::NumberEditChange() {
    UpDown& number = *Control<UpDown>(QStringLiteral("NumberPKP"));
    const std::optional<int64_t> value = FilteredValue(*number.Associate());
    if (value && (*value < number.Min() || *value > number.Max())) {
        ShowErrorBox(Dialogs(), MessageText(kDeviceNumberRange));
        number.SetPosition(number.Min());
    }
}
