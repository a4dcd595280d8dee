// Rules of the Touch Memory identifiers page: typing and checking identifiers, choosing the
// target of a key read and the one-key mode.

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "link/hex_text.h"
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

// Identifier edits take upper-case digits only (they turn typed letters to upper case).
bool IsHexDigit(QChar c) {
    return velor::HexDigitValue(c).has_value() && !c.isLower();
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
        ShowErrorBox(form.Dialogs(), MessageText(velor::msg::kIdentifierListed));
        edit.clear();
        edit.setFocus();
    }
}

bool AskReenter(const TMainForm& form) {
    MessageBoxRequest box;
    box.text = MessageText(velor::msg::kReenterQuestion);
    box.caption = MessageText(velor::msg::kWrongIdentifierLength);
    box.icon = BoxIcon::Question;
    box.buttons = BoxButtons::YesNo;
    box.defaultButton = BoxResult::Yes;
    box.owner = BoxOwner::Main;
    return form.Dialogs().MessageBox(box) == BoxResult::Yes;
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

// The edit becomes the target of a key read; the read itself is offered only while a device is
// connected in the settings work mode (in the demo mode there is no device to ask).
void TMainForm::Id1Click(QObject* sender) {
    lastIdentifierEdit_ = qobject_cast<QWidget*>(sender);
    if (IsKeyReadOffered()) {
        Control<QPushButton>(QStringLiteral("LoadIdButton"))->setEnabled(true);
    }
}

void TMainForm::ChangeLoadIdButton() {
    if (PageControl1->ActivePageIndex() < velor::window::kKeyPage) {
        Control<QPushButton>(QStringLiteral("LoadIdButton"))->setEnabled(false);
    }
}

// Runs on every toggle of a one-key box or an arm box (the toggled row is marked changed first):
// in one-key mode a row's disarm boxes follow its arm boxes. Rows unchanged since the rule last
// ran over them are passed over (see OneKeyRows).
void TMainForm::OneKeyModeShl() {
    oneKeyRows_.Apply();
}

void TMainForm::AllKeyModeShl() {
    const bool all = Control<QCheckBox>(QStringLiteral("OnekeymodeAll"))->isChecked();
    for (int key = 1; key <= kKeys; ++key) {
        Control<QCheckBox>(Name("onekeymode", key))->setChecked(all);
    }
}
