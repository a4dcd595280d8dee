// Rules of the key page (KeyPage, "Идентификаторы ТМ"): typing and checking identifiers, choosing
// the target of a key read and the one-key mode.

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "link/hex_text.h"
#include "ui/control_families.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/pages/command_column.h"
#include "ui/pages/key_page.h"
#include "ui/widgets/exit_edit.h"
#include "ui/widgets/page_control.h"

#include <QCheckBox>
#include <QPushButton>

using velor::MessageText;

namespace {
constexpr int kIdentifierDigits = 12; // a 48-bit key identifier in hexadecimal
constexpr QChar kPadDigit = QLatin1Char('0');

// Identifier edits take upper-case digits only (they turn typed letters to upper case).
bool IsHexDigit(QChar c) {
    return velor::HexDigitValue(c).has_value() && !c.isLower();
}
} // namespace

// True when another identifier edit holds the same text.
bool KeyPage::IsDuplicate(const QLineEdit& edit) const {
    for (const ExitEdit* other : codes_) {
        if (other != &edit && other->text() == edit.text()) {
            return true;
        }
    }
    return false;
}

// Two rows with one key would give the device two conflicting sets of rights: the edit being
// left is emptied and keeps the focus.
void KeyPage::RejectDuplicate(QLineEdit& edit) {
    if (IsDuplicate(edit)) {
        ShowErrorBox(dialogs_, MessageText(velor::msg::kIdentifierListed));
        edit.clear();
        edit.setFocus();
    }
}

bool KeyPage::AskReenter() {
    return dialogs_.MessageBox(BoxRequest(MessageText(velor::msg::kReenterQuestion),
                                          MessageText(velor::msg::kWrongIdentifierLength),
                                          BoxIcon::Question, BoxOwner::Main, BoxButtons::YesNo,
                                          BoxResult::Yes)) == BoxResult::Yes;
}

void KeyPage::Id1Change(QObject* sender) {
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

void KeyPage::Id1Exit(QObject* sender) {
    auto* edit = qobject_cast<QLineEdit*>(sender);
    const int length = static_cast<int>(edit->text().size());
    if (length == 0) {
        return;
    }
    if (length != kIdentifierDigits) {
        if (AskReenter()) {
            edit->setFocus();
            return;
        }
        if (length < kIdentifierDigits) {
            edit->setText(QString(kIdentifierDigits - length, kPadDigit) + edit->text());
        }
    }
    RejectDuplicate(*edit);
    if (length != kIdentifierDigits) {
        edit->setFocus();
    }
}

// Runs on every toggle of a one-key box or an arm box (the toggled row is marked changed first):
// in one-key mode a row's disarm boxes follow its arm boxes. Rows unchanged since the rule last
// ran over them are passed over (see OneKeyRows).
void KeyPage::OneKeyModeShl() {
    oneKeyRows_.Apply();
}

void KeyPage::AllKeyModeShl() {
    const bool all = allOneKey_->isChecked();
    for (int key = 1; key <= kKeys; ++key) {
        oneKeyRows_.OneKey(key)->setChecked(all);
    }
}

// The edit becomes the target of a key read; the read itself is offered only while a device is
// connected in the settings window mode (in the demo mode there is no device to ask).
void TMainForm::Id1Click(QObject* sender) {
    lastIdentifierEdit_ = qobject_cast<QWidget*>(sender);
    if (IsKeyReadOffered()) {
        column_->Button(CommandColumn::Command::LoadId)->setEnabled(true);
    }
}

void TMainForm::ChangeLoadIdButton() {
    if (PageControl1->ActivePageIndex() < velor::window::kKeyPage) {
        column_->Button(CommandColumn::Command::LoadId)->setEnabled(false);
    }
}

// The window's side of the key page: the target of a key read, and the key-read button that
// leaves with the page.
void TMainForm::WireKeyPage() {
    connect(keyPage_, &KeyPage::identifierClicked, this,
            [this](ExitEdit* edit) { Id1Click(edit); });
    connect(PageControl1, &PageControl::changedByUser, this, &TMainForm::ChangeLoadIdButton);
}
