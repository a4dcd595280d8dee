#include "ui/pages/rule_support.h"

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "ui/dialogs.h"
#include "ui/widgets/up_down.h"

#include <QLineEdit>

namespace velor::rules {
namespace {
constexpr int64_t kLargestInt32 = 2147483647; // beyond it the platform conversion fails
} // namespace

QString DigitsOnly(const QString& text) {
    QString digits;
    digits.reserve(text.size());
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits += c;
        }
    }
    return digits;
}

int64_t DigitValue(const QString& digits) {
    bool ok = false;
    const qlonglong value = digits.toLongLong(&ok);
    return ok && value <= kLargestInt32 ? value : kBeyondAnyRange;
}

std::optional<int64_t> FilteredValue(QLineEdit& edit) {
    const QString text = edit.text();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const QString digits = DigitsOnly(text);
    if (digits != text) {
        edit.setText(digits);
        return std::nullopt;
    }
    return DigitValue(digits);
}

int64_t FieldValue(const UpDown& spinner) {
    const QString text = spinner.Associate()->text();
    const QString digits = DigitsOnly(text);
    return text.isEmpty() || digits != text ? spinner.Position() : DigitValue(digits);
}

QString WithBounds(int messageId, int lower, int upper) {
    return MessageText(messageId, {QString::number(lower), QString::number(upper)});
}

void ReplaceOutOfRange(DialogService& dialogs, UpDown& spinner, int messageId) {
    ShowErrorBox(dialogs, WithBounds(messageId, spinner.Min(), spinner.Max()));
    spinner.SetPosition(spinner.Min());
}

void EmptyFieldExit(DialogService& dialogs, QLineEdit& edit) {
    if (edit.text().isEmpty()) {
        edit.setFocus();
        ShowErrorBox(dialogs, MessageText(msg::kValueMissing));
    }
}

} // namespace velor::rules
