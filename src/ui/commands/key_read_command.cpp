// The key read of the window: "Считать ТМ" reads the key held to the device's reader into the
// identifier edit clicked last.

#include "ui/control_families.h"
#include "ui/main_form.h"

#include <QPushButton>
#include <QRadioButton>

bool TMainForm::IsKeyReadOffered() const {
    return SettingsMode && connected_ && !IsOperationRunning();
}

void TMainForm::LoadIdButtonClick() {
    if (!DeviceCommandCanRun()) {
        return;
    }
    if (!IsKeyReadOffered()) {
        SetStatusText(tr("Считать ТМ можно только при связи с прибором в режиме «Смена настроек»"));
        return;
    }
    if (lastIdentifierEdit_ == nullptr) {
        SetStatusText(tr("Щёлкните в поле кода ключа, в которое нужно считать ТМ"));
        return;
    }
    SetButtonState(ButtonState::KeyReadRunning);
    SetStatusText({});
    const auto key = static_cast<uint8_t>(ControlTag(lastIdentifierEdit_));
    if (Control<QRadioButton>(QStringLiteral("USB"))->isChecked()) {
        StartOperation(Operation::ReadKey, {key});
    }
}
