#include "ui/pages/rule_support.h"

#include "catalogue/message_catalogue.h"
#include "ui/control_families.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/up_down.h"

#include <QLineEdit>
#include <QRadioButton>

namespace velor::rules {
namespace {
constexpr int kErrorCaption = 10001;          // "Ошибка!"
constexpr QLatin1String kPlaceholder("%s");   // a bound in a range message
constexpr int64_t kLargestInt32 = 2147483647; // beyond it the platform conversion fails
constexpr int kOnOffMode = 2;    // "Взят/снят ( для охранного ШС)"
constexpr int kActuatorMode = 5; // "Исполнительный   ( для охранного ШС)"
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
    QString text = MessageText(messageId);
    for (const int bound : {lower, upper}) {
        const qsizetype at = text.indexOf(kPlaceholder);
        if (at >= 0) {
            text.replace(at, kPlaceholder.size(), QString::number(bound));
        }
    }
    return text;
}

void ShowErrorBox(TDialogs& dialogs, const QString& text) {
    MessageBoxRequest box;
    box.text = text;
    box.caption = MessageText(kErrorCaption);
    box.icon = BoxIcon::Error;
    box.buttons = BoxButtons::Ok;
    box.owner = BoxOwner::Main;
    dialogs.messageBox(box);
}

bool IsFireLoop(const TMainForm& form, int loop) {
    return form.Control<QRadioButton>(window::Name("ts", loop))->isChecked();
}

int WorkMode(const TMainForm& form, int output) {
    return form.Control<RadioGroup>(window::WorkModeGroupName(output))->ItemIndex();
}

bool ForSecurityLoopsOnly(int workMode) {
    return workMode == kOnOffMode || workMode == kActuatorMode;
}

} // namespace velor::rules
