// Rules of the main page (MainPage): the notification duration of the internal sounder, the TM
// output type and the hidden device number.

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "ui/control_families.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/pages/main_page.h"
#include "ui/pages/rule_support.h"
#include "ui/widgets/exit_edit.h"
#include "ui/widgets/page_control.h"
#include "ui/widgets/up_down.h"

#include <QLineEdit>

using velor::MessageText;
using namespace velor::rules;

namespace {
constexpr int kIdentifierOutputType = 0; // TypeTMRadioGroup: "Идентификатор ТМ"
} // namespace

void MainPage::TimeAlarmEditChange() {
    UpDown& duration = *timeAlarm_;
    const std::optional<int64_t> value = FilteredValue(*duration.Associate());
    if (value && (*value < duration.Min() || *value > duration.Max())) {
        ReplaceOutOfRange(dialogs_, duration, velor::msg::kRangeWithStep);
    }
}

// The duration ends as 1 or a multiple of 5 s: the device counts it in steps of 5 s, and 1
// stands for the shortest notification.
void MainPage::TimeAlarmExit() {
    UpDown& duration = *timeAlarm_;
    QLineEdit& edit = *duration.Associate();
    if (edit.text().isEmpty()) {
        EmptyFieldExit(dialogs_, edit);
        return;
    }
    const int64_t value = FieldValue(duration);
    const int64_t step = duration.Increment();
    if (value % step == 0) {
        return;
    }
    edit.setText(QString::number(value < step ? duration.Min() : RoundUpToStep(value, step)));
}

// The key page is shown in the settings and demo window modes exactly when the TM output
// type is "Идентификатор ТМ"; it runs on every change of the type and on every window-mode change,
// so start-up, a decoded image, a loaded file and the factory settings all end in the same state.
void TMainForm::ChangeTypeTM() {
    const int type = mainPage_->TmOutputType();
    const bool settingsPages = SettingsMode || DemoMode;
    PageControl1->SetTabVisible(velor::window::kKeyPage,
                                settingsPages && type == kIdentifierOutputType);
}

void MainPage::NumberEditChange() {
    UpDown& number = *number_;
    const std::optional<int64_t> value = FilteredValue(*number.Associate());
    if (value && (*value < number.Min() || *value > number.Max())) {
        ShowErrorBox(dialogs_, MessageText(velor::msg::kDeviceNumberRange));
        number.SetPosition(number.Min());
    }
}

// Leaving a numeric field empty keeps the focus there and asks for a value.
void MainPage::AnyOutExit(QObject* sender) {
    EmptyFieldExit(dialogs_, *qobject_cast<QLineEdit*>(sender));
}

// The window's side of the main page: the key page follows the TM output type.
void TMainForm::WireMainPage() {
    connect(mainPage_, &MainPage::tmChoiceChanged, this, &TMainForm::ChangeTypeTM);
}
